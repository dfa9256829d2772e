#pragma once
// The single-sign-on page's logic: the feature switch, the credential choice, the profiles that
// can sign on, and APPLY. The page re-reads the registry each time it is shown; the credential
// choice and switching the feature off are written at once, everything else on APPLY.

#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/AdapterPort.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"
#include "station/dot1x/sso/SsoRecord.h"
#include "station/networks/profiles/ProfileStore.h"

namespace kavo9::sso {

// APPLY's last step: the chosen profile becomes the active one and is joined, as an activation
// does, except that WPS use stays, "WSC" is not written and no single-sign-on check runs.
class SsoActivationPort {
 public:
  virtual ~SsoActivationPort() = default;
  virtual void ActivateForSignOn(std::string_view profileName) = 0;
};

struct SsoPageParts {
  Registry& registry;
  StorePort& store;
  profiles::ProfileStore& profiles;
  const AdapterPort& adapter;
  SsoActivationPort& activation;
};

// What the page shows, and which of its controls take input.
struct SsoPageView {
  bool featureOn = false;
  SavedPassword credential = SavedPassword::kWindowsLogon;
  std::vector<std::string> profiles;  // the profiles that can sign on, in registry order
  int selected = -1;
  std::string profileName, ssid, authentication;  // of the selected profile
  bool credentialsEnabled = false;
  bool listEnabled = false;     // the list and its label
  bool detailsEnabled = false;  // the three profile texts
  bool applyEnabled = false;
  // Set by APPLY when another logon library is installed and was left in place.
  bool otherLogonLibrary = false;
};

class SsoPage {
 public:
  explicit SsoPage(SsoPageParts parts) : p_(parts) {}

  // Reads the registry into the view (when the page is created and each time it is shown).
  void Show();
  // "Enable SSO Feature": on enables the choices; off disables them and turns the feature off in
  // the registry at once.
  void SetFeature(bool on);
  void ChooseCredential(SavedPassword choice);
  // A row of the profile list; an index outside the list selects nothing.
  void ChooseProfile(int index);
  void Apply();

  const SsoPageView& View() const { return view_; }

 private:
  void ShowSelected();
  void UpdateEnabled();

  SsoPageParts p_;
  SsoPageView view_;
};

}  // namespace kavo9::sso
