// Default, Apply and the record the configuration page stores.

#include <cstdio>
#include <cstdlib>

#include "common/platform/Registry.h"
#include "common/shell/AccessPointRecord.h"
#include "common/shell/AdapterKey.h"
#include "softap/config/ConfigPage.h"
#include "softap/record/ApCodes.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {
namespace {

constexpr uint32_t kExtAbove = 1;
constexpr uint32_t kExtBelow = 3;
// The highest transmit-rate index of the CCK-only and OFDM-only lists.
constexpr int kLastCckRate = 4;
constexpr int kLastOfdmRate = 8;

std::string Bit(bool on) {
  return on ? "1" : "0";
}

}  // namespace

void ConfigPageModel::RestoreDefaults() {
  const bool allow40 = true;
  const int region24 = values_.region24;
  const int region5 = values_.region5;
  values_ = ApConfigValues{};
  values_.ssid = DefaultAccessPointSsid(lastMacByte_);
  values_.region24 = region24;
  values_.region5 = region5;
  values_.txBurst = false;
  values_.allow40 = allow40;
  const auto channels = ChannelEntries();
  values_.channel = channels.empty() ? "" : channels.front();
  LayOutForBand();
}

bool ConfigPageModel::Apply() {
  int refused = 0;
  if (values_.beaconPeriod < kMinBeacon || values_.beaconPeriod > kMaxBeacon) {
    refused = kStrBeaconRange;
  } else if (values_.idleTime < kMinIdle || values_.idleTime > kMaxIdle) {
    refused = kStrIdleRange;
  } else if (values_.ssid.empty()) {
    refused = kStrKeyInSsid;
  }
  if (refused != 0) {
    host_.ShowMessage(refused);
    return false;
  }
  Store();
  host_.RunStartupSequence();
  return true;
}

void ConfigPageModel::Store() {
  const std::string path = SubkeyPath(state_.adapterKeyPath, kAccessPointValuesSubkey);
  auto put = [this, &path](const char* name, const std::string& text) {
    StoreText(store_, path, name, text);
  };
  const uint32_t mode =
      NormaliseWirelessMode(long(Mode()), state_.bandASupported, state_.htCapable);
  state_.wirelessMode = mode;
  const bool ofdmOnly = (mode == kModeA && state_.bandASupported) || mode == 4;
  if (mode == kModeB || ofdmOnly) values_.bgProtection = 0;
  if ((mode == kModeB && values_.txRate > kLastCckRate) ||
      (ofdmOnly && values_.txRate > kLastOfdmRate)) {
    values_.txRate = 0;
  }
  put("WirelessMode", std::to_string(mode));
  put("TransRate", std::to_string(values_.txRate));
  put("TXPower", std::to_string(values_.txPower));
  put("Channel", std::to_string(ChannelFromText(values_.channel, state_.japanChannelBase)));
  put("BeaconPeriod", std::to_string(values_.beaconPeriod));
  put("BGProtection", std::to_string(values_.bgProtection));
  if (state_.region24Editable) put("CountryRegion", std::to_string(values_.region24));
  if (state_.region5Editable) put("CountryRegionABand", std::to_string(values_.region5));
  put("PreambleType", std::to_string(values_.preamble));
  put("RtsThresh", std::to_string(values_.rtsThreshold));
  put("FragThresh", std::to_string(values_.fragThreshold));
  put("TXBurst", Bit(values_.txBurst));
  put("TurboRate", Bit(values_.turboRate));
  put("NoForwarding", Bit(values_.noForwarding));
  put("HideSSID", Bit(values_.hideSsid));
  put("ShortSlot", Bit(values_.shortSlot));
  StoreSecurity(path);
  put("AutoChannelSelect", Bit(values_.autoChannel));
  put("SSID", LimitSsid(values_.ssid));
  put("IdleTime", std::to_string(values_.idleTime));
  StoreHt(path);
}

void ConfigPageModel::StoreSecurity(const std::string& path) {
  const ApSecurity& s = values_.security;
  auto put = [this, &path](const std::string& name, const std::string& text) {
    StoreText(store_, path, name, text);
  };
  char address[16];
  std::snprintf(address, sizeof address, "%X", s.radiusAddress);
  put("AuthenType", std::to_string(s.auth));
  put("Encryption", std::to_string(s.encryption));
  put("RadiusIP", address);
  put("RadiusPort", std::to_string(s.radiusPort));
  put("RadiusKey", s.radiusKey);
  put("RekeyInterval", std::to_string(s.rekeyInterval));
  put("RekeyMethod", std::to_string(s.rekeyMethod));
  if (UsesWep(s.auth, s.encryption)) {
    put("WEPKeyUse", std::to_string(s.transmitKey + 1));
    for (int i = 0; i < kWepKeyCount; ++i) {
      const std::string n = std::to_string(i + 1);
      put("WEPKey" + n + "Type", std::to_string(s.keyTypes[size_t(i)]));
      put("WEPKey" + n, StoredKey(s.keyTypes[size_t(i)], s.keys[size_t(i)]));
    }
  }
  if (IsPskAuth(s.auth)) {
    put("WPAPSK", s.passPhrase);
    state_.rememberedPsk = s.passPhrase;
  }
}

void ConfigPageModel::StoreHt(const std::string& path) {
  if (!state_.htCapable) return;
  radio::HtSetting ht = values_.ht;
  ht.wirelessMode = state_.wirelessMode;
  ht.extChannel = 0;
  const long channel = ChannelFromText(values_.channel, state_.japanChannelBase);
  if (ht.width40 && values_.extChannel != kNoExtension) {
    ht.extChannel = std::atol(values_.extChannel.c_str()) > channel ? kExtAbove : kExtBelow;
  }
  const uint32_t word = radio::PackHtSetting(ht);
  const uint8_t bytes[4] = {uint8_t(word), uint8_t(word >> 8), uint8_t(word >> 16),
                            uint8_t(word >> 24)};
  store_.SetValue(path, "TransmitSetting", REG_DWORD, bytes, sizeof bytes,
                  StorePort::Area::kAdvanced);
  StoreText(store_, path, "AllowBW40Capability", Bit(Controls().allow40Checked));
}

}  // namespace kavo9::softap
