#include "radio/vocabulary/Channels.h"

#include <algorithm>

namespace kavo9::radio {

CountryRegionState DecodeCountryRegion(uint32_t driverWord) {
  CountryRegionState state;
  state.region24Editable = (driverWord & kRegion24Fixed) == 0;
  state.region5Editable = (driverWord & kRegion5Fixed) == 0;
  state.word = driverWord & ~(kRegion24Fixed | kRegion5Fixed);
  return state;
}

namespace {

std::vector<int> Range(int first, int last, int step = 1) {
  std::vector<int> channels;
  for (int c = first; c <= last; c += step) channels.push_back(c);
  return channels;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

bool OldFamily(int chipKind) {
  return chipKind == 0 || chipKind == 1;
}
bool NewFamily(int chipKind) {
  return chipKind >= 4 && chipKind <= 9;
}

struct Span24 {
  int first;
  int last;
};

// Regions 0-8 of the two 2.4 GHz tables; other regions get 1-11.
constexpr Span24 kOld24[] = {{1, 11},  {1, 11}, {1, 13}, {10, 11}, {10, 13},
                             {14, 14}, {1, 14}, {3, 9},  {5, 13}};
constexpr Span24 kNew24[] = {{1, 11}, {1, 13}, {10, 11}, {10, 13}, {14, 14},
                             {1, 14}, {3, 9},  {5, 13},  {1, 11}};

}  // namespace

std::vector<int> Channels24(int chipKind, int region) {
  const Span24* table = OldFamily(chipKind) ? kOld24 : NewFamily(chipKind) ? kNew24 : nullptr;
  if (table == nullptr) return {};
  Span24 span = region >= 0 && region <= 8 ? table[region] : Span24{1, 11};
  return Range(span.first, span.last);
}

std::vector<int> Channels5(int chipKind, int region) {
  const std::vector<int> low = Range(36, 64, 4);     // 8 channels
  const std::vector<int> mid = Range(100, 140, 4);   // 11 channels
  const std::vector<int> high = Range(149, 165, 4);  // 5 channels
  switch (region) {
    case 1:
      return Join({low, mid});
    case 2:
      return low;
    case 3:
      return Join({Range(52, 64, 4), Range(149, 161, 4)});
    case 4:
      return high;
    case 5:
      return Range(149, 161, 4);
    case 6:
      return Range(36, 48, 4);
    case 7:
      return Join({low, mid, high});
    case 8:
      return Range(52, 64, 4);
    case 9:
      if (chipKind == 4 || chipKind == 5) return Range(34, 46, 4);
      if (chipKind >= 6 && chipKind <= 9) {
        return Join({low, Range(100, 116, 4), Range(132, 140, 4), high});
      }
      return {};
    case 10:
      if (chipKind == 4 || chipKind == 5) return Join({Range(34, 48, 2), Range(52, 64, 4)});
      if (chipKind >= 6 && chipKind <= 9) return Join({Range(36, 48, 4), high});
      return {};
    case 11:
      if (chipKind >= 6 && chipKind <= 9) {
        return Join({low, Range(100, 120, 4), Range(149, 161, 4)});
      }
      return {};
    default:  // region 0 and every unknown region
      return Join({low, high});
  }
}

namespace {

// Every mode that is not 5 GHz only uses the 2.4 GHz band. That includes 6 (802.11n only): it
// names no 5 GHz band, so it runs at 2.4 GHz, and leaving it out would give an adapter in that
// mode no channel at all to scan or join.
bool ModeHas24(int mode) {
  return mode == 0 || mode == 1 || mode == 3 || mode == 4 || mode == 5 || mode == 6 || mode == 7 ||
         mode == 9;
}

}  // namespace

std::vector<int> BuildAllowedChannels(const AllowedChannelQuery& q) {
  bool with24;
  bool with5;
  if (q.infrastructure) {
    with24 = ModeHas24(q.wirelessMode);
    with5 =
        q.wirelessMode == 2 || q.wirelessMode == 3 || q.wirelessMode == 5 || q.wirelessMode == 8;
  } else {
    with24 = q.adhocCode != 3 && ModeHas24(q.wirelessMode);
    with5 = q.adhocCode == 3 || q.adhocCode == 4 || q.adhocCode == 5 || q.adhocCode == 8;
  }
  std::vector<int> allowed;
  if (with24) allowed = Channels24(q.chipKind, Region24(q.regionWord));
  if (with5) {
    std::vector<int> five = Channels5(q.chipKind, Region5(q.regionWord));
    allowed.insert(allowed.end(), five.begin(), five.end());
  }
  if (allowed.size() > kMaxAllowedChannels) allowed.resize(kMaxAllowedChannels);
  return allowed;
}

std::vector<std::string> Region24Texts(int chipKind) {
  if (OldFamily(chipKind)) {
    return {"0: FCC, CH1-11",         "1: IC (Canada), CH1-11", "2: ETSI, CH1-13",
            "3: SPAIN, CH10-11",      "4: FRANCE, CH10-13",     "5: MKK, CH14",
            "6: MKK1(TELEC), CH1-14", "7: ISRAEL, CH3-9"};
  }
  if (NewFamily(chipKind)) {
    return {"0: CH1-11", "1: CH1-13", "2: CH10-11", "3: CH10-13",
            "4: CH14",   "5: CH1-14", "6: CH3-9",   "7: CH5-13"};
  }
  return {};
}

std::vector<std::string> Region5Texts(int chipKind) {
  std::vector<std::string> texts = {
      "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165",
      "1: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140",
      "2: CH 36,40,44,48,52,56,60,64",
      "3: CH 52,56,60,64,149,153,157,161",
      "4: CH 149,153,157,161,165",
      "5: CH 149,153,157,161",
      "6: CH 36,40,44,48",
      "7: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140,149,153,157,161,"
      "165",
      "8: CH 52, 56, 60, 64"};
  if (OldFamily(chipKind)) return texts;
  if (chipKind >= 6 && chipKind <= 9) {
    texts.push_back(
        "9: CH 36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 132, 136, 140, 149, 153, "
        "157, 161, 165");
    texts.push_back("10: CH 36, 40, 44, 48,149, 153, 157, 161, 165");
    texts.push_back("11: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,149,153,157,161");
    return texts;
  }
  return {};
}

}  // namespace kavo9::radio
