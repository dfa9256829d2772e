#include "station/networks/survey/SurveyColumns.h"

#include "station/networks/RssiToPercent.h"

namespace kavo9 {

const std::array<SurveyColumnInfo, kSurveyColumnCount> kSurveyColumns = {{
    {"Connected Icon", 0.02, false},
    {"SSID", 0.31, true},
    {"Network Type", 0.02, false},
    {"Channel", 0.04, true},
    {"a Icon", 0.02, false},
    {"b Icon", 0.02, false},
    {"g Icon", 0.02, false},
    {"n Icon", 0.02, false},
    {"Security Icon", 0.02, false},
    {"", 0.08, false},
    {"Signal", 0.41, false},
}};

int SurveyColumnWidth(int column, int listWidth) {
  if (column < 0 || column >= kSurveyColumnCount) return 0;
  return int(listWidth * kSurveyColumns[size_t(column)].WidthFactor);
}

int SurveyCellImage(const SiteSurveyRow& row, int column) {
  switch (column) {
    case kColConnected:
      return row.Connected == 1 ? kImageConnected : kNoImage;
    case kColNetworkType:
      return row.InfraMode == 0 || row.InfraMode == 1 ? row.InfraMode : kNoImage;
    case kColA:
      return row.NetworkType == 2 ? kImageBandA : kNoImage;
    case kColB:
      return row.OfdmBasic == 0 &&
                     (row.NetworkType == 0 || row.NetworkType == 1 || row.NetworkType == 3)
                 ? kImageBandB
                 : kNoImage;
    case kColG:
      return row.NetworkType == 3 ? kImageBandG : kNoImage;
    case kColN:
      return row.Ht == 1 ? kImageBandN : kNoImage;
    case kColSecurity:
      if (row.Wps == 1) return kImageWps;
      return row.Secured == 1 ? kImageKey : kNoImage;
    default:
      return kNoImage;
  }
}

std::string SurveyCellText(const SiteSurveyRow& row, int column, bool showDbm) {
  switch (column) {
    case kColSsid:
      return row.Ssid;
    case kColChannel:
      return row.Channel;
    case kColSignalText:
      return showDbm ? std::to_string(row.Rssi) + " dBm"
                     : std::to_string(RssiToPercent(row.Rssi)) + "%";
    default:
      return {};
  }
}

int SurveySignalPercent(const SiteSurveyRow& row) {
  return RssiToPercent(row.Rssi);
}

Rgb SignalBarColour(int percent) {
  if (percent > 75) return {20, 120, 200};
  if (percent > 50) return {100, 240, 70};
  if (percent > 25) return {250, 230, 50};
  return {240, 40, 40};
}

}  // namespace kavo9
