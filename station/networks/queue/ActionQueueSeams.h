#pragma once
// What the action queue reaches outside itself. The controller fills these; the pieces that do
// not exist yet (WPS page, connect steps, last connect record) have named no-op defaults, so the
// queue's order of steps is complete and testable now.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kavo9 {

// The driver transport, with the signatures of the controller's adapter port.
class DriverRequests {
 public:
  virtual ~DriverRequests() = default;
  // `bytesReturned` may be null. On failure the buffer keeps whatever it held.
  virtual bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                                uint32_t* bytesReturned) = 0;
  // `attempts` counts the immediate one; failed sets are retried in the background.
  virtual bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int attempts) = 0;
};

// Data of one queued action. The entry owns it; destroying it frees what it holds (a connect
// record frees its key buffers in its destructor).
class ActionPayload {
 public:
  virtual ~ActionPayload() = default;
};

// NDIS_802_11_SSID: a 32-bit length and 32 octets.
struct SsidPayload : ActionPayload {
  std::array<uint8_t, 36> Bytes{};
};
struct BssidPayload : ActionPayload {
  std::array<uint8_t, 6> Bssid{};
};

// The connect steps: carry out one queued connect. Filled by the connecting piece.
class ConnectSteps {
 public:
  virtual ~ConnectSteps() = default;
  virtual void RunConnectRecord(ActionPayload& record) { (void)record; }
  virtual void RunConnectSsid(const SsidPayload& ssid) { (void)ssid; }
  virtual void RunConnectBssid(const BssidPayload& bssid) { (void)bssid; }
};

// The last connect record, kept by the connecting piece.
class LastConnectRecordSeam {
 public:
  virtual ~LastConnectRecordSeam() = default;
  // Keeps a deep copy of `record` as the last connect record and clears the reconnect hold.
  virtual void StoreCopy(const ActionPayload& record) { (void)record; }
  // The last record asks for 802.1X credentials that are not stored: a scan queued behind it
  // must not start the queue, the prompt comes first.
  virtual bool NeedsUnstoredCredentials() const { return false; }
};

// The WPS page's controls that follow the scan cycle.
class WpsScanHooks {
 public:
  virtual ~WpsScanHooks() = default;
  // A scan starts: disable the seven scan-sensitive controls.
  virtual void DisableScanControls() {}
  // A scan's list was read: refresh the access-point list and re-enable the two scan-dependent
  // controls.
  virtual void OnScanListRead() {}
};

// The controller's side of the scan cycle.
class ScanCycleHost {
 public:
  virtual ~ScanCycleHost() = default;
  // (Re)starts the controller's scan-wait timer (timer 2) with this period.
  virtual void StartScanWaitTimer(uint32_t periodMs) = 0;
  // The channels allowed for the current wireless mode and country regions (at most 64).
  virtual std::vector<int32_t> AllowedChannels() = 0;
  // UTC now as a file time.
  virtual uint64_t UtcFileTime() = 0;
  // The list was read outside the queue (media-connect event, completed authentication): the
  // site survey rebuilds at once and the WPS page refreshes its lists.
  virtual void OnListReadOutsideQueue() {}
};

}  // namespace kavo9
