#pragma once
// The parts of the station utility that are not built yet, each one explicit class that does
// nothing. The pieces that use them get these by reference like any real part, so nothing is
// silently missing: NullParts::Names() lists what is still null, and a test keeps that list.

#include <string_view>
#include <vector>

#include "station/networks/queue/ActionQueueSeams.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9 {

// Connecting with profiles and the last connect record, and the queue's connect steps.
struct NullConnect : ConnectPort, ConnectStepsPort, LastConnectRecordPort {
  bool AutoReconnect() const override { return false; }
  bool HasLastConnectRecord() const override { return false; }
  void SetStartupFlag() override {}
  void SetActiveProfileName(std::string_view) override {}
  bool ConnectActiveProfile(int) override { return false; }
  bool RequeueLastRecord() override { return false; }
  void UpdateReconnectTick(uint32_t* tick) override { ++*tick; }
  bool ReconnectCheck(uint32_t, uint32_t) override { return false; }
  void FreeLastConnectRecord() override {}
  void SetAutoReconnect(bool) override {}
  void ClearSurveyConnectMarks() override {}
  void MarkNotThroughProfile() override {}
  bool ConnectedThroughProfile() const override { return false; }
  std::string ActiveProfileSsid() const override { return {}; }
  void CompleteConnection(const SurveySelection&) override {}
  bool HasCurrentConnection() override { return false; }
  void RequeueCurrentConnection() override {}
  void RunConnectRecord(ActionPayload&) override {}
  void RunConnectSsid(const SsidPayload&) override {}
  void RunConnectBssid(const BssidPayload&) override {}
  void StoreCopy(const ActionPayload&) override {}
  bool NeedsUnstoredCredentials() const override { return false; }
};

// The 802.1X supplicant binding.
struct NullSupplicant : SupplicantPort {
  bool IsRunning() const override { return false; }
  bool HasPort() const override { return false; }
  void Start() override {}
  void ReleasePorts() override {}
  void Stop() override {}
  void ClearTextSlots() override {}
  void StartPort() override {}
  void SetShowStatus(bool) override {}
  void ClosePeapDialog() override {}
};

// Wi-Fi Protected Setup: its timers, its credentials and its page's scan controls.
struct NullWps : WpsPort, WpsScanPort {
  void ClearCredentials() override {}
  void OnTimer(uint32_t) override {}
  void DisableScanControls() override {}
  void OnScanListRead() override {}
};

struct NullProfileEditor : ProfileEditorPort {
  void OpenFromSurvey(const SurveySelection&) override {}
  void RadioSettingsChanged() override {}
};

struct NullSecurityEditor : SecurityEditorPort {
  void Show(const SurveySelection&) override {}
};

struct NullCcx : CcxPort {
  void RefreshControl() override {}
};

struct NullParts {
  NullConnect connect;
  NullSupplicant supplicant;
  NullWps wps;
  NullProfileEditor profileEditor;
  NullSecurityEditor securityEditor;
  NullCcx ccx;

  // The parts still null, by the name of the piece that will fill them.
  static std::vector<std::string_view> Names() {
    return {"connect", "supplicant", "wps", "profileEditor", "securityEditor", "ccx"};
  }
};

}  // namespace kavo9
