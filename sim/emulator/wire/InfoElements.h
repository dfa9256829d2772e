#pragma once
// The 802.11 information elements an access point puts in its beacons, encoded the way the
// emulated driver copies them into its scan records: SSID, supported and extended rates, DS and
// IBSS parameter sets, RSN, the WPA, WMM and WPS vendor elements, HT capabilities and HT
// information, and their pre-standard vendor forms.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kavo9::emu::ie {

using Bytes = std::vector<uint8_t>;
using Oui = std::array<uint8_t, 3>;

enum ElementId : uint8_t {
  kSsid = 0,
  kSupportedRates = 1,
  kDsParameterSet = 3,
  kIbssParameterSet = 6,
  kHtCapabilities = 45,
  kRsn = 48,
  kExtendedRates = 50,
  kHtInformation = 61,
  kVendorSpecific = 221,
};

inline constexpr Oui kOuiIeee80211 = {0x00, 0x0F, 0xAC};
inline constexpr Oui kOuiMicrosoft = {0x00, 0x50, 0xF2};  // WPA, WMM, WPS
inline constexpr Oui kOuiDraftHt = {0x00, 0x90, 0x4C};    // HT elements before the standard
enum VendorType : uint8_t {
  kVendorWpa = 1,
  kVendorWmm = 2,
  kVendorWps = 4,
  kVendorDraftHtCapabilities = 0x33,
  kVendorDraftHtInformation = 0x34,
};

// Cipher and key-management suite numbers, the same under both OUIs.
enum SuiteType : uint8_t {
  kCipherTkip = 2,
  kCipherCcmp = 4,
  kAkm8021X = 1,
  kAkmPsk = 2,
};

// WPS attribute types.
enum WpsAttributeType : uint16_t {
  kWpsConfigMethods = 0x1008,
  kWpsDevicePasswordId = 0x1012,
  kWpsUuidE = 0x1047,
  kWpsRfBands = 0x103C,
  kWpsResponseType = 0x103B,
  kWpsSelectedRegistrar = 0x1041,
  kWpsState = 0x1044,
  kWpsVersion = 0x104A,
  kWpsSelectedRegistrarConfigMethods = 0x1053,
  kWpsApSetupLocked = 0x1057,
};

// One element: id, length, body; a body past 255 bytes is cut.
Bytes Element(uint8_t id, std::span<const uint8_t> body);
Bytes Vendor(const Oui& oui, uint8_t type, std::span<const uint8_t> payload);
Bytes Ssid(std::string_view ssid);

// RSN (with capabilities) and WPA bodies: version 1, group suite, pairwise and key-management
// suite lists, all under `oui`.
struct Suites {
  uint8_t group = kCipherCcmp;
  std::vector<uint8_t> pairwise;
  std::vector<uint8_t> akm;
  uint16_t capabilities = 0;
};
Bytes Rsn(const Suites& suites);
Bytes Wpa(const Suites& suites);

// WPS: a vendor element of big-endian type-length-value attributes, in the order added.
class WpsAttributes {
 public:
  WpsAttributes& U8(uint16_t type, uint8_t value);
  WpsAttributes& U16(uint16_t type, uint16_t value);
  WpsAttributes& Raw(uint16_t type, std::span<const uint8_t> value);
  Bytes Element() const;

 private:
  Bytes payload_;
};

// HT capabilities (26-byte body) and HT information (22-byte body).
struct HtCapabilityFields {
  uint16_t info = 0;
  uint8_t ampdu = 0;
  std::array<uint8_t, 16> mcsSet{};
};
struct HtInformationFields {
  uint8_t primaryChannel = 0;
  uint8_t subset1 = 0;   // secondary channel offset, any width
  uint16_t subset2 = 0;  // operating mode, non-greenfield stations present
};
Bytes HtCapabilities(const HtCapabilityFields& fields, bool draftVendorForm = false);
Bytes HtInformation(const HtInformationFields& fields, bool draftVendorForm = false);

}  // namespace kavo9::emu::ie
