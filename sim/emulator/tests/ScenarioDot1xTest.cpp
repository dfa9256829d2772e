// The 802.1X server block of a network: what it gives, what it refuses, and its round trip.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "sim/emulator/Scenario.h"

namespace kavo9::test {
namespace {

using nlohmann::json;

json Enterprise(json dot1x) {
  return {{"ssid", "Corp"},
          {"bssid", "00-11-22-33-44-55"},
          {"channel", 6},
          {"security", "wpa2-enterprise"},
          {"dot1x", std::move(dot1x)}};
}

TEST(ScenarioDot1x, ABlockGivesUsersMethodsServerAndFlags) {
  NetworkSpec n;
  std::string error;
  ASSERT_TRUE(ParseNetwork(
      Enterprise(
          {{"methods", {"peap", "fast", "md5"}},
           {"ttlsInner", {"chap"}},
           {"fastProvisioning", {"authenticated"}},
           {"users", {{{"identity", "ann"}, {"password", "pw"}, {"mustChangePassword", true}}}},
           {"server", {{"dnsNames", {"radius.corp.example"}}}},
           {"rejected", 302},
           {"pacRevoked", true}}),
      "", &n, &error))
      << error;
  EXPECT_TRUE(n.dot1x.enabled);
  EXPECT_EQ(n.dot1x.methods, (std::vector<int>{25, 43, 4}));
  EXPECT_EQ(n.dot1x.ttlsInner, (std::vector<int>{2}));
  EXPECT_EQ(n.dot1x.peapInner, (std::vector<int>{26, 6}));
  EXPECT_FALSE(n.dot1x.fastAnonymous);
  EXPECT_TRUE(n.dot1x.fastAuthenticated);
  ASSERT_EQ(n.dot1x.users.size(), 1u);
  EXPECT_TRUE(n.dot1x.users[0].mustChangePassword);
  EXPECT_EQ(n.dot1x.serverName, "radius.corp.example");  // the first DNS name by default
  EXPECT_EQ(n.dot1x.rejected, 302);
  EXPECT_TRUE(n.dot1x.pacRevoked);

  NetworkSpec again;
  ASSERT_TRUE(ParseNetwork(NetworkToJson(n), "", &again, &error)) << error;
  EXPECT_EQ(NetworkToJson(again), NetworkToJson(n));
}

TEST(ScenarioDot1x, FaultsNameTheirPath) {
  struct Case {
    const char* what;
    json network;
    const char* error;
  };
  json psk = Enterprise({{"methods", {"peap"}}});
  psk["security"] = "wpa2-psk";
  psk["key"] = "12345678";
  const Case cases[] = {
      {"no methods", Enterprise(json::object()), "/dot1x/methods: missing"},
      {"unknown method", Enterprise({{"methods", {"peap", "kerberos"}}}),
       "/dot1x/methods: expected"},
      {"twice the same", Enterprise({{"methods", {"tls", "tls"}}}), "/dot1x/methods: expected"},
      {"empty identity", Enterprise({{"methods", {"md5"}}, {"users", {{{"identity", ""}}}}}),
       "/dot1x/users/0/identity: must not be empty"},
      {"bad DNS name", Enterprise({{"methods", {"tls"}}, {"server", {{"dnsNames", {"a b"}}}}}),
       "/dot1x/server/dnsNames: expected"},
      {"bad status", Enterprise({{"methods", {"tls"}}, {"rejected", 303}}), "/dot1x/rejected:"},
      {"misspelt flag", Enterprise({{"methods", {"tls"}}, {"serverdown", true}}),
       "/dot1x/serverdown: unknown member"},
      {"pre-shared key", psk, "/dot1x: a pre-shared-key network"},
  };
  for (const Case& c : cases) {
    NetworkSpec n;
    std::string error;
    EXPECT_FALSE(ParseNetwork(c.network, "", &n, &error)) << c.what;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.what << ": " << error;
  }
}

}  // namespace
}  // namespace kavo9::test
