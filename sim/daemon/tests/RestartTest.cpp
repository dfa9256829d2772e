// What the programs keep across a restart of the system daemon: their event streams come back by
// themselves, and a service's start type stays as it was set.
#include <mutex>

#include "common/platform/ServiceControl.h"
#include "common/platform/simulated/SystemServicesClient.h"
#include "sim/daemon/tests/DaemonTestSupport.h"

namespace kavo9::test {
namespace {

using nlohmann::json;

class DaemonRestart : public DaemonTest {
 protected:
  const char* ScenarioName() const override { return "demo.json"; }
  void Restart() {
    ASSERT_EQ(StopDaemon(), 0);
    StartDaemon();
  }
  bool Command(const json& request) {
    json reply;
    return SendDaemonCommand(machine, request, &reply, &error);
  }
};

TEST_F(DaemonRestart, EventStreamsSubscribeAgainOnTheirOwn) {
  std::mutex mutex;
  size_t driverEvents = 0, sessionEvents = 0, powerEvents = 0;
  SimulatedEventSubscription events(machine);
  ASSERT_TRUE(events.Connect());
  ASSERT_NE(events.Subscribe("TsWLANMessageEvent",
                             [&](const std::vector<EventObject>& batch) {
                               std::lock_guard lock(mutex);
                               driverEvents += batch.size();
                             }),
            0u);
  SimulatedSessionEvents session(machine);
  ASSERT_TRUE(session.RegisterSessionNotification([&](uint32_t) {
    std::lock_guard lock(mutex);
    ++sessionEvents;
  }));
  session.SetPowerCallback([&](uint32_t) {
    std::lock_guard lock(mutex);
    ++powerEvents;
  });

  for (int round = 0; round < 2; ++round) {
    Restart();
    {
      std::lock_guard lock(mutex);
      driverEvents = sessionEvents = powerEvents = 0;
    }
    // Raised until each stream has one: the streams find the new daemon in their own time.
    EXPECT_TRUE(WaitFor(
        [&] {
          Command({{"cmd", "event"}, {"class", "TsWLANMessageEvent"}});
          Command({{"cmd", "session"}, {"event", "lock"}});
          Command({{"cmd", "power"}, {"event", "resume"}});
          std::lock_guard lock(mutex);
          return driverEvents > 0 && sessionEvents > 0 && powerEvents > 0;
        },
        std::chrono::seconds(15)))
        << "round " << round << ": driver " << driverEvents << ", session " << sessionEvents
        << ", power " << powerEvents;
  }
}

TEST_F(DaemonRestart, AServicesStartTypeIsKeptAndDecidesWhetherItRunsAtStart) {
  SimulatedServiceControl services(machine);
  ASSERT_TRUE(services.SetStartType(kWirelessConfigService, SERVICE_DEMAND_START));
  ASSERT_TRUE(services.Stop(kWirelessConfigService));
  Restart();
  uint32_t state = 0, startType = 0;
  ASSERT_TRUE(services.QueryStatus(kWirelessConfigService, &state));
  ASSERT_TRUE(services.QueryStartType(kWirelessConfigService, &startType));
  EXPECT_EQ(state, SERVICE_STOPPED);
  EXPECT_EQ(startType, SERVICE_DEMAND_START);

  // Started by hand it runs until the next start of the machine, which it does not survive.
  ASSERT_TRUE(services.Start(kWirelessConfigService));
  Restart();
  ASSERT_TRUE(services.QueryStatus(kWirelessConfigService, &state));
  EXPECT_EQ(state, SERVICE_STOPPED);

  ASSERT_TRUE(services.SetStartType(kWirelessConfigService, SERVICE_AUTO_START));
  Restart();
  ASSERT_TRUE(services.QueryStatus(kWirelessConfigService, &state));
  EXPECT_EQ(state, SERVICE_RUNNING);
}

}  // namespace
}  // namespace kavo9::test
