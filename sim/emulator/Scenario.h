#pragma once
// A scenario: the machine a test or a demo runs on — its Windows, its user, its adapters and the
// networks in range. Scenarios are JSON files (sim/scenarios/README.md describes the format);
// ParseScenario refuses a malformed one with the JSON path of the first fault.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "common/platform/simulated/SimulatedMachine.h"

namespace kavo9 {

using MacAddress = std::array<uint8_t, 6>;

// "00-1D-5A-30-70-01" (":" also accepted) to bytes; false when malformed.
bool ParseMac(std::string_view text, MacAddress* mac);
std::string FormatMac(const MacAddress& mac);

enum class Security {
  kOpen,
  kWep,
  kWpaPsk,
  kWpa2Psk,
  kWpaWpa2Psk,
  kWpaEnterprise,
  kWpa2Enterprise,
  kWpaWpa2Enterprise,
};
std::string_view SecurityName(Security security);

struct WpsSpec {
  bool enabled = false;
  uint8_t state = 2;  // 1 unconfigured, 2 configured
  bool locked = false;
  bool pushButton = false;  // the button is pressed: selected registrar, PBC password id
  std::string pin;          // the access point's PIN, empty when it has none
  uint16_t configMethods = 0x0084;
  std::array<uint8_t, 16> uuid{};
};

struct HtSpec {
  bool enabled = false;
  int width = 20;     // 20 or 40 MHz
  int secondary = 0;  // 0 none, 1 above the primary channel, 3 below
  bool shortGi = true;
  bool greenfield = false;
  int streams = 2;              // spatial streams: 1 or 2
  bool vendorElements = false;  // also the 00-90-4C vendor forms, as draft-era access points send
};

// What the 802.1X authentication server behind a network accepts, and how it misbehaves. Method
// numbers are EAP types: outer 4 MD5, 13 TLS, 17 LEAP, 21 TTLS, 25 PEAP, 43 EAP-FAST; inner 26
// MS-CHAPv2 and 6 GTC; TTLS inner 1 PAP, 2 CHAP, 3 MS-CHAP, 4 MS-CHAPv2, 5 EAP-MD5.
struct Dot1xUser {
  std::string identity;
  std::string password;
  std::string domain;  // empty: any domain, or none, is accepted
  bool mustChangePassword = false;
};

struct Dot1xSpec {
  bool enabled = false;
  std::vector<Dot1xUser> users;
  std::vector<int> methods;  // outer methods, in the server's order of preference
  std::vector<int> peapInner{26, 6};
  std::vector<int> ttlsInner{1, 2, 3, 4, 5};
  std::vector<int> fastInner{26, 6};
  bool fastAnonymous = true;      // EAP-FAST provisioning without a server certificate
  bool fastAuthenticated = true;  // ... and inside a tunnel to the server's certificate
  std::string serverName;         // the server certificate's common name
  std::vector<std::string> serverDnsNames;
  bool serverUntrusted = false;  // its certificate comes from a CA the machine does not know
  std::string notification;      // sent to the station after its identity, when set
  bool serverDown = false;       // the server never answers
  int rejected = 0;              // 301 or 302: every user is refused with that status
  bool pacExpired = false;       // every PAC presented is reported expired (318)
  bool pacRevoked = false;       // ... or revoked (319)
  bool rogueAp = false;          // the access point fails LEAP's proof of itself
};

struct NetworkSpec {
  std::string ssid;
  MacAddress bssid{};
  int channel = 1;
  int signal = -60;  // dBm
  Security security = Security::kOpen;
  bool tkip = false;
  bool aes = false;
  std::string key;  // passphrase, WEP key or empty
  bool hidden = false;
  bool adhoc = false;
  bool bOnly = false;  // an 802.11b network: CCK rates only
  uint16_t beaconInterval = 100;
  WpsSpec wps;
  HtSpec ht;
  Dot1xSpec dot1x;

