#include "station/networks/connect/RecordBuilders.h"

#include <algorithm>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "radio/RadioRequests.h"
#include "radio/vocabulary/Rates.h"
#include "radio/vocabulary/StaConfig.h"
#include "radio/vocabulary/WirelessMode.h"
#include "station/dot1x/ccx/CcxSettingsWord.h"
#include "station/networks/BssRecord.h"
#include "station/networks/ChannelFrequency.h"
#include "station/networks/connect/WpaNoneKey.h"

namespace kavo9::connect {
namespace {

using Method = SecurityChoices::Method;
using Cipher = SecurityChoices::Cipher;
using profiles::ProfileValues;

constexpr size_t kMaxPassPhrase = 64;
constexpr size_t kMaxLeapText = 256;
constexpr uint16_t kAcPowerCamVersion = 0x0500;
// The station-options words the profile's radio settings fill beside the radio page's own.
constexpr size_t kTurboRateWord = 1;
constexpr size_t kShortSlotWord = 3;

uint32_t CipherStatus(Cipher cipher) {
  return cipher == Cipher::kAes ? Ndis802_11Encryption3Enabled : Ndis802_11Encryption2Enabled;
}

std::string Clip(std::string text, size_t max) {
  if (text.size() > max) text.clear();  // an over-long credential is refused, never cut
  return text;
}

void TakeSurveySecurity(const SurveySelection& s, const SecurityChoices& c,
                        const SurveyEnvironment& env, ConnectRecord& r) {
  const BssRecordView row(s.Record);
  const bool infra = row.InfrastructureMode() != Ndis802_11IBSS;
  const bool wpa = c.method == Method::kWpa || c.method == Method::kWpa2;
  if (env.supplicantAvailable &&
      ((infra && wpa) ||
       ((c.method == Method::kOpen || c.method == Method::kShared) && c.use8021X))) {
    r.Use8021X = 1;
    r.Dot1x = c.dot1x;
    if (infra && wpa) {
      r.AuthMode = c.method == Method::kWpa ? Ndis802_11AuthModeWPA : Ndis802_11AuthModeWPA2;
      r.Encryption = CipherStatus(c.cipher);
      return;
    }
  }
  if (infra && c.method == Method::kLeap) {
    r.AuthMode = Ndis802_11AuthModeOpen;
    r.Encryption =
        c.cipher == Cipher::kNone ? uint32_t(Ndis802_11Encryption1Enabled) : CipherStatus(c.cipher);
    r.LeapEnabled = 1;
    r.LeapUserName = Clip(c.leapUserName, kMaxLeapText);
    r.LeapPassword = Clip(c.leapPassword, kMaxLeapText);
    r.LeapDomain = Clip(c.leapDomain, kMaxLeapText);
    return;
  }
  if ((infra && (c.method == Method::kWpaPsk || c.method == Method::kWpa2Psk)) ||
      (!infra && c.method == Method::kWpaNone)) {
    r.Encryption = CipherStatus(c.cipher);
    if (infra) {
      r.AuthMode =
          c.method == Method::kWpa2Psk ? Ndis802_11AuthModeWPA2PSK : Ndis802_11AuthModeWPAPSK;
      r.PassPhrase = Clip(c.passPhrase, kMaxPassPhrase);
      return;
    }
    r.AuthMode = Ndis802_11AuthModeWPANone;
    const std::string_view ssid =
        s.HiddenSsidPath
            ? std::string_view(s.HiddenSsid)
            : std::string_view(reinterpret_cast<const char*>(row.Ssid().data()), row.Ssid().size());
    if (auto pmk = PmkFromPreSharedKey(c.passPhrase, ssid)) r.WpaNoneKey = MakeWpaNoneKey(*pmk);
    return;
  }
  if (c.method == Method::kOpen || c.method == Method::kShared) {
    r.AuthMode = c.method == Method::kShared ? Ndis802_11AuthModeShared : Ndis802_11AuthModeOpen;
    r.Encryption = c.wep ? Ndis802_11Encryption1Enabled : Ndis802_11EncryptionDisabled;
    for (uint32_t i = 0; c.wep && i < 4; ++i) {
      const std::string& key = c.wepKeys[i];
      if (key.size() != 5 && key.size() != 13) continue;
      r.WepKeys[i] = MakeWepKey(i, int(i) == c.defaultKey,
                                {reinterpret_cast<const uint8_t*>(key.data()), key.size()});
    }
  }
}

void TakeProfileKeys(const ProfileValues& v, ConnectRecord& r) {
  const uint32_t auth = r.AuthMode;
  if (auth == Ndis802_11AuthModeWPAPSK || auth == Ndis802_11AuthModeWPANone ||
      auth == Ndis802_11AuthModeWPA2PSK) {
    const std::string psk = v.Text("WPAPSK");
    if (!profiles::IsValidPreSharedKey(psk)) return;  // no key: the join is refused
    if (auth == Ndis802_11AuthModeWPANone) {
      if (auto pmk = PmkFromPreSharedKey(psk, r.SsidText())) r.WpaNoneKey = MakeWpaNoneKey(*pmk);
    } else {
      r.PassPhrase = psk;
    }
    return;
  }
  if (auth != Ndis802_11AuthModeShared &&
      (r.Encryption != Ndis802_11Encryption1Enabled || r.LeapEnabled)) {
    return;
  }
  const long keyUse = v.Number("WEPKeyUse", 0);
  for (uint32_t i = 0; i < 4; ++i) {
    const std::string name = "WEPKey" + std::to_string(i + 1);
    const profiles::StoredWepKey key = profiles::DecodeStoredWepKey(v.Text(name));
    if (key.kind != profiles::StoredKeyKind::kKey) continue;
    r.WepKeys[i] = MakeWepKey(i, keyUse == long(i) + 1, key.bytes);
  }
}

void TakeRadioSettings(const ProfileEnvironment& env, DriverPort& driver, ConnectRecord& r,
                       std::optional<int>* adhocOfdm) {
  const auto number = [&](const char* name, long fallback) {
    return env.adapterNumber ? env.adapterNumber(name).value_or(fallback) : fallback;
  };
  r.ApplyRadioSettings = 1;
  const int mode =
      radio::NormaliseWirelessMode(int(number("WirelessMode", env.htAdapter ? 5 : 3)), env.bands);
  r.WirelessMode = uint32_t(mode);
  if (env.htAdapter) {
    r.HtSettingWord = uint32_t(number("TransmitSetting", 0));
    radio::SendHtSettingWord(driver, r.HtSettingWord);
  }
  std::array<uint8_t, radio::kStaConfigSize> reply{};
  driver.QueryInformation(OID_VND_STA_CONFIG, reply.data(), uint32_t(reply.size()), nullptr);
  radio::StaConfig config = radio::StaConfig::FromBytes(reply);
  config.words[radio::StaConfig::kTxBurst] = uint32_t(number("TXBurst", 0));
  config.words[kTurboRateWord] = uint32_t(number("TurboRate", 0));
  config.words[radio::StaConfig::kBgProtection] =
      (mode == 0 || mode == 3) ? uint32_t(number("BGProtection", 0)) : 0;
  config.words[kShortSlotWord] = uint32_t(number("ShortSlot", 1));
  *adhocOfdm = radio::AdhocOfdmCode(mode);
  if (*adhocOfdm) config.words[radio::StaConfig::kAdhocOfdm] = uint32_t(**adhocOfdm);
  r.StaConfig = config.ToBytes();
  r.CountryRegion =
      uint32_t(number("CountryRegion", 0)) + 256 * uint32_t(number("CountryRegionABand", 0));
  const bool mcsAuto = radio::UnpackHtSetting(r.HtSettingWord).mcs == uint32_t(radio::kMcsAuto);
  r.DesiredRates = radio::DesiredRatesFor(mode, int(number("TransRate", 0)), mcsAuto);
  r.RateSet = radio::RateSetFor(mode);
}

}  // namespace

NdisKey MakeWepKey(uint32_t slot, bool transmit, std::span<const uint8_t> material) {
  return NdisKey(slot | (transmit ? kKeyIndexTransmit : 0), material);
}

ConnectRecord BuildFromSurvey(const SurveySelection& s, const SecurityChoices& choices,
                              const SurveyEnvironment& env) {
  ConnectRecord r;
  r.AuthMode = Ndis802_11AuthModeOpen;
  r.Encryption = Ndis802_11EncryptionDisabled;
  const BssRecordView row(s.Record);
  if (row.Privacy() != 0 || (s.SecurityClass >= 1 && s.SecurityClass <= 5)) {
    TakeSurveySecurity(s, choices, env, r);
  }
  r.DisassociateFirst = 1;
  r.InfraMode =
      row.InfrastructureMode() == Ndis802_11IBSS ? Ndis802_11IBSS : Ndis802_11Infrastructure;
  if (r.InfraMode == Ndis802_11IBSS || s.HiddenSsidPath) {
    const auto ssid = row.Ssid();
    r.SetSsid(s.HiddenSsidPath
                  ? std::string_view(s.HiddenSsid)
                  : std::string_view(reinterpret_cast<const char*>(ssid.data()), ssid.size()));
    r.BssidBound = 0;
  } else {
    const auto ssid = row.Ssid();
    r.SetSsid({reinterpret_cast<const char*>(ssid.data()), ssid.size()});
    r.SetBssid(row.MacAddress());
    r.BssidBound = 1;
  }
  r.ApplyRadioSettings = 0;
  r.AcPowerCam = 0;
  r.PowerMode = env.psMode;
  r.RtsThreshold = kDefaultRtsThreshold;
  r.FragThreshold = 0;
  r.Preamble = kAutoPreamble;
  r.TxPowerIndex = 0;
  r.FrequencyKhz = row.DsConfig();
  return r;
}

ConnectRecord BuildFromProfile(const ProfileValues& v, bool fullApply,
                               const ProfileEnvironment& env, DriverPort& driver,
                               std::optional<int>* adhocOfdm) {
  ConnectRecord r;
  r.SetSsid(v.Text("SSID"));
  r.InfraMode = v.Number("NetworkType", 1) == 0 ? Ndis802_11IBSS : Ndis802_11Infrastructure;
  if (env.adapterNumber) r.CcxBytes = uint32_t(env.adapterNumber("CCX2Control").value_or(0));
  if (fullApply) TakeRadioSettings(env, driver, r, adhocOfdm);

  const long preamble = v.Number("PreambleType", 0);
  r.Preamble = preamble == 1 ? kAutoPreamble : uint32_t(preamble);
  r.RtsThreshold = v.Number("UseRts", 0) ? uint32_t(v.Number("RtsThresh", kDefaultRtsThreshold))
                                         : kDefaultRtsThreshold;
  r.FragThreshold = v.Number("UseFrag", 0) ? uint32_t(v.Number("FragThresh", 0)) : 0;
  const long auth = v.Number("AuthenType", 0);
  r.AuthMode = (auth < 0 || auth > 7) ? 0 : uint32_t(auth);
  r.Encryption = uint32_t(v.Number("Encryption", Ndis802_11EncryptionDisabled));

  r.LeapEnabled = v.Number("LeapEnabled", 0) != 0 ? 1 : 0;
  if (r.LeapEnabled) {
    r.LeapCckm = ccx::LeapTurnsOnCckm(r.CcxBytes) ? 1 : 0;
    r.LeapUserName = Clip(v.Text("LeapUserName"), kMaxLeapText);
    r.LeapPassword = Clip(v.Text("LeapPassword"), kMaxLeapText);
    r.LeapDomain = Clip(v.Text("LeapDomainName"), kMaxLeapText);
    r.Use8021X = 0;
  } else {
    r.Use8021X = v.Number("Use8021X", 0) != 0 ? 1 : 0;
  }
  TakeProfileKeys(v, r);
  if (env.supplicantAvailable && (r.AuthMode == Ndis802_11AuthModeWPA || r.Use8021X)) {
    r.Dot1x = dot1x::ReadDot1xSettings(v);
    if (!r.Dot1x.UseClientCert) r.Dot1x.ClientCertHash.clear();
    if (!r.Dot1x.UseServerCert) r.Dot1x.ServerCertHash.clear();
  }

  r.TxPowerIndex = uint32_t(std::max(0L, v.Number("TXPower", 0)));
  if (r.InfraMode == Ndis802_11Infrastructure) {
    r.PowerMode = v.Number("ProfilePSMode", 0) > 0 ? 1 : 0;
    if (env.driverVersion > kAcPowerCamVersion) r.AcPowerCam = uint32_t(v.Number("ACPowerCam", 0));
  } else {
    const long channel = v.Number("Channel", 0);
    for (const ChannelFrequency& row : ChannelFrequencyTable) {
      if (row.Channel == channel) r.FrequencyKhz = row.FrequencyKhz;
    }
  }
  r.DisassociateFirst = 1;
  return r;
}

}  // namespace kavo9::connect
