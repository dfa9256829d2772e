// The fixed texts of the configuration page's combos and the channel text rules.

#include <cstdlib>

#include "radio/ht/HtSetting.h"
#include "softap/config/ConfigPage.h"
#include "softap/record/ApCodes.h"

namespace kavo9::softap {
namespace {

// The Japanese channels J8, J12 and J16 are kept above this offset's base.
constexpr int kJapanChannels[] = {8, 12, 16};

}  // namespace

std::string LimitSsid(const std::string& text) {
  if (text.size() <= kMaxSsidBytes) return text;
  size_t end = kMaxSsidBytes;
  // Never cut inside a character: step back over continuation bytes.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

std::string ChannelText(int channel, uint32_t japanBase) {
  for (int j : kJapanChannels) {
    if (channel == int(japanBase) + j) return "J" + std::to_string(j);
  }
  return std::to_string(channel);
}

long ChannelFromText(const std::string& text, uint32_t japanBase) {
  if (!text.empty() && text[0] == 'J') {
    for (int j : kJapanChannels) {
      if (text == "J" + std::to_string(j)) return long(japanBase) + j;
    }
    return 0;
  }
  return std::atol(text.c_str());
}

const std::vector<std::string>& TxPowerEntries() {
  static const std::vector<std::string> kEntries = {"100 %", "75 %", "50 %", "25 %", "Lowest"};
  return kEntries;
}

const std::vector<std::string>& ProtectionEntries() {
  static const std::vector<std::string> kEntries = {"Auto", "ON", "OFF"};
  return kEntries;
}

const std::vector<std::string>& Region24Entries() {
  static const std::vector<std::string> kEntries = {"0: CH1-11",  "1: CH1-13", "2: CH10-11",
                                                    "3: CH10-13", "4: CH14",   "5: CH1-14",
                                                    "6: CH3-9",   "7: CH5-13"};
  return kEntries;
}

std::vector<std::string> Region5Entries(int chipKind) {
  static const std::vector<std::string> kList = {
      "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165",
      "1: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140",
      "2: CH 36,40,44,48,52,56,60,64",
      "3: CH 52,56,60,64,149,153,157,161",
      "4: CH 149,153,157,161,165",
      "5: CH 149,153,157,161",
      "6: CH 36,40,44,48",
      "7: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140,149,153,157,161,"
      "165",
      "8: CH 52, 56, 60, 64",
      "9: CH 36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 132, 136, 140, 149, 153, "
      "157, 161, 165",
      "10: CH 36, 40, 44, 48,149, 153, 157, 161, 165",
      "11: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,149,153,157,161"};
  if (chipKind == 0 || chipKind == 1) return {kList.begin(), kList.begin() + 9};
  if (chipKind >= 6 && chipKind <= 8) return kList;
  std::vector<std::string> entries(kList.begin(), kList.begin() + 9);
  entries.push_back("9: CH 34, 38, 42, 46");
  entries.push_back("10: CH 34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64");
  return entries;
}

std::vector<std::string> TxRateEntries(uint32_t mode) {
  static const std::vector<std::string> kCck = {"1 Mbps", "2 Mbps", "5.5 Mbps", "11 Mbps"};
  static const std::vector<std::string> kOfdm = {"6 Mbps",  "9 Mbps",  "12 Mbps", "18 Mbps",
                                                 "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"};
  std::vector<std::string> entries = {"Auto"};
  switch (mode) {
    case kModeN:
      return {};
    case kModeB:
      entries.insert(entries.end(), kCck.begin(), kCck.end());
      return entries;
    case kModeA:
    case 4:
    case 7:
    case kModeAn:
    case 10:
      entries.insert(entries.end(), kOfdm.begin(), kOfdm.end());
      return entries;
    default:
      entries.insert(entries.end(), kCck.begin(), kCck.end());
      entries.insert(entries.end(), kOfdm.begin(), kOfdm.end());
      return entries;
  }
}

std::vector<std::string> McsEntries() {
  std::vector<std::string> entries;
  for (int mcs : radio::McsChoices()) entries.push_back(radio::McsText(mcs, kMcsAutoText));
  return entries;
}

}  // namespace kavo9::softap
