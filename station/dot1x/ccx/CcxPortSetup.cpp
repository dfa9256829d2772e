#include "station/dot1x/ccx/CcxPortSetup.h"

#include "station/dot1x/ccx/CcxSettingsWord.h"

namespace kavo9::ccx {

void InitPortRadioConfig(CcxSupplicantCalls& library, CcxErrorReport& errors, CcxPortView& port) {
  port.RadioConfig = 0;
  if (port.ccxVersion == 0) return;
  port.RadioConfig = kAttachRadioConfig;
  const int result = library.CcxRadioCfg(port.handle, port.RadioConfig);
  if (result == kRadioConfigRefused || result == kRadioConfigNoDevice) {
    port.RadioConfig = 0;
    return;
  }
  if (result != 0 && result != kRadioConfigKept) {
    errors.Report("acCcxRadioCfg", result);
    return;
  }
  if (result == kRadioConfigKept) {
    const int read = library.CcxGetRadioCfg(port.handle, &port.RadioConfig);
    if (read != 0 && read != kRadioConfigKept) {
      errors.Report("acCcxGetRadioCfg", read);
      return;
    }
  }
  if (const int cleared = library.CcxRadioCfg(port.handle, 0); cleared != 0) {
    errors.Report("acCcxRadioCfg", cleared);
  }
}

void ConfigurePortCcx(CcxSupplicantCalls& library, CcxErrorReport& errors, const CcxPortView& port,
                      uint32_t lastRecordCcxBytes) {
  if (port.ccxVersion == 0) return;
  if ((lastRecordCcxBytes & kCcxEnabledBit) == 0) {
    if (const int r = library.CcxEnable(port.handle, 0); r != 0) errors.Report("acCcxEnable", r);
    return;
  }
  if (const int r = library.CcxEnable(port.handle, 1); r != 0) errors.Report("acCcxEnable", r);
  if (const int r = library.CcxRadioCfg(port.handle, kCcxRadioConfig); r != 0) {
    errors.Report("acCcxRadioCfg", r);
  }
  if (const int r = library.CcxRogueApTimeout(port.handle, kRogueApTimeoutSeconds); r != 0) {
    errors.Report("acCcxRogueApTimeout", r);
  }
}

bool AnswerRogueApRequest(CcxSupplicantCalls& library, CcxErrorReport& errors,
                          const CcxPortView& port, uint32_t requestId, bool autoReconnect) {
  if (const int r = library.PortDisassociate(port.handle); r != 0) {
    errors.Report("acPortDisassociate", r);
  }
  const int reported = library.CredCcxRogueAP(port.handle, requestId, 1);
  if (reported != 0) {
    errors.Report("acCredCcxRogueAP", reported);
    // An answer that was already given still needs the request completed.
    if (reported != AC_ERR_ALREADY_ANSWERED) return false;
  }
  const int completed = library.CredComplete(port.handle, requestId);
  if (completed != 0) {
    errors.Report("acCredComplete", completed);
    return false;
  }
  if (reported != 0 || !autoReconnect) return false;
  if (const int r = library.PortAssociate(port.handle, port.association); r != 0) {
    errors.Report("acPortAssociate", r);
  }
  return true;
}

}  // namespace kavo9::ccx
