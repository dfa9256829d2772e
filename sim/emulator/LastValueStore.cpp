#include "sim/emulator/LastValueStore.h"

#include <algorithm>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

constexpr uint32_t kKept[] = {
    // Link settings the connect sequence sends.
    OID_VND_PREAMBLE, OID_802_11_POWER_MODE, OID_VND_POWER_MODE_EX, OID_VND_TX_POWER,
    OID_802_11_FRAGMENTATION_THRESHOLD, OID_802_11_RTS_THRESHOLD, OID_VND_PROFILE_OPTION_FLAG,
    OID_VND_PROFILE_KIND_FLAG, OID_VND_CCX_CONTROL,
    // Register tuning beside the register files.
    OID_VND_RF_REGISTERS, OID_VND_BBP_TUNING,
    // WPS switches.
    OID_VND_WPS_MODE, OID_VND_WPS_ASSOC_IE, OID_VND_WPS_PROBE_IE, OID_VND_WPS_AUTO_AP,
    OID_VND_WPS_BAND, OID_VND_WPS_CONNECT};

// What the driver reports before anything was set.
struct Default {
  uint32_t code;
  uint32_t value;
};
constexpr Default kDefaults[] = {
    {OID_VND_TX_POWER, 100},  // percent
    {OID_802_11_FRAGMENTATION_THRESHOLD, 2346},
    {OID_802_11_RTS_THRESHOLD, 2347},
};

}  // namespace

bool LastValueStore::Keeps(uint32_t code) {
  return std::find(std::begin(kKept), std::end(kKept), code) != std::end(kKept);
}

std::span<const uint32_t> LastValueStore::Codes() {
  return kKept;
}

void LastValueStore::Load() {
  values_.clear();
  for (const Default& d : kDefaults) {
    std::vector<uint8_t> bytes(4);
    PutLe32(bytes, 0, d.value);
    values_[d.code] = bytes;
  }
}

int32_t LastValueStore::Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) const {
  auto it = values_.find(code);
  if (it == values_.end()) return AnswerBytes(out, written, {});
  return AnswerBytes(out, written, it->second);
}

int32_t LastValueStore::Set(uint32_t code, std::span<const uint8_t> value) {
  values_[code].assign(value.begin(), value.end());
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
