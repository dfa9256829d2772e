// The driver's radio tables against the programs' own: the channels of every chip, region and
// wireless mode, the 802.11n rates and the channel frequencies. Each side is written on its own;
// a disagreement here is a fault on one of them.
#include <gtest/gtest.h>

#include <string>

#include "radio/ht/HtRateTable.h"
#include "radio/vocabulary/Channels.h"
#include "sim/emulator/radio/DriverRadio.h"
#include "sim/emulator/radio/DriverTables.h"
#include "station/networks/ChannelFrequency.h"

namespace kavo9::emu {
namespace {

TEST(RadioAgreement, ChannelsOfEveryChipRegionAndMode) {
  for (int chip = 0; chip <= 10; ++chip) {
    for (uint32_t region24 = 0; region24 <= 10; ++region24) {
      for (uint32_t region5 = 0; region5 <= 13; ++region5) {
        const uint32_t word = region5 << kRegion5Shift | region24;
        for (int mode = 0; mode <= 9; ++mode) {
          DriverRadio driver(chip, {.has5G = true, .ht = true}, word);
          driver.LoadWirelessMode(mode);
          ASSERT_EQ(driver.wirelessMode(), mode);
          const std::vector<int> program = radio::BuildAllowedChannels(
              {.regionWord = word, .chipKind = chip, .infrastructure = true, .wirelessMode = mode});
          EXPECT_EQ(driver.ScanChannels(), program)
              << "chip " << chip << ", regions " << region24 << "/" << region5 << ", mode " << mode;
        }
      }
    }
  }
}

TEST(RadioAgreement, HtRatesOfEveryMcsWidthAndGuardInterval) {
  for (int mcs : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 32}) {
    for (bool width40 : {false, true}) {
      for (bool shortGuard : {false, true}) {
        double mbps = 0;
        const bool listed = radio::LookupHtRate(width40, shortGuard, mcs, &mbps);
        const std::string name = std::to_string(mcs) + (width40 ? " at 40 MHz" : " at 20 MHz") +
                                 (shortGuard ? ", short guard" : "");
        EXPECT_EQ(HtRate500k(mcs, width40, shortGuard), listed ? uint32_t(mbps * 2 + 0.5) : 0u)
            << name;
      }
    }
  }
}

TEST(RadioAgreement, ChannelFrequencies) {
  for (const ChannelFrequency& row : ChannelFrequencyTable) {
    EXPECT_EQ(DriverChannelKhz(row.Channel), row.FrequencyKhz) << row.Channel;
  }
  for (int channel : {0, 15, 35, 37, 66, 141, 166, 183, 185, 200}) {
    EXPECT_EQ(DriverChannelKhz(channel), 0u) << channel;
    EXPECT_EQ(ChannelFromFrequency(DriverChannelKhz(channel)), kNoChannel) << channel;
  }
}

}  // namespace
}  // namespace kavo9::emu
