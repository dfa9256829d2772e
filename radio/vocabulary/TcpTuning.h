#pragma once
// The TCP window tuning of the advanced page: four values in the TCP/IP parameters key, written
// together when the tuning is on and deleted together when it is off.

#include <cstdint>
#include <string_view>

#include "radio/RadioPorts.h"

namespace kavo9::radio {

inline constexpr std::string_view kTcpipParametersPath =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

// Windows 2000 and later have the tuning.
inline constexpr int kMinTcpTuningVersionCode = 7;
// The access for the key: on version codes 10 and above a 32-bit program under WOW64 asks for the
// 64-bit view, where the TCP/IP stack reads its parameters.
uint32_t TcpipKeyAccess(uint32_t access, int windowsVersionCode, bool wow64);

// Whether the tuning is on: "TCPWindowSize" can be read.
bool TcpTuningOn(RadioStorePort& store);
// Writes or deletes the four values.
void ApplyTcpTuning(RadioStorePort& store, bool on);

}  // namespace kavo9::radio
