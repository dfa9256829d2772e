#include "sim/emulator/radio/DriverTables.h"

#include <algorithm>

#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

//                        2.4   5     CCK    OFDM   HT     HT chip
constexpr ModeFeatures kModes[] = {
    {true, false, true, true, false, false},   // 0 B/G
    {true, false, true, false, false, false},  // 1 B
    {false, true, false, true, false, false},  // 2 A
    {true, true, true, true, false, false},    // 3 A/B/G
    {true, false, false, true, false, false},  // 4 G
    {true, true, true, true, true, true},      // 5 A/B/G/N
    {true, false, true, true, true, true},     // 6 N, on the 2.4 GHz radio
    {true, false, true, true, false, true},    // 7 G/N: legacy rates, yet only on 802.11n chips
    {false, true, false, true, true, true},    // 8 A/N
    {true, false, true, true, true, true},     // 9 B/G/N
};

// 2.4 GHz regions as channel masks (bit n-1 set: channel n). The first chips number their
// regions differently from the 802.11n generation; regions past the table allow 1-11.
constexpr uint16_t kCh1To11 = 0x07FF, kCh1To13 = 0x1FFF, kCh10To11 = 0x0600, kCh10To13 = 0x1E00,
                   kCh14 = 0x2000, kCh1To14 = 0x3FFF, kCh3To9 = 0x01FC, kCh5To13 = 0x1FF0;
constexpr uint16_t kFirstChipRegions24[] = {kCh1To11, kCh1To11, kCh1To13, kCh10To11, kCh10To13,
                                            kCh14,    kCh1To14, kCh3To9,  kCh5To13};
constexpr uint16_t kLaterChipRegions24[] = {kCh1To11, kCh1To13, kCh10To11, kCh10To13, kCh14,
                                            kCh1To14, kCh3To9,  kCh5To13,  kCh1To11};

bool FirstChip(int chipKind) {
  return chipKind == 0 || chipKind == 1;
}
bool LaterChip(int chipKind) {
  return chipKind >= 4 && chipKind <= 9;
}
bool HtChip(int chipKind) {
  return chipKind >= 6 && chipKind <= 9;
}

// The 5 GHz channel groups of the regions.
constexpr int kUnii1[] = {36, 40, 44, 48};
constexpr int kUnii2[] = {52, 56, 60, 64};
constexpr int kMid[] = {100, 104, 108, 112, 116, 120, 124, 128, 132, 136, 140};
constexpr int kUpper4[] = {149, 153, 157, 161};
constexpr int kCh165[] = {165};

template <typename... Groups>
std::vector<int> Channels(const Groups&... groups) {
  std::vector<int> channels;
  (channels.insert(channels.end(), std::begin(groups), std::end(groups)), ...);
  return channels;
}

}  // namespace

std::optional<ModeFeatures> FeaturesOfMode(int mode) {
  if (mode < 0 || mode >= int(std::size(kModes))) return std::nullopt;
  return kModes[mode];
}

int DefaultWirelessMode(RadioCaps caps) {
  if (caps.ht) return caps.has5G ? 5 : 9;
  return caps.has5G ? 3 : 0;
}

std::vector<int> DriverChannels24(int chipKind, uint32_t region) {
  std::span<const uint16_t> table;
  if (FirstChip(chipKind)) table = kFirstChipRegions24;
  if (LaterChip(chipKind)) table = kLaterChipRegions24;
  if (table.empty()) return {};
  const uint16_t mask = region < table.size() ? table[region] : kCh1To11;
  std::vector<int> channels;
  for (int c = 1; c <= 14; ++c) {
    if (mask & (1u << (c - 1))) channels.push_back(c);
  }
  return channels;
}

std::vector<int> DriverChannels5(int chipKind, uint32_t region) {
  switch (region) {
    case 1:
      return Channels(kUnii1, kUnii2, kMid);
    case 2:
      return Channels(kUnii1, kUnii2);
    case 3:
      return Channels(kUnii2, kUpper4);
    case 4:
      return Channels(kUpper4, kCh165);
    case 5:
      return Channels(kUpper4);
    case 6:
      return Channels(kUnii1);
    case 7:
      return Channels(kUnii1, kUnii2, kMid, kUpper4, kCh165);
    case 8:
      return Channels(kUnii2);
    case 9:
      if (chipKind == 4 || chipKind == 5) return {34, 38, 42, 46};
      if (HtChip(chipKind)) {
        return Channels(kUnii1, kUnii2, std::span(kMid).first(5), std::span(kMid).last(3), kUpper4,
                        kCh165);
      }
      return {};
    case 10:
      if (chipKind == 4 || chipKind == 5) {
        return Channels(std::initializer_list<int>{34, 36, 38, 40, 42, 44, 46, 48}, kUnii2);
      }
      if (HtChip(chipKind)) return Channels(kUnii1, kUpper4, kCh165);
      return {};
    case 11:
      if (HtChip(chipKind)) return Channels(kUnii1, kUnii2, std::span(kMid).first(6), kUpper4);
      return {};
    default:  // region 0 and every region the driver does not know
      return Channels(kUnii1, kUnii2, kUpper4, kCh165);
  }
}

