#pragma once
// The adapter's 802.11n MAC options: the driver's 8-byte record, the registry word
// `BACapability` that packs it, and the page's view of both (check boxes and radio choices).

#include <array>
#include <cstddef>
#include <cstdint>

namespace kavo9::radio {

inline constexpr uint32_t kHtOptionsRecordSize = 8;
using HtOptionsRecord = std::array<uint8_t, kHtOptionsRecordSize>;

// Byte positions of the record.
enum HtOptionsByte : size_t {
  kHtOptReserved0 = 0,  // kept as read
  kHtOptReserved1 = 1,  // kept as read
  kHtOptMpdu = 2,       // MPDU aggregation: kMpduOn or kMpduOff
  kHtOptDensity = 3,    // MPDU density 0-7
  kHtOptAmsdu = 4,      // A-MSDU: 1 on, 0 off
  kHtOptAmsduSize = 5,  // A-MSDU maximum length: 0 = 3839 bytes, 1 = 7935 bytes
  kHtOptSmps = 6,       // spatial multiplexing power save: see SmpsCode
  kHtOptAutoBa = 7,     // aggregation mode: 1 automatic, 0 manual
};

inline constexpr uint8_t kMpduOn = 1, kMpduOff = 2;
// Power-save codes of the record.
inline constexpr uint8_t kSmpsStatic = 0, kSmpsDynamic = 1, kSmpsOff = 3;

// The record packed into the registry word and back. Fields wider than their bits are cut to them.
uint32_t PackBaCapability(const HtOptionsRecord& record);
HtOptionsRecord UnpackBaCapability(uint32_t word);

// The page's choices. The power-save radios in page order: "SM enable", "Static SMPS",
// "Dynamic SMPS".
enum class SmpsChoice { kSmEnable = 0, kStatic = 1, kDynamic = 2 };

// Until the registry or the driver says otherwise: aggregation on in automatic mode, as a freshly
// installed driver runs.
struct HtOptionsState {
  bool mpdu = true;
  bool autoMode = true;  // the "Auto" radio; "Manual" otherwise
  int density = 0;       // 0-7
  bool amsdu = false;
  int amsduLength = 0;  // 0 = "Max: 3839", 1 = "Max: 7935"
  SmpsChoice smps = SmpsChoice::kSmEnable;
  uint8_t reserved0 = 0, reserved1 = 0;

  bool operator==(const HtOptionsState&) const = default;
};

HtOptionsRecord RecordFromState(const HtOptionsState& state);
// Takes `record` into `state`. With A-MSDU off the length choice keeps what it was; a power-save
// code the page has no radio for reads as "SM enable".
void TakeRecord(const HtOptionsRecord& record, HtOptionsState* state);

}  // namespace kavo9::radio
