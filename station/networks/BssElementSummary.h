#pragma once
// What the information elements of one BSS record say: security, CCX flags, the WPS summary, the
// 802.11n fields and the beacon interval. A record is decoded once into a BssElementSummary; the
// texts the pages show and compare are produced from it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "station/networks/BssRecord.h"

namespace kavo9 {

struct SecurityFlags {
  bool Wpa = false, WpaPsk = false, WpaNone = false;
  bool Wpa2 = false, Wpa2Psk = false, Wpa2None = false;
  bool Tkip = false, Aes = false;

  bool Any() const {
    return Wpa || WpaPsk || WpaNone || Wpa2 || Wpa2Psk || Wpa2None || Tkip || Aes;
  }
};

struct CcxFlags {
  bool Cckm = false, Cmic = false, Ckip = false;
};

// The WPS element's attributes, as the texts the WPS pages show. Empty fields read "Unknown" in
// the text form.
struct WpsInfo {
  static constexpr size_t kTextFields = 8;
  enum Field : size_t {
    ConfigMethods,
    DevicePasswordId,
    SelectedRegistrar,
    State,
    Version,
    ApSetupLocked,
    UuidE,
    RfBands
  };
  std::array<std::string, kTextFields> Fields;
  bool Present = false;  // the record carries the WPS vendor element
};

// The 55 fields of the 802.11n table, each a number; flag fields hold 0 or 1.
struct HtInfo {
  static constexpr size_t kFieldCount = 55;
  enum class Kind : uint8_t { Flag, Number };
  struct FieldInfo {
    std::string_view Name;
    Kind Type;
  };
  static const std::array<FieldInfo, kFieldCount> kFields;

  using FieldValues = std::array<int32_t, kFieldCount>;
  FieldValues Values{};

  bool HtCapabilityPresent() const { return Values[4] != 0; }
  bool HtInformationPresent() const { return Values[54] != 0; }
};

struct BssElementSummary {
  SecurityFlags Security;
  CcxFlags Ccx;
  WpsInfo Wps;
  HtInfo Ht;
  uint16_t BeaconInterval = 0;
};

// Decodes the record's elements. A record that is not well formed, shorter than 121 bytes or with
// fewer than 16 element bytes yields the empty summary (its beacon interval is still read when
// the record holds it).
BssElementSummary DecodeBssElements(const BssRecordView& record);

// The text forms, exactly as the pages show and compare them.
std::string SecuritySummaryText(const SecurityFlags& security);  // e.g. "WPA-PSK+WPA2-PSK;TKIP+AES"
std::string AuthenticationText(const SecurityFlags& security);   // the part before ";"
std::string CipherText(const SecurityFlags& security);           // the part after ";"
std::string CcxSummaryText(const CcxFlags& ccx);                 // "TRUE;FALSE;FALSE"
std::string WpsSummaryText(const WpsInfo& wps);                  // nine fields joined by ";"
std::string WpsFieldText(const WpsInfo& wps, size_t field);  // fields 0..8, "Unknown" when empty
std::string HtSummaryText(const HtInfo& ht);                 // 55 fields joined by ";"
std::string HtFieldText(const HtInfo& ht, size_t field);     // "TRUE"/"FALSE" or decimal

enum class BssSummaryPart : int {
  Security = 0,
  Ccx = 1,
  Wps = 2,
  Ht = 3,
  BeaconInterval = 4,
};

// One part of the summary as text; any other part number yields the empty text.
std::string SummaryPartText(const BssElementSummary& summary, int part);
// Decodes the record and returns one part as text. Readers that need several parts of the same
// record decode once with DecodeBssElements instead.
std::string DecodeElements(const BssRecordView& record, int part);

}  // namespace kavo9
