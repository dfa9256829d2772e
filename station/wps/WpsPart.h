#pragma once
// WPS as the rest of the station sees it: the shared WPS state and its registry record, connecting
// with the credentials (in turn while rotating), stopping WPS use, and the controller's WPS timers
// while the WPS page is closed — the adapter's push button (timer 5), the status poll of a session
// the button started (timer 6), the list refresh after it (timer 7) and the credential watch
// (timer 4). While the page is open it does those jobs itself and this part's timers rest.

#include <cstdint>
#include <functional>
#include <span>

#include "common/adapter/DriverPort.h"
#include "station/networks/connect/ConnectSeams.h"
#include "station/networks/queue/ActionQueueSeams.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/wps/WpsRecordStore.h"
#include "station/wps/WpsState.h"

namespace kavo9::wps {

inline constexpr uint32_t kTimerWatch = 4, kTimerButton = 5, kTimerStatus = 6, kTimerList = 7;
inline constexpr uint32_t kWatchMs = 10'000, kButtonMs = 1000, kStatusMs = 200,
                          kListRefreshMs = 20'000;

// The controller's timers 4 to 7.
class WpsTimerPort {
 public:
  virtual ~WpsTimerPort() = default;
  virtual void Start(uint32_t id, uint32_t periodMs) = 0;
  virtual void Stop(uint32_t id) = 0;
};

// The pieces a connect with a credential goes through; bound once the station is put together.
struct WpsLinks {
  connect::ConnectQueuePort* queue = nullptr;
  connect::ConnectSupplicantPort* supplicant = nullptr;
  WpsTimerPort* timers = nullptr;
  // The driver's latest BSS list (a count and the records).
  std::function<std::span<const uint8_t>()> freshList;
  // The shared list read again (after a button session).
  std::function<void()> refreshList;
  // The station profiles take the connection back (WPS use ended).
  std::function<void()> activateStationProfile;
  // The adapter key's "PSMode".
  std::function<uint32_t()> psMode;
};

// What the WPS page takes while it is open.
class WpsPageHooks : public WpsScanPort {
 public:
  // The table changed behind the page's back (a background session).
  virtual void CredentialsChanged() = 0;
};

class WpsPart : public WpsPort, public WpsScanPort, public connect::ConnectWpsPort {
 public:
  WpsPart(DriverPort& driver, WpsRecordStoreParts record) : driver_(driver), record_(record) {}

  void Bind(WpsLinks links) { links_ = std::move(links); }
  WpsState& State() { return state_; }
  const WpsState& State() const { return state_; }
  WpsRecordStore& Record() { return record_; }
  DriverPort& Driver() { return driver_; }
  std::span<const uint8_t> FreshList() const {
    return links_.freshList ? links_.freshList() : std::span<const uint8_t>();
  }
  void StopPort() {
    if (links_.supplicant) links_.supplicant->StopPortForConnect();
  }

  // Connects with slot SelectedCredential (or the next one while rotating); false with an empty
  // table. WPS becomes the active connection either way.
  bool ConnectWithWpsCredentials();
  // Ends WPS use: no rotation, "WSC" 0, disassociated, the station profiles take over.
  void StopWps();
  bool IsConnected();
  // Reads the record; with WPS in use and credentials stored it connects and watches.
  void LoadWpsRecord();
  // The credentials of a finished session: the table and the channel from the driver.
  void TakeSessionCredentials();

  // The WPS page opened or closed: the controller's watch and button poll pause while it is open.
  void PageOpened(WpsPageHooks* page);
  void PageClosed();

  // WpsPort.
  void ClearCredentials() override { state_.ClearCredentials(); }
  void OnTimer(uint32_t id) override;
  bool TakeOverConnection() override {
    LoadWpsRecord();
    return state_.WscInUse;
  }
  // WpsScanPort: handed to the page while it is open.
  void DisableScanControls() override;
  void OnScanListRead() override;
  // connect::ConnectWpsPort.
  bool InUse() const override { return state_.WscInUse; }
  void ClearUse() override { state_.WscInUse = false; }
  bool ExchangeRunning() const override;
  void MarkRotation() override { state_.Rotate = true; }
  std::array<uint8_t, 6> Bssid() const override { return state_.Bssid; }
  uint32_t BandPreference() const override { return state_.Band; }

 private:
  void StartTimer(uint32_t id, uint32_t ms) {
    if (links_.timers) links_.timers->Start(id, ms);
  }
  void StopTimer(uint32_t id) {
    if (links_.timers) links_.timers->Stop(id);
  }
  void PollButton();
  void PollStatus();
  void Watch();

  DriverPort& driver_;
  WpsRecordStore record_;
  WpsLinks links_;
  WpsState state_;
  WpsPageHooks* page_ = nullptr;
  bool backgroundPolling_ = false;
};

}  // namespace kavo9::wps
