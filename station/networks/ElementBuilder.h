#pragma once
// Builds 802.11 information elements as the access points in range send them: SSID, rates, DS
// parameter set, RSN, the WPA and WPS vendor elements, HT capabilities and information and their
// pre-standard vendor forms. Used by tests.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "station/networks/BssLayout.h"

namespace kavo9::build {

using Bytes = std::vector<uint8_t>;

// Cipher and key-management suite types (the same numbers under both the RSN and WPA OUIs).
enum : uint8_t {
  kCipherWep40 = 1,
  kCipherTkip = 2,
  kCipherCcmp = 4,
  kCipherWep104 = 5,
  kAkm8021X = 1,
  kAkmPsk = 2,
};

struct Suite {
  ie::Oui Oui;
  uint8_t Type = 0;
};

// Suite lists of an RSN or WPA element. A count override writes a different count than the list
// holds (for malformed elements).
struct SuiteLists {
  Suite Group;
  std::vector<Suite> Pairwise;
  std::vector<Suite> Akm;
  uint16_t Capabilities = 0;
  int PairwiseCountOverride = -1;
  int AkmCountOverride = -1;
};

// A generic element; a body longer than 255 bytes is cut to 255.
Bytes MakeElement(uint8_t id, std::span<const uint8_t> body);
Bytes VendorElement(const ie::Oui& oui, uint8_t type, std::span<const uint8_t> payload);

Bytes SsidElement(std::string_view ssid);
Bytes RatesElement(std::span<const uint8_t> rates);  // 500 kb/s units, bit 7 = basic
Bytes DsParameterElement(uint8_t channel);
Bytes IbssParameterElement(uint16_t atimWindow);             // element 6
Bytes ExtendedRatesElement(std::span<const uint8_t> rates);  // element 50, the rates past 8

// RSN with the 00-0F-AC suites given (version 1).
Bytes RsnElement(const SuiteLists& suites);
// The WPA vendor element 00-50-F2-01 (version 1).
Bytes WpaElement(const SuiteLists& suites);
// Convenience: suites of the given OUI for the common cases.
SuiteLists RsnSuites(std::initializer_list<uint8_t> pairwise, std::initializer_list<uint8_t> akm,
                     uint8_t group);
SuiteLists WpaSuites(std::initializer_list<uint8_t> pairwise, std::initializer_list<uint8_t> akm,
                     uint8_t group);

// WPS attributes: big-endian type, length, value.
struct WpsAttribute {
  uint16_t Type = 0;
  Bytes Value;
};
WpsAttribute WpsU8(uint16_t type, uint8_t value);
WpsAttribute WpsU16(uint16_t type, uint16_t value);
WpsAttribute WpsRaw(uint16_t type, std::span<const uint8_t> value);
// The WPS vendor element 00-50-F2-04 with these attributes in order.
Bytes WpsElement(std::span<const WpsAttribute> attributes);

struct HtCapabilities {
  uint16_t Info = 0;  // HT capability information
  uint8_t AmpduParameters = 0;
  std::array<uint8_t, 16> McsSet{};
  uint16_t ExtendedCapabilities = 0;
  uint32_t TxBeamforming = 0;
  uint8_t Asel = 0;
};
Bytes HtCapabilitiesElement(const HtCapabilities& ht);        // element 45, 26 bytes
Bytes VendorHtCapabilitiesElement(const HtCapabilities& ht);  // 00-90-4C-33, 30 bytes

struct HtInformation {
  uint8_t PrimaryChannel = 0;
  uint8_t Subset1 = 0;   // secondary offset, width, RIFS, PSMP, interval granularity
  uint16_t Subset2 = 0;  // operating mode, non-greenfield, burst limit, OBSS
  uint16_t Subset3 = 0;  // dual beacon, dual CTS, secondary beacon, L-SIG, PCO
  std::array<uint8_t, 16> BasicMcsSet{};
};
Bytes HtInformationElement(const HtInformation& ht);        // element 61, 22 bytes
Bytes VendorHtInformationElement(const HtInformation& ht);  // 00-90-4C-34, 26 bytes

}  // namespace kavo9::build
