#include "station/dot1x/supplicant/SupplicantCcx.h"

namespace kavo9::dot1x {

void SupplicantCcx::Attached(int handle, uint32_t ccxVersion) {
  std::lock_guard hold(lock_);
  port_ = {};
  port_.handle = handle;
  port_.ccxVersion = ccxVersion;
  ccx::InitPortRadioConfig(*this, *this, port_);
}

void SupplicantCcx::Detached() {
  std::lock_guard hold(lock_);
  port_ = {};
}

void SupplicantCcx::Configure(const acAssociation& association, uint32_t lastRecordCcxBytes) {
  std::lock_guard hold(lock_);
  port_.association = association;
  if (port_.handle != 0 && port_.ccxVersion != 0) {
    ccx::ConfigurePortCcx(*this, *this, port_, lastRecordCcxBytes);
  }
}

uint32_t SupplicantCcx::RadioConfig() const {
  std::lock_guard hold(lock_);
  return port_.RadioConfig;
}

int SupplicantCcx::AnswerRogueApRequest(int handle, const acCredRequest& request) {
  ccx::CcxPortView port;
  {
    std::lock_guard hold(lock_);
    port = port_;
  }
  port.handle = handle;
  const bool reconnect = autoReconnect_ ? autoReconnect_() : true;
  ccx::AnswerRogueApRequest(*this, *this, port, request.id, reconnect);
  return AC_OK;
}

}  // namespace kavo9::dot1x
