#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "radio/tests/RadioFakes.h"
#include "radio/wmm/WmmPage.h"

namespace kavo9::radio {
namespace {

class Texts : public TextPort {
 public:
  std::string Text(std::string_view key) const override {
    if (key == "IDS_ENABLED") return "Enabled";
    if (key == "IDS_DISABLED") return "Disabled";
    return std::string(key);
  }
};

class Host : public WmmPageHost {
 public:
  void RefreshCcxControl() override { calls.push_back("ccx"); }
  bool RadioOn() override { return radioOn; }
  void PressSiteSurveyRescan() override { calls.push_back("rescan"); }
  std::vector<std::string> calls;
  bool radioOn = true;
};

std::vector<uint8_t> DlsEntry(uint8_t last, uint16_t timeout, uint8_t status, uint8_t inUse) {
  std::vector<uint8_t> e(kDlsEntrySize, 0);
  e[0] = uint8_t(timeout), e[1] = uint8_t(timeout >> 8);
  e[4] = 0x00, e[5] = 0x0C, e[9] = last;
  e[10] = status, e[11] = inUse;
  return e;
}

class WmmPageTest : public ::testing::Test {
 protected:
  WmmPageTest() {
    std::vector<uint8_t> ssid(36, 0);
    ssid[0] = 4;
    std::copy_n("Cafe", 4, ssid.begin() + 4);
    driver.answers[OID_802_11_SSID] = ssid;
    driver.AnswerDword(OID_VND_APSD, 0x60 | 0x1F);  // the driver's bits 5-6 set
    driver.answers[OID_802_3_CURRENT_ADDRESS] = {0x00, 0x0C, 0x43, 0x30, 0x70, 0x01};
  }
  std::vector<std::string> SetsAfter(size_t from) {
    std::vector<std::string> names;
    for (size_t i = from; i < driver.log.size(); ++i) names.push_back(driver.log[i].Name());
    return names;
  }
  uint32_t LastSet32(uint32_t oid) {
    const auto& v = driver.lastSet[oid];
    uint32_t value = 0;
    for (size_t i = 0; i < v.size() && i < 4; ++i) value |= uint32_t(v[i]) << (8 * i);
    return value;
  }

  ScriptedDriver driver;
  test::MemoryStore store;
  Texts texts;
  Host host;
  VirtualEventLoop loop;
  WmmPageModel page{driver, store, texts, host, loop};
};

TEST_F(WmmPageTest, SwitchingWmmOffClearsEverythingThenAssociatesAgain) {
  page.values().wmm = true, page.values().apsd = true, page.values().dls = true;
  page.values().timeout = "300";
  page.values().wmm = false;
  const size_t from = driver.log.size();
  page.OnWmmChanged();
  EXPECT_FALSE(page.values().apsd);
  EXPECT_FALSE(page.values().dls);
  EXPECT_EQ(page.values().timeout, "60");
  EXPECT_EQ(store.writes, (std::vector<std::string>{"APSDCapable", "DLSCapable", "WMMCapable"}));
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "WMMCapable"), "0");
  EXPECT_EQ(SetsAfter(from),
            (std::vector<std::string>{"Q OID_VND_APSD", "S OID_VND_APSD", "S OID_VND_DLS_CAPABLE",
                                      "S OID_VND_WMM_ENABLE", "Q OID_802_11_SSID",
                                      "S OID_802_11_DISASSOCIATE", "S OID_802_11_SSID"}));
  EXPECT_EQ(LastSet32(OID_VND_APSD), 0x7Eu);  // bit 0 clear, the rest as the driver had it
  EXPECT_EQ(LastSet32(OID_VND_DLS_CAPABLE), 0u);
  EXPECT_EQ(driver.lastSet[OID_VND_WMM_ENABLE], std::vector<uint8_t>{0});
  EXPECT_EQ(driver.lastSet[OID_802_11_SSID], driver.answers[OID_802_11_SSID]);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ccx", "rescan"}));
  EXPECT_EQ(page.WmmStatus(), "Disabled");
  EXPECT_FALSE(page.Enabling().dlsCheck);
}

TEST_F(WmmPageTest, SwitchingWmmOnKeepsPowerSaveAndWritesOnlyItsOwnValue) {
  page.values().wmm = true, page.values().apsd = true;
  host.radioOn = false;
  page.OnWmmChanged();
  EXPECT_EQ(store.writes, std::vector<std::string>{"WMMCapable"});
  EXPECT_EQ(LastSet32(OID_VND_APSD), 0x7Fu);
  EXPECT_EQ(host.calls, std::vector<std::string>{"ccx"});  // no rescan with the radio off
}

TEST_F(WmmPageTest, AccessCategoriesMakeTheWordAndTheStatus) {
  page.values().wmm = true, page.values().apsd = true;
  page.values().ac[kAcBe] = true, page.values().ac[kAcVo] = true;
  page.OnAccessCategoryChanged();
  EXPECT_EQ(LastSet32(OID_VND_APSD), 0x13u);
  EXPECT_EQ(page.PowerSaveStatus(), "Enabled:AC_BE:AC_VO");
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "APSDAC_BK"), "0");
  EXPECT_EQ(store.Text(RadioKey::kAdapter, "APSDAC_VO"), "1");
  EXPECT_NE(driver.LastSet(OID_802_11_DISASSOCIATE), nullptr);
  EXPECT_TRUE(page.Enabling().accessCategories);
}

TEST_F(WmmPageTest, PowerSaveSwitchKeepsTheDriversOtherBits) {
  page.values().wmm = true, page.values().apsd = false;
  page.OnApsdChanged();
  EXPECT_EQ(LastSet32(OID_VND_APSD), 0x7Eu);
  driver.AnswerDword(OID_VND_APSD, 0x40);
  page.values().apsd = true;
  page.OnApsdChanged();
  EXPECT_EQ(LastSet32(OID_VND_APSD), 0x41u);
  EXPECT_EQ(driver.LastSet(OID_802_11_DISASSOCIATE), nullptr);  // no new association
}

