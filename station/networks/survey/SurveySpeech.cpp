#include "station/networks/survey/SurveySpeech.h"

#include <array>

#include "station/networks/RssiToPercent.h"
#include "station/networks/survey/SurveyColumns.h"

namespace kavo9 {

namespace {

constexpr std::array<std::string_view, kSurveyColumnCount> kColumnNames = {
    "Connected", "SSID",    "Network type", "Channel", "802.11a",    "802.11b",
    "802.11g",   "802.11n", "Security",     "Signal",  "Signal bar",
};

std::string SignalWords(const SiteSurveyRow& row, bool showDbm) {
  return showDbm ? std::to_string(row.Rssi) + " dBm"
                 : std::to_string(RssiToPercent(row.Rssi)) + " %";
}

std::string NetworkTypeWords(const SiteSurveyRow& row) {
  if (row.InfraMode == 1) return "Infrastructure";
  if (row.InfraMode == 0) return "Ad hoc";
  return {};
}

}  // namespace

std::string SurveyStatusText(SurveyStatus status, const SurveyWords& words) {
  switch (status) {
    case SurveyStatus::Scanning:
      return words.Scanning;
    case SurveyStatus::RadioOff:
      return words.RadioOff;
    default:
      return {};
  }
}

std::string SurveyButtonTip(SurveyBlock block, bool connect, const SurveyWords& words) {
  switch (block) {
    case SurveyBlock::None:
      return connect ? "Connects to the selected network."
                     : "Makes a new profile from the selected network.";
    case SurveyBlock::ServiceManages:
      return words.ServiceManages;
    case SurveyBlock::Rebuilding:
      return "The list is being rebuilt; this is available again once the scan is in.";
    case SurveyBlock::RadioOff:
      return "The radio is off: turn it on with the Radio On/Off button.";
    case SurveyBlock::NoNetworks:
      return "No network is listed.";
    case SurveyBlock::NeedsSupplicant:
      return "The selected network needs WPA or 802.1X, and the supplicant that provides them "
             "is not available.";
    case SurveyBlock::NotPermitted:
      return "Only an administrator may add profiles here: the settings file does not allow "
             "standard users to.";
  }
  return {};
}

std::string SurveyColumnName(int column) {
  if (column < 0 || column >= kSurveyColumnCount) return {};
  return std::string(kColumnNames[size_t(column)]);
}

std::string SurveySecurityWords(const SiteSurveyRow& row, const SurveyWords& words) {
  if (!row.Secured) return words.Open;
  if (!row.Authentication.empty() && row.Authentication != "Unknown") return row.Authentication;
  return row.Cipher == "WEP" || row.Cipher.empty() || row.Cipher == "None" ? "WEP" : row.Cipher;
}

std::string SurveyBandWords(const SiteSurveyRow& row) {
  std::string letters;
  for (const auto& [column, letter] : {std::pair{kColA, "a"}, std::pair{kColB, "b"},
                                       std::pair{kColG, "g"}, std::pair{kColN, "n"}}) {
    if (SurveyCellImage(row, column) == kNoImage) continue;
    if (!letters.empty()) letters += '/';
    letters += letter;
  }
  return letters.empty() ? std::string() : "802.11" + letters;
}

std::string SurveyCellSpeech(const SiteSurveyRow& row, int column, bool showDbm) {
  const int image = SurveyCellImage(row, column);
  switch (column) {
    case kColConnected:
      return row.Connected == 1 ? "Connected" : std::string();
    case kColNetworkType:
      return NetworkTypeWords(row);
    case kColA:
    case kColB:
    case kColG:
    case kColN:
      return image == kNoImage ? std::string() : SurveyColumnName(column);
    case kColSecurity:
      if (image == kImageWps) return row.Secured ? "Secured, WPS" : "WPS";
      return image == kImageKey ? "Secured" : "Open";
    case kColSignalText:
    case kColSignalBar:
      return SignalWords(row, showDbm);
    default:
      return SurveyCellText(row, column, showDbm);
  }
}

std::string SurveyRowSpeech(const SiteSurveyRow& row, bool showDbm, const SurveyWords& words) {
  std::string speech;
  auto add = [&speech](std::string_view part) {
    if (part.empty()) return;
    if (!speech.empty()) speech += ", ";
    speech += part;
  };
  if (row.Connected == 1) add("Connected");
  add(row.Ssid.empty() ? words.Hidden : row.Ssid);
  add(SurveySecurityWords(row, words));
  if (row.Wps) add("WPS");
  if (!row.Channel.empty()) add("channel " + row.Channel);
  add(SurveyBandWords(row));
  add(NetworkTypeWords(row));
  add(SignalWords(row, showDbm));
  return speech;
}

std::string SurveyRowToolTip(const SiteSurveyRow& row, const SurveyWords& words) {
  std::string tip = row.Ssid.empty() ? words.Hidden : row.Ssid;
  tip += "\nSecurity: " + SurveySecurityWords(row, words);
  tip += "\nCipher: " + (row.Secured ? (row.Cipher.empty() ? std::string("None") : row.Cipher)
                                     : std::string("None"));
  tip += std::string("\nWPS: ") + (row.Wps ? "yes" : "no");
  if (!row.BssidText.empty()) tip += "\nBSSID: " + row.BssidText;
  return tip;
}

}  // namespace kavo9
