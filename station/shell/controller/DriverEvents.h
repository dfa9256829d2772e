#pragma once
// The driver's events as the management service delivers them: the driver's own message event
// and the standard media-connect event. Each becomes a message posted to the controller, so
// that all reactions run on the loop's thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/EventSubscription.h"
#include "common/shell/TraceFile.h"

namespace kavo9 {

inline constexpr const char* kDriverMessageEventClass = "TsWLANMessageEvent";
inline constexpr const char* kMediaConnectEventClass = "MSNdis_StatusMediaConnect";

// Messages posted to the controller.
enum : uint32_t { kMsgDriverMessage = 0x8001, kMsgMediaConnect = 0x8003 };

// What the media-connect filter needs to know of the last connect record.
struct ConnectRecordSummary {
  uint32_t infraMode = 0;
  uint32_t authMode = 0;
  bool use8021X = false;
  bool leapEnabled = false;
  uint32_t ccxBytes = 0;
};

// Whether a media-connect event reaches the controller. Connections the supplicant authenticates
// (WPA, 802.1X, LEAP) and CCX connections report their own progress, so their link-up is skipped.
bool MediaConnectWanted(const std::optional<ConnectRecordSummary>& record,
                        bool supplicantAvailable);

// The last connect record as the event threads may see it: the controller publishes a copy
// whenever it changes, and the event thread reads that copy under a lock.
class LastConnectView {
 public:
  void Publish(std::optional<ConnectRecordSummary> record, bool supplicantAvailable);
  bool MediaConnectWanted() const;

 private:
  mutable std::mutex mutex_;
  std::optional<ConnectRecordSummary> record_;
  bool supplicantAvailable_ = false;
};

// One event sink: registered for one class, it turns each event object of a batch into a posted
// message. Runs on the subscription's worker thread and touches nothing but the view.
class CMySink {
 public:
  using Post = std::function<void(uint32_t message)>;
  CMySink(std::string className, const LastConnectView& view, Post post)
      : className_(std::move(className)), view_(view), post_(std::move(post)) {}
  const std::string& className() const { return className_; }
  // Always succeeds; an object whose class cannot be read ends the batch.
  void Indicate(const std::vector<EventObject>& batch) const;
  void SetStatus() const {}

 private:
  std::string className_;
  const LastConnectView& view_;
  Post post_;
};

// The subscriptions of the station utility's controller.
class DriverEventManager {
 public:
  DriverEventManager(EventSubscription* events, const TraceFile& trace, const LastConnectView& view,
                     CMySink::Post post);
  ~DriverEventManager();
  DriverEventManager(const DriverEventManager&) = delete;
  DriverEventManager& operator=(const DriverEventManager&) = delete;

  // True when at least one of the two queries was accepted.
  bool SubscribeDriverEvents();
  void UnsubscribeDriverEvents();
  bool driverMessageSubscribed() const { return driverMessageId_ != 0; }
  bool mediaConnectSubscribed() const { return mediaConnectId_ != 0; }

 private:
  EventSubscription* events_;
  const TraceFile& trace_;
  const LastConnectView& view_;
  CMySink::Post post_;
  std::unique_ptr<CMySink> driverMessageSink_;
  std::unique_ptr<CMySink> mediaConnectSink_;
  EventSubscription::Id driverMessageId_ = 0;
  EventSubscription::Id mediaConnectId_ = 0;
  bool connected_ = false;
};

}  // namespace kavo9
