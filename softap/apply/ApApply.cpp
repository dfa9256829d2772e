#include "softap/apply/ApApply.h"

#include <array>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AccessPointRecord.h"
#include "radio/ht/HtSetting.h"
#include "softap/apply/ApDriverRecords.h"
#include "softap/apply/PassphraseKey.h"
#include "softap/record/ApCodes.h"

namespace kavo9::softap {
namespace {

// The salt of the wireless-distribution key.
constexpr const char* kWdsSalt = "Quorel";

std::vector<Mac> Macs(const std::optional<std::vector<std::string>>& list, size_t limit) {
  std::vector<Mac> macs;
  if (!list) return macs;
  for (const std::string& entry : *list) {
    if (macs.size() == limit) break;
    if (auto mac = ParseMac12(entry)) macs.push_back(*mac);
  }
  return macs;
}

}  // namespace

void ApApply::Run() {
  const std::string ssid = key_.Text("SSID").value_or("");
  ApplyCountryRegion();
  ApplyWirelessMode();
  ApplyTxPowerAndRates();
  ApplyConfiguration();
  ApplyHtPhy();
  ApplyLinkSettings();
  ApplyApConfig();
  const uint32_t auth = ReadAuthCode(key_.NumberOr("AuthenType", kAuthOpen));
  const uint32_t encryption = ApplySecurity(auth);
  ApplyWpaRecords(auth, ssid);
  if (encryption == kEncWep || auth == kAuthShared) ApplyWepKeys();
  state_.rememberedPsk = key_.Text("WPAPSK").value_or("");
  ApplySsid(ssid);
  ApplyAccessControl();
  ApplyWds(auth, encryption);
}

void ApApply::ApplyCountryRegion() {
  const uint32_t code24 = state_.region24Editable
                              ? uint32_t(key_.NumberOr("CountryRegion", 0)) & kRegionCodeBits
                              : state_.countryRegionWord & kRegionCodeBits;
  const uint32_t code5 = state_.region5Editable
                             ? uint32_t(key_.NumberOr("CountryRegionABand", 0)) & kRegionCodeBits
                             : (state_.countryRegionWord >> kRegion5Shift) & kRegionCodeBits;
  if (state_.region24Editable || state_.region5Editable) {
    SetValue32(driver_, OID_VND_COUNTRY_REGION, (code5 << kRegion5Shift) | code24);
  }
}

void ApApply::ApplyWirelessMode() {
  state_.wirelessMode =
      NormaliseWirelessMode(key_.NumberOr("WirelessMode", long(state_.wirelessMode)),
                            state_.bandASupported, state_.htCapable);
  SetValue32(driver_, OID_VND_WIRELESS_MODE, state_.wirelessMode);
}

void ApApply::ApplyTxPowerAndRates() {
  SetValue32(driver_, OID_VND_TX_POWER, TxPowerPercent(key_.NumberOr("TXPower", 0)));
  if (state_.wirelessMode == kModeN) return;
  const RateList rates = DesiredRates(state_.wirelessMode, key_.NumberOr("TransRate", 0));
  driver_.SetInformation(OID_802_11_DESIRED_RATES, rates.data(), uint32_t(rates.size()),
                         kSetAttempts);
}

void ApApply::ApplyConfiguration() {
  std::array<uint8_t, kConfigurationSize> record{};
  if (!QueryRecord(driver_, OID_802_11_CONFIGURATION, record.data(), uint32_t(record.size()),
                   uint32_t(record.size()))) {
    return;
  }
  const auto reported = record;
  if (key_.NumberOr("AutoChannelSelect", 0) == 0) {
    if (auto frequency = ChannelFrequencyKhz(key_.NumberOr("Channel", 1))) {
      PutLe32At(record, kConfigFrequencyOffset, *frequency);
    }
  }
  if (auto beacon = key_.Number("BeaconPeriod")) {
    PutLe32At(record, kConfigBeaconOffset, uint32_t(*beacon));
  }
  if (record != reported) {
    driver_.SetInformation(OID_802_11_CONFIGURATION, record.data(), uint32_t(record.size()),
                           kSetAttempts);
  }
}

void ApApply::ApplyHtPhy() {
  if (!state_.htCapable) return;
  auto word = key_.Dword("TransmitSetting");
  if (!word) return;
  const radio::HtPhyRecord record = radio::BuildHtPhyRecord(*word);
  driver_.SetInformation(OID_VND_HT_PHY_MODE, record.data(), uint32_t(record.size()), kSetAttempts);
}

void ApApply::SetWhenDifferent(uint32_t oid, uint32_t wanted) {
  uint32_t current = 0;
  if (QueryValue(driver_, oid, &current) && current == wanted) return;
  SetValue32(driver_, oid, wanted);
}

void ApApply::ApplyLinkSettings() {
  long preamble = key_.NumberOr("PreambleType", 0);
  if (preamble > 1 || preamble < 0) preamble = 0;
  SetWhenDifferent(OID_VND_PREAMBLE, uint32_t(preamble));
  SetWhenDifferent(OID_802_11_RTS_THRESHOLD, uint32_t(key_.NumberOr("RtsThresh", 2347)));
  SetWhenDifferent(OID_802_11_FRAGMENTATION_THRESHOLD, uint32_t(key_.NumberOr("FragThresh", 0)));
}

void ApApply::ApplyApConfig() {
  std::array<uint8_t, kApConfigSize> record{};
  if (!QueryRecord(driver_, OID_VND_AP_CONFIG, record.data(), uint32_t(record.size()),
                   uint32_t(record.size()))) {
    return;
  }
  const auto reported = record;
  auto put = [&](ApConfigField field, std::string_view name) {
    if (auto value = key_.Number(name)) PutLe32At(record, 4 * field, uint32_t(*value));
  };
  put(kApTxBurst, "TXBurst");
  put(kApTurboRate, "TurboRate");
  put(kApNoForwarding, "NoForwarding");
  put(kApHideSsid, "HideSSID");
  const bool mixedBg = state_.wirelessMode == kModeBg || state_.wirelessMode == kModeAbg;
  PutLe32At(record, 4 * kApBgProtection, mixedBg ? uint32_t(key_.NumberOr("BGProtection", 0)) : 0);
  put(kApShortSlot, "ShortSlot");
  put(kApIdleTime, "IdleTime");
  if (record != reported) {
    driver_.SetInformation(OID_VND_AP_CONFIG, record.data(), uint32_t(record.size()), kSetAttempts);
  }
}

uint32_t ApApply::ApplySecurity(uint32_t auth) {
  SetValue32(driver_, OID_802_11_AUTHENTICATION_MODE, auth);
  const uint32_t encryption =
      CorrectEncryption(ReadEncryptionCode(key_.NumberOr("Encryption", kEncNone)), auth);
  if (recheckPages_) recheckPages_();
  SetValue32(driver_, OID_802_11_ENCRYPTION_STATUS, encryption);
  return encryption;
}

void ApApply::ApplyWpaRecords(uint32_t auth, const std::string& ssid) {
  if (IsDot1xAuth(auth)) {
    const uint32_t address = ParseRadiusAddress(key_.Text("RadiusIP").value_or("")).value_or(0);
    const auto record = RadiusRecord(address, uint32_t(key_.NumberOr("RadiusPort", 0)),
                                     key_.Text("RadiusKey").value_or(""));
    std::array<uint8_t, kRadiusRecordSize> current{};
    if (!QueryValue(driver_, OID_VND_RADIUS_CONFIG, &current) || current != record) {
      driver_.SetInformation(OID_VND_RADIUS_CONFIG, record.data(), uint32_t(record.size()),
                             kSetAttempts);
    }
  }
  if (IsPskAuth(auth)) {
    // A pass phrase that cannot be a key installs none: no station joins with a key made up
    // from it.
    if (auto pmk = PreSharedKey(key_.Text("WPAPSK").value_or(""), ssid)) {
      const auto record = AddKeyRecord(kKeyIndexTransmit, *pmk, Mac{});
      driver_.SetInformation(OID_802_11_ADD_KEY, record.data(), uint32_t(record.size()),
                             kSetAttempts);
    }
  }
  if (HasRekey(auth)) {
    const auto record = RekeyRecord(uint32_t(key_.NumberOr("RekeyMethod", 0)),
                                    uint32_t(key_.NumberOr("RekeyInterval", 60)));
    std::array<uint8_t, 8> current{};
    if (!QueryValue(driver_, OID_VND_REKEY, &current) || current != record) {
      driver_.SetInformation(OID_VND_REKEY, record.data(), uint32_t(record.size()), kSetAttempts);
    }
  }
}

void ApApply::ApplyWepKeys() {
  const long transmit = key_.NumberOr("WEPKeyUse", 1);
  for (uint32_t n = 1; n <= 4; ++n) {
    const std::string text = key_.Text("WEPKey" + std::to_string(n)).value_or("");
    std::optional<std::vector<uint8_t>> key;
    if (text.size() == 10 || text.size() == 26) key = DecodeHex(text);
    if (key) {
      const uint32_t index = (n - 1) | (transmit == long(n) ? kKeyIndexTransmit : 0);
      const auto record = AddKeyRecord(index, *key, kBroadcastMac);
      driver_.SetInformation(OID_802_11_ADD_KEY, record.data(), uint32_t(record.size()),
                             kSetAttempts);
    } else {
      const auto record = RemoveKeyRecord(n - 1);
      driver_.SetInformation(OID_802_11_REMOVE_KEY, record.data(), uint32_t(record.size()),
                             kSetAttempts);
    }
  }
}

void ApApply::ApplySsid(const std::string& stored) {
  std::string ssid = stored;
  if (ssid.empty()) {
    Mac mac{};
    QueryValue(driver_, OID_802_3_CURRENT_ADDRESS, &mac);
    ssid = DefaultAccessPointSsid(mac[5]);
  }
  state_.appliedSsid = ssid.substr(0, 32);
  const auto record = SsidRecord(ssid);
  driver_.SetInformation(OID_802_11_SSID, record.data(), uint32_t(record.size()), kSetAttempts);
}

void ApApply::ApplyAccessControl() {
  const uint32_t policy = uint32_t(key_.NumberOr("AccessControlPolicy", 0));
  const auto entries = Macs(key_.List("AccessControlList"), kMaxAccessControlEntries);
  const auto record = AccessControlRecord(policy > 2 ? 0 : policy, entries);
  driver_.SetInformation(OID_VND_ACCESS_CONTROL, record.data(), uint32_t(record.size()),
                         kSetAttempts);
}

void ApApply::ApplyWds(uint32_t auth, uint32_t encryption) {
  std::vector<Mac> peers;
  std::optional<Pmk> key;
  if (key_.Number("WdsEnable") == 0) {
    peers = Macs(key_.List("WdsList"), kMaxWdsPeers);
    if (IsPskAuth(auth)) key = PreSharedKey(state_.rememberedPsk, kWdsSalt);
  }
  auto record = WdsRecord(peers, key);
  // The links carry no TKIP or AES: the peers stay in the record, their count goes.
  if (encryption > 3) PutLe32At(record, 0, 0);
  driver_.SetInformation(OID_VND_WDS, record.data(), uint32_t(record.size()), kSetAttempts);
}

}  // namespace kavo9::softap
