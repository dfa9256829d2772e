// The profile editor driven through its widgets: typing, the menus, the 802.1X tab button, OK
// refused with the rule's text on the right tab, and OK writing the profile.

#include "station/networks/profiles/editor/ui/CProfileEditorDlg.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/ui/testing/WidgetAudit.h"
#include "station/networks/profiles/editor/ProfileEditorIds.h"
#include "station/networks/profiles/editor/tests/EditorFakes.h"
#include "station/networks/profiles/editor/ui/CPageAuthEncryDlg.h"
#include "station/networks/profiles/editor/ui/CPageSystemConfigDlg.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9 {
namespace {

using namespace profileeditor;

constexpr const char* kKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

struct Texts : TextPort {
  std::string Text(std::string_view key) const override { return key == "IDS_PROF" ? "PROF" : ""; }
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

class CProfileEditorDlgTest : public ::testing::Test {
 protected:
  CProfileEditorDlgTest() {
    adapter.identity.registryKey = kKey;
    store.CreateKey(kKey, StorePort::Area::kProfile);
    editor.PrepareNewProfile();
    panel = std::make_unique<CProfileEditorDlg>(
        editor, host, [](LangKey key) { return QString::fromLatin1(LangKeyName(key).data()); },
        QStringLiteral("Sans"));
    panel->resize(640, 520);
    panel->show();
  }
  template <typename W>
  W* In(QWidget* tab, int number) {
    return tab->findChild<W*>(QString::number(number));
  }
  void Pick(QWidget* tab, int button, int command) {
    auto* choice = In<ChoiceButton>(tab, button);
    ASSERT_NE(choice, nullptr);
    emit choice->ChoiceMenu()->aboutToShow();
    QAction* action = choice->Choice(command);
    ASSERT_TRUE(action->isEnabled()) << command;
    action->trigger();
  }
  void Type(QWidget* tab, int number, const QString& text) {
    auto* edit = In<QLineEdit>(tab, number);
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
  FakeDot1x dot1x;
  ProfileEditor editor{profiles, station, dot1x};
  PanelHost host;
  std::unique_ptr<CProfileEditorDlg> panel;
};

TEST_F(CProfileEditorDlgTest, AWpa2PskProfileIsTypedCheckedAndSaved) {
  QWidget* sys = panel->SystemTab();
  EXPECT_EQ(In<QLineEdit>(sys, systemconfig::kName)->text(), QStringLiteral("PROF1"));
  In<QComboBox>(sys, systemconfig::kSsid)->setCurrentIndex(1);
  panel->SelectTab(EditorTab::kSecurity);
  QWidget* sec = panel->SecurityTab();
  Pick(sec, authencry::kAuthentication, authencry::kMenuAuthentication[kAuthWpa2Psk]);
  EXPECT_FALSE(panel->TabButton(EditorTab::kDot1x)->isEnabled());
  EXPECT_FALSE(In<QCheckBox>(sec, authencry::kUse8021X)->isVisible());
  Type(sec, authencry::kPreSharedKey, QStringLiteral("short"));
  panel->OnOk();
  EXPECT_EQ(host.calls.back(), "IDS_MSGPSKKEYINVALID");
  EXPECT_EQ(panel->CurrentTab(), EditorTab::kSecurity);
  EXPECT_TRUE(store.writes.empty());

  Type(sec, authencry::kPreSharedKey, QStringLiteral("correct horse"));
  panel->OnOk();
  EXPECT_EQ(host.calls.back(), "saved");
  profiles::ProfileValues v;
  ASSERT_TRUE(profiles.ReadProfile("PROF1", &v));
  EXPECT_EQ(v.Text("SSID"), "corp");
  EXPECT_EQ(v.Text("AuthenType"), "7");
  EXPECT_EQ(v.Text("WPAPSK"), "correct horse");
}

TEST_F(CProfileEditorDlgTest, AdhocShowsTheChannelAndHidesThe8021XBox) {
  QWidget* sys = panel->SystemTab();
  QWidget* sec = panel->SecurityTab();
  panel->SelectTab(EditorTab::kSecurity);
  In<QCheckBox>(sec, authencry::kUse8021X)->click();
  EXPECT_TRUE(panel->TabButton(EditorTab::kDot1x)->isEnabled());
  panel->SelectTab(EditorTab::kSystem);
  EXPECT_FALSE(In<QComboBox>(sys, systemconfig::kChannel)->isVisible());
  Pick(sys, systemconfig::kNetworkType, systemconfig::kMenuAdhoc);
  EXPECT_TRUE(In<QComboBox>(sys, systemconfig::kChannel)->isVisible());
  EXPECT_FALSE(panel->TabButton(EditorTab::kDot1x)->isEnabled());
  panel->SelectTab(EditorTab::kSecurity);
  EXPECT_FALSE(In<QCheckBox>(sec, authencry::kUse8021X)->isVisible());
  // On ad hoc the WPA menu entries are greyed.
  auto* auth = In<ChoiceButton>(sec, authencry::kAuthentication);
  emit auth->ChoiceMenu()->aboutToShow();
  EXPECT_FALSE(auth->Choice(authencry::kMenuAuthentication[kAuthWpaPsk])->isEnabled());
}

TEST_F(CProfileEditorDlgTest, WepKeyEditsFollowTheirFormAndTheDefaultKeyIsChecked) {
  In<QComboBox>(panel->SystemTab(), systemconfig::kSsid)->setEditText(QStringLiteral("lab"));
  QWidget* sec = panel->SecurityTab();
  panel->SelectTab(EditorTab::kSecurity);
  Pick(sec, authencry::kAuthentication, authencry::kMenuAuthentication[kAuthShared]);
  Type(sec, authencry::kKey[0], QStringLiteral("12zz34"));
  EXPECT_EQ(In<QLineEdit>(sec, authencry::kKey[0])->text(), QStringLiteral("1234"));
  Pick(sec, authencry::kKeyForm[0], authencry::kMenuKeyForm[0][kKeyAscii]);
  Type(sec, authencry::kKey[0], QStringLiteral("abcdef"));
  panel->OnOk();
  EXPECT_EQ(host.calls.back(), "IDS_MSGWEPASCKEYINVALID");
  EXPECT_EQ(panel->focusWidget(), In<QLineEdit>(sec, authencry::kKey[0]));
  Type(sec, authencry::kKey[0], QStringLiteral("abcde"));
  panel->OnOk();
  EXPECT_EQ(host.calls.back(), "saved");
  profiles::ProfileValues v;
  ASSERT_TRUE(profiles.ReadProfile("PROF1", &v));
  EXPECT_EQ(v.Text("WEPKey1"), "6162636465");
  EXPECT_EQ(v.Text("WEPKey1Type"), "1");
}

TEST_F(CProfileEditorDlgTest, EnterAndEscapeDoNotCloseThePanelAndEveryControlIsNamed) {
  QTest::keyClick(panel.get(), Qt::Key_Escape);
  QTest::keyClick(panel.get(), Qt::Key_Return);
  EXPECT_TRUE(host.calls.empty());
  panel->findChild<QPushButton*>(QString::number(kCancel))->click();
  EXPECT_EQ(host.calls, std::vector<std::string>{"cancelled"});
  const QStringList unnamed = testing::UnnamedFocusableControls(panel.get());
  EXPECT_TRUE(unnamed.isEmpty()) << unnamed.join(", ").toStdString();
}

}  // namespace
}  // namespace kavo9
