#pragma once
// For tests and benchmarks of the scan cycle: the queue's connect steps, last connect record and
// WPS hooks, all doing nothing.

#include "station/networks/queue/ActionQueueSeams.h"

namespace kavo9 {

struct QuietQueueParts : ConnectStepsPort, LastConnectRecordPort, WpsScanPort {
  void RunConnectRecord(ActionPayload&) override {}
  void RunConnectSsid(const SsidPayload&) override {}
  void RunConnectBssid(const BssidPayload&) override {}
  void StoreCopy(const ActionPayload&) override {}
  bool NeedsUnstoredCredentials() const override { return false; }
  void DisableScanControls() override {}
  void OnScanListRead() override {}
};

}  // namespace kavo9
