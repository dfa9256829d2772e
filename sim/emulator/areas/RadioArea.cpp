#include "sim/emulator/areas/RadioArea.h"

#include <algorithm>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {

RadioArea::RadioArea(EmulatorContext& context) : ctx_(context) {
  const auto kept = DriverRadio::Codes();
  codes_.assign(kept.begin(), kept.end());
  codes_.insert(codes_.end(), {OID_VND_OP_MODE, OID_VND_RADIO});
}

std::optional<int32_t> RadioArea::Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) {
  if (std::optional<int32_t> status = ctx_.radio.Query(code, out, written)) {
    if (*status == ERROR_SUCCESS) std::fill(out.begin() + *written, out.end(), 0);
    return status;
  }
  if (code == OID_VND_OP_MODE) return Answer32(out, written, ctx_.opMode);
  return std::nullopt;
}

std::optional<int32_t> RadioArea::Set(uint32_t code, std::span<const uint8_t> value) {
  if (std::optional<int32_t> status = ctx_.radio.Set(code, value)) return status;
  const uint32_t v = GetLe32(value, 0);
  switch (code) {
    case OID_VND_OP_MODE:
      if (v != kOpModeStation && v != kOpModeAccessPoint) return ERROR_INVALID_PARAMETER;
      if (v != ctx_.opMode) ctx_.Disconnect();
      ctx_.opMode = v;
      return ERROR_SUCCESS;
    case OID_VND_RADIO:
      // Any value but "off" switches the radio on. Switching it off drops the link; the scan
      // area sees the switch and abandons its scan.
      ctx_.radioOn = v != kRadioOff;
      if (!ctx_.radioOn) ctx_.Disconnect();
      return ERROR_SUCCESS;
    default:
      return std::nullopt;
  }
}

}  // namespace kavo9::emu
