#include "softap/record/ApSummary.h"

#include "softap/record/ApCodes.h"
#include "softap/shell/HostiraIds.h"

namespace kavo9::softap {

std::string WirelessModeText(uint32_t mode) {
  switch (mode) {
    case kModeBg:
      return "802.11 B/G mixed";
    case kModeB:
      return "802.11 B only";
    case kModeA:
      return "802.11 A only";
    case kModeAbg:
      return "802.11 A/B/G mixed";
    case kModeN:
      return "802.11 N only";
    case kModeAn:
      return "802.11 A/N mixed";
    default:
      return "802.11 B/G/N mixed";
  }
}

std::string AuthText(uint32_t auth) {
  static const char* kTexts[] = {"Open",     "Shared", "Auto",     "WPA",      "WPA-PSK",
                                 "WPA-None", "WPA2",   "WPA2-PSK", "WPA/WPA2", "WPA-PSK/WPA2-PSK"};
  return auth < 10 ? kTexts[auth] : kTexts[0];
}

std::string EncryptionText(uint32_t encryption) {
  switch (encryption) {
    case kEncWep:
      return "WEP";
    case kEncTkip:
      return "TKIP";
    case kEncAes:
      return "AES";
    case kEncTkipAes:
      return "TKIP/AES";
    default:
      return "None";
  }
}

std::vector<SummaryRow> ApSummary(const ApKeyReader& key, const ApRuntimeState& state,
                                  const std::string& yes, const std::string& no) {
  const uint32_t auth = ReadAuthCode(key.NumberOr("AuthenType", 0));
  const uint32_t encryption =
      CorrectEncryption(ReadEncryptionCode(key.NumberOr("Encryption", 1)), auth);
  const long channel = key.NumberOr("Channel", 1);
  std::string channelText = std::to_string(channel);
  if (channel >= 208 && channel <= 216) channelText = "J" + std::to_string(channel - 200);
  if (key.NumberOr("AutoChannelSelect", 0) != 0) channelText += " (auto)";
  return {
      {kStrSummarySsid,
       state.appliedSsid.empty() ? key.Text("SSID").value_or("") : state.appliedSsid},
      {kStrSummaryMode, WirelessModeText(state.wirelessMode)},
      {kStrSummaryChannel, channelText},
      {kStrSummaryAuth, AuthText(auth)},
      {kStrSummaryEncryption, EncryptionText(encryption)},
      {kStrSummaryHidden, key.NumberOr("HideSSID", 0) == 1 ? yes : no},
  };
}

}  // namespace kavo9::softap
