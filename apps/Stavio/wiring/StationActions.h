#pragma once
// The action queue bound to the station: the controller drives it through its port, the queue
// starts the controller's scan-wait timer, takes the allowed channels from the radio state and
// tells the pages when a list was read outside the queue.

#include <functional>

#include "common/platform/EventLoop.h"
#include "radio/AdapterRadio.h"
#include "station/networks/connect/ConnectSeams.h"
#include "station/networks/queue/ActionQueue.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9 {

class CHideDlg;

class StationActions : public ActionQueuePort,
                       public ScanCycleHost,
                       public connect::ConnectQueuePort {
 public:
  StationActions(EventLoop& loop, DriverPort& driver, const radio::AdapterRadio& radio,
                 ConnectStepsPort& connect, LastConnectRecordPort& lastRecord, WpsScanPort& wps);

  // The controller, once it exists (the scan-wait timer is its timer 2).
  void SetController(CHideDlg* controller) { controller_ = controller; }
  // Told when the list was read outside the queue, so the pages redraw at once.
  void SetListReadCallback(std::function<void()> callback) { listRead_ = std::move(callback); }
  ActionQueue& Queue() { return queue_; }

  // ActionQueuePort.
  void RequestScan() override { queue_.RequestScan(); }
  void RunActionQueue() override { queue_.RunActionQueue(); }
  bool ScanPending() const override { return queue_.ScanPending(); }
  void RefreshScanList() override { queue_.RefreshScanList(); }
  void StoreScanList(const uint8_t* data, uint32_t length, uint64_t fileTime) override;
  void FreeAll() override { queue_.FreeAll(); }

  // connect::ConnectQueuePort (RunActionQueue above serves both).
  bool QueueAction(uint32_t kind, std::unique_ptr<ActionPayload> data) override {
    return queue_.QueueAction(kind, std::move(data));
  }

  // ScanCycleHost.
  void StartScanWaitTimer(uint32_t periodMs) override;
  std::vector<int32_t> AllowedChannels() override;
  uint64_t UtcFileTime() override { return loop_.UtcFileTime(); }
  void OnListReadOutsideQueue() override;

 private:
  EventLoop& loop_;
  const radio::AdapterRadio& radio_;
  CHideDlg* controller_ = nullptr;
  std::function<void()> listRead_;
  ActionQueue queue_;
};

}  // namespace kavo9
