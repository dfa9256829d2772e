#include "station/networks/profiles/editor/ProfileEditor.h"

#include <algorithm>

#include "station/networks/BssRecord.h"
#include "station/networks/ChannelFrequency.h"

namespace kavo9::profileeditor {

std::optional<LangKey> ProfileNameProblem(std::string_view name) {
  if (name.empty()) return LangKey::IDS_INPUTPROFILENAME;
  const bool control = std::any_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
  if (!profiles::IsValidProfileName(name) || control) return LangKey::IDS_PROFILENAMEINVALID;
  return std::nullopt;
}

void ChooseSurveySecurity(AuthSecurity& security, const SurveySelection& selection,
                          int windowsVersionCode) {
  if (!selection.Secured) return;
  const int secured = selection.SecurityClass;
  if (secured < 1 || secured > 5) {
    security.ChooseAuthentication(kAuthOpen);
    security.ChooseEncryption(kEncWep);
    return;
  }
  const bool oldWindows = windowsVersionCode < 7;
  security.ChooseAuthentication(kAuthWpaNone);
  switch (secured) {
    case 1:
      security.ChooseAuthentication(kAuthWpa);
      break;
    case 2:
      security.ChooseAuthentication(kAuthWpaPsk);
      break;
    case 4:
      security.ChooseAuthentication(oldWindows ? kAuthWpa : kAuthWpa2);
      break;
    case 5:
      security.ChooseAuthentication(oldWindows ? kAuthWpaPsk : kAuthWpa2Psk);
      break;
    default:
      break;
  }
  security.ChooseEncryption(selection.Cipher == "TKIP" ? kEncTkip : kEncAes);
}

ProfileEditor::ProfileEditor(profiles::ProfileStore& store, EditorStationPort& station,
                             Dot1xTabPort& dot1x)
    : store_(store),
      station_(station),
      dot1x_(dot1x),
      security_({.supplicantAvailable = station.SupplicantAvailable(),
                 .windowsVersionCode = station.WindowsVersionCode()},
                dot1x) {}

void ProfileEditor::PrepareSystem() {
  system_.Reset(store_.DefaultProfileName(), station_.AdapterPowerSave());
  system_.SetSsidChoices(station_.SurveySsids());
  system_.SetAdhocCode(station_.QueryAdhocCode());
}

void ProfileEditor::PrepareDot1x() {
  dot1x8021X_ = profiles::ProfileValues();
  SetDefault8021XValues(&dot1x8021X_);
  dot1x_.Reset8021XPage();
}

void ProfileEditor::RebuildChannels() {
  system_.SetChannels(station_.AdhocChannels(system_.Values().adhocCode));
}

void ProfileEditor::PrepareNewProfile() {
  // The environment may have changed since the last opening (the supplicant started).
  security_.SetEnvironment({.supplicantAvailable = station_.SupplicantAvailable(),
                            .windowsVersionCode = station_.WindowsVersionCode()});
  editedName_.clear();
  PrepareSystem();
  RebuildChannels();
  security_.Reset(true);
  PrepareDot1x();
}

void ProfileEditor::PrepareProfileFromSurvey(const SurveySelection& selection) {
  PrepareNewProfile();
  const BssRecordView record(selection.Record);
  const auto ssid = record.Ssid();
  system_.SetSsid(std::string(ssid.begin(), ssid.end()));
  if (!selection.HiddenSsid.empty()) system_.SetSsid(selection.HiddenSsid);
  const bool infrastructure = record.InfrastructureMode() == 1;
  system_.SetNetworkType(infrastructure);
  const int32_t channel = ChannelFromFrequency(record.DsConfig());
  if (channel > 0) system_.SetChannelText(std::to_string(channel));
  RebuildChannels();

  security_.Reset(infrastructure);
  ChooseSurveySecurity(security_, selection, station_.WindowsVersionCode());
}

bool ProfileEditor::PrepareExistingProfile(std::string_view name) {
  profiles::ProfileValues stored;
  PrepareNewProfile();
  if (!store_.ReadProfile(name, &stored)) return false;
  editedName_ = std::string(name);
  system_.SetName(std::string(name));
  system_.Load(stored);
  Copy8021XValues(stored, &dot1x8021X_);
  dot1x_.Load8021XPage(dot1x8021X_);
  RebuildChannels();
  security_.Load(stored, system_.Values().infrastructure);
  return true;
}

void ProfileEditor::SetNetworkType(bool infrastructure) {
  system_.SetNetworkType(infrastructure);
  security_.SetNetworkType(infrastructure);
  if (!infrastructure) RebuildChannels();
}

OkResult ProfileEditor::Ok() {
  OkResult result;
  const SystemConfigValues& sys = system_.Values();
  if (auto problem = ProfileNameProblem(sys.name)) {
    result.message = problem;
    result.focus = systemconfig::kName;
    return result;
  }
  if (sys.ssid.empty()) {
    result.message = LangKey::IDS_ADHOCINPUTSSID;
    result.focus = systemconfig::kSsid;
    return result;
  }
  security_.SetNetworkType(sys.infrastructure);
  const bool dot1x = security_.Dot1xApplies();
  if (dot1x) {
    if (auto problem = dot1x_.Validate8021XPage()) {
      result.message = problem->key;
      result.text = problem->text;
      result.tab = EditorTab::kDot1x;
      return result;
    }
  }
  auto failure = security_.Check();
  if (!failure) failure = security_.CheckLeap();
  if (failure) {
    result.message = failure->message;
    result.tab = EditorTab::kSecurity;
    result.focus = failure->control;
    return result;
  }
  if (station_.SupplicantAvailable() && dot1x) dot1x_.Take8021XChoices(&dot1x8021X_);

  profiles::ProfileValues values;
  system_.Save(&values);
  security_.Save(sys.infrastructure, &values);
  Copy8021XValues(dot1x8021X_, &values);
  if (!store_.WriteProfile(sys.name, values)) {
    result.text = "RegCreateKeyEx '" + store_.ProfileKey(sys.name) + "' failed\n";
    return result;
  }
  result.saved = true;
  return result;
}

}  // namespace kavo9::profileeditor
