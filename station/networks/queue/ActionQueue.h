#pragma once
// The action queue: every scan and every connect reaches the driver through it, one at a time,
// so a connect never overlaps a scan. It also keeps the lists of networks in range: the driver's
// latest list (`FreshBssList`) and the merged list every page shows (`MergedBssList`).
//
// The controller owns one ActionQueue for the life of the process and drives it from its
// thread only: RequestScan, QueueAction and RunActionQueue, the scan-wait timer's tick
// (OnScanWaitTimer) and ReadAndMergeBssList when the list must be read outside the queue.

#include <cstdint>
#include <memory>
#include <vector>

#include "station/networks/BssMerge.h"
#include "station/networks/queue/ActionQueueSeams.h"

namespace kavo9 {

enum ActionKind : uint32_t {
  ACTION_SCAN = 0,
  ACTION_CONNECT_RECORD = 1,  // Data: a connect record
  ACTION_CONNECT_SSID = 2,    // Data: SsidPayload
  ACTION_CONNECT_BSSID = 3,   // Data: BssidPayload
};

// One queued action (the driver interface's ActionData; a leading underscore and capital are
// reserved in C++).
struct ActionData {
  uint32_t Action = ACTION_SCAN;
  std::unique_ptr<ActionPayload> Data;
};

// Scan-wait periods: modes that include the 5 GHz band scan longer.
inline constexpr uint32_t kScanWaitDualBandMs = 5000;
inline constexpr uint32_t kScanWaitMs = 3000;
inline constexpr int kScanTriggerAttempts = 3;

struct ActionQueueParts {
  DriverPort& driver;
  ScanCycleHost& host;
  ConnectStepsPort& connect;
  LastConnectRecordPort& lastRecord;
  WpsScanPort& wps;
};

class ActionQueue {
 public:
  explicit ActionQueue(ActionQueueParts parts);
  ActionQueue(const ActionQueue&) = delete;
  ActionQueue& operator=(const ActionQueue&) = delete;

  // Adds one action after coalescing and tells whether the caller must run the queue now.
  // A queued scan replaces older queued scans; a connect record replaces the newest queued one in
  // place and drops older ones. A null `data` for a connect kind is refused (false, nothing
  // queued).
  bool QueueAction(uint32_t kind, std::unique_ptr<ActionPayload> data);
  // Processes the queue from its head until it is empty or a scan is waiting for its list.
  void RunActionQueue();
  // Queues a scan and runs the queue when QueueAction says so.
  void RequestScan();
  // The scan-wait timer fired (the controller has stopped it): runs the queue when a scan is
  // pending or automatic reconnection is on.
  void OnScanWaitTimer(bool autoReconnect);
  // Reads the driver's list and merges it into MergedBssList.
  void ReadAndMergeBssList();
  // The list read outside the queue (media-connect event, completed authentication): reads,
  // merges and tells the host so the pages redraw at once.
  void RefreshScanList();
  // A list read straight from the driver while the utility does not scan (the Windows service is
  // in charge or the session is inactive): becomes the merged list as it is, every record
  // stamped `fileTime`. Malformed records are left out.
  void StoreScanList(const uint8_t* data, uint32_t length, uint64_t fileTime);
  // Frees every queued action with its data.
  void FreeAll() { queue_.clear(); }

  bool ScanPending() const { return scanPending_; }
  const std::vector<ActionData>& Queue() const { return queue_; }
  const std::vector<uint8_t>& FreshBssList() const { return fresh_; }
  // The list every page shows. The site survey sorts it in place.
  MergedBssList& Merged() { return merged_; }
  const MergedBssList& Merged() const { return merged_; }

 private:
  bool DecideRunNow() const;
  void StartScan();
  void RunConnect(ActionData& entry);

  ActionQueueParts parts_;
  std::vector<ActionData> queue_;
  bool scanPending_ = false;
  std::vector<uint8_t> fresh_;
  MergedBssList merged_;
  MergedBssList spare_;  // the merge writes here, then the two swap
};

}  // namespace kavo9
