#include "station/dot1x/sso/ui/CPageSSODlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "station/dot1x/sso/tests/SsoFixture.h"

namespace kavo9 {
namespace {

using sso::testing::Kind;

QString Key(std::string_view key) {
  return QString::fromUtf8(key.data(), int(key.size()));
}

struct RecordingActivation : sso::SsoActivationPort {
  std::vector<std::string> activated;
  void ActivateForSignOn(std::string_view name) override { activated.emplace_back(name); }
};

class CPageSSODlgTest : public sso::testing::SsoFixture {
 protected:
  CPageSSODlgTest() {
    PutSso(sso::kInstallValue, "1");
    PutSso(sso::kEnableValue, "0");
    AddProfile("Office", Kind::kLeap, "corp");
    AddProfile("Lab", Kind::kEapFast, "lab");
  }
  template <class W>
  W* Find(int id) {
    W* w = dialog->findChild<W*>(QString::number(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
  }
  void Open() {
    dialog = std::make_unique<CPageSSODlg>(page, &Key);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  }

  RecordingActivation activation;
  sso::SsoPage page{{*fake.registry, store, profileStore, adapter, activation}};
  std::unique_ptr<CPageSSODlg> dialog;
};

TEST_F(CPageSSODlgTest, TheKeyboardAloneSwitchesTheFeatureOnChoosesAndApplies) {
  Open();
  auto* feature = Find<QCheckBox>(1330);
  auto* list = Find<QComboBox>(1340);
  auto* apply = Find<QPushButton>(1136);
  auto* prompt = Find<QRadioButton>(1334);
  ASSERT_TRUE(feature && list && apply && prompt);
  EXPECT_FALSE(apply->isEnabled());
  EXPECT_FALSE(list->isEnabled());

  feature->setFocus();
  QTest::keyClick(feature, Qt::Key_Space);
  EXPECT_TRUE(feature->isChecked());
  EXPECT_TRUE(list->isEnabled() && apply->isEnabled());

  prompt->setFocus();
  QTest::keyClick(prompt, Qt::Key_Space);
  EXPECT_EQ(Sso(sso::kSavedPasswordValue), "2");

  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(Find<QLabel>(1345)->text(), "Office");
  EXPECT_EQ(Find<QLabel>(1347)->text(), "LEAP");
  EXPECT_EQ(Find<QLabel>(1346)->text(), "corp");

  apply->setFocus();
  QTest::keyClick(apply, Qt::Key_Space);
  EXPECT_EQ(activation.activated, (std::vector<std::string>{"Office"}));
  EXPECT_EQ(Sso(sso::kCurProfileValue), "Office");
  EXPECT_TRUE(dialog->StatusText().contains("Office"));
}

TEST_F(CPageSSODlgTest, EveryControlIsNamedAndSwitchingOffSaysSo) {
  PutSso(sso::kEnableValue, "1");
  Open();
  for (int id : {1330, 1332, 1333, 1334, 1340, 1345, 1346, 1347, 1136}) {
    QWidget* w = dialog->findChild<QWidget*>(QString::number(id));
    ASSERT_NE(w, nullptr) << id;
    EXPECT_FALSE(w->accessibleName().isEmpty() && w->property("text").toString().isEmpty()) << id;
    EXPECT_NE(w->focusPolicy(), Qt::NoFocus) << id;
  }
  auto* feature = Find<QCheckBox>(1330);
  feature->setFocus();
  QTest::keyClick(feature, Qt::Key_Space);
  EXPECT_EQ(Sso(sso::kEnableValue), "0");
  EXPECT_FALSE(Find<QPushButton>(1136)->isEnabled());
  EXPECT_FALSE(dialog->StatusText().isEmpty());
}

}  // namespace
}  // namespace kavo9
