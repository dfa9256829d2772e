#pragma once
// The access point the adapter runs once it is in access-point mode: its BSS as the driver knows
// it (network name, channel, security with the installed keys, access control) and the rule by
// which a station may join it. Written from the driver's side: the pairwise master key of a
// station's pass phrase is its own PBKDF2, compared with the key the program installed.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
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
  // When the station fell silent (`kavo9-sim ap idle`); 0 while it talks. A silent station is
  // aged out once the access point's idle time has passed.
  uint64_t idleSinceMs = 0;
};

// The driver's event codes.
enum ApEventCode : uint16_t {
  kApEventRestart = 0,
  kApEventAssociated = 1,
  kApEventLeft = 2,
  kApEventAgedOut = 3,
  kApEventCountermeasure = 4,
  kApEventWrongPsk = 5,
};

// The driver's short queue of events: each is handed out once, at most ten per query, and the
// oldest are dropped when nobody asks for a while.
class ApEventQueue {
 public:
  void Push(uint64_t nowMs, const MacAddress& mac, uint16_t code);
  // OID_VND_EVENT_LOG: the count, four unused bytes, then up to ten 16-byte records (file time,
  // address, code); as many as `out` has room for leave the queue.
  size_t Drain(std::span<uint8_t> out);
  size_t size() const { return events_.size(); }
  void Clear() { events_.clear(); }

 private:
  struct Event {
    uint64_t ms;
    MacAddress mac;
    uint16_t code;
  };
  std::vector<Event> events_;
};

// The rate word of the station table for a station heard at `signal` dBm: 802.11n at 40 MHz with
// the short guard interval, the MCS falling with the signal; OFDM rates on other chips.
uint16_t StationRateWord(int signal, bool ht);

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
