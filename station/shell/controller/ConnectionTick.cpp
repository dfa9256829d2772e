#include "station/shell/controller/ConnectionTick.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"

namespace kavo9 {
namespace {

// While not connected and the main window is closed, a scan is asked for every this many ticks.
constexpr uint32_t kScanEveryTicks = 90;

}  // namespace

void ConnectionTick::Poll(TimerId timer) {
  const ControllerParts& p = c_.parts;
  StationState& state = c_.state;
  DriverPort& driver = p.driver;

  // Cleared buffers make a failed query read as "not connected".
  uint32_t media = kMediaDisconnected;
  std::array<uint8_t, 6> bssid{};
  std::array<uint8_t, 36> ssid{};
  uint32_t linkState = kLinkUp;
  if (!driver.QueryInformation(OID_GEN_MEDIA_CONNECT_STATUS, &media, sizeof media, nullptr)) {
    media = kMediaDisconnected;
  }
  driver.QueryInformation(OID_802_11_BSSID, bssid.data(), sizeof bssid, nullptr);
  state.currentBssid = bssid;
  if (driver.QueryInformation(OID_802_11_SSID, ssid.data(), sizeof ssid, nullptr)) {
    uint32_t length = 0;
    std::memcpy(&length, ssid.data(), 4);
    state.lastSsid.assign(reinterpret_cast<const char*>(ssid.data() + 4),
                          std::min<uint32_t>(length, 32));
  }
  driver.QueryInformation(OID_VND_LINK_STATE, &linkState, sizeof linkState, nullptr);

  const bool bssidZero = std::all_of(bssid.begin(), bssid.end(), [](uint8_t b) { return b == 0; });
  if (linkState == kLinkHardwareRadioOff || media != kMediaConnected || bssidZero) {
    // A radio the user switched off is told apart from a network out of reach.
    if (!state.radioOn) {
      p.tray.ShowRadioOff();
    } else {
      p.tray.ShowNotConnected();
    }
    keyError_.OnNotConnected();
    if (!state.ServiceManagesAdapter() && state.radioOn && !p.mainWindow.IsOpen() &&
        reconnectTick_ != 0 && reconnectTick_ % kScanEveryTicks == 0) {
      p.actions.RequestScan();
    }
    ++reconnectTick_;
  } else {
    if (p.connect.HasLastConnectRecord()) {
      p.connect.UpdateReconnectTick(&reconnectTick_);
    } else {
      reconnectTick_ = 0;
    }
    if (timer == kTimerKeyError) keyError_.OnSampleTimer();
    ShowSignalState();
  }

  uint32_t infrastructure = 0;
  driver.QueryInformation(OID_802_11_INFRASTRUCTURE_MODE, &infrastructure, sizeof infrastructure,
                          nullptr);
  if (!state.ieee80211h) {
    c_.RunQueueIfWindowAllows(p.connect.ReconnectCheck(infrastructure, reconnectTick_));
  }
}

void ConnectionTick::ShowSignalState() {
  const ControllerParts& p = c_.parts;
  if (c_.state.keyError) {
    p.tray.ShowConnected(0, true, c_.state.lastSsid);
    return;
  }
  // The stronger of the two antennas' readings; the second only when the driver answers it.
  int32_t rssi = -100;
  p.driver.QueryInformation(OID_802_11_RSSI, &rssi, sizeof rssi, nullptr);
  int32_t rssi1 = 0;
  if (p.driver.QueryInformation(OID_VND_RSSI1, &rssi1, sizeof rssi1, nullptr)) {
    rssi = std::max(rssi, rssi1);
  }
  p.tray.ShowConnected(rssi, false, c_.state.lastSsid);
}

}  // namespace kavo9
