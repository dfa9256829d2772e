#pragma once
// The 802.11n transmit settings: the packed word kept as `TransmitSetting`, the 12-byte record
// of OID_VND_HT_PHY_MODE, the MCS choices and the 40 MHz rules.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kavo9::radio {

// The MCS value that lets the driver choose.
inline constexpr int kMcsAuto = 33;

// Extension-channel codes. The station page keeps 0/1/2 (none/above/below); the access point
// writes 0/1/3 (none/above/below). Both are only carried through the word.
inline constexpr uint32_t kExtNone = 0;

struct HtSetting {
  uint32_t wirelessMode = 0;  // 4 bits
  uint32_t mcs = kMcsAuto;    // 7 bits
  uint32_t width40 = 0;       // 1 = 40 MHz
  uint32_t shortGuard = 0;    // 1 = 400 ns
  uint32_t stbc = 0;          // 1 = used
  uint32_t greenfield = 0;    // 1 = greenfield, 0 = mixed mode
  uint32_t extChannel = 0;    // 2-bit code

  bool operator==(const HtSetting&) const = default;
};

// The PHY mode every writer puts into bits 14-15.
inline constexpr uint32_t kHtPhyMode = 2;

// Packs the word: bit 15 always set, every field masked to its width.
uint32_t PackHtSetting(const HtSetting& setting);
// Unpacks a stored word; the PHY mode bits and bits 19-31 are ignored.
HtSetting UnpackHtSetting(uint32_t word);

// OID_VND_HT_PHY_MODE: mode (32-bit), PHY mode, HT mode, extension channel, MCS, width, STBC,
// guard interval, 0.
inline constexpr size_t kHtPhyRecordSize = 12;
using HtPhyRecord = std::array<uint8_t, kHtPhyRecordSize>;

// The whole record from a word, as the access point sends it.
HtPhyRecord BuildHtPhyRecord(uint32_t word);
// Overwrites a record queried from the driver with the word, except the extension channel
// (offset 6) and the last byte, which stay as the driver reported them. This is how the station
// sends its settings: the driver keeps choosing its own extension channel.
void OverlayHtPhyRecord(uint32_t word, HtPhyRecord* record);
// Reads a record back into settings (the driver side of the exchange).
HtSetting HtSettingFromRecord(std::span<const uint8_t, kHtPhyRecordSize> record);

// The MCS choice list in display order: automatic, 0-15, 32.
std::span<const int> McsChoices();
// The entry text: `autoText` for the automatic entry, the decimal number otherwise.
std::string McsText(int mcs, std::string_view autoText);
// The number for an entry text. The automatic text, and any text that is not a decimal number,
// give the automatic value.
int McsFromText(std::string_view text, std::string_view autoText);

// The 40 MHz permissions read from the adapter's EEPROM (station utility). Both start denied.
struct Bw40Permissions {
  bool allowed24G = false;
  bool allowed5G = false;
};

// Where the permissions live in the EEPROM, and the register type of the EEPROM.
inline constexpr uint32_t kEepromRegisterType = 3;
inline constexpr uint32_t kBw40EepromOffset = 0x36;
// An unprogrammed EEPROM word; it leaves the permissions as they were.
inline constexpr uint16_t kEepromBlank = 0xFFFF;

// Takes one EEPROM read into the permission of one band: the 2.4 GHz band is allowed when bit 8
// is clear, the 5 GHz band when bit 9 is clear.
void TakeBw40Eeprom24G(uint16_t value, Bw40Permissions* permissions);
void TakeBw40Eeprom5G(uint16_t value, Bw40Permissions* permissions);

// Modes 7 and 9 need the 2.4 GHz permission for 40 MHz, mode 8 the 5 GHz one; others none.
bool Bw40Permitted(int wirelessMode, const Bw40Permissions& permissions);

// The channel span of a 2.4 GHz region entry such as "2: ETSI, CH1-13": the last channel minus
// the first, read after the first 'H'. A text without a range spans 0.
int RegionTextSpan(std::string_view text);
// The width chosen along with a 2.4 GHz region entry: 40 MHz only when permitted and the region
// spans more than 3 channels.
bool WidthForRegionChoice(int wirelessMode, const Bw40Permissions& permissions,
                          std::string_view regionText);

}  // namespace kavo9::radio
