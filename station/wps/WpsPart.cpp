#include "station/wps/WpsPart.h"

#include "common/adapter/RequestCatalogue.h"
#include "station/networks/BssFacts.h"
#include "station/networks/BssRecord.h"
#include "station/networks/queue/ActionQueue.h"
#include "station/wps/WpsConnect.h"
#include "station/wps/WpsStatusTable.h"

namespace kavo9::wps {

bool WpsPart::ConnectWithWpsCredentials() {
  state_.WscInUse = true;
  if (state_.Table.Empty() || !links_.queue) return false;
  const uint8_t on = 1;
  driver_.SetInformation(OID_VND_WPS_CONNECT, &on, 1, kSetAttempts);
  StopPort();
  const uint32_t slot = TakeConnectSlot(state_);
  const uint32_t khz =
      FrequencyOfBssid(BssListView(FreshList()), state_.Bssid, int32_t(state_.Channel));
  auto record = std::make_unique<connect::ConnectRecord>(
      RecordFromCredential(state_.Table.Slots[slot], khz, links_.psMode ? links_.psMode() : 0));
  if (links_.queue->QueueAction(ACTION_CONNECT_RECORD, std::move(record))) {
    links_.queue->RunActionQueue();
  }
  return true;
}

void WpsPart::StopWps() {
  state_.Run = RunMode::kNone;
  state_.AutoApIndex = -1;
  state_.Rotate = false;
  state_.WscInUse = false;
  record_.SaveWscInUse(state_);
  StopPort();
  driver_.SetInformation(OID_802_11_DISASSOCIATE, nullptr, 0, kSetAttempts);
  if (links_.activateStationProfile) links_.activateStationProfile();
}

bool WpsPart::IsConnected() {
  if (state_.Table.Empty()) return false;
  const uint32_t slot =
      state_.SelectedCredential < state_.Table.Count ? state_.SelectedCredential : 0;
  return IsConnectedToWpsNetwork(driver_, state_.Table.Slots[slot]);
}

void WpsPart::LoadWpsRecord() {
  record_.LoadWpsRecord(state_);
  if (!state_.WscInUse) return;
  state_.Rotate = true;
  if (state_.Table.Empty()) return;
  ConnectWithWpsCredentials();
  StartTimer(kTimerWatch, kWatchMs);
}

void WpsPart::TakeSessionCredentials() {
  std::array<uint8_t, kTableBytes> table{};
  uint32_t returned = 0;
  if (driver_.QueryInformation(OID_VND_WPS_CREDENTIALS, table.data(), uint32_t(table.size()),
                               &returned)) {
    state_.Table = DecodeTable(std::span(table).first(returned));
  }
  uint32_t channel = 0;
  if (QueryValue(driver_, OID_VND_WPS_CHANNEL, &channel) && channel != 0) state_.Channel = channel;
  record_.SaveWpsRecord(state_);
}

void WpsPart::PageOpened(WpsPageHooks* page) {
  page_ = page;
  StopTimer(kTimerWatch);
  StopTimer(kTimerButton);
}

void WpsPart::PageClosed() {
  page_ = nullptr;
  state_.Run = RunMode::kNone;
  state_.AutoApIndex = -1;
  if (state_.WscInUse && state_.Rotate) StartTimer(kTimerWatch, kWatchMs);
  StartTimer(kTimerButton, kButtonMs);
}

void WpsPart::DisableScanControls() {
  if (page_) page_->DisableScanControls();
}

void WpsPart::OnScanListRead() {
  if (page_) page_->OnScanListRead();
}

bool WpsPart::ExchangeRunning() const {
  return backgroundPolling_ || (state_.Run != RunMode::kNone && !state_.RunCompleted);
}

void WpsPart::OnTimer(uint32_t id) {
  switch (id) {
    case kTimerWatch:
      return Watch();
    case kTimerButton:
      return PollButton();
    case kTimerStatus:
      return PollStatus();
    case kTimerList:
      StopTimer(kTimerList);
      if (links_.refreshList) links_.refreshList();
      return;
    default:
      return;
  }
}

void WpsPart::PollButton() {
  uint32_t pressed = 0;
  if (!QueryValue(driver_, OID_VND_WPS_BUTTON, &pressed) || pressed == 0) return;
  state_.WscInUse = true;
  state_.Rotate = true;
  state_.RunCompleted = false;
  for (uint32_t id : {kTimerWatch, kTimerStatus, kTimerList}) StopTimer(id);
  StartTimer(kTimerList, kListRefreshMs);
  StartTimer(kTimerStatus, kStatusMs);
  backgroundPolling_ = true;
}

void WpsPart::PollStatus() {
  uint32_t word = 0;
  if (!QueryValue(driver_, OID_VND_WPS_STATUS, &word)) return;
  const uint32_t code = StatusCodeOf(word);
  if (code == kStatusNotUsed) {
    StopTimer(kTimerStatus);
    backgroundPolling_ = false;
    return;
  }
  if (code == kStatusSuccess) {
    state_.RunCompleted = true;
    StopTimer(kTimerWatch);
    StopTimer(kTimerStatus);
    backgroundPolling_ = false;
    TakeSessionCredentials();
    StopTimer(kTimerList);
    record_.SaveWscInUse(state_);
    if (!state_.Table.Empty()) {
      state_.SelectedCredential = state_.RotationIndex = 0;
      ConnectWithWpsCredentials();
      StartTimer(kTimerWatch, kWatchMs);
    }
    if (page_) page_->CredentialsChanged();
    return;
  }
  if (StopsBackgroundPoll(code)) {
    for (uint32_t id : {kTimerWatch, kTimerStatus, kTimerList}) StopTimer(id);
    backgroundPolling_ = false;
  }
}

void WpsPart::Watch() {
  if (!state_.WscInUse || !state_.Rotate || state_.Table.Empty()) return StopTimer(kTimerWatch);
  if (IsConnected()) return StopTimer(kTimerWatch);
  ConnectWithWpsCredentials();
}

}  // namespace kavo9::wps