  bool Is5GHz() const { return channel > 14; }
  bool Privacy() const { return security != Security::kOpen; }
};

// A station near the machine that joins an access point the adapter runs: it looks for `ssid`
// with its security (open, WEP with `key` as hexadecimal digits, WPA-PSK or WPA2-PSK with `key`
// as a pass phrase or 64 hexadecimal digits) and is heard at `signal` dBm.
struct StationSpec {
  std::string name;
  MacAddress mac{};
  std::string ssid;
  Security security = Security::kOpen;
  std::string key;
  int signal = -55;
};

struct AdapterSpec {
  std::string name;    // how the control tool names it ("usb0")
  std::string family;  // chip family name ("QKD170")
  std::vector<std::string> hardwareIds;
  std::string friendlyName;
  std::string deviceDescription;
  std::string locationInformation;
  std::string manufacturer;
  std::string instanceId;  // NetCfgInstanceId, a GUID in braces
  std::string driverKey;   // four digits below the network class key ("0007")
  MacAddress mac{};
  uint16_t driverVersion = 0x0106;
  std::array<uint8_t, 2> eepromVersion{1, 2};    // shown "%d.%d" of byte 0, byte 1
  std::array<uint8_t, 2> firmwareVersion{0, 1};  // shown "%d.%d" of byte 1, byte 0
  bool band24 = true;
  bool band5 = false;
  bool driverLoaded = true;
  bool plugged = true;
  // Receive antennas the driver reports a signal for, 1 to 3; 0 takes the chip's usual count
  // (three on an 802.11n chip, one otherwise).
  int antennas = 0;
  std::optional<uint8_t> fixedRegion24;  // a region the driver fixes (the registry is ignored)
  std::optional<uint8_t> fixedRegion5;
  std::map<std::string, std::string> parameters;          // adapter key values, as decimal text
  std::array<std::map<uint32_t, uint32_t>, 4> registers;  // MAC, BBP, RF, EEPROM seeds

  std::string DriverKeyName() const;  // "{4D36E972-...}\0007"
};

// The Windows domain the machine is a member of. Its controller is found by the flat or the DNS
// name (without regard to case); whether it answers on the network is `reachable`, and with a
// `network` it answers only while an adapter is associated with a network of that SSID. A
// controller that does not answer makes every network open fail with `probeError`.
struct DomainSpec {
  std::string name;     // flat name, "CORP"
  std::string dnsName;  // "corp.example"; may be empty
  std::string controller = "DC1";
  std::string address = "10.0.0.2";
  bool reachable = true;
  std::string network;
  uint32_t probeError = 53;  // ERROR_BAD_NETPATH
  uint32_t lookupError = 0;  // nonzero: the look-up itself fails with this code
};

struct Scenario {
  std::string description;
  std::optional<DomainSpec> domain;
  MachineDescription machine;
  std::vector<AdapterSpec> adapters;
  std::vector<NetworkSpec> networks;
  std::vector<StationSpec> stations;
};

// Parses a scenario document. On failure returns false with `error` as "PATH: what is wrong"
// (PATH a JSON pointer such as "/adapters/0/mac", empty for the whole document).
bool ParseScenario(std::string_view text, Scenario* scenario, std::string* error);
bool ParseScenarioJson(const nlohmann::json& doc, Scenario* scenario, std::string* error);
// Reads and parses a scenario file; `error` starts with the file's path.
bool LoadScenarioFile(const std::filesystem::path& file, Scenario* scenario, std::string* error);
// One network object, as in the scenario's "networks" list and the control tool's `world add`.
bool ParseNetwork(const nlohmann::json& doc, std::string_view path, NetworkSpec* network,
                  std::string* error);
nlohmann::json NetworkToJson(const NetworkSpec& network);
// One station object, as in the scenario's "stations" list and the control tool's `ap join`.
bool ParseStation(const nlohmann::json& doc, std::string_view path, StationSpec* station,
                  std::string* error);
nlohmann::json StationToJson(const StationSpec& station);
// The scenario's "domain" object.
bool ParseDomain(const nlohmann::json& doc, std::string_view path, DomainSpec* domain,
                 std::string* error);

}  // namespace kavo9
