#pragma once
// What each of the list's eleven columns shows for a row: an image of the network-list image
// list, a text, or the signal bar with its colour.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "station/networks/survey/SurveyRows.h"

namespace kavo9 {

// The network-list images, in image-list order.
enum ListImageIndex : int {
  kImageAdHoc = 0,
  kImageInfrastructure = 1,
  kImageBandA = 2,
  kImageBandB = 3,
  kImageBandG = 4,
  kImageKey = 5,
  kImageConnected = 6,
  kImageNotConnected = 7,
  kImageWps = 8,
  kImageBandN = 9,
};
inline constexpr int kNoImage = -1;
inline constexpr int kListImageCount = 10;

enum SurveyColumn : int {
  kColConnected = 0,
  kColSsid,
  kColNetworkType,
  kColChannel,
  kColA,
  kColB,
  kColG,
  kColN,
  kColSecurity,
  kColSignalText,
  kColSignalBar,
  kSurveyColumnCount
};

struct SurveyColumnInfo {
  std::string_view Title;  // internal; the list has no header
  double WidthFactor;      // of the list control's width, truncated
  bool LeftAligned;
};
extern const std::array<SurveyColumnInfo, kSurveyColumnCount> kSurveyColumns;

// The column's width for a list `listWidth` pixels wide.
int SurveyColumnWidth(int column, int listWidth);

// The image a cell shows, or kNoImage.
int SurveyCellImage(const SiteSurveyRow& row, int column);
// The text a cell shows (empty for image and bar columns).
std::string SurveyCellText(const SiteSurveyRow& row, int column, bool showDbm);
// The signal in percent, as the bar shows it.
int SurveySignalPercent(const SiteSurveyRow& row);

struct Rgb {
  uint8_t R, G, B;
  bool operator==(const Rgb&) const = default;
};
// The bar's colour for a percentage.
Rgb SignalBarColour(int percent);

}  // namespace kavo9
