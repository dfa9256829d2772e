#pragma once
// What the logon component reports back, and how it changes the first connection after a logon:
// when the user cancelled the authentication at logon, the first profile connection joins only
// an adapter that is not connected; every later one goes as usual.

#include <cstdint>

#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"

namespace kavo9::sso {

// How long the logon component is given to release the supplicant after a cancelled
// authentication, before the connection goes on. The caller waits on its event loop, never by
// sleeping.
inline constexpr uint32_t kLogonSettleMs = 1000;

// What a profile connection does with its record.
enum class SsoConnectStep {
  kNothing,       // not queued, not remembered
  kQueueAndRun,   // queued, and the queue runs
  kRememberOnly,  // becomes the last connect record without being queued
};

struct SsoConnectFacts {
  bool supplicantAvailable = false;
  bool autoReconnect = false;
  bool ssoInstalled = false;
};

class SsoLogonState {
 public:
  // Re-reads what the logon component reported, before a profile's record is built. Returns how
  // long the caller should let the component settle before going on (0: not at all).
  uint32_t ReadSsoLogonState(Registry& registry, StorePort& store);
  // The decision for a profile's record at the end of a profile connection. A pending logon
  // state is used up by it.
  SsoConnectStep ConnectOrWait(DriverPort& driver, const SsoConnectFacts& facts);

  bool LogonPending() const { return pending_; }

 private:
  bool pending_ = false;
};

}  // namespace kavo9::sso
