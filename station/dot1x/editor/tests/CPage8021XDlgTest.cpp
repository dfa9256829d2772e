// The 802.1X page driven through its widgets: the method menus, the tabs each method brings, the
// identity fields, and a certificate chosen by its row among two of the same name.

#include "station/dot1x/settings/ui/CPage8021XDlg.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <algorithm>

#include "common/platform/fake/FakePlatform.h"
#include "common/ui/testing/WidgetAudit.h"
#include "station/dot1x/settings/testing/TestCertificates.h"
#include "station/dot1x/settings/ui/Dot1xPageIds.h"

namespace kavo9 {
namespace {

using namespace dot1x;
using namespace dot1xpage;

QString Text(LangKey key) {
  return QString::fromLatin1(LangKeyName(key).data());
}

class CPage8021XDlgTest : public ::testing::Test {
 protected:
  void Open() {
    dialog = std::make_unique<CPage8021XDlg>(model, &Text);
    dialog->resize(640, 360);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  }
  template <typename W>
  W* Find(int number) {
    return dialog->findChild<W*>(QString::number(number));
  }
  void Pick(int button, int command) {
    auto* action = Find<QPushButton>(button)->menu()->findChild<QAction*>(QString::number(command));
    ASSERT_NE(action, nullptr);
    action->trigger();
  }
  bool TabShown(Dot1xTab tab) { return !dialog->TabButton(tab)->isHidden(); }

