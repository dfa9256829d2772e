// The WPS page's sessions: starting a push-button or PIN run, the adapter's button, the status
// poll and what each status code leads to, the end of a session and the connection watch.

#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "station/wps/WpsPin.h"
#include "station/wps/WpsStatusTable.h"
#include "station/wps/page/WpsPage.h"

namespace kavo9::wpspage {

using wps::RunMode;

namespace {

constexpr uint32_t kStartPin = 0x10000000, kStartPbc = 0x20000000;
constexpr uint8_t kRoleEnrollee = 1, kRoleRegistrar = 2;
constexpr int kStartProgress = 5;

void PutLe32(uint8_t* at, uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(v >> (8 * i));
}

}  // namespace

void WpsPage::ClearForSession() {
  wps::WpsState& s = part_.State();
  s.ClearCredentials();
  part_.Record().SaveWpsRecord(s);
  FillProfileList();
}

void WpsPage::PrepareDriver(bool disassociate) {
  part_.StopPort();
  DriverPort& d = part_.Driver();
  SetValue32(d, OID_802_11_AUTHENTICATION_MODE, 0);
  if (!disassociate) return;
  d.SetInformation(OID_802_11_DISASSOCIATE, nullptr, 0, kSetAttempts);
  SetValue32(d, OID_VND_WPS_BAND, part_.State().Band);
}

void WpsPage::SendSession(const std::array<uint8_t, 56>& start) {
  DriverPort& d = part_.Driver();
  d.SetInformation(OID_VND_WPS_START, start.data(), uint32_t(start.size()), kSetAttempts);
  const auto table = wps::EncodeTable(part_.State().Table);
  d.SetInformation(OID_VND_WPS_CREDENTIALS, table.data(), uint32_t(table.size()), kSetAttempts);
  SetValue32(d, OID_VND_WPS_ASSOC_IE, assocIe_ ? 1 : 0);
  SetValue32(d, OID_VND_WPS_PROBE_IE, probeIe_ ? 1 : 0);
  BeginPolling();
}

void WpsPage::StartPbc() {
  wps::WpsState& s = part_.State();
  s.RunCompleted = false;
  s.Run = RunMode::kPbc;
  s.WscInUse = true;
  restarts_ = 0;
  EndSession(false);
  PrepareDriver(true);
  if (!s.Registrar()) ClearForSession();
  status_ = "Start PBC connection";
  pbcOn_ = false;
  std::array<uint8_t, 56> start{};
  PutLe32(start.data(), kStartPbc);
  start[55] = s.Registrar() ? kRoleRegistrar : kRoleEnrollee;
  SendSession(start);
  Changed();
}

void WpsPage::StartPin() {
  wps::WpsState& s = part_.State();
  uint32_t pin = 0;
  switch (wps::CheckPinText(pinText_, &pin)) {
    case wps::PinCheck::kWrongLength:
      return host_.ShowMessage("Invaild Pin Code");
    case wps::PinCheck::kWrongChecksum:
      return host_.ShowMessage("Pin Code error");
    case wps::PinCheck::kValid:
      break;
  }
  s.PinCode = pin;
  part_.Record().SaveWpsRecord(s);
  s.RunCompleted = false;
  s.Run = RunMode::kPin;
  s.AutoApIndex = apSelected_;
  s.WscInUse = true;
  EndSession(false);
  PrepareDriver(true);
  if (s.AutoApIndex < 0 || size_t(s.AutoApIndex) >= aps_.size()) return Changed();
  if (!s.Registrar()) ClearForSession();
  const wps::WpsTarget target = wps::TargetOf(aps_[size_t(s.AutoApIndex)]);
  status_ = "Start PIN connection - " + std::string(target.Ssid.begin(), target.Ssid.end());
  std::array<uint8_t, 56> start{};
  PutLe32(start.data(), kStartPin);
  std::memcpy(start.data() + 4, wps::PinText(s.PinCode).data(), 8);
  PutLe32(start.data() + 12, uint32_t(target.Ssid.size()));
  std::memcpy(start.data() + 16, target.Ssid.data(), target.Ssid.size());
  std::memcpy(start.data() + 48, target.Bssid.data(), 6);
  start[54] = target.Channel;
  start[55] = s.Registrar() ? kRoleRegistrar : kRoleEnrollee;
  if (s.Registrar() && !s.Table.Empty() && !s.Table.Slots[0].Secured()) {
    s.Table.Slots[0].KeyLength = 0;
  }
  SetValue32(part_.Driver(), OID_VND_WPS_AUTO_AP, 0);
  SendSession(start);
  Changed();
}

void WpsPage::BeginPolling() {
  part_.State().Rotate = true;
  tickCount_ = 1;
  rescanOn_ = bandOn_ = false;
  progress_ = kStartProgress;
  timers_.Set(kTimerPoll, kPollMs);
}

void WpsPage::EndSession(bool resetProgress) {
  rescanOn_ = bandOn_ = pbcOn_ = true;
  if (resetProgress) progress_ = 0;
  if (part_.State().Run != RunMode::kPin) RefreshApList();
  for (TimerId id : {kTimerApList, kTimerPoll, kTimerWatch}) timers_.Kill(id);
}

void WpsPage::Poll() {
  uint32_t word = 0;
  if (!QueryValue(part_.Driver(), OID_VND_WPS_STATUS, &word)) return;
  OnStatus(word);
}

void WpsPage::TailA() {
  wps::WpsState& s = part_.State();
  if (s.Run == RunMode::kPin) s.AutoApIndex = -1;
}

void WpsPage::OnStatus(uint32_t word) {
  using wps::StatusAction;
  const std::string line = wps::StatusLine(word);
  const auto entry = wps::FindStatus(wps::StatusCodeOf(word));
  if (!entry) {
    status_ = line;
    return;
  }
  if (entry->Progress >= 0 && entry->Action != StatusAction::kSuccess) progress_ = entry->Progress;
  wps::WpsState& s = part_.State();
  switch (entry->Action) {
    case StatusAction::kNone:
      status_ = line;
      return;
    case StatusAction::kStopThenTailA:
      timers_.Kill(kTimerPoll);
      status_ = line;
      return TailA();
    case StatusAction::kTailA:
      status_ = line;
      return TailA();
    case StatusAction::kTailB:
      // The run starts again with the same access point, a few times at most.
      if (s.Run == RunMode::kPin && s.AutoApIndex >= 0 && size_t(s.AutoApIndex) < aps_.size() &&
          restarts_ < kMaxSessionRestarts) {
        ++restarts_;
        apSelected_ = s.AutoApIndex;
        EndSession(true);
        return StartPin();
      }
      EndSession(true);
      status_ = line;
      return TailA();
    case StatusAction::kSuccess:
      return Succeed(line);
    case StatusAction::kEndThenTailA:
      EndSession(true);
      status_ = line;
      return TailA();
    case StatusAction::kEndStopThenTailA:
      EndSession(true);
      StopWps();
      status_ = line;
      return TailA();
    case StatusAction::kNextAttempt:
      return TailA();
  }
}

void WpsPage::Succeed(const std::string& line) {
  wps::WpsState& s = part_.State();
  s.AutoApIndex = -1;
  s.RunCompleted = true;
  s.Run = RunMode::kNone;
  RefreshApList();
  status_ = line;
  EndSession(false);
  progress_ = 100;
  part_.TakeSessionCredentials();
  FillProfileList();
  SetRowState(int(s.SelectedCredential), 1);
  part_.Record().SaveWscInUse(s);
  if (s.Table.Empty()) return;
  tickCount_ = 1;
  StartWatch();
}

void WpsPage::ButtonTick() {
  uint32_t pressed = 0;
  if (!QueryValue(part_.Driver(), OID_VND_WPS_BUTTON, &pressed) || pressed == 0) return;
  wps::WpsState& s = part_.State();
  s.RunCompleted = false;
  s.WscInUse = true;
  restarts_ = 0;
  EndSession(false);
  // The driver runs the session the button started: no start request, band or disassociation.
  PrepareDriver(false);
  ClearForSession();
  status_ = "Start PBC connection";
  pbcOn_ = false;
  BeginPolling();
}

void WpsPage::WatchTick() {
  wps::WpsState& s = part_.State();
  if (s.Table.Empty()) {
    tickCount_ = 1;
    timers_.Kill(kTimerWatch);
    return;
  }
  if (s.WscInUse && part_.IsConnected()) {
    SetRowState(int(s.SelectedCredential), 0);
    rescanOn_ = bandOn_ = true;
    s.Rotate = false;
  } else {
    SetRowState(int(s.SelectedCredential), 1);
    if (!s.WscInUse) {
      status_ = "WPS status is disconnected";
      progress_ = 0;
      return;
    }
    s.Rotate = true;
    if (tickCount_ % 5 == 0) part_.ConnectWithWpsCredentials();
  }
  ++tickCount_;
}

}  // namespace kavo9::wpspage
