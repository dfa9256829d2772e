#include "station/dot1x/ccx/CcxSettingsWord.h"

#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"

namespace kavo9::ccx {

CcxWord ReadCcxSettingsWord(Registry& registry, std::string_view adapterKey) {
  CcxWord result;
  if (adapterKey.empty()) return result;
  ScopedKey key(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, adapterKey, KEY_READ, &key) != ERROR_SUCCESS) {
    return result;
  }
  // Asked for its size first: a value of any type and length is read without a short buffer.
  uint32_t length = 0;
  if (registry.QueryValue(key.get(), kCcxSettingsValue, nullptr, nullptr, &length) !=
      ERROR_SUCCESS) {
    return result;
  }
  std::vector<uint8_t> bytes(length);
  if (length > 0 && registry.QueryValue(key.get(), kCcxSettingsValue, nullptr, bytes.data(),
                                        &length) != ERROR_SUCCESS) {
    return result;
  }
  result.found = true;
  for (size_t i = 0; i < 4 && i < bytes.size() && i < length; ++i) {
    result.word |= uint32_t(bytes[i]) << (8 * i);
  }
  return result;
}

uint32_t CcxControlForJoin(uint32_t word, bool bssidBound) {
  if (!bssidBound) return word;
  return (word & ~(kCcxFastRoamingBit | kCcxRoamThresholdMask)) | (kBssidBoundRoamThreshold << 8);
}

bool SendCcxControl(DriverPort& driver, uint32_t word, bool bssidBound) {
  return SetValue32(driver, OID_VND_CCX_CONTROL, CcxControlForJoin(word, bssidBound));
}

}  // namespace kavo9::ccx
