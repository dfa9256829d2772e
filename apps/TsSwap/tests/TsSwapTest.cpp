#include "apps/TsSwap/TsSwap.h"

#include <gtest/gtest.h>

namespace kavo9 {
namespace {

TEST(TsSwapArguments, TakeBothUtilityCommandLines) {
  std::string error;
  auto on = ParseTsSwapArguments(
      {"ON", "Stavio", "Hostira", "Norvik Wireless", "Kavo9 Utility", "USB\\VID_1D5A&PID_2570"},
      &error);
  ASSERT_TRUE(on) << error;
  EXPECT_TRUE(on->toAccessPoint);
  EXPECT_EQ(on->ProgramToStart(), "Hostira");
  EXPECT_EQ(on->hardwareIdPrefix, "USB\\VID_1D5A&PID_2570");
  auto off = ParseTsSwapArguments({"OFF", "Stavio", "Hostira", "Norvik Wireless", "Kavo9 Utility"},
                                  &error);
  ASSERT_TRUE(off) << error;
  EXPECT_EQ(off->ProgramToStart(), "Stavio");
  EXPECT_TRUE(off->hardwareIdPrefix.empty());
  for (const std::vector<std::string>& bad : {std::vector<std::string>{"ON"},
                                              {"UP", "Stavio", "Hostira", "v", "p"},
                                              {"OFF", "../Stavio", "Hostira", "v", "p"},
                                              {"OFF", "Stavio", "", "v", "p"}}) {
    error.clear();
    EXPECT_FALSE(ParseTsSwapArguments(bad, &error));
    EXPECT_FALSE(error.empty());
  }
}

struct Recorder {
  int heldLooks = 0;
  bool reloadWorks = true;
  bool startWorks = true;
  std::vector<std::string> steps;
  TsSwapMachine Machine() {
    return {.nameHeld = [this] { return heldLooks-- > 0; },
            .sleep = [this](int ms) { steps.push_back("sleep " + std::to_string(ms)); },
            .reloadDriver =
                [this](const std::string& prefix, std::string* detail) {
                  steps.push_back("reload " + prefix);
                  *detail = "usb0";
                  return reloadWorks;
                },
            .startProgram =
                [this](const std::string& program, std::string*) {
                  steps.push_back("start " + program);
                  return startWorks;
                },
            .log = [](const std::string&) {}};
  }
};

TEST(TsSwapSteps, WaitForTheCallerThenReloadThenStartTheOtherProgram) {
  Recorder r;
  r.heldLooks = 2;
  TsSwapRequest request{true, "Stavio", "Hostira", "USB\\VID"};
  EXPECT_EQ(RunTsSwap(request, r.Machine()), 0);
  EXPECT_EQ(r.steps,
            (std::vector<std::string>{"sleep 10", "sleep 10", "reload USB\\VID", "start Hostira"}));
}

TEST(TsSwapSteps, GoOnWhenTheNameStaysTakenAndReportAProgramThatDidNotStart) {
  Recorder r;
  r.heldLooks = 1000;
  r.reloadWorks = false;
  r.startWorks = false;
  TsSwapRequest request{false, "Stavio", "Hostira", ""};
  EXPECT_EQ(RunTsSwap(request, r.Machine(), std::chrono::milliseconds(30)), 1);
  EXPECT_EQ(r.steps, (std::vector<std::string>{"sleep 10", "sleep 10", "sleep 10", "reload ",
                                               "start Stavio"}));
}

}  // namespace
}  // namespace kavo9