TEST_F(WmmPageTest, DirectLinkSwitchAssociatesAgainOnlyWithTkipOrAes) {
  const std::pair<uint32_t, bool> cases[] = {{Ndis802_11EncryptionDisabled, false},
                                             {Ndis802_11Encryption1Enabled, false},
                                             {Ndis802_11Encryption2Enabled, true},
                                             {Ndis802_11Encryption3KeyAbsent, true}};
  for (auto [status, again] : cases) {
    driver.log.clear();
    driver.AnswerDword(OID_802_11_ENCRYPTION_STATUS, status);
    page.values().dls = true;
    page.OnDlsChanged();
    EXPECT_EQ(driver.LastSet(OID_802_11_DISASSOCIATE) != nullptr, again) << status;
    EXPECT_EQ(LastSet32(OID_VND_DLS_CAPABLE), 1u);
  }
}

TEST_F(WmmPageTest, SetupChecksAddressAndTimeout) {
  struct Case {
    const char* name;
    std::array<std::string, 6> mac;
    std::string timeout;
    std::optional<std::string_view> message;
  };
  const Case cases[] = {
      {"one field short", {"00", "0C", "4", "00", "00", "02"}, "60", "IDS_INVALIDMACADDR"},
      {"not hexadecimal", {"00", "0C", "4G", "00", "00", "02"}, "60", "IDS_INVALIDMACADDR"},
      {"all zero", {"00", "00", "00", "00", "00", "00"}, "60", "IDS_INVALIDMACADDR"},
      {"broadcast", {"FF", "FF", "FF", "FF", "FF", "FF"}, "60", "IDS_INVALIDMACADDR"},
      {"own address", {"00", "0c", "43", "30", "70", "01"}, "60", "IDS_INVALIDMACADDR"},
      {"group address", {"01", "00", "00", "00", "00", "01"}, "60", "IDS_NOTACCEPTB"},
      {"time-out too large", {"00", "0C", "43", "00", "00", "02"}, "70000", "IDS_INVALIDTIMEOUT"},
      {"time-out not digits", {"00", "0C", "43", "00", "00", "02"}, "6O", "IDS_INVALIDTIMEOUT"},
      {"time-out empty", {"00", "0C", "43", "00", "00", "02"}, "", "IDS_INVALIDTIMEOUT"},
  };
  for (const Case& c : cases) {
    page.values().mac = c.mac;
    page.values().timeout = c.timeout;
    EXPECT_EQ(page.Setup(), c.message) << c.name;
  }
  EXPECT_EQ(driver.LastSet(OID_VND_DLS_LINKS), nullptr);

  page.values().mac = {"00", "0C", "43", "00", "00", "02"};
  page.values().timeout = "65535";
  EXPECT_EQ(page.Setup(), std::nullopt);
  EXPECT_EQ(driver.lastSet[OID_VND_DLS_LINKS],
            (std::vector<uint8_t>{0xFF, 0xFF, 0, 0, 0x00, 0x0C, 0x43, 0x00, 0x00, 0x02, 0, 1}));
}

TEST_F(WmmPageTest, ListsLinksUpAndTearsDownTheSelectedOne) {
  std::vector<uint8_t> table;
  for (auto e : {DlsEntry(0x02, 60, kDlsLinkUp, 1), DlsEntry(0x03, 60, 1, 1),
                 DlsEntry(0x04, 90, kDlsLinkUp, 0), DlsEntry(0x05, 120, kDlsLinkUp, 1)}) {
    table.insert(table.end(), e.begin(), e.end());
  }
  driver.answers[OID_VND_DLS_LINKS] = table;
  EXPECT_EQ(page.TearDown(), "IDS_NOSELECTEDITEM");
  page.Shown();
  loop.Advance(1000);
  ASSERT_EQ(page.links().size(), 2u);
  EXPECT_EQ(page.links()[1].peer[5], 0x05);
  EXPECT_EQ(page.links()[1].timeout, 120);

  page.ActivateRow(1);
  EXPECT_EQ(page.values().mac[5], "05");
  EXPECT_EQ(page.values().timeout, "120");
  EXPECT_EQ(page.TearDown(), std::nullopt);
  std::vector<uint8_t> expected = DlsEntry(0x05, 120, kDlsLinkUp, 0);
  EXPECT_EQ(driver.lastSet[OID_VND_DLS_LINKS], expected);
}

TEST_F(WmmPageTest, ShowingReadsTheSwitchesAndTheCategoriesFromTheDriver) {
  store.SetText(RadioKey::kAdapter, "WMMCapable", "1");
  store.SetText(RadioKey::kAdapter, "DLSCapable", "1");
  driver.AnswerDword(OID_VND_APSD, 0x0A);  // AC_BE and AC_VI
  page.Shown();
  EXPECT_TRUE(page.values().wmm);
  EXPECT_FALSE(page.values().apsd);
  EXPECT_TRUE(page.values().dls);
  EXPECT_TRUE(page.values().ac[kAcBe]);
  EXPECT_FALSE(page.values().ac[kAcBk]);
  EXPECT_TRUE(page.values().ac[kAcVi]);
  EXPECT_TRUE(page.Enabling().directLinks);
  EXPECT_FALSE(page.Enabling().accessCategories);
  EXPECT_EQ(page.DirectLinkStatus(), "Enabled");
  EXPECT_EQ(page.PowerSaveStatus(), "Disabled");
}

}  // namespace
}  // namespace kavo9::radio