  FakePlatform fake;
  Dot1xPageModel model{&fake.certs, false};
  std::unique_ptr<CPage8021XDlg> dialog;
};

TEST_F(CPage8021XDlgTest, EachMethodBringsItsFieldsAndTabs) {
  Open();
  EXPECT_TRUE(testing::UnnamedFocusableControls(dialog.get()).isEmpty())
      << testing::UnnamedFocusableControls(dialog.get()).join(", ").toStdString();
  // Tab goes from the method through the tab buttons to the tab's fields.
  const auto chain = testing::TabChain(Find<QPushButton>(kMethod));
  const auto at = [&](QWidget* w) {
    return std::find(chain.begin(), chain.end(), w) - chain.begin();
  };
  EXPECT_LT(at(Find<QPushButton>(kTunnel)), at(dialog->TabButton(Dot1xTab::kIdentity)));
  EXPECT_LT(at(dialog->TabButton(Dot1xTab::kServerCert)), at(Find<QLineEdit>(kUserId)));
  EXPECT_LT(at(Find<QLineEdit>(kUserId)), long(chain.size()));
  EXPECT_EQ(Find<QPushButton>(kMethod)->text(), "PEAP");
  EXPECT_EQ(Find<QPushButton>(kTunnel)->text(), "EAP-MSCHAP v2");
  EXPECT_TRUE(Find<QCheckBox>(kSessionResumption)->isChecked());
  EXPECT_FALSE(Find<QLineEdit>(kUserPassword)->isEnabled());
  EXPECT_TRUE(Find<QLineEdit>(kTunnelPassword)->isEnabled());
  EXPECT_FALSE(TabShown(Dot1xTab::kEapFast));

  // The MD5-Challenge entry is greyed unless the host offers it.
  QMenu* methods = Find<QPushButton>(kMethod)->menu();
  EXPECT_FALSE(
      methods->findChild<QAction*>(QString::number(kMethodCommands[kMd5Challenge]))->isEnabled());

  Pick(kMethod, kMethodCommands[kTls]);
  EXPECT_EQ(Find<QPushButton>(kMethod)->text(), "TLS/SmartCard");
  EXPECT_FALSE(Find<QPushButton>(kTunnel)->isEnabled());
  EXPECT_TRUE(Find<QPushButton>(kTunnel)->text().isEmpty());
  EXPECT_TRUE(Find<QCheckBox>(kUseClientCert)->isChecked());
  EXPECT_FALSE(Find<QCheckBox>(kUseClientCert)->isEnabled());

  Pick(kMethod, kMethodCommands[kEapFast]);
  EXPECT_TRUE(TabShown(Dot1xTab::kEapFast));
  EXPECT_FALSE(TabShown(Dot1xTab::kClientCert));
  EXPECT_FALSE(Find<QCheckBox>(kProvisionMode)->isEnabled());  // standard mode
  EXPECT_TRUE(Find<QLineEdit>(kDomainName)->isEnabled());
  dialog->TabButton(Dot1xTab::kEapFast)->click();
  EXPECT_EQ(model.CurrentTab(), Dot1xTab::kEapFast);
  Find<QCheckBox>(kUsePac)->click();
  EXPECT_FALSE(Find<QLineEdit>(kPacPath)->isEnabled());

  Pick(kMethod, kMethodCommands[kTtls]);
  EXPECT_EQ(model.CurrentTab(), Dot1xTab::kIdentity);
  EXPECT_EQ(Find<QPushButton>(kTunnel)->text(), "CHAP");
  Pick(kTunnel, kTtlsCommands[kTtlsChoicePap]);
  EXPECT_EQ(Find<QPushButton>(kTunnel)->text(), "PAP");
}

TEST_F(CPage8021XDlgTest, TypingReachesThePageAndShowPasswordUnmasks) {
  Open();
  QTest::keyClicks(Find<QLineEdit>(kUserId), "alice");
  QTest::keyClicks(Find<QLineEdit>(kTunnelPassword), "wonderland");
  EXPECT_EQ(model.Values().userId, "alice");
  EXPECT_EQ(model.Values().tunnelPassword, "wonderland");
  EXPECT_EQ(Find<QLineEdit>(kTunnelPassword)->echoMode(), QLineEdit::Password);
  Find<QCheckBox>(kShowPassword)->click();
  EXPECT_EQ(Find<QLineEdit>(kTunnelPassword)->echoMode(), QLineEdit::Normal);

  Pick(kTunnel, kTunnelCommands[kTunnelTokenCard]);
  auto* soft = Find<QRadioButton>(kSoftToken);
  ASSERT_TRUE(soft->isVisible());
  soft->click();
  EXPECT_FALSE(Find<QLineEdit>(kTunnelPassword)->isEnabled());

  dialog->SetPickFile([](QWidget*, const QString& filter) {
    EXPECT_EQ(filter, "IDS_PAC_TYPE");
    return QStringLiteral("/tmp/alice.pac");
  });
  Pick(kMethod, kMethodCommands[kEapFast]);
  dialog->TabButton(Dot1xTab::kEapFast)->click();
  Find<QPushButton>(kImport)->click();
  EXPECT_EQ(model.Values().pacPath, "/tmp/alice.pac");
  Find<QPushButton>(kRemove)->click();
  EXPECT_TRUE(Find<QLineEdit>(kPacPath)->text().isEmpty());
}

TEST_F(CPage8021XDlgTest, TheChosenRowIsTheCertificateEvenWhenTheNamesRepeat) {
  const std::string first = testing::ImportTestCertificate(
      fake.certs, kPersonalStore, fake.paths.machineDir / "in", "alice", 1, "Laptop");
  const std::string second = testing::ImportTestCertificate(
      fake.certs, kPersonalStore, fake.paths.machineDir / "in", "alice", 2, "Laptop");
  Open();
  dialog->TabButton(Dot1xTab::kClientCert)->click();
  Find<QCheckBox>(kUseClientCert)->click();
  auto* list = Find<QComboBox>(kClientList);
  ASSERT_EQ(list->count(), 2);
  EXPECT_TRUE(list->isEnabled());
  EXPECT_EQ(Find<QLineEdit>(kIssuedTo)->text(), "alice");
  EXPECT_EQ(Find<QLineEdit>(kFriendlyName)->text(), "Laptop");
  const std::string firstRow = HashText(model.ClientCerts().ChosenHash());
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->currentIndex(), 1);
  const std::string secondRow = HashText(model.ClientCerts().ChosenHash());
  // Rows that read alike are still two certificates: the second row is the other hash.
  EXPECT_NE(firstRow, secondRow);
  EXPECT_TRUE((firstRow == first && secondRow == second) ||
              (firstRow == second && secondRow == first));

  dialog->TabButton(Dot1xTab::kServerCert)->click();
  EXPECT_FALSE(Find<QLineEdit>(kServerName)->isEnabled());
  Find<QCheckBox>(kUseServerCert)->click();
  EXPECT_EQ(Find<QComboBox>(kServerList)->currentText(), "- Any Trusted CA -");
  EXPECT_TRUE(Find<QLineEdit>(kServerName)->isEnabled());
}

}  // namespace
}  // namespace kavo9
