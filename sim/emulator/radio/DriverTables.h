#pragma once
// The driver's own radio tables, written from the driver's side: what each wireless mode
// switches on, the channels of each country region and band for a chip generation, the legacy
// rates, the 802.11n data rates and the two encodings of the 802.11n settings (the
// `TransmitSetting` word the utilities store and the HT PHY record of OID_VND_HT_PHY_MODE).
//
// Nothing here is shared with the programs: when a program's table disagrees with the driver's,
// a test that runs the program against the emulator fails instead of the mistake being mirrored.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kavo9::emu {

// What the adapter's hardware has: the 5 GHz band and 802.11n.
struct RadioCaps {
  bool has5G = false;
  bool ht = false;
};

// What a wireless mode (0-9) turns on.
struct ModeFeatures {
  bool band24 = false;       // scans and joins 2.4 GHz channels
  bool band5 = false;        // scans and joins 5 GHz channels
  bool cck = false;          // 1, 2, 5.5 and 11 Mbit/s on 2.4 GHz
  bool ofdm = false;         // 6 to 54 Mbit/s
  bool htRates = false;      // 802.11n rates with an 802.11n peer
  bool needsHtChip = false;  // only an 802.11n adapter takes the mode
};
// Nullopt for a number that is no wireless mode.
std::optional<ModeFeatures> FeaturesOfMode(int mode);
// The mode a freshly loaded driver starts in.
int DefaultWirelessMode(RadioCaps caps);

// The country-region word: 2.4 GHz region in bits 0-6 (bit 7: fixed by the driver), 5 GHz region
// in bits 8-14 (bit 15: fixed).
inline constexpr uint32_t kRegionCodeMask = 0x7F;
inline constexpr uint32_t kRegion24FixedBit = 0x80;
inline constexpr uint32_t kRegion5Shift = 8;
inline constexpr uint32_t kRegion5FixedBit = 0x8000;

// The channels of a region, in ascending order, for the chip of `chipKind`; empty where the chip
// has none.
std::vector<int> DriverChannels24(int chipKind, uint32_t region);
std::vector<int> DriverChannels5(int chipKind, uint32_t region);
// Centre frequency of a channel in kHz (DSConfig); 0 for a number that is no channel.
uint32_t DriverChannelKhz(int channel);

// Legacy rates in units of 500 kbit/s, lowest first.
std::span<const uint8_t> CckRates();
std::span<const uint8_t> OfdmRates();

// The 802.11n data rate in units of 500 kbit/s, rounded to the nearest unit, computed from the
// subcarriers, the modulation and coding of the MCS and the symbol time; 0 for an MCS that does not
// exist at this width.
uint32_t HtRate500k(int mcs, bool width40, bool shortGuard);

// The MCS value that lets the driver choose.
inline constexpr int kAutoMcs = 33;
// MCS values the driver takes: one or two streams, the 40 MHz duplicate 32, or automatic.
bool DriverTakesMcs(uint32_t mcs);

// The 802.11n settings as the driver keeps them.
struct HtPhy {
  uint32_t wirelessMode = 0;
  uint8_t phyMode = 2;  // the utilities always write 2 (HT)
  bool greenfield = false;
  uint8_t extChannel = 0;
  uint8_t mcs = kAutoMcs;
  bool width40 = false;
  bool stbc = false;
  bool shortGuard = false;
};
inline constexpr uint8_t kHtPhyModeHt = 2;
inline constexpr size_t kHtPhyRecordBytes = 12;
using HtPhyBytes = std::array<uint8_t, kHtPhyRecordBytes>;

// The `TransmitSetting` word: mode bits 0-3, MCS 4-10, width 11, guard interval 12, STBC 13,
// PHY mode 14-15, greenfield 16, extension channel 17-18.
HtPhy DecodeTransmitSetting(uint32_t word);
// The HT PHY record: mode (32 bits), PHY mode, greenfield, extension channel, MCS, width, STBC,
// guard interval, a zero byte. Decoding takes only each field's meaningful bits.
HtPhy DecodeHtPhyRecord(std::span<const uint8_t, kHtPhyRecordBytes> record);
HtPhyBytes EncodeHtPhyRecord(const HtPhy& phy);

// The rate-set record of OID_VND_RATE_SET: count, 12 supported rates, count, 12 extended rates.
inline constexpr size_t kRateSetBytes = 26;
inline constexpr size_t kRateSetSlots = 12;
inline constexpr size_t kDesiredRateBytes = 8;

}  // namespace kavo9::emu
