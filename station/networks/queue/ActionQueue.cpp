#include "station/networks/queue/ActionQueue.h"

#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "radio/vocabulary/WirelessMode.h"
#include "station/networks/BssLayout.h"

namespace kavo9 {
ActionQueue::ActionQueue(ActionQueueParts parts) : parts_(parts), fresh_(kBssListBufferSize, 0) {
  merged_.LastSeen.reserve(kMaxBssStamps);
  spare_.LastSeen.reserve(kMaxBssStamps);
}

bool ActionQueue::QueueAction(uint32_t kind, std::unique_ptr<ActionPayload> data) {
  if (kind > ACTION_CONNECT_BSSID) return false;
  if (kind != ACTION_SCAN && !data) return false;
  if (kind == ACTION_CONNECT_RECORD) parts_.lastRecord.StoreCopy(*data);

  bool replaced = false;
  for (size_t i = queue_.size(); i-- > 0;) {
    ActionData& entry = queue_[i];
    if (entry.Action != kind) continue;
    // The scan at the head is running; it stays until its list has been read.
    if (i == 0 && kind == ACTION_SCAN && scanPending_) continue;
    if (kind == ACTION_SCAN) {
      queue_.erase(queue_.begin() + ptrdiff_t(i));
    } else if (kind == ACTION_CONNECT_RECORD) {
      if (replaced) {
        queue_.erase(queue_.begin() + ptrdiff_t(i));
      } else {
        entry.Data = std::move(data);  // the old record is freed here
        replaced = true;
      }
    }
  }
  if (!replaced) queue_.push_back(ActionData{kind, std::move(data)});
  return DecideRunNow();
}

bool ActionQueue::DecideRunNow() const {
  if (queue_.size() == 1) return true;
  if (queue_.empty()) return false;
  const uint32_t head = queue_[0].Action;
  if (head == ACTION_SCAN) return false;  // the running scan continues the queue
  if (head == ACTION_CONNECT_RECORD && queue_[1].Action == ACTION_SCAN)
    return !parts_.lastRecord.NeedsUnstoredCredentials();
  return true;
}

void ActionQueue::RunActionQueue() {
  if (scanPending_) {
    scanPending_ = false;
    ReadAndMergeBssList();
    if (!queue_.empty() && queue_[0].Action == ACTION_SCAN) queue_.erase(queue_.begin());
    parts_.wps.OnScanListRead();
  }
  while (!queue_.empty()) {
    if (queue_[0].Action == ACTION_SCAN) {
      StartScan();
      return;  // the scan stays at the head until its list has been read
    }
    // Take the entry out first: a connect step may queue further actions.
    ActionData entry = std::move(queue_[0]);
    queue_.erase(queue_.begin());
    RunConnect(entry);
  }
}

void ActionQueue::StartScan() {
  scanPending_ = true;
  parts_.wps.DisableScanControls();
  parts_.driver.SetInformation(OID_802_11_BSSID_LIST_SCAN, nullptr, 0, kScanTriggerAttempts);
  uint32_t mode = 0;
  parts_.driver.QueryInformation(OID_VND_WIRELESS_MODE, &mode, sizeof mode, nullptr);
  parts_.host.StartScanWaitTimer(radio::ModeUses5G(int(mode)) ? kScanWaitDualBandMs : kScanWaitMs);
}

void ActionQueue::RunConnect(ActionData& entry) {
  switch (entry.Action) {
    case ACTION_CONNECT_RECORD:
      parts_.connect.RunConnectRecord(*entry.Data);
      break;
    case ACTION_CONNECT_SSID:
      if (auto* ssid = dynamic_cast<SsidPayload*>(entry.Data.get()))
        parts_.connect.RunConnectSsid(*ssid);
      break;
    case ACTION_CONNECT_BSSID:
      if (auto* bssid = dynamic_cast<BssidPayload*>(entry.Data.get()))
        parts_.connect.RunConnectBssid(*bssid);
      break;
    default:
      break;
  }
}

void ActionQueue::RequestScan() {
  if (QueueAction(ACTION_SCAN, nullptr)) RunActionQueue();
}

void ActionQueue::OnScanWaitTimer(bool autoReconnect) {
  if (scanPending_ || autoReconnect) RunActionQueue();
}

void ActionQueue::ReadAndMergeBssList() {
  const std::vector<int32_t> allowed = parts_.host.AllowedChannels();
  // Not cleared first: a failed query leaves the previous list, which is then used again.
  parts_.driver.QueryInformation(OID_802_11_BSSID_LIST, fresh_.data(), uint32_t(fresh_.size()),
                                 nullptr);
  MergeBssList(fresh_, allowed, parts_.host.UtcFileTime(), merged_, spare_);
  std::swap(merged_, spare_);
}

void ActionQueue::RefreshScanList() {
  ReadAndMergeBssList();
  parts_.host.OnListReadOutsideQueue();
}

void ActionQueue::StoreScanList(const uint8_t* data, uint32_t length, uint64_t fileTime) {
  std::vector<uint8_t>& out = merged_.Buffer;
  std::fill(out.begin(), out.end(), 0);
  merged_.LastSeen.clear();
  if (!data) return;
  size_t offset = kBssListHeaderSize;
  for (const BssRecordView& record : BssListView({data, length})) {
    const auto bytes = record.Bytes();
    if (merged_.LastSeen.size() == kMaxBssStamps || out.size() - offset < bytes.size()) break;
    std::memcpy(out.data() + offset, bytes.data(), bytes.size());
    offset += bytes.size();
    merged_.LastSeen.push_back(fileTime);
  }
  WriteLe32(out, 0, uint32_t(merged_.LastSeen.size()));
}

}  // namespace kavo9
