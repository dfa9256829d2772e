#pragma once
// Single sign-on bound to the station: APPLY joins through the connector, and what the logon
// component reported has its say in the connector's profile connections.

#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StorePort.h"
#include "station/dot1x/sso/SsoLogon.h"
#include "station/dot1x/sso/SsoPage.h"
#include "station/dot1x/sso/SsoRules.h"
#include "station/networks/connect/Connector.h"
#include "station/shell/controller/StationState.h"

namespace kavo9 {

struct StationSignOnParts {
  connect::Connector& connector;
  Registry& registry;
  StorePort& store;
  DriverPort& driver;
  const StationState& state;
  const SettingsFile& settings;
};

class StationSignOn : public sso::SsoActivationPort, public connect::SignOnConnectPort {
 public:
  explicit StationSignOn(const StationSignOnParts& parts) : p_(parts) {}

  void ActivateForSignOn(std::string_view name) override { p_.connector.ActivateForSignOn(name); }

  // The settle time the state asks for is not waited here: the user-interface thread never
  // sleeps, and the logon component has finished its part before the utility runs.
  void ReadLogonState() override { logon_.ReadSsoLogonState(p_.registry, p_.store); }

  std::optional<Step> ConnectOrWait(bool supplicantAvailable, bool autoReconnect) override {
    const bool installed = sso::SsoInstalled(p_.registry, p_.state.configToolState,
                                             p_.state.MaySetProfiles(p_.settings));
    if (!logon_.LogonPending() && !installed) return std::nullopt;
    switch (logon_.ConnectOrWait(p_.driver, {supplicantAvailable, autoReconnect, installed})) {
      case sso::SsoConnectStep::kQueueAndRun:
        return Step::kQueueAndRun;
      case sso::SsoConnectStep::kRememberOnly:
        return Step::kRememberOnly;
      case sso::SsoConnectStep::kNothing:
        break;
    }
    return Step::kNothing;
  }

 private:
  StationSignOnParts p_;
  sso::SsoLogonState logon_;
};

}  // namespace kavo9
