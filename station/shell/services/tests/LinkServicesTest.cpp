// What the link panel reads from the station: the flags, the adapter table through the IP
// helper, and the site survey's connected row.
#include "station/shell/services/LinkServices.h"

#include <gtest/gtest.h>

#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"

namespace kavo9 {
namespace {

TEST(LinkServicesTest, AnswersFromTheStationAndTheSystem) {
  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  adapter.identity.chipKind = 6;
  adapter.identity.isHtFamily = true;
  StationLanguage language{fake.paths, fake.system};
  StationState state;
  state.keyError = true;
  state.radioOn = false;
  radio::RadioState radio;
  radio.wirelessMode = 9;
  LinkServices services({fake.platform(), adapter, language, state, radio});
  EXPECT_EQ(services.ChipKind(), 6);
  EXPECT_TRUE(services.IsHtFamily());
  EXPECT_EQ(services.WirelessMode(), 9);
  EXPECT_TRUE(services.KeyError());
  EXPECT_FALSE(services.RadioOn());

  fake.ipHelper.adapters = {
      {"{A}", "192.168.7.100", "255.255.255.0", "192.168.7.1", true, {1, 2, 3, 4, 5, 6}}};
  std::vector<IpAdapterInfo> table;
  ASSERT_TRUE(services.AdaptersInfo(&table));
  ASSERT_EQ(table.size(), 1u);
  EXPECT_EQ(table[0].address.size(), 6u);

  // The first connected row decides; no survey page, no rows.
  EXPECT_FALSE(services.ConnectedRowIsHt());
  std::vector<SiteSurveyRow> rows(3);
  rows[1].Connected = 1;
  rows[1].Ht = 1;
  rows[2].Connected = 1;
  services.SetSurveyRows([&rows] { return &rows; });
  EXPECT_TRUE(services.ConnectedRowIsHt());
  rows[1].Ht = 0;
  rows[2].Ht = 1;
  EXPECT_FALSE(services.ConnectedRowIsHt()) << "only the first connected row counts";
}

}  // namespace
}  // namespace kavo9
