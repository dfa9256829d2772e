#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "radio/about/ui/CPageAboutDlg.h"

namespace kavo9 {
namespace {

TEST(CPageAboutDlg, ShowsTheVersionsHidesFailedRowsAndOpensTheWeb) {
  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter(driver);
  adapter.identity.chipKind = 7;
  driver.refused = {OID_VND_EEPROM_VERSION};
  driver.AnswerDword(OID_VND_FIRMWARE_VERSION, 0x0103);
  fake.fileVersion.versions[fake.paths.ExecutablePath()] = {2, 1, 0, 7, "(C) Norvik"};
  radio::AboutReader reader(fake.platform(), driver, adapter, Utility::kStation);
  int opened = 0;
  CPageAboutDlg page(reader, AboutFlavour::kStation, AboutTexts{.web = "Web"}, [&] { ++opened; });
  page.show();
  EXPECT_EQ(page.findChild<QLabel*>("1053")->text(), "2.1.0.7");
  EXPECT_EQ(page.findChild<QLabel*>("1085")->text(), "(C) Norvik");
  EXPECT_FALSE(page.findChild<QLabel*>("1057")->isVisible());  // no EEPROM version
  EXPECT_TRUE(page.findChild<QLabel*>("1058")->isVisible());
  EXPECT_EQ(page.findChild<QLabel*>("1058")->text(), "1.3");
  page.findChild<QPushButton*>("3063")->click();
  EXPECT_EQ(opened, 1);
}

}  // namespace
}  // namespace kavo9
