#include "sim/emulator/areas/KeysArea.h"

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

// A WEP key as the scenario writes it: 10 or 26 hexadecimal digits, else the text's own bytes.
std::vector<uint8_t> WepKeyBytes(const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  if ((text.size() != 10 && text.size() != 26) ||
      text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    return bytes;
  }
  bytes.clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    bytes.push_back(uint8_t(std::stoul(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

}  // namespace

KeysArea::KeysArea(EmulatorContext& context) {
  context.AddJoinCheck([this](const NetworkSpec& n) { return CheckWep(n); });
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
}

void KeysArea::Load() {
  Defaults();
}

std::optional<JoinVerdict> KeysArea::CheckWep(const NetworkSpec& n) const {
  if (n.security != Security::kWep) return std::nullopt;
  if (encryption_ != Ndis802_11Encryption1Enabled) return JoinVerdict{};
  const std::vector<uint8_t>& key = wepKeys_[transmitKey_];
  const bool keyError = key.empty() || key != WepKeyBytes(n.key);
  if (keyError && authentication_ == Ndis802_11AuthModeShared) return JoinVerdict{};
  return JoinVerdict{.admitted = true, .keyError = keyError};
}

std::optional<int32_t> KeysArea::Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) {
  switch (code) {
    case OID_802_11_AUTHENTICATION_MODE:
      return Answer32(out, written, authentication_);
    case OID_802_11_ENCRYPTION_STATUS:
      return Answer32(out, written, encryption_);
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
  wepKeys_[slot].assign(material.begin(), material.end());
  if (index & kKeyIndexTransmit) transmitKey_ = slot;
  return ERROR_SUCCESS;
}

std::optional<int32_t> KeysArea::Set(uint32_t code, std::span<const uint8_t> value) {
  switch (code) {
    case OID_802_11_AUTHENTICATION_MODE:
      authentication_ = GetLe32(value, 0);
      return ERROR_SUCCESS;
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
