#pragma once
// Connecting with a WPS credential: the connect record a credential becomes, the slot a connect
// uses (in turn while rotating), and whether the adapter is on the credential's network.

#include <cstdint>

#include "common/adapter/DriverPort.h"
#include "station/networks/connect/ConnectRecord.h"
#include "station/wps/WpsState.h"

namespace kavo9::wps {

// The record of one credential: infrastructure, not bound to a BSSID (the connect joins by the
// last WPS network's BSSID), disassociating first, the credential's keys.
connect::ConnectRecord RecordFromCredential(const WpsCredential& credential, uint32_t frequencyKhz,
                                            uint32_t psMode);

// The slot the next connect uses. While rotating it is the rotation index, which then moves on
// (back to 0 after the last slot); otherwise the rotation follows the selected slot. Out-of-range
// indexes fall back to slot 0. The table must not be empty.
uint32_t TakeConnectSlot(WpsState& state);

// Connected, on the credential's SSID (an empty SSID reading counts), with the authentication
// mode and an encryption status the credential maps to. Failed reads compare as open and
// disabled; a failed media query is "not connected".
bool IsConnectedToWpsNetwork(DriverPort& driver, const WpsCredential& credential);

}  // namespace kavo9::wps
