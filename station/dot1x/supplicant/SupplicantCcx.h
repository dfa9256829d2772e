#pragma once
// The CCX side of the adapter's supplicant port over the library seam: its radio options at
// attach, CCX on or off as the last step of its configuration, and the answer to a rogue
// access-point request (reported, and the station joins again when automatic reconnection is on).

#include <cstdint>
#include <functional>
#include <mutex>

#include "station/dot1x/ccx/CcxPortSetup.h"
#include "station/dot1x/supplicant/RogueApPort.h"
#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

class SupplicantCcx : public RogueApPort, ccx::CcxSupplicantCalls, ccx::CcxErrorReport {
 public:
  explicit SupplicantCcx(Supplicant& library) : library_(library) {}

  // Whether automatic reconnection is on (on when not said).
  void SetAutoReconnect(std::function<bool()> on) { autoReconnect_ = std::move(on); }

  void Attached(int handle, uint32_t ccxVersion);
  void Detached();
  void Configure(const acAssociation& association, uint32_t lastRecordCcxBytes);
  uint32_t RadioConfig() const;

  // RogueApPort, on the credential worker.
  int AnswerRogueApRequest(int handle, const acCredRequest& request) override;

 private:
  int CcxEnable(int handle, int on) override { return library_.CcxEnable(handle, on); }
  int CcxRadioCfg(int handle, uint32_t config) override {
    return library_.CcxRadioCfg(handle, config);
  }
  int CcxGetRadioCfg(int handle, uint32_t* config) override {
    return library_.CcxGetRadioCfg(handle, config);
  }
  int CcxRogueApTimeout(int handle, int seconds) override {
    return library_.CcxRogueApTimeout(handle, seconds);
  }
  int CredCcxRogueAP(int handle, uint32_t id, int report) override {
    return library_.CredCcxRogueAP(handle, id, report);
  }
  int CredComplete(int handle, uint32_t id) override { return library_.CredComplete(handle, id); }
  int PortDisassociate(int handle) override { return library_.PortDisassociate(handle); }
  int PortAssociate(int handle, const acAssociation& association) override {
    return library_.PortAssociate(handle, association);
  }
  // Library errors are named and dropped, as every other library error of the binding.
  void Report(std::string_view, int result) override { library_.ErrorText(result); }

  Supplicant& library_;
  std::function<bool()> autoReconnect_;
  mutable std::mutex lock_;  // the port's view is read on the credential worker
  ccx::CcxPortView port_;
};

}  // namespace kavo9::dot1x
