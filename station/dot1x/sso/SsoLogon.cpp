#include "station/dot1x/sso/SsoLogon.h"

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "station/dot1x/sso/SsoRecord.h"

namespace kavo9::sso {

uint32_t SsoLogonState::ReadSsoLogonState(Registry& registry, StorePort& store) {
  if (!store.CanWrite(kSsoKey, KEY_ALL_ACCESS, StorePort::Area::kProfile)) {
    pending_ = false;
    return 0;
  }
  if (!SsoKeyOpens(registry)) return 0;  // what was known stays
  const auto enable = ReadSsoValue(registry, kEnableValue);
  if (!enable || *enable == "0") {
    pending_ = false;
    if (!enable) return 0;
    StoreText(store, kSsoKey, kCancelledValue, "0", StorePort::Area::kProfile);
    return 0;
  }
  const auto cancelled = ReadSsoValue(registry, kCancelledValue);
  if (!cancelled) {
    pending_ = false;
    return 0;
  }
  pending_ = *cancelled != "0";
  return kLogonSettleMs;
}

SsoConnectStep SsoLogonState::ConnectOrWait(DriverPort& driver, const SsoConnectFacts& facts) {
  const bool joinAllowed = facts.supplicantAvailable && facts.autoReconnect;
  if (pending_) {
    pending_ = false;
    // An adapter already connected (or one that does not say) is left alone.
    uint32_t media = kMediaConnected;
    const bool disconnected =
        QueryValue(driver, OID_GEN_MEDIA_CONNECT_STATUS, &media) && media == kMediaDisconnected;
    return disconnected && joinAllowed ? SsoConnectStep::kQueueAndRun : SsoConnectStep::kNothing;
  }
  if (facts.ssoInstalled) {
    if (!facts.autoReconnect) return SsoConnectStep::kNothing;
    return facts.supplicantAvailable ? SsoConnectStep::kQueueAndRun : SsoConnectStep::kRememberOnly;
  }
  return facts.autoReconnect ? SsoConnectStep::kQueueAndRun : SsoConnectStep::kNothing;
}

}  // namespace kavo9::sso
