#include "station/dot1x/ccx/CcxPortSetup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace kavo9::ccx {
namespace {

using Calls = std::vector<std::string>;

// The library, scripted: each function answers from its queue of results (0 once it is empty)
// and every call is recorded with its arguments.
struct ScriptedCcxLibrary : CcxSupplicantCalls, CcxErrorReport {
  std::map<std::string, std::deque<int>> results;
  uint32_t readBack = 0;  // what acCcxGetRadioCfg hands out
  Calls calls;
  Calls reports;

  int Next(const std::string& function, const std::string& args) {
    calls.push_back(function + "(" + args + ")");
    auto& queue = results[function];
    if (queue.empty()) return 0;
    const int r = queue.front();
    queue.pop_front();
    return r;
  }
  int CcxEnable(int h, int on) override {
    return Next("acCcxEnable", std::to_string(h) + "," + std::to_string(on));
  }
  int CcxRadioCfg(int h, uint32_t config) override {
    return Next("acCcxRadioCfg", std::to_string(h) + "," + std::to_string(config));
  }
  int CcxGetRadioCfg(int h, uint32_t* config) override {
    const int r = Next("acCcxGetRadioCfg", std::to_string(h));
    *config = readBack;
    return r;
  }
  int CcxRogueApTimeout(int h, int seconds) override {
    return Next("acCcxRogueApTimeout", std::to_string(h) + "," + std::to_string(seconds));
  }
  int CredCcxRogueAP(int h, uint32_t id, int report) override {
    return Next("acCredCcxRogueAP",
                std::to_string(h) + "," + std::to_string(id) + "," + std::to_string(report));
  }
  int CredComplete(int h, uint32_t id) override {
    return Next("acCredComplete", std::to_string(h) + "," + std::to_string(id));
  }
  int PortDisassociate(int h) override { return Next("acPortDisassociate", std::to_string(h)); }
  int PortAssociate(int h, const acAssociation& a) override {
    return Next(
        "acPortAssociate",
        std::to_string(h) + "," + std::string(reinterpret_cast<const char*>(a.ssid), a.ssidLength));
  }
  void Report(std::string_view function, int result) override {
    reports.push_back(std::string(function) + " " + std::to_string(result));
  }
};

CcxPortView Port(uint32_t ccxVersion) {
  CcxPortView port;
  port.handle = 5;
  port.ccxVersion = ccxVersion;
  port.RadioConfig = 99;
  std::memcpy(port.association.ssid, "corp", 4);
  port.association.ssidLength = 4;
  return port;
}

TEST(InitPortRadioConfig, TheLibrarysAnswersDecideTheRadioOptions) {
  struct Case {
    const char* name;
    std::vector<int> radioCfg;  // results of acCcxRadioCfg, in order
    std::vector<int> getRadioCfg;
    uint32_t radioConfig;
    Calls calls;
    Calls reports;
  };
  const Case cases[] = {
      {"taken, then cleared", {0}, {}, 7, {"acCcxRadioCfg(5,7)", "acCcxRadioCfg(5,0)"}, {}},
      {"refused", {-16}, {}, 0, {"acCcxRadioCfg(5,7)"}, {}},
      {"no device", {-8}, {}, 0, {"acCcxRadioCfg(5,7)"}, {}},
      {"kept: read back",
       {-22},
       {0},
       23,
       {"acCcxRadioCfg(5,7)", "acCcxGetRadioCfg(5)", "acCcxRadioCfg(5,0)"},
       {}},
      {"kept: read back says kept too",
       {-22},
       {-22},
       23,
       {"acCcxRadioCfg(5,7)", "acCcxGetRadioCfg(5)", "acCcxRadioCfg(5,0)"},
       {}},
      {"kept: read back fails",
       {-22},
       {-1},
       23,
       {"acCcxRadioCfg(5,7)", "acCcxGetRadioCfg(5)"},
       {"acCcxGetRadioCfg -1"}},
      {"clearing fails",
       {0, -3},
       {},
       7,
       {"acCcxRadioCfg(5,7)", "acCcxRadioCfg(5,0)"},
       {"acCcxRadioCfg -3"}},
      {"other error", {-1}, {}, 7, {"acCcxRadioCfg(5,7)"}, {"acCcxRadioCfg -1"}},
  };
  for (const auto& c : cases) {
    ScriptedCcxLibrary library;
    library.results["acCcxRadioCfg"] = {c.radioCfg.begin(), c.radioCfg.end()};
    library.results["acCcxGetRadioCfg"] = {c.getRadioCfg.begin(), c.getRadioCfg.end()};
    library.readBack = 23;
    CcxPortView port = Port(2);
    InitPortRadioConfig(library, library, port);
    EXPECT_EQ(port.RadioConfig, c.radioConfig) << c.name;
    EXPECT_EQ(library.calls, c.calls) << c.name;
    EXPECT_EQ(library.reports, c.reports) << c.name;
  }
}

TEST(InitPortRadioConfig, APortWithoutCcxIsNeverAsked) {
  ScriptedCcxLibrary library;
  CcxPortView port = Port(0);
  InitPortRadioConfig(library, library, port);
  ConfigurePortCcx(library, library, port, 0xFFFFFFFF);
  EXPECT_EQ(port.RadioConfig, 0u);
  EXPECT_TRUE(library.calls.empty());
}

TEST(ConfigurePortCcx, TheRecordsCcxBitTurnsCcxOnWithItsOptions) {
  ScriptedCcxLibrary library;
  ConfigurePortCcx(library, library, Port(2), 0x1);
  EXPECT_EQ(library.calls,
            (Calls{"acCcxEnable(5,1)", "acCcxRadioCfg(5,15)", "acCcxRogueApTimeout(5,30)"}));

  library.calls.clear();
  ConfigurePortCcx(library, library, Port(2), 0xFFFFFFFE);  // every bit but CCX on
  EXPECT_EQ(library.calls, (Calls{"acCcxEnable(5,0)"}));
}

TEST(ConfigurePortCcx, ErrorsAreReportedAndTheOtherCallsStillMade) {
  ScriptedCcxLibrary library;
  library.results["acCcxEnable"] = {-1};
  library.results["acCcxRadioCfg"] = {-2};
  library.results["acCcxRogueApTimeout"] = {-3};
  ConfigurePortCcx(library, library, Port(2), 0x1);
  EXPECT_EQ(library.calls.size(), 3u);
  EXPECT_EQ(library.reports,
            (Calls{"acCcxEnable -1", "acCcxRadioCfg -2", "acCcxRogueApTimeout -3"}));
}

TEST(AnswerRogueApRequest, ReportsCompletesAndJoinsAgainOnlyWithAutomaticReconnection) {
  ScriptedCcxLibrary library;
  EXPECT_TRUE(AnswerRogueApRequest(library, library, Port(2), 41, true));
  EXPECT_EQ(library.calls, (Calls{"acPortDisassociate(5)", "acCredCcxRogueAP(5,41,1)",
                                  "acCredComplete(5,41)", "acPortAssociate(5,corp)"}));

  library.calls.clear();
  EXPECT_FALSE(AnswerRogueApRequest(library, library, Port(2), 42, false));
  EXPECT_EQ(library.calls,
            (Calls{"acPortDisassociate(5)", "acCredCcxRogueAP(5,42,1)", "acCredComplete(5,42)"}));
  EXPECT_TRUE(library.reports.empty());
}

TEST(AnswerRogueApRequest, AFailedAnswerEndsItExceptOneAlreadyGiven) {
  struct Case {
    const char* name;
    int rogue;
    int complete;
    Calls calls;
    Calls reports;
  };
  const Case cases[] = {
      {"report fails",
       -1,
       0,
       {"acPortDisassociate(5)", "acCredCcxRogueAP(5,7,1)"},
       {"acCredCcxRogueAP -1"}},
      {"already answered",
       AC_ERR_ALREADY_ANSWERED,
       0,
       {"acPortDisassociate(5)", "acCredCcxRogueAP(5,7,1)", "acCredComplete(5,7)"},
       {"acCredCcxRogueAP -35"}},
      {"completion fails",
       0,
       -7,
       {"acPortDisassociate(5)", "acCredCcxRogueAP(5,7,1)", "acCredComplete(5,7)"},
       {"acCredComplete -7"}},
  };
  for (const auto& c : cases) {
    ScriptedCcxLibrary library;
    library.results["acCredCcxRogueAP"] = {c.rogue};
    library.results["acCredComplete"] = {c.complete};
    EXPECT_FALSE(AnswerRogueApRequest(library, library, Port(2), 7, true)) << c.name;
    EXPECT_EQ(library.calls, c.calls) << c.name;
    EXPECT_EQ(library.reports, c.reports) << c.name;
  }
}

}  // namespace
}  // namespace kavo9::ccx
