#include "sim/emulator/Channels.h"

namespace kavo9 {
namespace {

std::vector<int> Range(int first, int last, int step = 1) {
  std::vector<int> channels;
  for (int c = first; c <= last; c += step) channels.push_back(c);
  return channels;
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<int> Channels24(ChipGroup group, int region) {
  if (group == ChipGroup::kFirstGeneration) {
    switch (region) {
      case 2:
        return Range(1, 13);
      case 3:
        return Range(10, 11);
      case 4:
        return Range(10, 13);
      case 5:
        return {14};
      case 6:
        return Range(1, 14);
      case 7:
        return Range(3, 9);
      case 8:
        return Range(5, 13);
      default:
        return Range(1, 11);
    }
  }
  switch (region) {
    case 1:
      return Range(1, 13);
    case 2:
      return Range(10, 11);
    case 3:
      return Range(10, 13);
    case 4:
      return {14};
    case 5:
      return Range(1, 14);
    case 6:
      return Range(3, 9);
    case 7:
      return Range(5, 13);
    default:
      return Range(1, 11);
  }
}

std::vector<int> Channels5(ChipGroup group, int region) {
  const std::vector<int> upper = {149, 153, 157, 161, 165};
  switch (region) {
    case 1:
      return Join(Range(36, 64, 4), Range(100, 140, 4));
    case 2:
      return Range(36, 64, 4);
    case 3:
      return {52, 56, 60, 64, 149, 153, 157, 161};
    case 4:
      return upper;
    case 5:
      return {149, 153, 157, 161};
    case 6:
      return {36, 40, 44, 48};
    case 7:
      return Join(Join(Range(36, 64, 4), Range(100, 140, 4)), upper);
    case 8:
      return {52, 56, 60, 64};
    case 9:
      if (group == ChipGroup::kLegacy) return {34, 38, 42, 46};
      if (group == ChipGroup::kHt) {
        return Join(Join(Range(36, 64, 4), {100, 104, 108, 112, 116, 132, 136, 140}), upper);
      }
      return {};
    case 10:
      if (group == ChipGroup::kLegacy)
        return Join({34, 36, 38, 40, 42, 44, 46, 48}, Range(52, 64, 4));
      if (group == ChipGroup::kHt) return Join({36, 40, 44, 48}, upper);
      return {};
    case 11:
      if (group == ChipGroup::kHt) {
        return Join(Join(Range(36, 64, 4), Range(100, 120, 4)), {149, 153, 157, 161});
      }
      return {};
    default:
      return Join(Range(36, 64, 4), upper);
  }
}

}  // namespace

uint32_t ChannelFrequencyKhz(int channel) {
  if (channel >= 1 && channel <= 13) return 2407000 + 5000 * uint32_t(channel);
  if (channel == 14) return 2484000;
  if (channel >= 184 && channel <= 196) return 4000000 + 5000 * uint32_t(channel);
  if (channel >= 34 && channel <= 165) return 5000000 + 5000 * uint32_t(channel);
  return 0;
}

ChipGroup ChipGroupOf(std::string_view family) {
  if (family == "QKA100" || family == "QKA1U98") return ChipGroup::kFirstGeneration;
  if (family == "QKB1" || family == "QKC1" || family == "QKG100" || family == "QKG1U98") {
    return ChipGroup::kLegacy;
  }
  return ChipGroup::kHt;
}

bool IsHtFamilyName(std::string_view family) {
  return family == "QKD100" || family == "QKD100_A" || family == "QKD170" || family == "QKF170";
}

std::vector<int> ScannedChannels(const ScanPlan& plan) {
  const uint32_t mode = plan.wirelessMode;
  // Mode 6 (802.11n only) runs on 2.4 GHz with this driver.
  const bool with24 = plan.band24 && mode != 2 && mode != 8;
  const bool with5 = plan.band5 && (mode == 2 || mode == 3 || mode == 5 || mode == 8);
  std::vector<int> channels;
  if (with24) channels = Channels24(plan.group, int(plan.countryRegion & 0x7F));
  if (with5)
    channels = Join(channels, Channels5(plan.group, int((plan.countryRegion >> 8) & 0x7F)));
  return channels;
}

}  // namespace kavo9
