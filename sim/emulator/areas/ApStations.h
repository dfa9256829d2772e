#pragma once
// The access point the adapter runs once it is in access-point mode: its BSS as the driver knows
// it (network name, channel, security with the installed keys, access control) and the rule by
// which a station may join it. Written from the driver's side: the pairwise master key of a
// station's pass phrase is its own PBKDF2, compared with the key the program installed.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/emulator/Scenario.h"

namespace kavo9::emu {

using Pmk = std::array<uint8_t, 32>;

struct ApBss {
  bool running = false;
  std::string ssid;
  int channel = 1;
  uint32_t auth = 0;        // the driver's authentication-mode number, 0-9
  uint32_t encryption = 1;  // the encryption status, 1 none
  std::optional<Pmk> pmk;
  std::array<std::vector<uint8_t>, 4> wepKeys;
  uint32_t transmitKey = 0;
  uint32_t aclPolicy = 0;  // 0 none, 1 only the listed stations, 2 all but the listed
  std::vector<MacAddress> acl;
  std::array<uint8_t, 8> rates{};
};

struct ApStation {
  StationSpec spec;
  uint8_t aid = 0;
  bool fromScenario = false;
  uint64_t joinedMs = 0;
};

// The pass-phrase hash (PBKDF2-HMAC-SHA1, 4096 rounds, the SSID as salt), or the 64 hexadecimal
// digits decoded; nullopt for anything else.
std::optional<Pmk> StationPmk(const std::string& key, const std::string& ssid);

// Why `station` may not join `bss`, or nullopt when it may. `pmk` is the station's key for the
// BSS's name (computed once by the caller).
std::optional<std::string> RefuseReason(const ApBss& bss, const StationSpec& station,
                                        const std::optional<Pmk>& pmk);

// A frequency in kHz of the configuration record as a channel number (0 when none).
int ChannelOfFrequency(uint32_t kHz);

}  // namespace kavo9::emu
