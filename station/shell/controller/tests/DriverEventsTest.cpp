#include <gmock/gmock.h>

#include <fstream>
#include <sstream>

#include "station/shell/controller/tests/ControllerFixture.h"

namespace kavo9 {
namespace {

TEST(MediaConnectFilter, SkipsLinkUpsThatTheSupplicantOrCcxReports) {
  struct Case {
    const char* name;
    std::optional<ConnectRecordSummary> record;
    bool supplicant;
    bool posted;
  };
  auto record = [](uint32_t infra, uint32_t auth, bool dot1x, bool leap, uint32_t ccx = 0) {
    return std::optional<ConnectRecordSummary>({infra, auth, dot1x, leap, ccx});
  };
  const Case cases[] = {
      {"no record", std::nullopt, true, true},
      {"WPA2 infrastructure", record(1, 6, false, false), true, false},
      {"WPA-PSK infrastructure", record(1, 4, false, false), true, false},
      {"WPA2 without supplicant", record(1, 6, false, false), false, true},
      {"WPA2 ad hoc", record(0, 6, false, false), true, true},
      {"open", record(1, 0, false, false), true, true},
      {"open with 802.1X", record(1, 0, true, false), true, false},
      {"shared with LEAP", record(1, 1, false, true), true, false},
      {"WPA-NONE with 802.1X flag", record(1, 5, true, false), true, true},
      {"CCX without supplicant", record(0, 0, false, false, 1), false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MediaConnectWanted(c.record, c.supplicant), c.posted) << c.name;
  }
}

TEST(DriverEventSink, EachObjectOfABatchPostsUntilOneHasNoClass) {
  LastConnectView view;
  std::vector<uint32_t> posted;
  CMySink sink(kDriverMessageEventClass, view, [&](uint32_t m) { posted.push_back(m); });
  EventObject message{"TsWLANMessageEvent"};
  sink.Indicate({message, message, message});
  EXPECT_EQ(posted, (std::vector<uint32_t>{0x8001, 0x8001, 0x8001}));
  posted.clear();
  sink.Indicate({message, EventObject{}, message});
  EXPECT_EQ(posted, (std::vector<uint32_t>{0x8001}));

  posted.clear();
  view.Publish(ConnectRecordSummary{1, 7, false, false, 0}, true);
  CMySink media(kMediaConnectEventClass, view, [&](uint32_t m) { posted.push_back(m); });
  media.Indicate({EventObject{"MSNdis_StatusMediaConnect"}});
  EXPECT_TRUE(posted.empty());
  view.Publish(std::nullopt, true);
  media.Indicate({EventObject{"MSNdis_StatusMediaConnect"}});
  EXPECT_EQ(posted, (std::vector<uint32_t>{0x8003}));
}

TEST_F(ControllerTest, MediaConnectEventsRefreshTheScanListOnTheLoop) {
  Start();
  fake.events.Raise(kMediaConnectEventClass, {EventObject{"MSNdis_StatusMediaConnect"}});
  EXPECT_EQ(actions.refreshes, 0);  // posted, not run on the event thread
  fake.loop.RunPosted();
  EXPECT_EQ(actions.refreshes, 1);
  controller->PublishLastConnectRecord(ConnectRecordSummary{1, 6, false, false, 0}, true);
  fake.events.Raise(kMediaConnectEventClass, {EventObject{"MSNdis_StatusMediaConnect"}});
  fake.loop.RunPosted();
  EXPECT_EQ(actions.refreshes, 1);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(ControllerTest, TraceFileGetsTheSubscriptionStepsWhenSwitchedOn) {
  WriteSettings("[Advance]\nOpenFile=1\n");
  Start();
  EXPECT_EQ(ReadFile(fake.paths.machineDir / "drive_c" / "Linkora_test.txt"),
            "Start to set window handle\n"
            "End to set window handle\nStart to set message string\n"
            "End to set message string\nStart to register event\n"
            "End to register event\n");
}

TEST_F(ControllerTest, NoTraceFileWithTheSwitchOffAndNoSubscriptionWithoutTheService) {
  WriteSettings("[Advance]\nOpenFile=true\n");
  fake.events.connectable = false;
  Start();
  EXPECT_FALSE(std::filesystem::exists(fake.paths.machineDir / "drive_c" / "Linkora_test.txt"));
  EXPECT_FALSE(controller->driverEventsSubscribed());
}

TEST_F(ControllerTest, OneAcceptedQueryIsEnough) {
  fake.events.providedClasses = {"MSNdis_StatusMediaConnect"};
  Start();
  EXPECT_TRUE(controller->driverEventsSubscribed());
  EXPECT_EQ(fake.events.SubscriberCount(), 1u);
  fake.events.providedClasses.clear();
  controller.reset();
  Start();
  EXPECT_FALSE(controller->driverEventsSubscribed());
  EXPECT_FALSE(fake.events.connected);
}

}  // namespace
}  // namespace kavo9
