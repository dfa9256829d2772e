#pragma once
// What the CCX pieces ask of the supplicant library, and where its errors go. The binding
// implements both over its library seam; tests script them.

#include <cstdint>
#include <string_view>

#include "common/platform/AcAuthApi.h"

namespace kavo9::ccx {

class CcxSupplicantCalls {
 public:
  virtual ~CcxSupplicantCalls() = default;
  // acCcxEnable, acCcxRadioCfg, acCcxGetRadioCfg, acCcxRogueApTimeout.
  virtual int CcxEnable(int handle, int on) = 0;
  virtual int CcxRadioCfg(int handle, uint32_t config) = 0;
  virtual int CcxGetRadioCfg(int handle, uint32_t* config) = 0;
  virtual int CcxRogueApTimeout(int handle, int seconds) = 0;
  // acCredCcxRogueAP (`report` nonzero reports the rogue access point) and acCredComplete.
  virtual int CredCcxRogueAP(int handle, uint32_t id, int report) = 0;
  virtual int CredComplete(int handle, uint32_t id) = 0;
  // acPortDisassociate, acPortAssociate.
  virtual int PortDisassociate(int handle) = 0;
  virtual int PortAssociate(int handle, const acAssociation& association) = 0;
};

// The binding's error reporter: the library function's name and its result.
class CcxErrorReport {
 public:
  virtual ~CcxErrorReport() = default;
  virtual void Report(std::string_view function, int result) = 0;
};

}  // namespace kavo9::ccx
