#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>

#include "common/platform/ServiceControl.h"
#include "common/platform/SessionEvents.h"
#include "common/platform/simulated/SystemServicesClient.h"
#include "sim/system/SystemServices.h"

#include "sim/emulator/NetworkAddresses.h"

namespace kavo9 {
namespace {

using json = nlohmann::json;

TEST(SystemServicesStream, SessionAndPowerEventsReachTheirSubscribersOnly) {
  char pattern[] = "/tmp/k9sysXXXXXX";
  ASSERT_TRUE(::mkdtemp(pattern));
  const std::filesystem::path machine = pattern;
  std::filesystem::create_directories(machine / "run");
  SystemServices services(machine / "run");
  std::string error;
  ASSERT_TRUE(services.Start(&error)) << error;

  std::mutex mutex;
  std::condition_variable arrived;
  std::vector<uint32_t> session, power;
  SimulatedSessionEvents client(machine);
  ASSERT_TRUE(client.RegisterSessionNotification([&](uint32_t code) {
    std::lock_guard lock(mutex);
    session.push_back(code);
    arrived.notify_all();
  }));
  client.SetPowerCallback([&](uint32_t code) {
    std::lock_guard lock(mutex);
    power.push_back(code);
    arrived.notify_all();
  });
  // Subscriptions are registered by the daemon's stream thread.
  for (int i = 0; i < 500 && services.SubscriberCount() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(services.SubscriberCount(), 2u);

  EXPECT_TRUE(services.Session({{"event", "lock"}}).value("ok", false));
  EXPECT_TRUE(services.Session({{"event", "unlock"}}).value("ok", false));
  EXPECT_TRUE(services.Power({{"event", "suspend"}}).value("ok", false));
  EXPECT_FALSE(services.Session({{"event", "logoff"}}).value("ok", true));
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(arrived.wait_for(lock, std::chrono::seconds(5),
                                 [&] { return session.size() == 2 && power.size() == 1; }));
  }
  EXPECT_EQ(session, (std::vector<uint32_t>{WTS_SESSION_LOCK, WTS_SESSION_UNLOCK}));
  EXPECT_EQ(power, (std::vector<uint32_t>{PBT_APMSUSPEND}));

  // An unknown topic is refused; management events need their class.
  SimulatedEventSubscription events(machine);
  ASSERT_TRUE(events.Connect());
  EXPECT_EQ(events.Subscribe("Win32_Process", [](const auto&) {}), 0u);
  EXPECT_FALSE(services.Event({{"class", "session"}}).value("ok", true));
  // A management event names its adapter; none is raised for an adapter the machine lacks.
  services.SetAdapterLinks([] {
    return std::vector<SystemServices::AdapterLink>{{"{A}", true, "Card A"}};
  });
  EXPECT_FALSE(
      services.Event({{"class", "TsWLANMessageEvent"}, {"adapter", "{B}"}}).value("ok", true));
  EXPECT_TRUE(
      services.Event({{"class", "TsWLANMessageEvent"}, {"adapter", "Card A"}}).value("ok", false));

  client.UnregisterSessionNotification();
  client.SetPowerCallback(nullptr);
  services.Stop();
  std::filesystem::remove_all(machine);
}

TEST(SystemServicesState, ServiceControlKeepsStateAndStartType) {
  SystemServices services("/tmp");
  auto call = [&](json request) {
    request["name"] = "wzcsvc";
    return services.Service(request);
  };
  EXPECT_EQ(call({{"op", "query"}})["state"], SERVICE_RUNNING);
  EXPECT_TRUE(call({{"op", "stop"}}).value("ok", false));
  EXPECT_FALSE(call({{"op", "stop"}}).value("ok", true));  // already stopped
  EXPECT_TRUE(call({{"op", "config"}, {"startType", SERVICE_DISABLED}}).value("ok", false));
  EXPECT_FALSE(call({{"op", "start"}}).value("ok", true));  // disabled
  EXPECT_FALSE(call({{"op", "config"}, {"startType", 9}}).value("ok", true));
  EXPECT_TRUE(call({{"op", "config"}, {"startType", SERVICE_DEMAND_START}}).value("ok", false));
  EXPECT_TRUE(call({{"op", "start"}}).value("ok", false));
  json state = call({{"op", "query"}});
  EXPECT_EQ(state["state"], SERVICE_RUNNING);
  EXPECT_EQ(state["startType"], SERVICE_DEMAND_START);
  EXPECT_FALSE(services.Service({{"op", "query"}, {"name", "Spooler"}}).value("ok", true));
}

TEST(SystemServicesState, AddressesFollowTheLinkAndReleaseRenew) {
  SystemServices services("/tmp");
  bool connected = true;
  services.SetAdapterLinks([&] {
    return std::vector<SystemServices::AdapterLink>{{"{A}", connected}};
  });
  json interfaces = services.Ip({{"op", "interfaces"}});
  ASSERT_EQ(interfaces["interfaces"].size(), 1u);
  EXPECT_EQ(interfaces["interfaces"][0]["name"], "\\DEVICE\\TCPIP_{A}");
  const uint32_t index = interfaces["interfaces"][0]["index"];
  EXPECT_NE(services.Ip({{"op", "adapters"}})["adapters"][0]["ip"], "0.0.0.0");
  EXPECT_TRUE(services.Ip({{"op", "release"}, {"index", index}}).value("ok", false));
  EXPECT_EQ(services.Ip({{"op", "adapters"}})["adapters"][0]["ip"], "0.0.0.0");
  EXPECT_TRUE(services.Ip({{"op", "renew"}, {"index", index}}).value("ok", false));
  EXPECT_NE(services.Ip({{"op", "adapters"}})["adapters"][0]["ip"], "0.0.0.0");
  connected = false;
  EXPECT_FALSE(services.Ip({{"op", "renew"}, {"index", index}}).value("ok", true));
  EXPECT_FALSE(services.Ip({{"op", "release"}, {"index", 99}}).value("ok", true));
}

TEST(SystemServicesState, EachNetworkHasItsSubnetAndEachAdapterItsHardwareAddress) {
  SystemServices services("/tmp");
  const std::array<uint8_t, 6> cafe{0x00, 0x11, 0x22, 0x00, 0x00, 0x01};
  const std::array<uint8_t, 6> home{0x00, 0x11, 0x22, 0x00, 0x00, 0x02};
  const std::array<uint8_t, 6> mac{0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01};
  std::array<uint8_t, 6> joined = cafe;
  services.SetAdapterLinks([&] {
    return std::vector<SystemServices::AdapterLink>{{"{A}", true, "Card A", mac, joined},
                                                    {"{B}", false, "Card B", {}, {}}};
  });
  json first = services.Ip({{"op", "adapters"}})["adapters"];
  EXPECT_EQ(first[0]["address"], "00-1D-5A-30-70-01");
  EXPECT_EQ(first[0]["ip"], DottedText(HostOf(cafe, 0)));
  EXPECT_EQ(first[0]["gateway"], DottedText(GatewayOf(cafe)));
  EXPECT_EQ(first[0]["mask"], "255.255.255.0");
  EXPECT_EQ(first[1]["ip"], "0.0.0.0") << "not connected, no address";
  joined = home;
  json second = services.Ip({{"op", "adapters"}})["adapters"];
  EXPECT_NE(second[0]["gateway"], first[0]["gateway"]) << "another network, another subnet";
}

}  // namespace
}  // namespace kavo9
