#include "radio/vocabulary/TcpTuning.h"

#include <vector>

#include "common/platform/WinTypes.h"

namespace kavo9::radio {

namespace {

struct TuningValue {
  std::string_view name;
  uint32_t value;
};

constexpr TuningValue kTuning[] = {
    {"TCPWindowSize", 0x10000}, {"SackOpts", 1}, {"TcpMaxDupAcks", 2}, {"Tcp1323Opts", 1}};

}  // namespace

uint32_t TcpipKeyAccess(uint32_t access, int windowsVersionCode, bool wow64) {
  if (windowsVersionCode >= 10 && wow64) access |= KEY_WOW64_64KEY;
  return access;
}

bool TcpTuningOn(RadioStorePort& store) {
  uint32_t type = 0;
  std::vector<uint8_t> data;
  return store.QueryValue(RadioKey::kTcpipParameters, kTuning[0].name, &type, &data);
}

void ApplyTcpTuning(RadioStorePort& store, bool on) {
  for (const TuningValue& v : kTuning) {
    if (on) {
      WriteDword(store, RadioKey::kTcpipParameters, v.name, v.value);
    } else {
      store.StoreDeleteValue(RadioKey::kTcpipParameters, v.name);
    }
  }
}

}  // namespace kavo9::radio
