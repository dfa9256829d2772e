#pragma once
// The adapter's driver requests in the two shapes the libraries take them: the action queue and
// site survey's, and the radio settings'. Both go through the controller's adapter port.

#include "radio/RadioPorts.h"
#include "station/networks/queue/ActionQueueSeams.h"
#include "station/shell/controller/ControllerSeams.h"

namespace kavo9 {

class AdapterRequests : public DriverRequests, public radio::DriverRequests {
 public:
  explicit AdapterRequests(AdapterPort& adapter) : adapter_(adapter) {}
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                        uint32_t* bytesReturned) override {
    return adapter_.QueryInformation(oid, buffer, length, bytesReturned);
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int attempts) override {
    return adapter_.SetInformation(oid, buffer, length, attempts);
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, uint32_t* bytesReturned,
                      int attempts) override {
    if (bytesReturned) *bytesReturned = 0;
    return adapter_.SetInformation(oid, buffer, length, attempts);
  }
  bool IsAdapterPresent() override { return adapter_.IsAdapterPresent(); }

 private:
  AdapterPort& adapter_;
};

}  // namespace kavo9
