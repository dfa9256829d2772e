#pragma once
// What the action queue reaches outside itself. The wiring gives it every part; a part not built
// yet is a named null class of the wiring.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "common/adapter/DriverPort.h"

namespace kavo9 {

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
class ConnectStepsPort {
 public:
  virtual ~ConnectStepsPort() = default;
  virtual void RunConnectRecord(ActionPayload& record) = 0;
  virtual void RunConnectSsid(const SsidPayload& ssid) = 0;
  virtual void RunConnectBssid(const BssidPayload& bssid) = 0;
};

// The last connect record, kept by the connecting piece.
class LastConnectRecordPort {
 public:
  virtual ~LastConnectRecordPort() = default;
  // Keeps a deep copy of `record` as the last connect record and clears the reconnect hold.
  virtual void StoreCopy(const ActionPayload& record) = 0;
  // The last record asks for 802.1X credentials that are not stored: a scan queued behind it
  // must not start the queue, the prompt comes first.
  virtual bool NeedsUnstoredCredentials() const = 0;
};

// The WPS page's controls that follow the scan cycle.
class WpsScanPort {
 public:
  virtual ~WpsScanPort() = default;
  // A scan starts: disable the seven scan-sensitive controls.
  virtual void DisableScanControls() = 0;
  // A scan's list was read: refresh the access-point list and re-enable the two scan-dependent
  // controls.
  virtual void OnScanListRead() = 0;
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
  virtual void OnListReadOutsideQueue() = 0;
};

}  // namespace kavo9
