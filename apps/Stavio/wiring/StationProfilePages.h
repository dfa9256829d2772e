#pragma once
// The profile page and the profile editor panel bound to the station: it makes both when the main
// window is created and carries their hand-overs out (message boxes, the editor panel, going back
// to the profile page). The rules live in the page's and the editor's logic.

#include <QPointer>
#include <functional>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Platform.h"
#include "common/shell/SettingsFile.h"
#include "radio/RadioState.h"
#include "station/dot1x/editor/Dot1xEditorTab.h"
#include "station/networks/connect/Connector.h"
#include "station/networks/profiles/editor/EditorStation.h"
#include "station/networks/profiles/editor/ProfileEditor.h"
#include "station/networks/profiles/editor/ui/CProfileEditorDlg.h"
#include "station/networks/profiles/page/StationProfileConnection.h"
#include "station/networks/profiles/page/ui/CPageProfileDlg.h"
#include "station/shell/controller/ControllerPorts.h"
#include "station/shell/controller/StationLanguage.h"
#include "station/shell/controller/StationState.h"

class QWidget;

namespace kavo9 {

class StationWindows;

struct StationProfilePagesParts {
  Platform& platform;
  DriverPort& driver;
  const AdapterPort& adapter;
  const SettingsFile& settings;
  const StationLanguage& language;
  const StationState& state;
  const radio::RadioState& radio;
  SurveyStationPort& survey;
  profiles::ProfileStore& profiles;
  connect::Connector& connector;
  connect::ConnectWpsPort& wps;
  dot1x::Dot1xEditorTab& dot1x;
};

class StationProfilePages : public ProfileEditorPort,
                            public profilepage::ProfilePageHostPort,
                            public profilepage::ProfileStationPort,
                            public ProfileEditorPanelHost {
 public:
  explicit StationProfilePages(const StationProfilePagesParts& parts);
  ~StationProfilePages() override;

  void SetWindows(StationWindows* windows) { windows_ = windows; }
  // Shows the profile page (the main window's own step, scrolling its bar as needed).
  void SetShowProfilePage(std::function<void()> show) { showProfilePage_ = std::move(show); }

  QWidget* CreateProfilePage(QWidget* parent);
  QWidget* CreateEditorPanel(QWidget* parent);
  CPageProfileDlg* ProfilePage() const { return page_; }
  CProfileEditorDlg* EditorPanel() const { return panel_; }
  profileeditor::ProfileEditor& Editor() { return editor_; }

  // ProfileEditorPort.
  void OpenFromSurvey(const SurveySelection& selection) override;
  void RadioSettingsChanged() override;

  // ProfilePageHostPort.
  void ShowMessage(LangKey key) override;
  bool Confirm(LangKey key) override;
  bool EditorShowing() const override;
  void HideEditor() override;
  void OpenNewProfile() override;
  bool OpenExistingProfile(std::string_view name) override;

  // ProfileStationPort.
  bool MaySetProfiles() const override { return p_.state.MaySetProfiles(p_.settings); }
  bool SupplicantAvailable() const override { return p_.survey.SupplicantAvailable(); }
  bool ServiceManagesAdapter() const override { return p_.state.ServiceManagesAdapter(); }
  bool RadioOn() const override { return p_.state.radioOn; }

  // ProfileEditorPanelHost.
  void ShowEditorMessage(LangKey key) override { ShowMessage(key); }
  void ShowEditorText(const std::string& text) override;
  void ProfileSaved() override;
  void EditorCancelled() override;

 private:
  void ShowEditor();
  QString Text(LangKey key) const;

  StationProfilePagesParts p_;
  StationWindows* windows_ = nullptr;
  std::function<void()> showProfilePage_;
  profileeditor::EditorStation editorStation_;
  profileeditor::ProfileEditor editor_;
  profilepage::StationProfileConnection connection_;
  QPointer<CPageProfileDlg> page_;
  QPointer<CProfileEditorDlg> panel_;
};

}  // namespace kavo9
