#include "radio/vocabulary/CcxControlWord.h"

namespace kavo9::radio {

namespace {
constexpr uint32_t kDefaultLimitMs = 250;
constexpr uint32_t kMaxLimitMs = 2000;
constexpr int kDefaultThresholdDbm = -70;
}  // namespace

uint32_t PackCcx2Control(const CcxSettings& s) {
  uint32_t word = 0;
  if (s.enabled) {
    word |= 1;
    if (s.cckm) word |= 1u << 1;
    if (s.radioMeasurements) {
      word |= 1u << 2;
      if (s.nonServingMeasurements) word |= 1u << 3;
    }
    if (s.qos) word |= 1u << 4;
    word |= (s.nonServingLimitMs & 0xFFFF) << 16;
  } else {
    word |= kDefaultLimitMs << 16;
  }
  if (s.fastRoaming) {
    word |= 1u << 5;
    word |= (uint32_t(-s.roamThresholdDbm) & 0xFF) << 8;
  }
  return word;
}

CcxSettings UnpackCcx2Control(uint32_t word) {
  CcxSettings s;
  s.enabled = word & 1;
  s.cckm = word & (1u << 1);
  s.radioMeasurements = word & (1u << 2);
  s.nonServingMeasurements = word & (1u << 3);
  s.qos = word & (1u << 4);
  s.fastRoaming = word & (1u << 5);
  uint32_t limit = word >> 16;
  s.nonServingLimitMs = limit > kMaxLimitMs ? kDefaultLimitMs : limit;
  int threshold = int((word >> 8) & 0xFF);
  s.roamThresholdDbm = threshold < 40 || threshold > 90 ? kDefaultThresholdDbm : -threshold;
  return s;
}

std::string_view ValidateCcxSettings(const CcxSettings& s) {
  if (s.roamThresholdDbm < -90 || s.roamThresholdDbm > -40) return "IDS_INVALID_DBM";
  if (s.nonServingLimitMs > kMaxLimitMs) return "IDS_INVALID_MEASURE_TIME";
  return {};
}

}  // namespace kavo9::radio
