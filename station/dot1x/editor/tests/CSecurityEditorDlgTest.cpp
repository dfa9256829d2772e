// The security editor panel driven through its widgets: a pre-shared-key network joined by
// typing the key, and an enterprise network whose 802.1X tab refuses an empty identity.

#include "station/dot1x/editor/ui/CSecurityEditorDlg.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "common/ui/testing/WidgetAudit.h"
#include "station/dot1x/settings/ui/CPage8021XDlg.h"
#include "station/dot1x/settings/ui/Dot1xPageIds.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/profiles/editor/ProfileEditorIds.h"

namespace kavo9 {
namespace {

using dot1x::SecurityEditorTab;

SurveySelection Network(const char* ssid, const char* authentication, int securityClass) {
  SurveySelection s;
  s.Record = build::BssRecordBuilder().Ssid(ssid).Privacy(true).WithSsidElement().Build();
  s.Authentication = authentication;
  s.Cipher = "AES";
  s.Secured = true;
  s.SecurityClass = securityClass;
  return s;
}

class CSecurityEditorDlgTest : public ::testing::Test {
 protected:
  CSecurityEditorDlgTest() {
    editor.SetHost(
        {.showPanel = [this] { panel.show(); },
         .returnToPages = [this] { panel.hide(); },
         .showMessage = [this](LangKey key) { messages.push_back(std::string(LangKeyName(key))); },
         .showText = [this](const std::string& text) { messages.push_back(text); },
         .connect = [this](
                        const SurveySelection&,
                        const connect::SecurityChoices& c) { passPhrases.push_back(c.passPhrase); },
         .supplicantAvailable = [] { return true; },
         .windowsVersionCode = [] { return 8; }});
    panel.resize(640, 400);
  }
  template <typename W>
  W* Find(int number) {
    return panel.findChild<W*>(QString::number(number));
  }
  dot1x::SecurityEditor editor{nullptr, false};
  CSecurityEditorDlg panel{
      editor, [](LangKey key) { return QString::fromLatin1(LangKeyName(key).data()); }};
  std::vector<std::string> messages;
  std::vector<std::string> passPhrases;
};

TEST_F(CSecurityEditorDlgTest, APreSharedKeyNetworkJoinsWithTheTypedKey) {
  editor.Show(Network("Apartment 4B", "WPA2-PSK", 5));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  EXPECT_TRUE(testing::UnnamedFocusableControls(&panel).isEmpty())
      << testing::UnnamedFocusableControls(&panel).join(", ").toStdString();
  EXPECT_FALSE(panel.TabButton(SecurityEditorTab::kDot1x)->isEnabled());
  EXPECT_EQ(Find<QPushButton>(authencry::kAuthentication)->text(), "WPA2-PSK");
  auto* key = Find<QLineEdit>(authencry::kPreSharedKey);
  ASSERT_TRUE(key->isEnabled());
  QTest::keyClicks(key, "correct horse battery staple");
  QTest::keyClick(key, Qt::Key_Return);  // Enter does not close the panel
  EXPECT_TRUE(panel.isVisible());
  EXPECT_TRUE(passPhrases.empty());
  Find<QPushButton>(CSecurityEditorDlg::kOk)->click();
  EXPECT_EQ(passPhrases, std::vector<std::string>{"correct horse battery staple"});
  EXPECT_FALSE(panel.isVisible());
}

TEST_F(CSecurityEditorDlgTest, AnEnterpriseNetworkIsRefusedOnItsDot1xTab) {
  editor.Show(Network("ACME-Corp", "WPA2", 4));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  QPushButton* dot1xTab = panel.TabButton(SecurityEditorTab::kDot1x);
  ASSERT_TRUE(dot1xTab->isEnabled());
  Find<QPushButton>(CSecurityEditorDlg::kOk)->click();
  EXPECT_EQ(messages, std::vector<std::string>{"IDS_IDREQUIRED"});
  EXPECT_TRUE(dot1xTab->isChecked());
  EXPECT_TRUE(panel.Dot1xPage()->isVisible());
  auto* id = panel.Dot1xPage()->findChild<QLineEdit*>(QString::number(dot1xpage::kUserId));
  QTest::keyClicks(id, "alice");
  for (int number : {dot1xpage::kTunnelId, dot1xpage::kTunnelPassword}) {
    QTest::keyClicks(panel.Dot1xPage()->findChild<QLineEdit*>(QString::number(number)), "x");
  }
  Find<QPushButton>(CSecurityEditorDlg::kOk)->click();
  EXPECT_EQ(passPhrases.size(), 1u);
}

}  // namespace
}  // namespace kavo9
