// The profile editor with the real 802.1X page on its third tab: a WPA profile refused on that
// tab (a language text, then the page's own text) and saved with the page's settings.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "station/dot1x/editor/Dot1xEditorTab.h"
#include "station/dot1x/settings/ui/CPage8021XDlg.h"
#include "station/dot1x/settings/ui/Dot1xPageIds.h"
#include "station/networks/profiles/editor/ProfileEditorIds.h"
#include "station/networks/profiles/editor/tests/EditorFakes.h"
#include "station/networks/profiles/editor/ui/CPageAuthEncryDlg.h"
#include "station/networks/profiles/editor/ui/CProfileEditorDlg.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9 {
namespace {

using namespace profileeditor;

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

struct Texts : TextPort {
  std::string Text(std::string_view) const override { return ""; }
};
struct Messages : profiles::ProfileMessagePort {
  void ShowMessage(std::string_view) override {}
};
struct PanelHost : ProfileEditorPanelHost {
  std::vector<std::string> calls;
  void ShowEditorMessage(LangKey key) override { calls.emplace_back(LangKeyName(key)); }
  void ShowEditorText(const std::string& text) override { calls.push_back(text); }
  void ProfileSaved() override { calls.push_back("saved"); }
  void EditorCancelled() override { calls.push_back("cancelled"); }
};

QString Text(LangKey key) {
  return QString::fromLatin1(LangKeyName(key).data());
}

class ProfileEditorDot1xTabTest : public ::testing::Test {
 protected:
  ProfileEditorDot1xTabTest() {
    adapter.identity.registryKey = kKey;
    store.CreateKey(kKey, StorePort::Area::kProfile);
    tab.SetSecurity(&editor.Security());
    editor.PrepareNewProfile();
    panel = std::make_unique<CProfileEditorDlg>(editor, host, &Text, QStringLiteral("Sans"),
                                                [this](QWidget* pages) -> QWidget* {
                                                  page = new CPage8021XDlg(model, &Text, pages);
                                                  page->SetBeforeShow([this] { tab.OnShown(); });
                                                  tab.SetChangedCallback([this] { page->Show(); });
                                                  return page;
                                                });
    panel->resize(640, 420);
    panel->show();
  }
  void Type(int number, const char* text) {
    auto* edit = page->findChild<QLineEdit*>(QString::number(number));
    ASSERT_NE(edit, nullptr) << number;
    edit->clear();
    QTest::keyClicks(edit, text);
  }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  RecordingStore store{*fake.registry};
  Texts texts;
  Messages messages;
  profiles::ProfileStore profiles{{adapter, *fake.registry, store, texts, messages}};
  FakeEditorStation station;
  dot1x::Dot1xPageModel model{&fake.certs, false};
  dot1x::Dot1xEditorTab tab{model};
  ProfileEditor editor{profiles, station, tab};
  PanelHost host;
  CPage8021XDlg* page = nullptr;
  std::unique_ptr<CProfileEditorDlg> panel;
};

TEST_F(ProfileEditorDot1xTabTest, AWpaProfileIsRefusedOnTheDot1xTabAndSavedWithItsSettings) {
  ASSERT_NE(page, nullptr);
  panel->findChild<QComboBox*>(QString::number(systemconfig::kSsid))
      ->setEditText(QStringLiteral("corp"));
  panel->SelectTab(EditorTab::kSecurity);
  auto* auth =
      panel->SecurityTab()->findChild<ChoiceButton*>(QString::number(authencry::kAuthentication));
  emit auth->ChoiceMenu()->aboutToShow();
  auth->Choice(authencry::kMenuAuthentication[kAuthWpa])->trigger();
  ASSERT_TRUE(panel->TabButton(EditorTab::kDot1x)->isEnabled());

  panel->OnOk();
  EXPECT_EQ(host.calls.back(), "IDS_IDREQUIRED");
  EXPECT_EQ(panel->CurrentTab(), EditorTab::kDot1x);
  EXPECT_TRUE(store.writes.empty());

  // WPA does not carry MD5-Challenge: the menu greys it.
  auto* method = page->findChild<QPushButton*>(QString::number(dot1xpage::kMethod));
  emit method->menu()->aboutToShow();
  EXPECT_FALSE(
      method->menu()
          ->findChild<QAction*>(QString::number(dot1xpage::kMethodCommands[dot1x::kMd5Challenge]))
          ->isEnabled());

  Type(dot1xpage::kUserId, "alice");
  Type(dot1xpage::kTunnelId, "alice@corp");
  Type(dot1xpage::kTunnelPassword, "wonderland");
  page->TabButton(dot1x::Dot1xTab::kServerCert)->click();
  page->findChild<QAbstractButton*>(QString::number(dot1xpage::kUseServerCert))->click();
  page->findChild<QAbstractButton*>(QString::number(dot1xpage::kNameDomain))->click();
  Type(dot1xpage::kServerName, "corp");
  panel->SelectTab(EditorTab::kSystem);
  panel->OnOk();
  EXPECT_EQ(host.calls.back(), "802.1X - Server Identity has Invalid domain name!");
  EXPECT_EQ(panel->CurrentTab(), EditorTab::kDot1x);

  Type(dot1xpage::kServerName, "corp.example");
  panel->OnOk();
  ASSERT_EQ(host.calls.back(), "saved");
  profiles::ProfileValues v;
  ASSERT_TRUE(profiles.ReadProfile(editor.System().Values().name, &v));
  EXPECT_EQ(v.Text("AuthenType"), "3");
  EXPECT_EQ(v.Text("AuthenProtocol"), "0");
  EXPECT_EQ(v.Text("TunnelProtocol"), "26");
  EXPECT_EQ(v.Text("ID"), "alice");
  EXPECT_EQ(v.Text("TunnelID"), "alice@corp");
  EXPECT_EQ(v.Text("UseServerCert"), "1");
  EXPECT_EQ(v.Text("ServerName"), "corp.example");
  EXPECT_EQ(v.Text("ServerCertLen"), "0");
  EXPECT_EQ(v.Text("ServerCertData"), "");
}

}  // namespace
}  // namespace kavo9
