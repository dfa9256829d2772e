#include "apps/Stavio/wiring/StationProfilePages.h"

#include "station/dot1x/settings/ui/CPage8021XDlg.h"
#include "station/networks/profiles/editor/ui/CPageSystemConfigDlg.h"
#include "station/shell/mainwindow/MainWindowIds.h"
#include "station/shell/mainwindow/StationWindows.h"

namespace kavo9 {

StationProfilePages::StationProfilePages(const StationProfilePagesParts& parts)
    : p_(parts),
      editorStation_(p_.survey, *p_.platform.registry, p_.adapter, p_.driver, p_.radio),
      editor_(p_.profiles, editorStation_, p_.dot1x),
      connection_(p_.connector, p_.wps) {
  p_.dot1x.SetSecurity(&editor_.Security());
}

StationProfilePages::~StationProfilePages() = default;

QString StationProfilePages::Text(LangKey key) const {
  return QString::fromStdString(p_.language.language().Text(key));
}

QWidget* StationProfilePages::CreateProfilePage(QWidget* parent) {
  page_ = new CPageProfileDlg(
      *p_.platform.loop, {p_.profiles, p_.language, p_.driver, *this, connection_, *this},
      [this](LangKey key) { return Text(key); },
      QString::fromStdString(p_.language.language().FaceName()), parent);
  return page_;
}

QWidget* StationProfilePages::CreateEditorPanel(QWidget* parent) {
  editor_.PrepareNewProfile();
  const EditorTextLookup text = [this](LangKey key) { return Text(key); };
  auto dot1xPage = [this, text](QWidget* pages) -> QWidget* {
    auto* page = new CPage8021XDlg(p_.dot1x.Page(), text, pages);
    page->SetBeforeShow([this] { p_.dot1x.OnShown(); });
    p_.dot1x.SetChangedCallback([page = QPointer<CPage8021XDlg>(page)] {
      if (page) page->Show();
    });
    return page;
  };
  panel_ = new CProfileEditorDlg(editor_, *this, text,
                                 QString::fromStdString(p_.language.language().FaceName()),
                                 dot1xPage, parent);
  return panel_;
}

void StationProfilePages::ShowEditor() {
  if (!windows_ || !panel_) return;
  panel_->ShowPrepared();
  windows_->ShowPanel(mainwindow::kProfileEditorPanel);
  windows_->SetExpanded(true);
}

// ---- The site survey and the radio settings ------------------------------------------------

void StationProfilePages::OpenFromSurvey(const SurveySelection& selection) {
  editor_.PrepareProfileFromSurvey(selection);
  ShowEditor();
}

void StationProfilePages::RadioSettingsChanged() {
  editor_.RebuildChannels();
  if (panel_) panel_->SystemTab()->Show();
}

// ---- The profile page's hand-overs ---------------------------------------------------------

void StationProfilePages::ShowMessage(LangKey key) {
  if (windows_) {
    windows_->ShowMessageBox("Kavo9", p_.language.language().Text(key), p_.language.Text("IDS_OK"));
  }
}

bool StationProfilePages::Confirm(LangKey key) {
  return windows_ &&
         windows_->AskMessageBox(p_.language.language().Text(key), p_.language.Text("IDS_OK")) == 1;
}

bool StationProfilePages::EditorShowing() const {
  return windows_ && windows_->IsPanelShown(mainwindow::kProfileEditorPanel);
}

void StationProfilePages::HideEditor() {
  if (windows_) windows_->ShowPanel(mainwindow::kLinkStatusPanel);
}

void StationProfilePages::OpenNewProfile() {
  editor_.PrepareNewProfile();
  ShowEditor();
}

bool StationProfilePages::OpenExistingProfile(std::string_view name) {
  if (!editor_.PrepareExistingProfile(name)) return false;
  ShowEditor();
  return true;
}

// ---- The editor's hand-overs ---------------------------------------------------------------

void StationProfilePages::ShowEditorText(const std::string& text) {
  if (windows_) windows_->ShowMessageBox("Kavo9", text, p_.language.Text("IDS_OK"));
}

void StationProfilePages::ProfileSaved() {
  HideEditor();
  if (showProfilePage_) showProfilePage_();
  if (page_) page_->RefreshProfileList();
}

void StationProfilePages::EditorCancelled() {
  HideEditor();
}

}  // namespace kavo9
