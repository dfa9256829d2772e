#pragma once
// The WPS page's logic: the WPS access points in range, the credential list with its row marks,
// the PIN box, push-button and PIN runs as enrollee or registrar, the 200 ms status poll with the
// status line and the progress, the adapter's push button while the page is open, the connection
// watch, and Connect, Rotate, Delete, Disconnect. The page's window binds to it; every change ends
// with the host's Changed().

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/platform/EventLoop.h"
#include "station/wps/WpsApList.h"
#include "station/wps/WpsPart.h"
#include "station/wps/page/WpsPageIds.h"

namespace kavo9::wpspage {

// A NONCE error restarts a PIN run this many times at most; then the run ends with its text.
inline constexpr int kMaxSessionRestarts = 3;

// The station and the window as the page needs them.
class WpsPageHost {
 public:
  virtual ~WpsPageHost() = default;
  // The program's message box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void RequestScan() = 0;
  // The adapter's wireless mode (the list waits longer after a scan in modes 2 and 3).
  virtual int WirelessMode() const = 0;
  virtual bool MaySetProfiles() const = 0;
  virtual void ShowApDetail(std::span<const uint8_t> record) = 0;
  // The credential detail of `slot`.
  virtual void ShowCredentialDetail(uint32_t slot) = 0;
  // Turns one credential into a station profile (the editor's OK, unseen).
  virtual void ImportCredential(const wps::WpsCredential& credential) = 0;
  // Something the window shows changed.
  virtual void Changed() = 0;
};

struct WpsButtons {
  bool rescan = true, information = false, pin = false, pbc = true, renew = true;
  bool profileDetail = false, connect = false, rotate = false, remove = false, import = false;
  bool band = true, removeShown = true, pinEditable = false;
  bool operator==(const WpsButtons&) const = default;
};

class WpsPage : public wps::WpsPageHooks {
 public:
  WpsPage(EventLoop& loop, wps::WpsPart& part, WpsPageHost& host);
  ~WpsPage() override;
  WpsPage(const WpsPage&) = delete;
  WpsPage& operator=(const WpsPage&) = delete;

  // Commands.
  void Rescan();
  void Information();
  void StartPin();
  void StartPbc();
  void Renew();
  void ChangeConfigMode(int index);
  void ChangeBand(int index);
  void ProfileDetail();
  void Connect();
  void Rotate();
  void StopWps();
  void Delete();
  void Import();
  void SelectAp(int row);
  void SelectProfile(int row);
  void SetPinText(std::string text) { pinText_ = std::move(text); }
  void SetProbeIe(bool on) { probeIe_ = on; }
  void SetAssocIe(bool on) { assocIe_ = on; }
  // The registrar credential was edited in the detail view.
  void CredentialEdited();

  // WpsPageHooks.
  void DisableScanControls() override;
  void OnScanListRead() override;
  void CredentialsChanged() override;

  const std::vector<wps::WpsApRow>& Aps() const { return aps_; }
  int SelectedAp() const { return apSelected_; }
  const wps::WpsCredentialTable& Credentials() const { return part_.State().Table; }
  const std::vector<int>& RowStates() const { return rowStates_; }
  int SelectedProfile() const { return profileSelected_; }
  const std::string& StatusLine() const { return status_; }
  int Progress() const { return progress_; }
  const std::string& PinText() const { return pinText_; }
  bool ProbeIe() const { return probeIe_; }
  bool AssocIe() const { return assocIe_; }
  bool Polling() const { return timers_.IsSet(kTimerPoll); }
  WpsButtons Buttons() const;
  const wps::WpsState& State() const { return part_.State(); }

 private:
  void OnTimer(TimerId id);
  void RefreshApList();
  void FillProfileList();
  void SetRowState(int row, int state);
  // Empties the table for a new session and saves the record.
  void ClearForSession();
  // Stops the 802.1X port and tells the driver: open authentication, disassociate, band.
  void PrepareDriver(bool disassociate);
  void SendSession(const std::array<uint8_t, 56>& start);
  void BeginPolling();
  void EndSession(bool resetProgress);
  void Poll();
  void OnStatus(uint32_t word);
  void TailA();
  void Succeed(const std::string& line);
  void ButtonTick();
  void WatchTick();
  void StartWatch();
  uint32_t ApListDelay() const;
  void Changed() { host_.Changed(); }

  wps::WpsPart& part_;
  WpsPageHost& host_;
  WindowTimers timers_;
  std::vector<wps::WpsApRow> aps_;
  int apSelected_ = -1;
  std::vector<int> rowStates_;
  int profileSelected_ = -1;
  std::string status_;
  int progress_ = 0;
  std::string pinText_;
  uint32_t generatedPin_ = 0;
  bool probeIe_ = true, assocIe_ = true;
  bool rescanRequested_ = false;
  bool scanControlsOff_ = false;
  bool rescanOn_ = true, bandOn_ = true, pbcOn_ = true;
  uint32_t bandChoice_ = wps::kBandAll;  // the band combo's selection
  uint32_t tickCount_ = 1;
  int restarts_ = 0;
};

}  // namespace kavo9::wpspage
