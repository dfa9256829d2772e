#include "radio/blockack/HtOptions.h"

namespace kavo9::radio {
namespace {

// Where each field sits in the registry word: its lowest bit and its width.
struct Field {
  size_t byte;
  int shift;
  int bits;
};
constexpr Field kFields[] = {
    {kHtOptReserved0, 0, 8}, {kHtOptReserved1, 8, 8}, {kHtOptAutoBa, 16, 1},    {kHtOptMpdu, 17, 2},
    {kHtOptDensity, 19, 3},  {kHtOptAmsdu, 22, 1},    {kHtOptAmsduSize, 23, 1}, {kHtOptSmps, 24, 2},
};

constexpr uint32_t Mask(int bits) {
  return (1u << bits) - 1;
}

}  // namespace

uint32_t PackBaCapability(const HtOptionsRecord& record) {
  uint32_t word = 0;
  for (const Field& f : kFields) word |= (record[f.byte] & Mask(f.bits)) << f.shift;
  return word;
}

HtOptionsRecord UnpackBaCapability(uint32_t word) {
  HtOptionsRecord record{};
  for (const Field& f : kFields) record[f.byte] = uint8_t((word >> f.shift) & Mask(f.bits));
  return record;
}

HtOptionsRecord RecordFromState(const HtOptionsState& state) {
  HtOptionsRecord record{};
  record[kHtOptReserved0] = state.reserved0;
  record[kHtOptReserved1] = state.reserved1;
  record[kHtOptMpdu] = state.mpdu ? kMpduOn : kMpduOff;
  record[kHtOptDensity] = uint8_t(state.density & 7);
  record[kHtOptAmsdu] = state.amsdu ? 1 : 0;
  record[kHtOptAmsduSize] = uint8_t(state.amsduLength & 1);
  switch (state.smps) {
    case SmpsChoice::kStatic:
      record[kHtOptSmps] = kSmpsStatic;
      break;
    case SmpsChoice::kDynamic:
      record[kHtOptSmps] = kSmpsDynamic;
      break;
    case SmpsChoice::kSmEnable:
      record[kHtOptSmps] = kSmpsOff;
      break;
  }
  record[kHtOptAutoBa] = state.autoMode ? 1 : 0;
  return record;
}

void TakeRecord(const HtOptionsRecord& record, HtOptionsState* state) {
  state->reserved0 = record[kHtOptReserved0];
  state->reserved1 = record[kHtOptReserved1];
  state->mpdu = record[kHtOptMpdu] == kMpduOn;
  state->density = record[kHtOptDensity] & 7;
  if (record[kHtOptAmsdu] == 1) {
    state->amsdu = true;
    state->amsduLength = record[kHtOptAmsduSize] & 1;
  } else {
    state->amsdu = false;
  }
  switch (record[kHtOptSmps]) {
    case kSmpsStatic:
      state->smps = SmpsChoice::kStatic;
      break;
    case kSmpsDynamic:
      state->smps = SmpsChoice::kDynamic;
      break;
    default:
      state->smps = SmpsChoice::kSmEnable;
      break;
  }
  state->autoMode = record[kHtOptAutoBa] == 1;
}

}  // namespace kavo9::radio
