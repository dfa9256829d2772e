#include "common/adapter/testing/FakeAdapter.h"

#include <algorithm>
#include <array>

namespace kavo9 {

bool FakeAdapter::DiscoverAdapter() {
  ++discoveries;
  if (!driver_.present) return false;
  identity = found;
  return true;
}

void FakeAdapter::ReadSupportedNetworkTypes() {
  std::array<uint32_t, 5> types{};
  uint32_t returned = 0;
  networkTypes_ = 0;
  if (!driver_.QueryInformation(OID_802_11_NETWORK_TYPES_SUPPORTED, types.data(), sizeof types,
                                &returned) ||
      returned < 4) {
    return;
  }
  const uint32_t count = std::min<uint32_t>({types[0], 4, (returned - 4) / 4});
  for (uint32_t i = 0; i < count; ++i) {
    if (types[1 + i] < 32) networkTypes_ |= 1u << types[1 + i];
  }
}

void FakeAdapter::ReadDriverVersion() {
  uint16_t version = 0;
  driverVersion_ =
      QueryRecord(driver_, OID_GEN_DRIVER_VERSION, &version, sizeof version, sizeof version)
          ? version
          : 0;
}

}  // namespace kavo9