uint32_t DriverChannelKhz(int channel) {
  if (channel >= 1 && channel <= 13) return uint32_t(2407000 + 5000 * channel);
  if (channel == 14) return 2484000;
  constexpr int k5[] = {34,  36,  38,  40,  42,  44,  46,  48,  52,  56,  60,  64,  100, 104,
                        108, 112, 116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165};
  if (std::find(std::begin(k5), std::end(k5), channel) != std::end(k5)) {
    return uint32_t(5000000 + 5000 * channel);
  }
  if (channel >= 184 && channel <= 196 && channel % 4 == 0) {
    return uint32_t(4000000 + 5000 * channel);  // the 4.9 GHz channels
  }
  return 0;
}

std::span<const uint8_t> CckRates() {
  static constexpr uint8_t kRates[] = {2, 4, 11, 22};
  return kRates;
}

std::span<const uint8_t> OfdmRates() {
  static constexpr uint8_t kRates[] = {12, 18, 24, 36, 48, 72, 96, 108};
  return kRates;
}

uint32_t HtRate500k(int mcs, bool width40, bool shortGuard) {
  // Coded bits per subcarrier of MCS 0-7 (the same per stream for 8-15), times two.
  constexpr int kBitsTimesTwo[] = {1, 2, 3, 4, 6, 8, 9, 10};
  int subcarriers = width40 ? 108 : 52;
  int bitsTimesTwo = 0;
  int streams = 1;
  if (mcs == 32) {
    if (!width40) return 0;
    subcarriers = 48;  // one 20 MHz BPSK 1/2 signal duplicated in both halves
    bitsTimesTwo = 1;
  } else if (mcs >= 0 && mcs <= 15) {
    bitsTimesTwo = kBitsTimesTwo[mcs % 8];
    streams = mcs / 8 + 1;
  } else {
    return 0;
  }
  // Mbit/s = subcarriers x bits x streams / symbol time (4 us, or 3.6 us with the short guard).
  const double mbps = subcarriers * bitsTimesTwo * streams / 2.0 / (shortGuard ? 3.6 : 4.0);
  return uint32_t(mbps * 2 + 0.5);
}

bool DriverTakesMcs(uint32_t mcs) {
  return mcs <= 15 || mcs == 32 || mcs == uint32_t(kAutoMcs);
}

HtPhy DecodeTransmitSetting(uint32_t word) {
  HtPhy phy;
  phy.wirelessMode = word & 0xF;
  phy.mcs = uint8_t((word >> 4) & 0x7F);
  phy.width40 = (word >> 11) & 1;
  phy.shortGuard = (word >> 12) & 1;
  phy.stbc = (word >> 13) & 1;
  phy.phyMode = uint8_t((word >> 14) & 3);
  phy.greenfield = (word >> 16) & 1;
  phy.extChannel = uint8_t((word >> 17) & 3);
  return phy;
}

HtPhy DecodeHtPhyRecord(std::span<const uint8_t, kHtPhyRecordBytes> record) {
  HtPhy phy;
  phy.wirelessMode = GetLe32(record, 0) & 0xF;
  phy.phyMode = record[4];
  phy.greenfield = record[5] & 1;
  phy.extChannel = record[6] & 3;
  phy.mcs = record[7] & 0x7F;
  phy.width40 = record[8] & 1;
  phy.stbc = record[9] & 1;
  phy.shortGuard = record[10] & 1;
  return phy;
}

HtPhyBytes EncodeHtPhyRecord(const HtPhy& phy) {
  HtPhyBytes record{};
  PutLe32(record, 0, phy.wirelessMode & 0xF);
  record[4] = phy.phyMode;
  record[5] = phy.greenfield;
  record[6] = phy.extChannel & 3;
  record[7] = phy.mcs & 0x7F;
  record[8] = phy.width40;
  record[9] = phy.stbc;
  record[10] = phy.shortGuard;
  return record;
}

}  // namespace kavo9::emu
