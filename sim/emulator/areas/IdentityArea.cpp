#include "sim/emulator/areas/IdentityArea.h"

#include <algorithm>
#include <vector>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {

std::span<const uint32_t> IdentityArea::Codes() const {
  static constexpr uint32_t kCodes[] = {OID_GEN_DRIVER_VERSION, OID_802_3_CURRENT_ADDRESS,
                                        OID_VND_EEPROM_VERSION, OID_VND_FIRMWARE_VERSION,
                                        OID_802_11_NETWORK_TYPES_SUPPORTED};
  return kCodes;
}

std::optional<int32_t> IdentityArea::Query(uint32_t code, std::span<uint8_t> out,
                                           uint32_t* written) {
  const AdapterSpec& spec = ctx_.spec;
  switch (code) {
    case OID_GEN_DRIVER_VERSION: {
      const uint8_t v[2] = {uint8_t(spec.driverVersion), uint8_t(spec.driverVersion >> 8)};
      return AnswerBytes(out, written, v);
    }
    case OID_802_3_CURRENT_ADDRESS:
      return AnswerBytes(out, written, spec.mac);
    case OID_VND_EEPROM_VERSION:
      return AnswerBytes(out, written, spec.eepromVersion);
    case OID_VND_FIRMWARE_VERSION:
      return AnswerBytes(out, written, spec.firmwareVersion);
    case OID_802_11_NETWORK_TYPES_SUPPORTED: {
      // A count, then the types of the bands the adapter has.
      std::vector<uint32_t> types;
      if (spec.band24) types.insert(types.end(), {Ndis802_11DS, Ndis802_11OFDM24});
      if (spec.band5) types.push_back(Ndis802_11OFDM5);
      std::fill(out.begin(), out.end(), 0);
      PutLe32(out, 0, uint32_t(types.size()));
      for (size_t i = 0; i < types.size(); ++i) PutLe32(out, 4 + 4 * i, types[i]);
      *written = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace kavo9::emu
