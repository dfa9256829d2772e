#include "station/shell/controller/DriverEvents.h"

#include "common/adapter/DriverValues.h"

namespace kavo9 {

bool MediaConnectWanted(const std::optional<ConnectRecordSummary>& record,
                        bool supplicantAvailable) {
  if (!record) return true;
  if (record->ccxBytes & 1) return false;
  if (!supplicantAvailable || record->infraMode == Ndis802_11IBSS) return true;
  switch (record->authMode) {
    case Ndis802_11AuthModeWPA:
    case Ndis802_11AuthModeWPAPSK:
    case Ndis802_11AuthModeWPA2:
    case Ndis802_11AuthModeWPA2PSK:
      return false;
    case Ndis802_11AuthModeOpen:
    case Ndis802_11AuthModeShared:
      if (record->use8021X) return false;
      break;
    default:
      break;
  }
  return !record->leapEnabled;
}

void LastConnectView::Publish(std::optional<ConnectRecordSummary> record,
                              bool supplicantAvailable) {
  std::lock_guard lock(mutex_);
  record_ = record;
  supplicantAvailable_ = supplicantAvailable;
}

bool LastConnectView::MediaConnectWanted() const {
  std::lock_guard lock(mutex_);
  return kavo9::MediaConnectWanted(record_, supplicantAvailable_);
}

void CMySink::Indicate(const std::vector<EventObject>& batch) const {
  for (const EventObject& object : batch) {
    if (!object.className) return;
    if (*object.className == kDriverMessageEventClass) {
      post_(kMsgDriverMessage);
    } else if (*object.className == kMediaConnectEventClass && view_.MediaConnectWanted()) {
      post_(kMsgMediaConnect);
    }
  }
}

DriverEventManager::DriverEventManager(EventSubscription* events, const TraceFile& trace,
                                       const LastConnectView& view, CMySink::Post post)
    : events_(events), trace_(trace), view_(view), post_(std::move(post)) {}

DriverEventManager::~DriverEventManager() {
  UnsubscribeDriverEvents();
}

bool DriverEventManager::SubscribeDriverEvents() {
  trace_.Append("Start to set window handle\n");
  trace_.Append("End to set window handle\nStart to set message string\n");
  driverMessageSink_ = std::make_unique<CMySink>(kDriverMessageEventClass, view_, post_);
  mediaConnectSink_ = std::make_unique<CMySink>(kMediaConnectEventClass, view_, post_);
  trace_.Append("End to set message string\nStart to register event\n");
  // Thread apartment and process security setup have no counterpart here: the connection below
  // stands for the whole of it.
  if (!events_ || !events_->Connect()) return false;
  connected_ = true;
  const CMySink* driverSink = driverMessageSink_.get();
  const CMySink* mediaSink = mediaConnectSink_.get();
  driverMessageId_ = events_->Subscribe(
      kDriverMessageEventClass, [driverSink](const auto& batch) { driverSink->Indicate(batch); });
  mediaConnectId_ = events_->Subscribe(
      kMediaConnectEventClass, [mediaSink](const auto& batch) { mediaSink->Indicate(batch); });
  if (driverMessageId_ == 0 && mediaConnectId_ == 0) {
    events_->Disconnect();
    connected_ = false;
    return false;
  }
  trace_.Append("End to register event\n");
  return true;
}

void DriverEventManager::UnsubscribeDriverEvents() {
  if (events_) {
    if (driverMessageId_ != 0) events_->Cancel(driverMessageId_);
    if (mediaConnectId_ != 0) events_->Cancel(mediaConnectId_);
    if (connected_) events_->Disconnect();
  }
  driverMessageId_ = mediaConnectId_ = 0;
  connected_ = false;
  driverMessageSink_.reset();
  mediaConnectSink_.reset();
}

}  // namespace kavo9
