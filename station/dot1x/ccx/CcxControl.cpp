#include "station/dot1x/ccx/CcxControl.h"

#include "station/dot1x/ccx/CcxSettingsWord.h"

namespace kavo9::ccx {

void CcxControl::SendControl(uint32_t word, bool bssidBound) {
  SendCcxControl(driver_, word, bssidBound);
}

void CcxControl::RefreshControl(bool bssidBound) {
  // A missing word (or adapter key) goes out as 0, in the join's form.
  const CcxWord stored = ReadCcxSettingsWord(registry_, adapter_.Identity().registryKey);
  SendCcxControl(driver_, stored.word, bssidBound);
}

}  // namespace kavo9::ccx
