#pragma once
// The station's binding to the supplicant library: it starts and stops the library, binds the
// library's port of the adapter (the one with the adapter's MAC address), turns the last connect
// record into the port's configuration, starts and stops authentication, and turns the port's
// events into the lines of the authentication status list, ending with the post-authentication
// checks.
//
// Threads. The library's callbacks (OnPortEvent) only read the port's state and post the rest
// to the user-interface thread, where the lines are written and the view told; nothing here
// waits on the user-interface thread. PortLock serialises port creation, start, stop and
// release. While the Windows service manages the adapter, events change nothing.

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"
#include "station/dot1x/supplicant/AuthStatusList.h"
#include "station/dot1x/supplicant/CredentialRequests.h"
#include "station/dot1x/supplicant/PacSteps.h"
#include "station/dot1x/supplicant/PortConfig.h"
#include "station/dot1x/supplicant/PostAuthCheck.h"
#include "station/dot1x/supplicant/Supplicant.h"
#include "station/dot1x/supplicant/SupplicantCcx.h"
#include "station/networks/connect/ConnectSeams.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/shell/controller/StationState.h"

namespace kavo9::dot1x {

struct SupplicantBindingParts {
  Supplicant& library;
  DriverPort& driver;
  EventLoop& loop;
  const StationState& state;
};

// What the EAP answers need of the station; each part may be missing.
struct Dot1xEnvironment {
  // The settings switch "EAPFastEnhancement".
  std::function<bool()> eapFastEnhancement;
  // The adapter key's "CurProfile".
  std::function<std::string()> currentProfile;
  // A text value written under the adapter key and, with `profileToo`, under the current
  // profile's key.
  std::function<void(std::string_view name, std::string_view text, bool profileToo)> writeText;
  // The file of this system a Windows path names.
  std::function<std::filesystem::path(std::string_view windowsPath)> hostPath;
  // Where the default PAC files live (a Windows folder; empty: the program's directory).
  std::string pacFolder;
  // The user changed the last record's credentials (on the user-interface thread): the
  // connection's own copy of the record takes them too.
  std::function<void(const connect::ConnectRecord& record)> credentialsChanged;
};

class SupplicantBinding : public SupplicantPort,
                          public connect::ConnectSupplicantPort,
                          private SupplicantEvents,
                          private CredentialHost,
                          private PacHost {
 public:
  explicit SupplicantBinding(SupplicantBindingParts parts);
  ~SupplicantBinding() override;

  // SupplicantPort.
  bool IsRunning() const override { return ready_; }
  bool HasPort() const override { return attached_; }
  void Start() override;
  void ReleasePorts() override { ReleaseSupplicantPort(); }
  void Stop() override { ShutdownSupplicant(); }
  void ClearTextSlots() override { status_.Clear(); }
  void StartPort() override;
  void SetShowStatus(bool show) override { showStatus_ = show; }
  // Gives up the password panel the worker waits for (as Cancel) and closes it.
  void ClosePeapDialog() override;

  // ConnectSupplicantPort.
  void StopPortForConnect() override { pmStop(); }
  bool TakeCredentials(const connect::ConnectRecord& record) override;
  void Start8021X(const connect::ConnectRecord& record) override;
  void TakePassPhrase(const connect::ConnectRecord& record) override;

  bool InitSupplicant();
  bool AttachSupplicantPort(bool retry);
  void ReleaseSupplicantPort();
  void ShutdownSupplicant();
  void BuildPortConfig();
  int pmStart();
  bool pmStop();
  void AddAuthStatusLine(std::string_view text);

  const AuthStatusList& StatusList() const { return status_; }
  // The status view, told each new line's index on the user-interface thread.
  void SetStatusView(std::function<void(int index)> view) { view_ = std::move(view); }
  bool ShowStatus() const { return showStatus_; }
  // The re-entry of credentials after a rejection or a time-out: told the reason (0 time-out,
  // 1 rejected, 2 rejected and the settings ask for it), only for an 802.1X or LEAP record that
  // is not bound to a BSSID. `genericRejected` reads the settings switch for a plain rejection.
  void SetReentry(std::function<void(int reason)> open, std::function<bool()> genericRejected) {
    reentry_ = std::move(open);
    genericRejected_ = std::move(genericRejected);
  }
  int RejectReason() const { return rejectReason_; }
  // Set by the port's events; pictures of the re-entry panel set it directly.
  void SetRejectReason(int reason) { rejectReason_ = reason; }
  bool Authenticated() const { return authenticated_; }
  bool Started() const { return started_; }
  const PortConfig& Config() const { return config_; }

  void SetEnvironment(Dot1xEnvironment env) { env_ = std::move(env); }
  void SetRogueApPort(RogueApPort* port) { requests_.SetHost(this, this, port); }
  // Whether automatic reconnection is on, for the station's new join after a rogue access point.
  void SetAutoReconnect(std::function<bool()> on) { ccx_.SetAutoReconnect(std::move(on)); }
  // The CCX radio options the port took at attach.
  uint32_t RadioConfig() const { return ccx_.RadioConfig(); }
  // The check after the address and IPX lines (the domain controller's).
  void SetPostAuthStep(PostAuthStep* step) { postAuth_.SetFurtherStep(step); }
  // The password panel, opened and closed on the user-interface thread (change: a password
  // change request); it tells PasswordPanelDone how it ended.
  void SetPasswordPanel(std::function<void(bool change)> open, std::function<void()> close) {
    openPanel_ = std::move(open);
    closePanel_ = std::move(close);
  }
  void PasswordPanelDone(bool ok);
  // The last connect record handed over, as the panels read and change it (any thread).
  std::optional<connect::ConnectRecord> RecordCopy() const;
  // Changes the record and tells the environment's credentialsChanged.
  void EditRecord(const std::function<void(connect::ConnectRecord&)>& edit);
  void ClearAuthenticated() { authenticated_ = false; }
  const Dot1xEnvironment& Environment() const { return env_; }

 private:
  void OnPortEvent(int kind) override;
  void OnCredentialRequest(const acCredRequest& request) override;
  // On the user-interface thread: the lines and actions of one event.
  void PortEventCallback(int kind, int state, int status);
  void StateLine(int state, int status);
  void StatusLine(int status);
  void DestroyConfigObjects();
  void TakeRecord(const connect::ConnectRecord& record);
  bool HasRecord() const;
  acObject MakeText(bool identity, const std::string& text);
  acObject MakeCertificate(int kind, const std::vector<uint8_t>& hash);
  // CredentialHost.
  std::string TunnelPassword() override;
  void OpenPasswordPanel(bool change, std::function<void(bool ok)> done) override;
  bool EapFastEnhancement() override;
  // PacHost.
  std::string PacPath() override;
  void SetPacPath(const std::string& path) override;
  std::string DefaultPacPath() override;
  void StorePacPath(const std::string& path) override;
  std::filesystem::path HostPath(std::string_view windowsPath) override;
  void FinishChecks();
  void Reentry(int reason);

  SupplicantBindingParts p_;
  std::mutex portLock_;  // PortLock
  std::shared_ptr<SupplicantBinding*> alive_;
  bool ready_ = false;           // SupplicantReady
  bool attached_ = false;        // PortAttached
  std::atomic<int> handle_ = 0;  // read by the library's callbacks
  acPortAttr attributes_{};
  std::string symbolicName_;
  PortConfig config_;
  acObject psk_ = nullptr;
  bool started_ = false;
  bool authenticated_ = false;
  bool showStatus_ = false;
  mutable std::mutex recordLock_;                 // the record is read by the worker too
  std::optional<connect::ConnectRecord> record_;  // the last connect record handed over
  Dot1xEnvironment env_;
  std::function<void(bool)> openPanel_;
  std::function<void()> closePanel_;
  std::function<void(bool)> panelDone_;  // the worker's wait for the open panel
  AuthStatusList status_;
  std::function<void(int)> view_;
  std::function<void(int)> reentry_;
  std::function<bool()> genericRejected_;
  int rejectReason_ = 0;  // RejectReason
  PostAuthCheck postAuth_;
  SupplicantCcx ccx_;
  CredentialRequests requests_;
};

}  // namespace kavo9::dot1x
