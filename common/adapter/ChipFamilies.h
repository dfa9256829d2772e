#pragma once
// The chip families the utilities support, their built-in hardware identifier tables and the
// settings-file sections that may list more adapters.
//
// Each utility numbers the families its own way (the soft-AP utility knows QKD100_A and not
// QKE170/QKF170, so the numbers differ from code 6 on); a family's code is the utility's ChipKind.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace kavo9 {

// Which of the two programs is asking.
enum class Utility { kStation, kSoftAp };

enum class AdapterBus { kNone, kUsb, kPci };

// Hardware identifiers are compared on this many leading characters, upper-cased.
inline constexpr size_t kHardwareIdPrefixLength = 21;

struct ChipFamily {
  int code;                     // ChipKind in this utility
  std::string_view name;        // also the device name on Windows 98 SE and Me
  AdapterBus bus;               // kNone: no hardware identifier maps to it
  std::string_view iniSection;  // empty: the settings file cannot list adapters of it
  bool ht;                      // an 802.11n family
  int htVariant;                // the soft-AP utility's 802.11n variant 1-3; 0 otherwise
  // The driver file of each Windows generation: 9x, 2000, XP/Server 2003, Vista 32-bit and
  // Vista 64-bit. Used to find the file whose version the About page shows.
  std::array<std::string_view, 5> driverFiles;
};

// The families of a utility, in code order (10 for the station utility, 9 for the soft-AP one).
std::span<const ChipFamily> ChipFamilyTable(Utility utility);
// Null for a code the utility does not have.
const ChipFamily* FindChipFamily(Utility utility, int code);

struct HardwareIdRow {
  std::string_view prefix;  // 21 upper-case characters
  int code;                 // the utility's chip code
};

// The built-in table of one bus, in row order.
std::span<const HardwareIdRow> HardwareIdTable(Utility utility, AdapterBus bus);

// The settings-file sections with extra adapter lists, in the order they are read.
std::span<const std::string_view> IniDeviceSections(Utility utility);

}  // namespace kavo9
