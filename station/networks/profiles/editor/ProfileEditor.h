#pragma once
// The profile editor's logic: the three preparations (a new profile, one from a site-survey
// network, an existing one), the tabs' logic it holds, and OK with its checks and the write of
// every value. The panel binds to it; what the panel must do after OK (a message on a tab, or
// back to the profile page) comes back as the result.

#include <optional>
#include <string>
#include <vector>

#include "station/networks/profiles/ProfileStore.h"
#include "station/networks/profiles/editor/AuthSecurity.h"
#include "station/networks/profiles/editor/Dot1xTabPort.h"
#include "station/networks/profiles/editor/ProfileEditorIds.h"
#include "station/networks/profiles/editor/SystemConfig.h"
#include "station/networks/survey/SurveySelection.h"
#include "station/shell/LangKeys.h"

namespace kavo9::profileeditor {

// What the editor reads from the station when it prepares a profile.
class EditorStationPort {
 public:
  virtual ~EditorStationPort() = default;
  // The SSIDs of the merged list of networks in range, in list order.
  virtual std::vector<std::string> SurveySsids() = 0;
  // The adapter's power-saving value ("PSMode" of the adapter key; 0 when it cannot be read).
  virtual int AdapterPowerSave() = 0;
  // The driver's ad hoc code (word 4 of the station options), 0 when the query fails.
  virtual int QueryAdhocCode() = 0;
  // The channels an ad hoc network may use now, for that code.
  virtual std::vector<int> AdhocChannels(int adhocCode) = 0;
  virtual bool SupplicantAvailable() const = 0;
  virtual int WindowsVersionCode() const = 0;
};

// What OK asks the panel to do.
struct OkResult {
  bool saved = false;
  // A refusal: the rule's language text, or (when the profile could not be written) a text of
  // its own; the tab to show and the control that gets the focus (0 for none).
  std::optional<LangKey> message;
  std::string text;
  EditorTab tab = EditorTab::kSystem;
  int focus = 0;
};

class ProfileEditor {
 public:
  ProfileEditor(profiles::ProfileStore& store, EditorStationPort& station, Dot1xTabPort& dot1x);

  void PrepareNewProfile();
  // `selection` is the survey's selected network with its security class (SelectedSecured).
  void PrepareProfileFromSurvey(const SurveySelection& selection);
  // False (and a new profile prepared instead) when the profile cannot be read.
  bool PrepareExistingProfile(std::string_view name);

  // The system tab's network type: the security tab follows, ad hoc rebuilds the channels.
  void SetNetworkType(bool infrastructure);
  // The security tab is shown.
  void OnSecurityTabShown() { security_.OnShown(system_.Values().infrastructure); }
  // The radio settings changed: the channel list is built again.
  void RebuildChannels();

  // Checks, then writes every value of the profile; nothing is written when a check fails.
  OkResult Ok();

  SystemConfig& System() { return system_; }
  AuthSecurity& Security() { return security_; }
  const profiles::ProfileValues& Dot1xRecord() const { return dot1x8021X_; }
  // The name the profile had when it was opened for editing ("" for a new profile).
  const std::string& EditedName() const { return editedName_; }

 private:
  void PrepareSystem();
  void PrepareDot1x();

  profiles::ProfileStore& store_;
  EditorStationPort& station_;
  Dot1xTabPort& dot1x_;
  SystemConfig system_;
  AuthSecurity security_;
  profiles::ProfileValues dot1x8021X_;  // the editor's own record of the 802.1X values
  std::string editedName_;
};

// The security tab's choices for a secured survey network (SelectedSecured and its cipher text):
// the network's WPA method, WPA-None first; WPA2 becomes WPA before code 7; a secured network of
// no WPA class is open with WEP. An unsecured network leaves the tab as it is.
void ChooseSurveySecurity(AuthSecurity& security, const SurveySelection& selection,
                          int windowsVersionCode);

// Why a profile name cannot be used: nullopt for a good one. Names are 1 to 32 characters, with
// no "\" and no control characters (a name is a registry key).
std::optional<LangKey> ProfileNameProblem(std::string_view name);

}  // namespace kavo9::profileeditor
