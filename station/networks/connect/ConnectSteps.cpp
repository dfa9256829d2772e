#include "station/networks/connect/ConnectSteps.h"

#include <array>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AdapterKey.h"
#include "radio/RadioRequests.h"
#include "radio/ht/HtSetting.h"
#include "radio/vocabulary/StaConfig.h"

namespace kavo9::connect {
namespace {

// NDIS_802_11_RELOAD_DEFAULTS: reload the WEP keys.
constexpr uint32_t kReloadWepKeys = 0;
// NDIS_802_11_REMOVE_KEY: Length, KeyIndex, BSSID.
constexpr uint32_t kRemoveKeyBytes = 16;
// NDIS_802_11_CONFIGURATION: 32 bytes, DSConfig (kHz) at byte 12.
constexpr uint32_t kConfigurationBytes = 32;
constexpr size_t kDsConfigOffset = 12;
// Channel 14 allows 20 MHz only.
constexpr uint32_t kChannel14Khz = 2484000;
// The driver versions that take the mains-power option.
constexpr uint16_t kPowerModeExVersion = 0x0501;
// The seventh word of the station options is always sent as 0.
constexpr size_t kStaConfigClearedOffset = 24;

bool IsHtOnlyRateMode(uint32_t mode) {
  return mode == 5 || mode == 6 || mode == 8 || mode == 9;
}

}  // namespace

ConnectSteps::~ConnectSteps() {
  if (pauseTimer_ != 0) p_.loop.StopTimer(pauseTimer_);
}

void ConnectSteps::Set32(uint32_t oid, uint32_t value) {
  SetValue32(p_.driver, oid, value);
}

long ConnectSteps::AdapterNumber(const char* name, long fallback) const {
  long value = 0;
  return ReadMachineNumber(p_.registry, p_.adapter.Identity().registryKey, name, &value) ? value
                                                                                         : fallback;
}

void ConnectSteps::RunConnectRecord(ActionPayload& payload) {
  auto* record = dynamic_cast<ConnectRecord*>(&payload);
  if (!record) return;
  const ConnectRecord& r = *record;
  Prepare(r);
  SendSecurity(r);
  if (!HandOverToSupplicant(r)) return;  // the user cancelled a credential prompt
  Set32(OID_VND_PROFILE_OPTION_FLAG, r.LeapEnabled ? 1 : 0);
  SendKeys(r);
  SendPowerOrChannel(r);
  SendRadioSettings(r);
  Join(r);
}

void ConnectSteps::Prepare(const ConnectRecord& r) {
  p_.supplicantConnect.StopPortForConnect();
  if (p_.controller.KeyErrorWatchArmed()) p_.controller.StopKeyErrorWatch();
  if (pauseTimer_ != 0) {
    // A WPS join still waiting is overtaken by this connect.
    p_.loop.StopTimer(pauseTimer_);
    pauseTimer_ = 0;
  }
  if (r.DisassociateFirst) {
    p_.wps.MarkRotation();
    p_.driver.SetInformation(OID_802_11_DISASSOCIATE, nullptr, 0, kSetAttempts);
  }
  Set32(OID_VND_WPS_MODE, 0);
  Set32(OID_802_11_RELOAD_DEFAULTS, kReloadWepKeys);
  Set32(OID_802_11_INFRASTRUCTURE_MODE, r.InfraMode);
  Set32(OID_VND_PROFILE_KIND_FLAG, r.BssidBound == 1 ? 1 : 0);
}

void ConnectSteps::SendSecurity(const ConnectRecord& r) {
  const uint32_t preamble = r.InfraMode == Ndis802_11Infrastructure ? kAutoPreamble : r.Preamble;
  Set32(OID_VND_PREAMBLE, preamble);
  Set32(OID_802_11_RTS_THRESHOLD, r.RtsThreshold);
  Set32(OID_802_11_FRAGMENTATION_THRESHOLD, r.FragThreshold);
  Set32(OID_802_11_AUTHENTICATION_MODE, r.AuthMode);
  Set32(OID_802_11_ENCRYPTION_STATUS, r.Encryption);
  Set32(OID_VND_TX_POWER, uint32_t(TxPowerPercent(r.TxPowerIndex)));
}

bool ConnectSteps::HandOverToSupplicant(const ConnectRecord& r) {
  if (!p_.supplicant.IsRunning() || !r.NeedsSupplicant() ||
      r.AuthMode == Ndis802_11AuthModeWPAPSK || r.AuthMode == Ndis802_11AuthModeWPA2PSK) {
    return true;
  }
  if (!p_.supplicantConnect.TakeCredentials(r)) return false;
  if (r.InfraMode == Ndis802_11Infrastructure &&
      (r.Use8021X || r.Encryption != Ndis802_11EncryptionDisabled || r.LeapEnabled)) {
    p_.supplicantConnect.Start8021X(r);
  }
  return true;
}

void ConnectSteps::SendKeys(const ConnectRecord& r) {
  if (r.AuthMode == Ndis802_11AuthModeWPAPSK || r.AuthMode == Ndis802_11AuthModeWPA2PSK) {
    if (p_.supplicant.IsRunning()) p_.supplicantConnect.TakePassPhrase(r);
    return;
  }
  if (r.AuthMode == Ndis802_11AuthModeWPANone) {
    if (r.WpaNoneKey) {
      p_.driver.SetInformation(OID_802_11_ADD_KEY, r.WpaNoneKey->Bytes().data(),
                               r.WpaNoneKey->Length(), 1);
    }
    return;
  }
  // Open and shared connections set every WEP slot: the keys they carry, and removals of the
  // others so that no key of an earlier network stays installed.
  if (r.AuthMode > Ndis802_11AuthModeShared && r.Encryption != Ndis802_11Encryption1Enabled) {
    return;
  }
  for (uint32_t i = 0; i < r.WepKeys.size(); ++i) {
    if (const auto& key = r.WepKeys[i]) {
      p_.driver.SetInformation(OID_802_11_ADD_KEY, key->Bytes().data(), key->Length(),
                               kSetAttempts);
      continue;
    }
    std::array<uint8_t, kRemoveKeyBytes> remove{};
    std::memcpy(remove.data(), &kRemoveKeyBytes, 4);
    std::memcpy(remove.data() + 4, &i, 4);
    std::memset(remove.data() + 8, 0xFF, 6);
    p_.driver.SetInformation(OID_802_11_REMOVE_KEY, remove.data(), kRemoveKeyBytes, kSetAttempts);
  }
}

void ConnectSteps::UpdateConfiguration(uint32_t frequencyKhz) {
  std::array<uint8_t, kConfigurationBytes> config{};
  p_.driver.QueryInformation(OID_802_11_CONFIGURATION, config.data(), kConfigurationBytes, nullptr);
  std::memcpy(config.data() + kDsConfigOffset, &frequencyKhz, 4);
  p_.driver.SetInformation(OID_802_11_CONFIGURATION, config.data(), kConfigurationBytes,
                           kSetAttempts);
}

void ConnectSteps::SendPowerOrChannel(const ConnectRecord& r) {
  if (r.InfraMode == Ndis802_11Infrastructure) {
    Set32(OID_802_11_POWER_MODE, r.PowerMode);
    if (p_.adapter.DriverVersion() >= kPowerModeExVersion) {
      Set32(OID_VND_POWER_MODE_EX, r.AcPowerCam);
    }
  } else {
    UpdateConfiguration(r.FrequencyKhz);
  }
}

void ConnectSteps::SendStaConfig(std::array<uint8_t, 32> config) {
  std::memset(config.data() + kStaConfigClearedOffset, 0, 4);
  p_.driver.SetInformation(OID_VND_STA_CONFIG, config.data(), uint32_t(config.size()),
                           kSetAttempts);
}

void ConnectSteps::SendRadioSettings(const ConnectRecord& r) {
  radio::RadioState& radio = p_.radio;
  uint32_t htWord = r.ApplyRadioSettings ? r.HtSettingWord : radio.htSettingWord;
  if (p_.adapter.Identity().isHtFamily) {
    htWord = radio::SendHtSettingWord(p_.driver, htWord, r.FrequencyKhz == kChannel14Khz);
  }
  const bool takesRegions = radio.region.region24Editable || radio.region.region5Editable;
  if (r.ApplyRadioSettings) {
    Set32(OID_VND_WIRELESS_MODE, r.WirelessMode);
    SendStaConfig(r.StaConfig);
    // What was sent is the station options from now on (a later connect sends them again).
    radio.staConfig = radio::StaConfig::FromBytes(r.StaConfig);
    radio.staConfig->words[radio::StaConfig::kCleared] = 0;
    if (takesRegions) {
      Set32(OID_VND_COUNTRY_REGION, r.CountryRegion);
      p_.controller.RereadRegions();
    }
    if (!IsHtOnlyRateMode(r.WirelessMode)) {
      p_.driver.SetInformation(OID_802_11_DESIRED_RATES, r.DesiredRates.data(),
                               uint32_t(r.DesiredRates.size()), kSetAttempts);
      if (r.RateSet) {
        p_.driver.SetInformation(OID_VND_RATE_SET, r.RateSet->data(), uint32_t(r.RateSet->size()),
                                 kSetAttempts);
      }
    }
  } else {
    if (radio.staConfig) SendStaConfig(radio.staConfig->ToBytes());
    if (takesRegions) Set32(OID_VND_COUNTRY_REGION, radio.region.word);
    const bool mcsAuto = radio::UnpackHtSetting(htWord).mcs == uint32_t(radio::kMcsAuto);
    radio::SendRates(p_.driver, radio.wirelessMode, int(AdapterNumber("TransRate", 0)), mcsAuto);
  }
  p_.ccx.SendControl(r.CcxBytes, r.BssidBound == 1);
  Set32(OID_VND_WPS_BAND, p_.wps.BandPreference());
}

void ConnectSteps::Join(const ConnectRecord& r) {
  const bool wepWatch = r.AuthMode <= Ndis802_11AuthModeShared &&
                        r.Encryption == Ndis802_11Encryption1Enabled &&
                        r.InfraMode == Ndis802_11Infrastructure;
  if (r.BssidBound == 1) {
    UpdateConfiguration(r.FrequencyKhz);
    p_.driver.SetInformation(OID_802_11_BSSID, r.Bssid.data(), 6, kSetAttempts);
  } else if (p_.wps.InUse()) {
    UpdateConfiguration(r.FrequencyKhz);
    // The driver needs a moment between the channel and the BSSID; the loop goes on meanwhile.
    const std::array<uint8_t, 6> bssid = p_.wps.Bssid();
    pauseTimer_ = p_.loop.StartTimer(kWpsJoinPauseMs, [this, bssid, wepWatch] {
      p_.loop.StopTimer(pauseTimer_);
      pauseTimer_ = 0;
      p_.driver.SetInformation(OID_802_11_BSSID, bssid.data(), 6, kSetAttempts);
      AfterJoin(wepWatch, false);  // joined through WPS: the word as for a join by SSID
    });
    return;
  } else {
    p_.driver.SetInformation(OID_802_11_SSID, r.Ssid.data(), uint32_t(r.Ssid.size()), kSetAttempts);
  }
  AfterJoin(wepWatch, r.BssidBound == 1);
}

void ConnectSteps::AfterJoin(bool wepWatch, bool bssidBound) {
  p_.ccx.RefreshControl(bssidBound);
  if (wepWatch) p_.controller.ArmKeyErrorWatch();
}

void ConnectSteps::RunConnectSsid(const SsidPayload& ssid) {
  p_.driver.SetInformation(OID_802_11_SSID, ssid.Bytes.data(), uint32_t(ssid.Bytes.size()),
                           kSetAttempts);
  p_.ccx.RefreshControl(false);
  if (p_.controller.KeyErrorWatchArmed()) p_.controller.ArmKeyErrorWatch();
}

void ConnectSteps::RunConnectBssid(const BssidPayload& bssid) {
  p_.driver.SetInformation(OID_802_11_BSSID, bssid.Bssid.data(), uint32_t(bssid.Bssid.size()),
                           kSetAttempts);
  p_.ccx.RefreshControl(true);
  if (p_.controller.KeyErrorWatchArmed()) p_.controller.ArmKeyErrorWatch();
}

}  // namespace kavo9::connect
