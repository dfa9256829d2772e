#pragma once
// Small fakes of what the profile page reads and hands over.

#include <optional>
#include <string>
#include <vector>

#include "station/networks/profiles/page/ProfilePage.h"

namespace kavo9::profilepage {

struct Texts : TextPort {
  std::string Text(std::string_view key) const override {
    return key == "IDS_AUTO" ? "Auto" : std::string(key);
  }
};
struct Messages : profiles::ProfileMessagePort {
  void ShowMessage(std::string_view) override {}
};

struct Station : ProfileStationPort {
  bool maySet = true, supplicant = true, service = false, radio = true;
  bool MaySetProfiles() const override { return maySet; }
  bool SupplicantAvailable() const override { return supplicant; }
  bool ServiceManagesAdapter() const override { return service; }
  bool RadioOn() const override { return radio; }
};

struct Connection : ProfileConnectionPort {
  profiles::ProfileStore* store = nullptr;
  bool profileMode = false;
  std::optional<uint32_t> infraMode;
  bool wps = false;
  std::vector<std::string> calls;
  bool ProfileMode() const override { return profileMode; }
  std::optional<uint32_t> LastRecordInfraMode() const override { return infraMode; }
  bool ActivateProfile(const std::vector<profiles::ProfileRow>& rows, int selected) override {
    const int row = selected >= 0 ? selected : 0;
    calls.push_back("activate " + rows[size_t(row)].Name);
    store->SetActiveName(rows[size_t(row)].Name);
    store->SetActiveProfile(rows[size_t(row)].Name);
    profileMode = true;
    return true;
  }
  void ReleaseActiveProfile(bool reconnect) override {
    calls.push_back(reconnect ? "release and reconnect" : "release");
    profileMode = false;
  }
  bool WpsInUse() const override { return wps; }
};

struct Host : ProfilePageHostPort {
  std::vector<std::string> calls;
  bool confirm = true;
  bool editorShowing = false;
  void ShowMessage(LangKey key) override { calls.push_back(std::string(LangKeyName(key))); }
  bool Confirm(LangKey key) override {
    calls.push_back("confirm " + std::string(LangKeyName(key)));
    return confirm;
  }
  bool EditorShowing() const override { return editorShowing; }
  void HideEditor() override { calls.push_back("hide editor"); }
  void OpenNewProfile() override { calls.push_back("new"); }
  bool OpenExistingProfile(std::string_view name) override {
    calls.push_back("edit " + std::string(name));
    return true;
  }
};

}  // namespace kavo9::profilepage
