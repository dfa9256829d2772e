#include "sim/acauth/PskExchange.h"

#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "sim/wpa/EapolKey.h"

namespace kavo9::acauth {
namespace {

using nlohmann::json;

// NDIS_802_11_KEY of a pairwise key: bit 30 of the key index marks it, beside the transmit bit;
// the BSSID is the access point's, the key material starts at byte 32.
constexpr uint32_t kKeyIndexPairwise = 0x40000000;
constexpr size_t kKeyBssidOffset = 12;
constexpr size_t kKeyMaterialOffset = 32;

std::string HexText(std::span<const uint8_t> bytes) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (uint8_t b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

// "00-1D-5A-30-70-01" or with ":" between the bytes.
bool ParseMacText(const std::string& text, wpa::Address* mac) {
  if (text.size() != 17) return false;
  for (size_t i = 0; i < mac->size(); ++i) {
    const std::string pair = text.substr(3 * i, 2);
    char* end = nullptr;
    const unsigned long v = std::strtoul(pair.c_str(), &end, 16);
    if (end != pair.c_str() + 2 || (i < 5 && text[3 * i + 2] != '-' && text[3 * i + 2] != ':')) {
      return false;
    }
    (*mac)[i] = uint8_t(v);
  }
  return true;
}

std::optional<wpa::EapolKey> FrameOf(const json& answer) {
  const std::string text = TextField(answer, "frame");
  if (text.empty() || text.size() % 2) return std::nullopt;
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    char* end = nullptr;
    const std::string pair = text.substr(i, 2);
    const unsigned long v = std::strtoul(pair.c_str(), &end, 16);
    if (end != pair.c_str() + 2) return std::nullopt;
    bytes.push_back(uint8_t(v));
  }
  return wpa::Decode(bytes);
}

std::optional<wpa::EapolKey> Send(const DaemonLink& daemon, const PskLink& link,
                                  const wpa::EapolKey& frame, bool* answered) {
  auto answer = daemon.Ask({{"cmd", "auth"},
                            {"op", "eapol"},
                            {"adapter", link.port},
                            {"frame", HexText(wpa::Encode(frame))}});
  *answered = answer.has_value();
  return answer ? FrameOf(*answer) : std::nullopt;
}

bool InstallKey(DeviceIo& io, const PskLink& link, const wpa::Address& bssid,
                const std::vector<uint8_t>& tk) {
  std::vector<uint8_t> record(kKeyMaterialOffset + tk.size(), 0);
  const uint32_t length = uint32_t(record.size());
  const uint32_t index = kKeyIndexTransmit | kKeyIndexPairwise;
  const uint32_t keyLength = uint32_t(tk.size());
  std::memcpy(record.data(), &length, 4);
  std::memcpy(record.data() + 4, &index, 4);
  std::memcpy(record.data() + 8, &keyLength, 4);
  std::memcpy(record.data() + kKeyBssidOffset, bssid.data(), bssid.size());
  std::memcpy(record.data() + kKeyMaterialOffset, tk.data(), tk.size());
  const DeviceIo::Handle handle = io.Open(link.device);
  if (handle == DeviceIo::kInvalidHandle) return false;
  uint32_t oid = OID_802_11_ADD_KEY | kSetBit;
  uint32_t returned = 0;
  const bool ok = io.Control(handle, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, record.data(),
                             length, &returned);
  io.Close(handle);
  return ok;
}

}  // namespace

PskOutcome RunPskExchange(const DaemonLink& daemon, DeviceIo& io, const PskLink& link,
                          const wpa::Pmk& pmk) {
  auto start = daemon.Ask({{"cmd", "auth"},
                           {"op", "eapol-start"},
                           {"adapter", link.port},
                           {"keyMgmt", link.keyManagement},
                           {"cipher", link.cipher}});
  if (!start) return PskOutcome::kNotReady;
  const std::optional<wpa::EapolKey> m1 = FrameOf(*start);
  wpa::Address bssid{};
  if (!m1 || !ParseMacText(TextField(*start, "bssid"), &bssid)) return PskOutcome::kNotReady;
  const wpa::PairwiseCipher cipher =
      m1->Version() == 2 ? wpa::PairwiseCipher::kCcmp : wpa::PairwiseCipher::kTkip;
  const wpa::Nonce sNonce = wpa::RandomNonce();
  const wpa::Ptk ptk = wpa::DerivePtk(pmk, bssid, link.mac, m1->nonce, sNonce, cipher);

  wpa::EapolKey m2;
  m2.descriptor = m1->descriptor;
  m2.info = uint16_t(m1->Version() | wpa::kInfoPairwise | wpa::kInfoMic);
  m2.replay = m1->replay;
  m2.nonce = sNonce;
  bool answered = false;
  const std::optional<wpa::EapolKey> m3 = Send(daemon, link, wpa::WithMic(m2, ptk.kck), &answered);
  if (!answered) return PskOutcome::kNotReady;
  // No message 3, or one we cannot verify: the two ends do not share the PMK.
  if (!m3 || m3->nonce != m1->nonce || m3->replay <= m1->replay || !wpa::MicValid(*m3, ptk.kck)) {
    return PskOutcome::kNoAnswer;
  }
  wpa::EapolKey m4;
  m4.descriptor = m3->descriptor;
  m4.info = uint16_t(m3->Version() | wpa::kInfoPairwise | wpa::kInfoMic | wpa::kInfoSecure);
  m4.replay = m3->replay;
  Send(daemon, link, wpa::WithMic(m4, ptk.kck), &answered);
  if (!answered) return PskOutcome::kNotReady;
  return InstallKey(io, link, bssid, ptk.tk) ? PskOutcome::kDone : PskOutcome::kNotReady;
}

}  // namespace kavo9::acauth
