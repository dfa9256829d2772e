#include "sim/emulator/areas/KeysArea.h"

#include <openssl/evp.h>

#include <string>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

// NDIS_802_11_KEY: length, key index, key length, BSSID and padding, receive sequence counter,
// then the key material.
constexpr size_t kKeyIndexOffset = 4;
constexpr size_t kKeyLengthOffset = 8;
constexpr size_t kKeyMaterialOffset = 32;
// A pre-shared key's PMK: PBKDF2-HMAC-SHA1, the SSID as salt, 4,096 rounds, 32 bytes.
constexpr int kPskRounds = 4096;
constexpr size_t kPmkBytes = 32;

bool IsHex(const std::string& text) {
  return text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

std::vector<uint8_t> HexBytes(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    bytes.push_back(uint8_t(std::stoul(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// A WEP key as the scenario writes it: 10 or 26 hexadecimal digits, else the text's own bytes.
std::vector<uint8_t> WepKeyBytes(const std::string& text) {
  if ((text.size() != 10 && text.size() != 26) || !IsHex(text)) {
    return std::vector<uint8_t>(text.begin(), text.end());
  }
  return HexBytes(text);
}

// The PMK of the network's pre-shared key: 64 hexadecimal digits as they are, else the pass
// phrase run through PBKDF2.
std::vector<uint8_t> NetworkPmk(const NetworkSpec& n) {
  if (n.key.size() == 64 && IsHex(n.key)) return HexBytes(n.key);
  std::vector<uint8_t> pmk(kPmkBytes);
  PKCS5_PBKDF2_HMAC_SHA1(n.key.data(), int(n.key.size()),
                         reinterpret_cast<const unsigned char*>(n.ssid.data()), int(n.ssid.size()),
                         kPskRounds, int(pmk.size()), pmk.data());
  return pmk;
}

bool IsWpaMode(uint32_t authentication) {
  return authentication >= Ndis802_11AuthModeWPA;
}

}  // namespace

KeysArea::KeysArea(EmulatorContext& context) : ctx_(context) {
  context.AddJoinCheck([this](const NetworkSpec& n) { return Check(n); });
}

std::span<const uint32_t> KeysArea::Codes() const {
  static constexpr uint32_t kCodes[] = {OID_802_11_AUTHENTICATION_MODE,
                                        OID_802_11_ENCRYPTION_STATUS, OID_802_11_RELOAD_DEFAULTS,
                                        OID_802_11_ADD_KEY, OID_802_11_REMOVE_KEY};
  return kCodes;
}

void KeysArea::Defaults() {
  authentication_ = Ndis802_11AuthModeOpen;
  encryption_ = Ndis802_11EncryptionDisabled;
  for (auto& key : wepKeys_) key.clear();
  transmitKey_ = 0;
  wpaKey_.clear();
}

void KeysArea::Load() {
  Defaults();
}

std::optional<JoinVerdict> KeysArea::Check(const NetworkSpec& n) const {
  switch (n.security) {
    case Security::kOpen: {
      const bool openAuth = authentication_ == Ndis802_11AuthModeOpen ||
                            authentication_ == Ndis802_11AuthModeAutoSwitch;
      if (!openAuth) return JoinVerdict{.refusal = kLinkOpenAuthFailed};
      if (encryption_ != Ndis802_11EncryptionDisabled) return JoinVerdict{};
      // Behind an 802.1X server data passes only once the station authenticated.
      return JoinVerdict{.admitted = true, .portClosed = n.dot1x.enabled};
    }
    case Security::kWep:
      return CheckWep(n);
    case Security::kWpaPsk:
    case Security::kWpa2Psk:
    case Security::kWpaWpa2Psk:
      if (n.adhoc) return CheckWpaNone(n);
      return CheckWpa(n);
    default:
      return CheckWpa(n);
  }
}

JoinVerdict KeysArea::CheckWep(const NetworkSpec& n) const {
  if (IsWpaMode(authentication_) || encryption_ != Ndis802_11Encryption1Enabled) {
    return JoinVerdict{};
  }
  const std::vector<uint8_t>& key = wepKeys_[transmitKey_];
  const bool keyError = key.empty() || key != WepKeyBytes(n.key);
  if (keyError && authentication_ == Ndis802_11AuthModeShared) {
    return JoinVerdict{.refusal = kLinkSharedAuthFailed};
  }
  return JoinVerdict{.admitted = true, .keyError = keyError, .portClosed = n.dot1x.enabled};
}

bool KeysArea::CipherFits(const NetworkSpec& n) const {
  return (encryption_ == Ndis802_11Encryption2Enabled && n.tkip) ||
         (encryption_ == Ndis802_11Encryption3Enabled && n.aes);
}

JoinVerdict KeysArea::CheckWpaNone(const NetworkSpec& n) const {
  if (authentication_ != Ndis802_11AuthModeWPANone || !CipherFits(n)) return JoinVerdict{};
  // Without the right key the peers' beacons and data do not decrypt: nothing is joined.
  if (wpaKey_ != NetworkPmk(n)) return JoinVerdict{};
  return JoinVerdict{.admitted = true};
}

JoinVerdict KeysArea::CheckWpa(const NetworkSpec& n) const {
  bool modeFits = false;
  switch (authentication_) {
    case Ndis802_11AuthModeWPAPSK:
      modeFits = n.security == Security::kWpaPsk || n.security == Security::kWpaWpa2Psk;
      break;
    case Ndis802_11AuthModeWPA2PSK:
      modeFits = n.security == Security::kWpa2Psk || n.security == Security::kWpaWpa2Psk;
      break;
    case Ndis802_11AuthModeWPA:
      modeFits =
          n.security == Security::kWpaEnterprise || n.security == Security::kWpaWpa2Enterprise;
      break;
    case Ndis802_11AuthModeWPA2:
      modeFits =
          n.security == Security::kWpa2Enterprise || n.security == Security::kWpaWpa2Enterprise;
      break;
    default:
      break;
  }
  if (n.adhoc || !modeFits || !CipherFits(n)) return JoinVerdict{};
  return JoinVerdict{.admitted = true, .portClosed = true};
}

uint32_t KeysArea::EncryptionStatus() const {
  switch (encryption_) {
    case Ndis802_11Encryption1Enabled: {
      bool any = false;
      for (const auto& key : wepKeys_) any = any || !key.empty();
      return any ? encryption_ : uint32_t(Ndis802_11Encryption1KeyAbsent);
    }
    case Ndis802_11Encryption2Enabled:
      return wpaKey_.empty() ? uint32_t(Ndis802_11Encryption2KeyAbsent) : encryption_;
    case Ndis802_11Encryption3Enabled:
      return wpaKey_.empty() ? uint32_t(Ndis802_11Encryption3KeyAbsent) : encryption_;
    default:
      return encryption_;
  }
}

std::optional<int32_t> KeysArea::Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) {
  switch (code) {
    case OID_802_11_AUTHENTICATION_MODE:
      return Answer32(out, written, authentication_);
    case OID_802_11_ENCRYPTION_STATUS:
      return Answer32(out, written, EncryptionStatus());
    default:
      return std::nullopt;
  }
}

int32_t KeysArea::AddKey(std::span<const uint8_t> record) {
  const uint32_t index = GetLe32(record, kKeyIndexOffset);
  const uint32_t length = GetLe32(record, kKeyLengthOffset);
  const uint32_t slot = index & kKeyIndexSlotMask;
  if (slot >= wepKeys_.size()) return ERROR_INVALID_PARAMETER;
  if (length > 0 &&
      (record.size() < kKeyMaterialOffset || length > record.size() - kKeyMaterialOffset)) {
    return ERROR_INVALID_PARAMETER;
  }
  const auto material = record.subspan(length ? kKeyMaterialOffset : 0, length);
  if (IsWpaMode(authentication_)) {
    // Under a WPA mode the key is the link's own (WPA-None's PMK, or one the key exchange made).
    wpaKey_.assign(material.begin(), material.end());
    if (ctx_.connected && !ctx_.agreedPairwiseKey.empty() && wpaKey_ == ctx_.agreedPairwiseKey) {
      ctx_.portOpen = true;
    }
    return ERROR_SUCCESS;
  }
  wepKeys_[slot].assign(material.begin(), material.end());
  if (index & kKeyIndexTransmit) transmitKey_ = slot;
  return ERROR_SUCCESS;
}

std::optional<int32_t> KeysArea::Set(uint32_t code, std::span<const uint8_t> value) {
  switch (code) {
    case OID_802_11_AUTHENTICATION_MODE: {
      const uint32_t mode = GetLe32(value, 0);
      if (mode > Ndis802_11AuthModeWPA2PSK) return ERROR_INVALID_PARAMETER;
      authentication_ = mode;
      return ERROR_SUCCESS;
    }
    case OID_802_11_ENCRYPTION_STATUS:
      encryption_ = GetLe32(value, 0);
      return ERROR_SUCCESS;
    case OID_802_11_RELOAD_DEFAULTS:
      Defaults();
      return ERROR_SUCCESS;
    case OID_802_11_ADD_KEY:
      return AddKey(value);
    case OID_802_11_REMOVE_KEY: {
      const uint32_t slot = GetLe32(value, kKeyIndexOffset) & kKeyIndexSlotMask;
      if (slot >= wepKeys_.size()) return ERROR_INVALID_PARAMETER;
      wepKeys_[slot].clear();
      return ERROR_SUCCESS;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace kavo9::emu
