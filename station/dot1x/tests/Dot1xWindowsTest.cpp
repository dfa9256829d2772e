#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "common/platform/fake/VirtualEventLoop.h"
#include "station/dot1x/passphrase/ui/CPassPhraseDlg.h"
#include "station/dot1x/supplicant/ui/CAuthenStatusDlg.h"

namespace kavo9 {
namespace {

QString Text(std::string_view key) {
  return QString::fromUtf8(key.data(), int(key.size()));
}

TEST(PassPhrasePanel, TypedKeyConnectsWithEnterAndAWrongOneStays) {
  dot1x::PassPhrasePrompt prompt;
  std::vector<std::string> connected;
  int messages = 0, returns = 0;
  prompt.SetHost({[] {}, [&] { ++returns; }, [&](LangKey) { ++messages; },
                  [&](const SurveySelection&, const connect::SecurityChoices& c) {
                    connected.push_back(c.passPhrase);
                  }});
  SurveySelection s;
  s.Authentication = "WPA2-PSK";
  s.Cipher = "AES";
  s.HiddenSsidPath = true;
  s.HiddenSsid = "Apartment 4B";
  prompt.Show(s);
  CPassPhraseDlg panel(prompt, &Text);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  QLineEdit* edit = panel.Edit();
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
  EXPECT_FALSE(edit->accessibleName().isEmpty());
  QTest::keyClicks(edit, "short");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(messages, 1);
  EXPECT_TRUE(connected.empty());
  edit->clear();
  QTest::keyClicks(edit, "correct horse battery staple");
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_EQ(connected.size(), 1u);
  EXPECT_EQ(connected[0], "correct horse battery staple");
  EXPECT_EQ(returns, 1);
  EXPECT_TRUE(edit->text().isEmpty());  // the key does not linger in the panel
  auto* show = panel.findChild<QCheckBox*>(QString::number(CPassPhraseDlg::kShow));
  ASSERT_NE(show, nullptr);
  show->setChecked(true);
  EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
}

TEST(AuthStatusPanel, LinesAppearUntilTheEndMarkerEmptiesIt) {
  VirtualEventLoop loop;
  dot1x::AuthStatusList list;
  int returns = 0;
  CAuthenStatusDlg panel(
      list, loop, [&] { ++returns; }, &Text);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  panel.OnStatusLine(list.Add("Network is connecting..."));
  panel.OnStatusLine(list.Add(""));
  ASSERT_EQ(panel.List()->topLevelItemCount(), 2);
  EXPECT_EQ(panel.List()->topLevelItem(0)->text(1), "Network is connecting...");
  EXPECT_EQ(panel.List()->topLevelItem(1)->text(1), "NULL STRING");
  EXPECT_FALSE(panel.List()->topLevelItem(0)->text(0).isEmpty());
  panel.OnStatusLine(list.MarkDone());
  EXPECT_EQ(panel.List()->topLevelItemCount(), 0);
  EXPECT_EQ(returns, 1);
}

}  // namespace
}  // namespace kavo9
