#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "station/dot1x/password/ui/CPeapSettingDlg.h"
#include "station/dot1x/reentry/ui/CInvalidIDPW.h"
#include "station/dot1x/supplicant/testing/ScriptedSupplicant.h"
#include "station/dot1x/supplicant/ui/CAuthenStatusDlg.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9 {
namespace {

QString Text(std::string_view key) {
  return QString::fromUtf8(key.data(), int(key.size()));
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

// A binding with an 802.1X record of `method`, as the panels see it.
struct CredentialPanels {
  explicit CredentialPanels(int method) {
    driver.Answer(OID_802_3_CURRENT_ADDRESS, library.portMac);
    binding.Start();
    connect::ConnectRecord r;
    r.InfraMode = Ndis802_11Infrastructure;
    r.SetSsid("Corp");
    r.AuthMode = Ndis802_11AuthModeWPA2;
    r.Use8021X = 1;
    r.Dot1x.AuthenProtocol = method;
    r.Dot1x.TunnelID = "alice";
    binding.TakeCredentials(r);
  }
  VirtualEventLoop loop;
  ScriptedDriver driver;
  dot1x::ScriptedSupplicant library;
  StationState state;
  dot1x::SupplicantBinding binding{{library, driver, loop, state}};
  RecordingConnect connect;
  dot1x::Reentry reentry{
      {binding, driver, connect, [](std::string_view) { return std::string(); }, nullptr}};
  dot1x::PasswordPanel password{binding};
};

TEST(ReentryPanel, TlsAsksNoPasswordAndAMissingOneIsSaidOtherwise) {
  for (const int method : {dot1x::kTls, dot1x::kPeap}) {
    CredentialPanels parts(method);
    parts.binding.SetRejectReason(1);
    QStringList messages;
    int closed = 0;
    CInvalidIDPW panel(
        parts.reentry, &Text, [&](const QString& m) { messages << m; }, [&] { ++closed; });
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    EXPECT_TRUE(panel.Identity()->hasFocus());
    EXPECT_EQ(panel.Password()->isVisible(), method != dot1x::kTls);
    EXPECT_FALSE(panel.Domain()->isVisible());
    EXPECT_FALSE(panel.Identity()->accessibleName().isEmpty());
    QTest::keyClicks(panel.Identity(), "bob");
    QTest::keyClick(panel.Identity(), Qt::Key_Return);
    if (method == dot1x::kTls) {
      EXPECT_TRUE(messages.isEmpty());
      EXPECT_EQ(closed, 1);
    } else {
      EXPECT_EQ(messages, QStringList{"Must input Password"});
      EXPECT_EQ(closed, 0);
      QTest::keyClick(panel.Identity(), Qt::Key_Escape);
      EXPECT_EQ(closed, 1);
      EXPECT_FALSE(parts.connect.autoReconnect);
    }
  }
}

TEST(PasswordPanelWindow, AChangeShowsTheIdentityReadOnlyAndTakesThePasswordWithEnter) {
  CredentialPanels parts(dot1x::kPeap);
  int closed = 0;
  CPeapSettingDlg panel(parts.password, &Text, [&] { ++closed; });
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  panel.Open(true);
  EXPECT_TRUE(panel.Identity()->isReadOnly());
  EXPECT_EQ(panel.Identity()->text(), "alice");
  EXPECT_TRUE(panel.Password()->hasFocus());
  auto* title = panel.findChild<QLabel*>(QString::number(CPeapSettingDlg::kTitle));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), "Enter your new password");
  QTest::keyClicks(panel.Password(), "n3w");
  QTest::keyClick(panel.Password(), Qt::Key_Return);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(parts.binding.RecordCopy()->Dot1x.TunnelPassword, "n3w");
  EXPECT_TRUE(panel.Password()->text().isEmpty());
}

}  // namespace
}  // namespace kavo9
