#pragma once
// The re-entry of credentials after the server rejected them or did not answer: what the panel
// shows (the rejection's message and the fields of the method, or the method's time-out text),
// the checks of OK, and what OK keeps — the last connect record's credentials, the values under
// the adapter key and the current profile's key, a restarted port and a new association — or
// what Cancel withdraws.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/adapter/DriverPort.h"
#include "station/dot1x/supplicant/SupplicantBinding.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9::dot1x {

struct ReentryView {
  bool entryMode = false;  // rejected: new credentials are asked for
  bool identityShown = false;
  bool passwordShown = false;
  bool domainShown = false;
  std::string messageKey;  // the language key of the message
  std::string cardName;
  std::string profileName;
};

// What the panel shows after `rejectReason` (0 time-out, 1 or 2 rejection) for a record of
// `methodChoice` (0 PEAP ... 5 LEAP).
ReentryView ReentryViewFor(int rejectReason, int methodChoice);

struct ReentryParts {
  SupplicantBinding& binding;
  DriverPort& driver;
  ConnectPort& connect;
  // A text of the adapter key ("DriverDesc", "CurProfile"); "" when missing.
  std::function<std::string(std::string_view name)> adapterText;
  // Tells the next connection to ask for credentials first; may be missing.
  std::function<void()> askCredentialsNextTime;
};

class Reentry {
 public:
  static constexpr const char* kMustInputIdentity = "Must input Identity";
  static constexpr const char* kMustInputPassword = "Must input Password";

  explicit Reentry(ReentryParts parts) : p_(std::move(parts)) {}

  ReentryView Show();
  // OK: the message of a missing field (the panel stays), or nothing once the credentials are
  // kept and the station associates again.
  std::optional<std::string> Ok(std::string_view identity, std::string_view password,
                                std::string_view domain);
  void Cancel();
  const ReentryView& View() const { return view_; }

 private:
  void Keep(int method, std::string_view identity, std::string_view password,
            std::string_view domain);

  ReentryParts p_;
  ReentryView view_;
};

}  // namespace kavo9::dot1x
