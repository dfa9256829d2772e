#include "radio/vocabulary/Rates.h"

#include <algorithm>

#include "radio/vocabulary/WirelessMode.h"

namespace kavo9::radio {

namespace {

constexpr uint8_t kCck[] = {2, 4, 11, 22};                      // 1, 2, 5.5, 11 Mbit/s
constexpr uint8_t kOfdm[] = {12, 18, 24, 36, 48, 72, 96, 108};  // 6 ... 54 Mbit/s

bool OfdmOnly(int mode) {
  return mode == 2 || mode == 4;
}

}  // namespace

int TxRateEntryCount(int mode) {
  if (mode == 1) return 5;
  if (OfdmOnly(mode)) return 9;
  if (mode == 6) return 1;
  return 13;
}

DesiredRates DesiredRatesFor(int mode, int transRate, bool mcsAuto) {
  if (IsHtMode(mode)) {
    if (mcsAuto) return {108, 96, 72, 48, 22, 11, 4, 2};
    return {108, 0, 0, 0, 0, 0, 0, 0};
  }
  // An index the mode has no entry for (say, an OFDM rate left over in B-only mode) is automatic.
  if (transRate < 0 || transRate >= TxRateEntryCount(mode)) transRate = 0;
  if (transRate == 0) {
    if (OfdmOnly(mode)) return {108, 96, 72, 48, 36, 24, 18, 12};
    if (mode == 1) return {22, 11, 4, 2, 0, 0, 0, 0};
    return {108, 96, 72, 48, 22, 11, 4, 2};
  }
  DesiredRates rates{};
  if (OfdmOnly(mode)) {
    rates[0] = kOfdm[transRate - 1];
  } else {
    rates[0] = transRate <= 4 ? kCck[transRate - 1] : kOfdm[transRate - 5];
  }
  return rates;
}

std::vector<std::string_view> TxRateEntryKeys(int mode) {
  std::vector<std::string_view> keys = {"IDS_AUTO"};
  const std::vector<std::string_view> cck = {"IDS_1MBPS", "IDS_2MBPS", "IDS_55MBPS", "IDS_11MBPS"};
  const std::vector<std::string_view> ofdm = {"IDS_6MBPS",  "IDS_9MBPS",  "IDS_12MBPS",
                                              "IDS_18MBPS", "IDS_24MBPS", "IDS_36MBPS",
                                              "IDS_48MBPS", "IDS_54MBPS"};
  if (mode == 6) return keys;
  if (!OfdmOnly(mode)) keys.insert(keys.end(), cck.begin(), cck.end());
  if (mode != 1) keys.insert(keys.end(), ofdm.begin(), ofdm.end());
  return keys;
}

std::optional<RateSetRecord> RateSetFor(int mode) {
  if (IsHtMode(mode)) return std::nullopt;
  RateSetRecord record{};
  auto put = [&record](size_t countAt, std::initializer_list<uint8_t> rates) {
    record[countAt] = uint8_t(rates.size());
    std::copy(rates.begin(), rates.end(), record.begin() + countAt + 1);
  };
  if (mode == 1) {
    put(0, {0x82, 0x84, 0x8B, 0x96});
  } else if (OfdmOnly(mode)) {
    put(0, {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C});
  } else {
    put(0, {0x82, 0x84, 0x8B, 0x96, 0x12, 0x24, 0x48, 0x6C});
    put(13, {0x8C, 0x98, 0xB0, 0x60});
  }
  return record;
}

}  // namespace kavo9::radio
