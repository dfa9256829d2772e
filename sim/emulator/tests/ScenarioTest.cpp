// Scenario files: what a good one gives, and the JSON path named for each kind of fault.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "sim/emulator/Scenario.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

using nlohmann::json;

TEST(Scenario, SmallScenarioGivesAdaptersNetworksAndDefaults) {
  Scenario s;
  std::string error;
  ASSERT_TRUE(ParseScenario(kSmallScenarioText, &s, &error)) << error;
  ASSERT_EQ(s.adapters.size(), 1u);
  const AdapterSpec& a = s.adapters[0];
  EXPECT_EQ(a.name, "usb0");
  EXPECT_EQ(a.driverKey, "0007");
  EXPECT_EQ(a.DriverKeyName(), "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007");
  EXPECT_EQ(a.driverVersion, 0x0106);
  EXPECT_EQ(a.parameters.at("CountryRegion"), "0");
  EXPECT_EQ(a.registers[1].at(3), 0x2Au);
  ASSERT_EQ(s.networks.size(), 6u);
  EXPECT_EQ(s.networks[1].security, Security::kWpaWpa2Psk);
  EXPECT_TRUE(s.networks[1].tkip && s.networks[1].aes);
  EXPECT_EQ(s.networks[1].ht.secondary, 3);
  EXPECT_TRUE(s.networks[1].wps.pushButton);
  EXPECT_EQ(s.machine.version.major, 5u);  // Windows XP by default
}

TEST(Scenario, FaultsAreReportedWithTheirJsonPath) {
  struct Case {
    const char* name;
    const char* pointer;  // where to put the value, as a JSON pointer
    json value;
    const char* path;  // the path the error must start with
  };
  const Case cases[] = {
      {"bad MAC", "/adapters/0/mac", "00-1D-5A", "/adapters/0/mac: "},
      {"missing instance id", "/adapters/0/instanceId", nullptr, "/adapters/0/instanceId: "},
      {"GUID without braces", "/adapters/0/instanceId", "6F1C3B52", "/adapters/0/instanceId: "},
      {"unknown adapter member", "/adapters/0/colour", "red", "/adapters/0/colour: unknown"},
      {"bad band", "/adapters/0/bands", json::array({"6"}), "/adapters/0/bands: "},
      {"bad register offset", "/adapters/0/registers/bbp/zz", 1, "/adapters/0/registers/bbp/zz: "},
      {"parameter of a wrong type", "/adapters/0/parameters/Radio", true,
       "/adapters/0/parameters/Radio: "},
      {"SSID too long", "/networks/2/ssid", std::string(33, 'x'), "/networks/2/ssid: "},
      {"unknown security", "/networks/0/security", "wpa3", "/networks/0/security: "},
      {"no such channel", "/networks/0/channel", 15, "/networks/0/channel: "},
      {"signal out of range", "/networks/0/signal", 5, "/networks/0/signal: "},
      {"cipher on an open network", "/networks/0/ciphers", json::array({"aes"}),
       "/networks/0/ciphers: "},
      {"bad WPS PIN", "/networks/1/wps/pin", "12ab5670", "/networks/1/wps/pin: "},
      {"bad HT width", "/networks/1/ht/width", 30, "/networks/1/ht/width: "},
      {"duplicate BSSID", "/networks/1/bssid", "00-11-22-00-00-01", "/networks/1/bssid: "},
      {"unknown Windows", "/windows", json{{"name", "nt3"}}, "/windows/name: "},
      {"networks not a list", "/networks", json::object(), "/networks: "},
  };
  for (const Case& c : cases) {
    json doc = json::parse(kSmallScenarioText);
    json::json_pointer pointer(c.pointer);
    if (c.value.is_null()) {
      doc[pointer.parent_pointer()].erase(pointer.back());
    } else {
      doc[pointer] = c.value;
    }
    Scenario s;
    std::string error;
    EXPECT_FALSE(ParseScenarioJson(doc, &s, &error)) << c.name;
    EXPECT_EQ(error.rfind(c.path, 0), 0u) << c.name << ": " << error;
  }
  Scenario s;
  std::string error;
  EXPECT_FALSE(ParseScenario("{\"adapters\": [", &s, &error));
  EXPECT_NE(error.find("not valid JSON"), std::string::npos);
  EXPECT_FALSE(ParseScenario("[]", &s, &error));
}

TEST(Scenario, ShippedScenariosParse) {
  const std::string source = SourceDir();
  for (const char* name :
       {"demo.json", "one-open.json", "two-adapters.json", "first-gen-wep.json"}) {
    std::ifstream in(source + "/sim/scenarios/" + name);
    ASSERT_TRUE(in) << name;
    std::stringstream text;
    text << in.rdbuf();
    Scenario s;
    std::string error;
    EXPECT_TRUE(ParseScenario(text.str(), &s, &error)) << name << ": " << error;
  }
}

TEST(Scenario, NetworkRoundTripsThroughJson) {
  Scenario s;
  std::string error;
  ASSERT_TRUE(ParseScenario(kSmallScenarioText, &s, &error)) << error;
  for (const NetworkSpec& n : s.networks) {
    NetworkSpec back;
    ASSERT_TRUE(ParseNetwork(NetworkToJson(n), "", &back, &error)) << error;
    EXPECT_EQ(NetworkToJson(back), NetworkToJson(n));
  }
}

}  // namespace
}  // namespace kavo9::test
