#pragma once
// The WPS page bound to the station: its message boxes, scans, the access-point detail and the
// credential detail panels, and the import of credentials as station profiles.

#include <functional>
#include <span>

#include "common/shell/SettingsFile.h"
#include "radio/RadioState.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/shell/controller/StationLanguage.h"
#include "station/shell/controller/StationState.h"
#include "station/wps/page/WpsPage.h"

namespace kavo9 {

struct StationWpsHostParts {
  const StationLanguage& language;
  const StationState& state;
  const SettingsFile& settings;
  const radio::RadioState& radio;
  std::function<void()> requestScan;
  // The program's message box (text, button).
  std::function<void(const std::string&, const std::string&)> messageBox;
  std::function<void(std::span<const uint8_t>)> showApDetail;
  std::function<void(uint32_t)> showCredentialDetail;
  std::function<void(const wps::WpsCredential&)> importCredential;
};

class StationWpsHost : public wpspage::WpsPageHost {
 public:
  explicit StationWpsHost(StationWpsHostParts parts) : p_(std::move(parts)) {}

  // Texts named by a language key ("IDS_...") are looked up; the rest are shown as they are.
  void ShowMessage(const std::string& text) override;
  void RequestScan() override {
    if (p_.requestScan) p_.requestScan();
  }
  int WirelessMode() const override { return p_.radio.wirelessMode; }
  bool MaySetProfiles() const override { return p_.state.MaySetProfiles(p_.settings); }
  void ShowApDetail(std::span<const uint8_t> record) override {
    if (p_.showApDetail) p_.showApDetail(record);
  }
  void ShowCredentialDetail(uint32_t slot) override {
    if (p_.showCredentialDetail) p_.showCredentialDetail(slot);
  }
  void ImportCredential(const wps::WpsCredential& credential) override {
    if (p_.importCredential) p_.importCredential(credential);
  }
  void Changed() override {}

 private:
  StationWpsHostParts p_;
};

}  // namespace kavo9
