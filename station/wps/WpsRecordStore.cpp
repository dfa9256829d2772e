#include "station/wps/WpsRecordStore.h"

#include <cstdlib>
#include <cstring>

namespace kavo9::wps {
namespace {

constexpr auto kArea = StorePort::Area::kProfile;
constexpr const char* kInUseValue = "WSC";

std::string SlotKey(const std::string& recordKey, size_t slot) {
  return recordKey + "\\Profile" + std::to_string(slot);
}

// Reads `name` of an open key as text; false when it is missing or not text.
bool ReadText(Registry& registry, HKEY key, std::string_view name, std::string* text) {
  uint32_t type = 0, length = 0;
  if (registry.QueryValue(key, name, &type, nullptr, &length) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<uint8_t> data(length);
  if (registry.QueryValue(key, name, nullptr, data.data(), &length) != ERROR_SUCCESS) return false;
  *text = RegStringFromBytes(data.data(), length);
  return true;
}

bool ReadNumber(Registry& registry, HKEY key, std::string_view name, uint32_t* value) {
  std::string text;
  if (!ReadText(registry, key, name, &text)) return false;
  *value = uint32_t(std::strtoul(text.c_str(), nullptr, 10));
  return true;
}

// At most 6 bytes; a shorter value fills what it has.
bool ReadMac(Registry& registry, HKEY key, std::string_view name, std::array<uint8_t, 6>* mac) {
  std::vector<uint8_t> data(64);
  uint32_t length = uint32_t(data.size());
  if (registry.QueryValue(key, name, nullptr, data.data(), &length) != ERROR_SUCCESS) return false;
  std::memcpy(mac->data(), data.data(), std::min<size_t>(length, 6));
  return true;
}

}  // namespace

std::string WpsRecordStore::RecordKey() const {
  return p_.adapter.Identity().registryKey + "\\WscProfile";
}

void WpsRecordStore::SaveWpsRecord(const WpsState& s) {
  if (p_.adapter.Identity().registryKey.empty()) return;
  const std::string key = RecordKey();
  if (p_.store.CreateKey(key, kArea) != ERROR_SUCCESS) return;
  const auto text = [&](const std::string& path, std::string_view name, std::string_view value) {
    StoreText(p_.store, path, name, value, kArea);
  };
  const auto number = [&](const std::string& path, std::string_view name, uint32_t value) {
    text(path, name, std::to_string(value));
  };
  const auto binary = [&](const std::string& path, std::string_view name,
                          const std::array<uint8_t, 6>& mac) {
    p_.store.SetValue(path, name, REG_BINARY, mac.data(), uint32_t(mac.size()), kArea);
  };
  number(key, "NumberofProfile", std::min<uint32_t>(s.Table.Count, kMaxCredentials));
  number(key, "ConfigMode", uint32_t(s.Mode));
  number(key, "Wireless Mode", s.Band);
  number(key, "PinCode", s.PinCode);
  binary(key, "Bssid", s.Bssid);
  number(key, "Channel", s.Channel);
  for (size_t i = 0; i < kMaxCredentials; ++i) {
    const std::string slotKey = SlotKey(key, i);
    if (p_.store.CreateKey(slotKey, kArea) != ERROR_SUCCESS) continue;
    const WpsCredential& c = s.Table.Slots[i];
    text(slotKey, "SSID", c.SsidText());
    number(slotKey, "AuthType", c.AuthType);
    number(slotKey, "EncryType", c.EncryType);
    number(slotKey, "KeyIndex", c.KeyIndex);
    number(slotKey, "KeyLength", std::min<uint32_t>(c.KeyLength, kMaxKeyBytes));
    text(slotKey, "Key", c.KeyText());
    binary(slotKey, "MacAddress", c.MacAddress);
  }
}

void WpsRecordStore::SaveWscInUse(WpsState& s) {
  const std::string& adapterKey = p_.adapter.Identity().registryKey;
  if (adapterKey.empty()) return;
  if (p_.store.CreateKey(adapterKey, kArea) != ERROR_SUCCESS) return;
  StoreText(p_.store, adapterKey, kInUseValue, s.WscInUse ? "1" : "0", kArea);
  ReadNetwork(s);
}

void WpsRecordStore::ReadNetwork(WpsState& s) {
  ScopedKey key(p_.registry);
  if (p_.registry.OpenKey(HKEY_LOCAL_MACHINE, RecordKey(), KEY_READ, &key) != ERROR_SUCCESS) return;
  ReadMac(p_.registry, key.get(), "Bssid", &s.Bssid);
  ReadNumber(p_.registry, key.get(), "Channel", &s.Channel);
}

void WpsRecordStore::LoadWpsRecord(WpsState& s) {
  const std::string& adapterKey = p_.adapter.Identity().registryKey;
  std::string inUse;
  s.WscInUse = !adapterKey.empty() &&
               RegReadString(p_.registry, HKEY_LOCAL_MACHINE, adapterKey, kInUseValue, &inUse) ==
                   ERROR_SUCCESS &&
               std::strtol(inUse.c_str(), nullptr, 10) == 1;
  s.ClearCredentials();
  if (adapterKey.empty()) return;
  ScopedKey key(p_.registry);
  if (p_.registry.OpenKey(HKEY_LOCAL_MACHINE, RecordKey(), KEY_READ, &key) != ERROR_SUCCESS) return;
  uint32_t value = 0;
  if (ReadNumber(p_.registry, key.get(), "ConfigMode", &value)) {
    s.Mode = value == 1 ? ConfigMode::kRegistrar : ConfigMode::kEnrollee;
  }
  if (ReadNumber(p_.registry, key.get(), "Wireless Mode", &value) && value <= kBandAll)
    s.Band = value;
  ReadNumber(p_.registry, key.get(), "PinCode", &s.PinCode);
  if (ReadNumber(p_.registry, key.get(), "NumberofProfile", &value)) {
    s.Table.Count = std::min<uint32_t>(value, kMaxCredentials);
  }
  ReadMac(p_.registry, key.get(), "Bssid", &s.Bssid);
  ReadNumber(p_.registry, key.get(), "Channel", &s.Channel);
  for (uint32_t i = 0; i < s.Table.Count; ++i) {
    ScopedKey slot(p_.registry);
    if (p_.registry.OpenKey(HKEY_LOCAL_MACHINE, SlotKey(RecordKey(), i), KEY_READ, &slot) !=
        ERROR_SUCCESS) {
      continue;
    }
    WpsCredential& c = s.Table.Slots[i];
    std::string text;
    if (ReadText(p_.registry, slot.get(), "SSID", &text)) c.SetSsid(text);
    ReadNumber(p_.registry, slot.get(), "AuthType", &c.AuthType);
    ReadNumber(p_.registry, slot.get(), "EncryType", &c.EncryType);
    ReadNumber(p_.registry, slot.get(), "KeyIndex", &c.KeyIndex);
    ReadNumber(p_.registry, slot.get(), "KeyLength", &c.KeyLength);
    c.KeyLength = std::min<uint32_t>(c.KeyLength, kMaxKeyBytes);
    if (ReadText(p_.registry, slot.get(), "Key", &text)) {
      const uint32_t length = c.KeyLength;
      c.SetKey(std::string_view(text).substr(0, length));
      c.KeyLength = length;  // the stored length rules; bytes past the text stay zero
    }
    ReadMac(p_.registry, slot.get(), "MacAddress", &c.MacAddress);
  }
  s.Table.Normalize();
}

}  // namespace kavo9::wps
