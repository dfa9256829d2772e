#pragma once
// The CCX side of a supplicant port: its radio options when it is attached, CCX on or off when
// its configuration is built, and the answer to the library's rogue access-point request.
//
// Radio options: 1 mixed cell, 2 network EAP, 4 rogue access point, 8 fast roaming, 16 radio
// measurement. A port without a CCX version has none and is never asked.

#include <cstdint>

#include "common/platform/AcAuthApi.h"
#include "station/dot1x/ccx/CcxSupplicantCalls.h"

namespace kavo9::ccx {

enum : uint32_t {
  kRadioMixedCell = 1,
  kRadioNetworkEap = 2,
  kRadioRogueAp = 4,
  kRadioFastRoaming = 8,
  kRadioMeasurement = 16,
};

// What a port attach asks for, and what a CCX configuration sets.
inline constexpr uint32_t kAttachRadioConfig = kRadioMixedCell | kRadioNetworkEap | kRadioRogueAp;
inline constexpr uint32_t kCcxRadioConfig = kAttachRadioConfig | kRadioFastRoaming;
// Seconds the library keeps a rogue access point on its list.
inline constexpr int kRogueApTimeoutSeconds = 30;

// Results of acCcxRadioCfg at attach: the port takes no radio options, or the library keeps its
// own (then they are read back).
inline constexpr int kRadioConfigRefused = -16;
inline constexpr int kRadioConfigNoDevice = -8;
inline constexpr int kRadioConfigKept = -22;

// The part of a supplicant port these steps use.
struct CcxPortView {
  int handle = 0;
  uint32_t ccxVersion = 0;  // 0: the port has no CCX
  uint32_t RadioConfig = 0;
  acAssociation association{};
};

// At attach: `RadioConfig` becomes the port's radio options as the library takes them (0 for a
// port without CCX or one that refuses them).
void InitPortRadioConfig(CcxSupplicantCalls& library, CcxErrorReport& errors, CcxPortView& port);

// The last step of a port's configuration, for a port with a CCX version: CCX on with its radio
// options and rogue time-out when the last connect record's word has CCX on, else CCX off.
// Errors are reported and the remaining calls still made.
void ConfigurePortCcx(CcxSupplicantCalls& library, CcxErrorReport& errors, const CcxPortView& port,
                      uint32_t lastRecordCcxBytes);

// The rogue access-point request `requestId` (already deferred by the dispatcher): leave the
// network, report the access point, complete the request and, with automatic reconnection on,
// associate again. True when the station was asked to associate again.
bool AnswerRogueApRequest(CcxSupplicantCalls& library, CcxErrorReport& errors,
                          const CcxPortView& port, uint32_t requestId, bool autoReconnect);

}  // namespace kavo9::ccx
