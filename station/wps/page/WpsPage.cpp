#include "station/wps/page/WpsPage.h"

#include "common/adapter/RequestCatalogue.h"
#include "station/wps/WpsPin.h"

namespace kavo9::wpspage {

using wps::ConfigMode;
using wps::RunMode;

WpsPage::WpsPage(EventLoop& loop, wps::WpsPart& part, WpsPageHost& host)
    : part_(part), host_(host), timers_(loop, [this](TimerId id) { OnTimer(id); }) {
  wps::WpsState& s = part_.State();
  part_.PageOpened(this);
  bandChoice_ = s.Band;
  timers_.Set(kTimerApList, ApListDelay());
  generatedPin_ = wps::MakePin().value_or(0);
  if (!s.Registrar()) s.PinCode = generatedPin_;
  pinText_ = wps::PinText(s.PinCode);
  FillProfileList();
  tickCount_ = 1;
  if (s.WscInUse && !s.Table.Empty()) timers_.Set(kTimerWatch, kWatchMs);
  timers_.Set(kTimerButton, kButtonMs);
}

WpsPage::~WpsPage() {
  timers_.KillAll();
  part_.PageClosed();
}

uint32_t WpsPage::ApListDelay() const {
  const int mode = host_.WirelessMode();
  return (mode == 2 || mode == 3) ? kApListSlowMs : kApListMs;
}

void WpsPage::OnTimer(TimerId id) {
  switch (id) {
    case kTimerApList:
      RefreshApList();
      timers_.Kill(kTimerApList);
      rescanOn_ = true;
      scanControlsOff_ = false;
      break;
    case kTimerPoll:
      Poll();
      break;
    case kTimerWatch:
      WatchTick();
      break;
    case kTimerButton:
      ButtonTick();
      break;
    default:
      break;
  }
  Changed();
}

WpsButtons WpsPage::Buttons() const {
  const wps::WpsState& s = part_.State();
  const bool scanOk = !scanControlsOff_;
  const bool profile = profileSelected_ >= 0;
  const bool may = host_.MaySetProfiles();
  WpsButtons b;
  b.rescan = rescanOn_ && scanOk;
  b.information = apSelected_ >= 0 && scanOk;
  b.pin = apSelected_ >= 0 && scanOk;
  b.pbc = pbcOn_ && scanOk;
  b.renew = !s.Registrar();
  b.profileDetail = (profile || (s.Registrar() && !s.Table.Empty())) && scanOk;
  b.connect = profile && scanOk;
  b.rotate = !s.Table.Empty() && scanOk;
  b.remove = profile && may;
  b.removeShown = !s.Registrar();
  b.import = !s.Table.Empty() && may;
  b.band = bandOn_;
  b.pinEditable = s.Registrar();
  return b;
}

// ---- The lists -----------------------------------------------------------------------------

void WpsPage::RefreshApList() {
  wps::WpsState& s = part_.State();
  aps_ = wps::BuildWpsApList(part_.FreshList(), s.Band);
  if (aps_.empty() && rescanRequested_) {
    // Nothing on the preferred band: show every band once.
    rescanRequested_ = false;
    s.Band = wps::kBandAll;
    aps_ = wps::BuildWpsApList(part_.FreshList(), s.Band);
  }
  if (!aps_.empty()) rescanRequested_ = false;
  s.Band = bandChoice_;
  apSelected_ = aps_.empty() ? -1 : 0;
}

void WpsPage::FillProfileList() {
  wps::WpsState& s = part_.State();
  s.SelectedCredential = s.RotationIndex = 0;
  rowStates_.assign(s.Table.Count, -1);
  profileSelected_ = s.Table.Empty() ? -1 : 0;
}

void WpsPage::SetRowState(int row, int state) {
  std::fill(rowStates_.begin(), rowStates_.end(), -1);
  if (row >= 0 && size_t(row) < rowStates_.size()) rowStates_[size_t(row)] = state;
}

void WpsPage::SelectAp(int row) {
  apSelected_ = (row >= 0 && size_t(row) < aps_.size()) ? row : -1;
  Changed();
}

void WpsPage::SelectProfile(int row) {
  profileSelected_ = (row >= 0 && uint32_t(row) < part_.State().Table.Count) ? row : -1;
  Changed();
}

void WpsPage::DisableScanControls() {
  scanControlsOff_ = true;
  Changed();
}

void WpsPage::OnScanListRead() {
  RefreshApList();
  scanControlsOff_ = false;
  Changed();
}

void WpsPage::CredentialsChanged() {
  FillProfileList();
  Changed();
}

void WpsPage::CredentialEdited() {
  FillProfileList();
  part_.Record().SaveWscInUse(part_.State());
  part_.Record().SaveWpsRecord(part_.State());
  Changed();
}

// ---- Commands ------------------------------------------------------------------------------

void WpsPage::Rescan() {
  rescanRequested_ = true;
  scanControlsOff_ = true;
  host_.RequestScan();
  timers_.Set(kTimerApList, ApListDelay());
  Changed();
}

void WpsPage::Information() {
  if (apSelected_ < 0) {
    host_.ShowMessage("IDS_NOSELECTEDITEM");
    return;
  }
  host_.ShowApDetail(aps_[size_t(apSelected_)].Record);
}

void WpsPage::Renew() {
  wps::WpsState& s = part_.State();
  if (s.Registrar()) return;
  generatedPin_ = wps::MakePin().value_or(generatedPin_);
  s.PinCode = generatedPin_;
  pinText_ = wps::PinText(s.PinCode);
  part_.Record().SaveWpsRecord(s);
  Changed();
}

void WpsPage::ChangeConfigMode(int index) {
  wps::WpsState& s = part_.State();
  if (index < 0 || index > 1 || uint32_t(index) == uint32_t(s.Mode)) return;
  StopWps();
  s.Mode = ConfigMode(index);
  s.ClearCredentials();
  FillProfileList();
  if (s.Registrar()) {
    std::array<uint8_t, 6> mac{};
    QueryValue(part_.Driver(), OID_802_3_CURRENT_ADDRESS, &mac);
    if (auto credential = wps::BuildRegistrarCredential(mac)) s.Table.Add(*credential);
  } else {
    s.PinCode = generatedPin_;
  }
  pinText_ = wps::PinText(s.PinCode);
  part_.Record().SaveWpsRecord(s);
  FillProfileList();
  Changed();
}

void WpsPage::ChangeBand(int index) {
  if (index < 0 || index > int(wps::kBandAll)) return;
  wps::WpsState& s = part_.State();
  s.Band = bandChoice_ = uint32_t(index);
  Rescan();
  SetValue32(part_.Driver(), OID_VND_WPS_BAND, s.Band);
  part_.Record().SaveWpsRecord(s);
}

void WpsPage::ProfileDetail() {
  const wps::WpsState& s = part_.State();
  if (s.Registrar()) {
    if (!s.Table.Empty()) host_.ShowCredentialDetail(0);
    return;
  }
  if (profileSelected_ >= 0) host_.ShowCredentialDetail(uint32_t(profileSelected_));
}

void WpsPage::Connect() {
  wps::WpsState& s = part_.State();
  s.Rotate = false;
  tickCount_ = 1;
  EndSession(false);
  if (profileSelected_ < 0) return Changed();
  s.SelectedCredential = uint32_t(profileSelected_);
  s.WscInUse = true;
  SetRowState(profileSelected_, 1);
  part_.Record().SaveWscInUse(s);
  StartWatch();
  Changed();
}

void WpsPage::Rotate() {
  wps::WpsState& s = part_.State();
  s.Rotate = true;
  tickCount_ = 1;
  s.WscInUse = true;
  SetRowState(int(s.SelectedCredential), 1);
  part_.Record().SaveWscInUse(s);
  StartWatch();
  Changed();
}

void WpsPage::StartWatch() {
  if (part_.State().Table.Empty()) return;
  part_.ConnectWithWpsCredentials();
  timers_.Set(kTimerWatch, kWatchMs);
}

void WpsPage::Delete() {
  wps::WpsState& s = part_.State();
  if (profileSelected_ < 0 || !s.Table.Delete(uint32_t(profileSelected_))) return;
  if (s.Table.Empty()) {
    s.Bssid = {};
    s.Channel = wps::kDefaultChannel;
  }
  part_.Record().SaveWpsRecord(s);
  const bool wasInUse = uint32_t(profileSelected_) == s.SelectedCredential;
  FillProfileList();
  if (!s.Rotate && s.WscInUse && wasInUse) StopWps();
  Changed();
}

void WpsPage::Import() {
  const wps::WpsCredentialTable table = part_.State().Table;
  for (uint32_t i = 0; i < table.Count; ++i) host_.ImportCredential(table.Slots[i]);
}

void WpsPage::StopWps() {
  EndSession(true);
  part_.StopWps();
  status_ = "WPS status is disconnected";
  SetRowState(-1, -1);
  Changed();
}

}  // namespace kavo9::wpspage
