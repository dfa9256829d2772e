#pragma once
// The station's side of the pairwise key exchange of a WPA or WPA2 personal link: message 1 from
// the daemon's authenticator, message 2 with a fresh SNonce and the MIC under the PTK of our PMK,
// message 3 checked under the same KCK, message 4, then the temporal key installed with
// OID_802_11_ADD_KEY over the adapter's device.

#include <string>

#include "common/platform/DeviceIo.h"
#include "sim/acauth/DaemonLink.h"
#include "sim/wpa/WpaKeys.h"

namespace kavo9::acauth {

struct PskLink {
  std::string port;    // the adapter's NetCfgInstanceId
  std::string device;  // its device path
  wpa::Address mac{};
  int keyManagement = 0;  // 11 WPA-PSK, 21 WPA2-PSK
  int cipher = 0;         // 3 TKIP, 4 AES
};

enum class PskOutcome {
  kDone,      // keys agreed and installed
  kNoAnswer,  // the access point did not answer message 2 (a wrong PMK): try again later
  kNotReady,  // not associated with a fitting network, or the daemon is away
};

PskOutcome RunPskExchange(const DaemonLink& daemon, DeviceIo& io, const PskLink& link,
                          const wpa::Pmk& pmk);

}  // namespace kavo9::acauth
