#pragma once
// Connecting bound to the station: the profile store, the connect steps and the connector, with
// the controller's services they use reached through one small port instead of the process-wide
// controller pointer.

#include <functional>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Platform.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StorePort.h"
#include "radio/AdapterRadio.h"
#include "radio/RadioState.h"
#include "station/networks/connect/ConnectSteps.h"
#include "station/networks/connect/Connector.h"
#include "station/networks/profiles/ProfileStore.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/shell/controller/StationState.h"

namespace kavo9 {

class CHideDlg;

struct StationConnectParts {
  Platform& platform;
  DriverPort& driver;
  const AdapterPort& adapter;
  StorePort& store;
  const SettingsFile& settings;
  const StationState& state;
  const TextPort& texts;
  radio::RadioState& radio;
  radio::AdapterRadio& adapterRadio;
  SupplicantPort& supplicant;
  connect::ConnectSupplicantPort& supplicantConnect;
  connect::ConnectWpsPort& wps;
  CcxPort& ccx;
};

class StationConnect : public connect::ConnectControllerPort, public profiles::ProfileMessagePort {
 public:
  explicit StationConnect(const StationConnectParts& parts);

  // The controller, once it exists, and the program's message box with a text or a language key.
  void SetController(CHideDlg* controller) { controller_ = controller; }
  void SetMessageBox(std::function<void(std::string_view)> show) { show_ = std::move(show); }
  // The action queue, made after this (it runs the connect steps made here).
  void SetQueue(connect::ConnectQueuePort* queue) { queue_.target = queue; }

  connect::Connector& Connector() { return connector_; }
  connect::ConnectSteps& Steps() { return steps_; }
  profiles::ProfileStore& Profiles() { return profiles_; }

  // ConnectControllerPort.
  void ArmKeyErrorWatch() override;
  void StopKeyErrorWatch() override;
  bool KeyErrorWatchArmed() const override;
  void StartAuthentication(bool withStatusView, bool showStatus) override;
  void PublishLastConnectRecord(std::optional<ConnectRecordSummary> record,
                                bool supplicantAvailable) override;
  void RereadRegions() override { adapterRadio_.RefreshChannels(); }
  void ShowMessage(LangKey key) override;
  // ProfileMessagePort.
  void ShowMessage(std::string_view text) override;

 private:
  struct QueueLink : connect::ConnectQueuePort {
    connect::ConnectQueuePort* target = nullptr;
    bool QueueAction(uint32_t kind, std::unique_ptr<ActionPayload> data) override {
      return target && target->QueueAction(kind, std::move(data));
    }
    void RunActionQueue() override {
      if (target) target->RunActionQueue();
    }
  };

  const TextPort& texts_;
  QueueLink queue_;
  radio::AdapterRadio& adapterRadio_;
  CHideDlg* controller_ = nullptr;
  std::function<void(std::string_view)> show_;
  profiles::ProfileStore profiles_;
  connect::ConnectSteps steps_;
  connect::Connector connector_;
};

}  // namespace kavo9
