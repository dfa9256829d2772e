#include "sim/emulator/areas/ApStations.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>

namespace kavo9::emu {
namespace {

// The driver's authentication-mode numbers.
constexpr uint32_t kOpen = 0, kShared = 1, kWpaPsk = 4, kWpa2Psk = 7, kWpaWpa2Psk = 9;
constexpr uint32_t kWep = 0, kNone = 1;

std::optional<std::vector<uint8_t>> Hex(const std::string& text) {
  if (text.size() % 2) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    if (!std::isxdigit(static_cast<unsigned char>(text[i])) ||
        !std::isxdigit(static_cast<unsigned char>(text[i + 1]))) {
      return std::nullopt;
    }
    bytes.push_back(uint8_t(std::stoi(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

}  // namespace

std::optional<Pmk> StationPmk(const std::string& key, const std::string& ssid) {
  Pmk pmk{};
  if (key.size() == 64) {
    auto bytes = Hex(key);
    if (!bytes) return std::nullopt;
    std::copy(bytes->begin(), bytes->end(), pmk.begin());
    return pmk;
  }
  if (key.empty() || key.size() > 63) return std::nullopt;
  const std::string salt = ssid.substr(0, 32);
  if (PKCS5_PBKDF2_HMAC_SHA1(key.data(), int(key.size()),
                             reinterpret_cast<const unsigned char*>(salt.data()), int(salt.size()),
                             4096, int(pmk.size()), pmk.data()) != 1) {
    return std::nullopt;
  }
  return pmk;
}

std::optional<std::string> RefuseReason(const ApBss& bss, const StationSpec& station,
                                        const std::optional<Pmk>& pmk) {
  if (!bss.running) return "the access point is not running";
  if (station.ssid != bss.ssid) return "it looks for \"" + station.ssid + "\"";
  const bool listed = std::find(bss.acl.begin(), bss.acl.end(), station.mac) != bss.acl.end();
  if (bss.aclPolicy == 1 && !listed) return "access control admits only the listed stations";
  if (bss.aclPolicy == 2 && listed) return "access control rejects it";
  switch (station.security) {
    case Security::kOpen:
      if (bss.auth != kOpen || bss.encryption != kNone) return "the access point is secured";
      return std::nullopt;
    case Security::kWep: {
      if ((bss.auth != kOpen && bss.auth != kShared) || bss.encryption != kWep) {
        return "the access point does not use WEP";
      }
      auto key = Hex(station.key);
      if (!key || bss.transmitKey > 3 || *key != bss.wepKeys[bss.transmitKey]) {
        return "its WEP key does not match";
      }
      return std::nullopt;
    }
    case Security::kWpaPsk:
    case Security::kWpa2Psk: {
      const bool wpa2 = station.security == Security::kWpa2Psk;
      const bool offered = bss.auth == kWpaWpa2Psk || bss.auth == (wpa2 ? kWpa2Psk : kWpaPsk);
      if (!offered)
        return wpa2 ? "the access point does not offer WPA2-PSK"
                    : "the access point does not offer WPA-PSK";
      if (!bss.pmk) return "the access point has no pre-shared key installed";
      if (!pmk || *pmk != *bss.pmk) return "its pre-shared key does not match";
      return std::nullopt;
    }
    default:
      return "the station's security is not one an access point offers";
  }
}

int ChannelOfFrequency(uint32_t kHz) {
  if (kHz == 2484000) return 14;
  if (kHz >= 2412000 && kHz <= 2472000) return int((kHz - 2407000) / 5000);
  if (kHz == 5040000) return 208;
  if (kHz == 5060000) return 212;
  if (kHz == 5080000) return 216;
  if (kHz >= 4920000 && kHz <= 4980000) return int((kHz - 4000000) / 5000);
  if (kHz >= 5170000 && kHz <= 5825000) return int((kHz - 5000000) / 5000);
  return 0;
}

namespace {

// The driver keeps this many events for the program.
constexpr size_t kEventQueueLength = 64;
constexpr size_t kEventsPerReply = 10;
constexpr size_t kEventRecordBytes = 16;
constexpr size_t kEventRecordsOffset = 8;
// 1970-01-01 as a Windows file time (100 ns units since 1601).
constexpr uint64_t kUnixEpochFileTime = 116444736000000000ULL;

}  // namespace

void ApEventQueue::Push(uint64_t nowMs, const MacAddress& mac, uint16_t code) {
  if (events_.size() == kEventQueueLength) events_.erase(events_.begin());
  events_.push_back({nowMs, mac, code});
}

size_t ApEventQueue::Drain(std::span<uint8_t> out) {
  std::fill(out.begin(), out.end(), 0);
  if (out.size() < kEventRecordsOffset) return 0;
  const size_t room = (out.size() - kEventRecordsOffset) / kEventRecordBytes;
  const size_t count = std::min({events_.size(), room, kEventsPerReply});
  for (size_t i = 0; i < count; ++i) {
    uint8_t* r = out.data() + kEventRecordsOffset + i * kEventRecordBytes;
    const uint64_t fileTime = kUnixEpochFileTime + events_[i].ms * 10000;
    for (size_t b = 0; b < 8; ++b) r[b] = uint8_t(fileTime >> (8 * b));
    std::copy(events_[i].mac.begin(), events_[i].mac.end(), r + 8);
    r[14] = uint8_t(events_[i].code);
    r[15] = uint8_t(events_[i].code >> 8);
  }
  for (size_t b = 0; b < 4; ++b) out[b] = uint8_t(count >> (8 * b));
  events_.erase(events_.begin(), events_.begin() + long(count));
  return count;
}

uint16_t StationRateWord(int signal, bool ht) {
  if (!ht) {
    const uint16_t ofdm = signal >= -65 ? 7 : signal >= -75 ? 5 : 2;  // 54, 36, 12 Mbit/s
    return uint16_t(1u << 14 | ofdm);
  }
  const uint16_t mcs = signal >= -60 ? 15 : signal >= -70 ? 7 : signal >= -80 ? 4 : 1;
  return uint16_t(2u << 14 | 1u << 8 | 1u << 7 | mcs);
}

}  // namespace kavo9::emu
