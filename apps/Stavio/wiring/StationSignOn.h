#pragma once
// Single sign-on bound to the station: APPLY joins through the connector, and what the logon
// component reported has its say in the connector's profile connections.

#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"
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
  EventLoop& loop;
};

class StationSignOn : public sso::SsoActivationPort, public connect::SignOnConnectPort {
 public:
  explicit StationSignOn(const StationSignOnParts& parts) : p_(parts) {}

  void ActivateForSignOn(std::string_view name) override { p_.connector.ActivateForSignOn(name); }

  ~StationSignOn() override { StopWait(); }
  StationSignOn(const StationSignOn&) = delete;
  StationSignOn& operator=(const StationSignOn&) = delete;

  uint32_t ReadLogonState() override { return logon_.ReadSsoLogonState(p_.registry, p_.store); }
  void After(uint32_t ms, std::function<void()> then) override {
    StopWait();
    wait_ = p_.loop.StartTimer(ms, [this, then = std::move(then)]() mutable {
      // Once (the loop's timers repeat); the step is taken out first, as stopping the timer
      // frees this function.
      std::function<void()> next = std::move(then);
      StopWait();
      next();
    });
  }

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
  void StopWait() {
    if (wait_) p_.loop.StopTimer(wait_);
    wait_ = 0;
  }

  StationSignOnParts p_;
  sso::SsoLogonState logon_;
  EventLoop::Handle wait_ = 0;
};

}  // namespace kavo9
