#include "softap/record/ApCodes.h"

#include <algorithm>

namespace kavo9::softap {
namespace {

std::vector<int> Range(int first, int last, int step = 1) {
  std::vector<int> channels;
  for (int c = first; c <= last; c += step) channels.push_back(c);
  return channels;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const std::vector<int> kLow = Range(36, 64, 4);     // 36-64, 8 channels
const std::vector<int> kMid = Range(100, 140, 4);   // 100-140, 11 channels
const std::vector<int> kHigh = Range(149, 165, 4);  // 149-165, 5 channels
const std::vector<int> kHighNo165 = Range(149, 161, 4);

bool HtChip(int chipKind) {
  return chipKind >= 6 && chipKind <= 8;
}
bool OlderAbgChip(int chipKind) {
  return chipKind == 4 || chipKind == 5;
}

}  // namespace

uint32_t NormaliseWirelessMode(long stored, bool bandA, bool ht) {
  if (stored == kModeBg) return kModeBg;
  if (stored == kModeA) return bandA ? kModeA : kModeBg;
  if (stored == kModeAn && bandA) return ht ? kModeAn : kModeA;
  return ht ? kModeBgn : kModeBg;
}

uint32_t ReadAuthCode(long stored) {
  if (stored < 0 || stored > 9 || stored == kAuthAutoSwitch) return kAuthOpen;
  return uint32_t(stored);
}

bool IsDot1xAuth(uint32_t auth) {
  return auth == kAuthWpa || auth == kAuthWpa2 || auth == kAuthWpaWpa2;
}

bool IsPskAuth(uint32_t auth) {
  return auth == kAuthWpaPsk || auth == kAuthWpa2Psk || auth == kAuthWpaPskWpa2Psk;
}

bool HasRekey(uint32_t auth) {
  return IsDot1xAuth(auth) || IsPskAuth(auth);
}

uint32_t ReadEncryptionCode(long stored) {
  switch (stored) {
    case kEncWep:
    case kEncNone:
    case kEncTkip:
    case kEncAes:
    case kEncTkipAes:
      return uint32_t(stored);
    default:
      return kEncNone;
  }
}

uint32_t CorrectEncryption(uint32_t encryption, uint32_t auth) {
  if (auth <= kAuthAutoSwitch) return encryption > kEncNone ? kEncNone : encryption;
  if (auth == kAuthWpaNone) return encryption;
  const bool wpaCipher =
      encryption == kEncTkip || encryption == kEncAes || encryption == kEncTkipAes;
  return wpaCipher ? encryption : kEncTkip;
}

RateList DesiredRates(uint32_t mode, long index) {
  static constexpr uint8_t kA[] = {12, 18, 24, 36, 48, 72, 96, 108};
  static constexpr uint8_t kBg[] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};
  RateList rates{};
  const bool aBand = mode == kModeA || mode == kModeAn;
  const long last = aBand ? 8 : mode == kModeB ? 4 : 12;
  if (index < 1 || index > last) {
    if (aBand) {
      rates = {108, 96, 72, 48, 36, 24, 18, 12};
    } else if (mode == kModeB) {
      rates = {22, 11, 4, 2, 0, 0, 0, 0};
    } else {
      rates = {108, 96, 72, 48, 22, 11, 4, 2};
    }
    return rates;
  }
  rates[0] = aBand ? kA[index - 1] : kBg[index - 1];
  return rates;
}

uint32_t TxPowerPercent(long index) {
  switch (index) {
    case 1:
      return 75;
    case 2:
      return 50;
    case 3:
      return 25;
    case 4:
      return 12;
    default:
      return 100;
  }
}

std::optional<uint32_t> ChannelFrequencyKhz(long channel) {
  if (channel >= 1 && channel <= 13) return 2407000 + 5000 * uint32_t(channel);
  if (channel == 14) return 2484000;
  static const std::vector<int> k5 =
      Join({{34, 38, 42, 46}, Range(36, 48, 4), Range(52, 64, 4), kMid, kHigh});
  if (std::find(k5.begin(), k5.end(), channel) != k5.end()) {
    return 5000000 + 5000 * uint32_t(channel);
  }
  if (channel == 184 || channel == 188 || channel == 192 || channel == 196) {
    return 4000000 + 5000 * uint32_t(channel);
  }
  if (channel == 208) return 5040000;
  if (channel == 212) return 5060000;
  if (channel == 216) return 5080000;
  return std::nullopt;
}

std::vector<int> Channels24(uint32_t region) {
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

std::vector<int> Channels5(uint32_t region, int chipKind) {
  switch (region) {
    case 1:
      return Join({kLow, kMid});
    case 2:
      return kLow;
    case 3:
      return Join({Range(52, 64, 4), kHighNo165});
    case 4:
      return kHigh;
    case 5:
      return kHighNo165;
    case 6:
      return Range(36, 48, 4);
    case 7:
      return Join({kLow, kMid, kHigh});
    case 8:
      return Range(52, 64, 4);
    case 9:
      if (OlderAbgChip(chipKind)) return {34, 38, 42, 46};
      if (HtChip(chipKind)) return Join({kLow, Range(100, 116, 4), {132, 136, 140}, kHigh});
      return {};
    case 10:
      if (OlderAbgChip(chipKind)) return Join({{34, 36, 38, 40, 42, 44, 46, 48}, Range(52, 64, 4)});
      if (HtChip(chipKind)) return Join({Range(36, 48, 4), kHigh});
      return {};
    case 11:
      if (HtChip(chipKind)) return Join({kLow, Range(100, 120, 4), kHighNo165});
      return {};
    default:
      return Join({kLow, kHigh});
  }
}

}  // namespace kavo9::softap
