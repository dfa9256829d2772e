#include "station/dot1x/sso/SsoPage.h"

#include <strings.h>

#include "common/shell/AdapterKey.h"
#include "station/dot1x/sso/SsoRules.h"

namespace kavo9::sso {

void SsoPage::Show() {
  const bool hadOtherLibrary = view_.otherLogonLibrary;
  view_ = SsoPageView{};
  view_.otherLogonLibrary = hadOtherLibrary;
  for (const profiles::ProfileRow& row : p_.profiles.ListProfiles(false)) {
    profiles::ProfileValues values;
    if (p_.profiles.ReadProfile(row.Name, &values) && EligibleForSso(values)) {
      view_.profiles.push_back(row.Name);
    }
  }
  if (InstallFlagSet(ReadSsoValue(p_.registry, kInstallValue))) {
    const auto enable = ReadSsoValue(p_.registry, kEnableValue);
    if (!enable) StoreText(p_.store, kSsoKey, kEnableValue, "0", StorePort::Area::kProfile);
    view_.featureOn = EnableFlagSet(enable);
    view_.credential = SavedPasswordChoice(ReadSsoValue(p_.registry, kSavedPasswordValue));
  }
  if (!view_.profiles.empty()) {
    // The stored profile by its whole name: "Office" must not pick "Office2", which sorts first.
    const auto current = ReadSsoValue(p_.registry, kCurProfileValue);
    if (!current || current->empty()) {
      view_.selected = 0;
    } else {
      for (size_t i = 0; i < view_.profiles.size(); ++i) {
        if (::strcasecmp(view_.profiles[i].c_str(), current->c_str()) == 0) {
          view_.selected = int(i);
          break;
        }
      }
    }
  }
  ShowSelected();
}

void SsoPage::ShowSelected() {
  view_.profileName.clear();
  view_.ssid.clear();
  view_.authentication.clear();
  if (view_.selected >= 0) {
    const std::string& name = view_.profiles[size_t(view_.selected)];
    profiles::ProfileValues values;
    p_.profiles.ReadProfile(name, &values);
    view_.profileName = name;
    view_.ssid = values.Text("SSID");
    view_.authentication = std::string(SsoAuthenticationText(values));
  }
  UpdateEnabled();
}

void SsoPage::UpdateEnabled() {
  // One rule for every control: the choices take input only while the feature is on, and the
  // profile's texts and APPLY only with a profile chosen.
  view_.credentialsEnabled = view_.featureOn;
  view_.listEnabled = view_.featureOn && !view_.profiles.empty();
  view_.detailsEnabled = view_.featureOn && view_.selected >= 0;
  view_.applyEnabled = view_.detailsEnabled;
}

void SsoPage::SetFeature(bool on) {
  view_.featureOn = on;
  UpdateEnabled();
  if (on) return;
  SsoKeyWriter writer(p_.registry, p_.store);
  writer.Set(kEnableValue, "0");
  writer.Set(kCurProfileValue, "");
  writer.DeleteSubkeys();
  writer.RemoveGina();
}

void SsoPage::ChooseCredential(SavedPassword choice) {
  view_.credential = choice;
  SsoKeyWriter(p_.registry, p_.store).Set(kSavedPasswordValue, std::to_string(int(choice)));
}

void SsoPage::ChooseProfile(int index) {
  view_.selected = index >= 0 && size_t(index) < view_.profiles.size() ? index : -1;
  ShowSelected();
}

void SsoPage::Apply() {
  if (!view_.applyEnabled) return;
  const std::string name = view_.profiles[size_t(view_.selected)];
  const std::string& adapterKey = p_.adapter.Identity().registryKey;
  SsoKeyWriter writer(p_.registry, p_.store);
  view_.otherLogonLibrary = !writer.InstallGina();
  writer.Set(kEnableValue, view_.featureOn ? "1" : "0");
  writer.DeleteSubkeys();
  writer.Set(kCurProfileValue, name);
  writer.Set(kDeviceRegistryPathValue, adapterKey);
  writer.Set(kProfilePathValue, ProfilePathText(adapterKey, name));
  writer.Set(kProfileNameValue, ProfileNameText(name));
  std::string description;
  if (ReadMachineText(p_.registry, adapterKey, "DriverDesc", &description)) {
    writer.Set(kCardNameValue, CardNameText(description));
  }
  p_.activation.ActivateForSignOn(name);
}

}  // namespace kavo9::sso
