#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"
#include "radio/about/AboutInfo.h"

namespace kavo9::radio {
namespace {

constexpr int kQkd170 = 7;  // the station utility's code of an 802.11n USB family

TEST(AboutTexts, FormatVersionsAndDates) {
  EXPECT_EQ(VersionText({1, 6, 12, 3, ""}), "1.6.12.3");
  EXPECT_EQ(DateText({2026, 3, 7}), "03-07-2026");
  EXPECT_EQ(EepromVersionText(0x0103), "3.1");
  EXPECT_EQ(FirmwareVersionText(0x0103), "1.3");
}

TEST(AboutDriverFile, DependsOnTheWindowsVersionAndWow64) {
  const ChipFamily& family = *FindChipFamily(Utility::kStation, kQkd170);
  const std::string sys = "C:\\WINDOWS\\system32";
  struct Case {
    int code;
    bool wow64;
    std::optional<std::string> path;
  };
  const Case cases[] = {
      {11, true, sys + "\\drivers\\tsd170v64.sys"},
      {11, false, sys + "\\drivers\\tsd170v.sys"},
      {10, true, sys + "\\drivers\\tsd170x.sys"},
      {8, false, sys + "\\drivers\\tsd170x.sys"},
      {9, false, sys + "\\drivers\\tsd170k.sys"},
      {7, false, sys + "\\drivers\\tsd170k.sys"},
      {4, false, sys + "\\tsd170.sys"},
      {0, false, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DriverFilePath(sys, c.code, c.wow64, family), c.path) << c.code;
  }
}

class AboutReaderTest : public ::testing::Test {
 protected:
  AboutReaderTest() {
    adapter.identity.chipKind = kQkd170;
    driver.AnswerDword(OID_VND_EEPROM_VERSION, 0x0103);
    driver.AnswerDword(OID_VND_FIRMWARE_VERSION, 0x0103);
    driver.answers[OID_802_3_CURRENT_ADDRESS] = {0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01};
    fake.fileVersion.versions[fake.paths.ExecutablePath()] = {2, 1, 0, 7, "Copyright (C) Norvik"};
    fake.fileVersion.dates[fake.paths.ExecutablePath()] = {2026, 11, 30};
  }
  std::filesystem::path DriverFile(const char* name) {
    return fake.paths.FromWindows(std::string("C:\\WINDOWS\\system32\\drivers\\") + name);
  }

  FakePlatform fake;
  ScriptedDriver driver;
  FakeAdapter adapter{driver};
  AboutReader reader{fake.platform(), driver, adapter, Utility::kStation};
};

TEST_F(AboutReaderTest, ReadsTheVersionsAndTheAddress) {
  fake.fileVersion.versions[DriverFile("tsd170x.sys")] = {1, 6, 0, 0, ""};
  fake.fileVersion.dates[DriverFile("tsd170x.sys")] = {2026, 1, 2};
  const AboutInfo info = reader.Read();
  EXPECT_EQ(info.utilityVersion, "2.1.0.7");
  EXPECT_EQ(info.utilityDate, "11-30-2026");
  EXPECT_EQ(info.copyright, "Copyright (C) Norvik");
  EXPECT_EQ(info.driverVersion, "1.6.0.0");
  EXPECT_EQ(info.driverDate, "01-02-2026");
  EXPECT_EQ(info.eepromVersion, "3.1");
  EXPECT_EQ(info.firmwareVersion, "1.3");
  EXPECT_EQ(info.macAddress, "00-1D-5A-30-70-01");
  EXPECT_TRUE(fake.system.redirectionCalls.empty());  // not a WOW64 machine
}

TEST_F(AboutReaderTest, OnWow64TheDriverIsReadWithRedirectionOffThenItIsRestored) {
  fake.system.wow64 = true;
  adapter.versionCode = 11;
  fake.fileVersion.versions[DriverFile("tsd170v64.sys")] = {3, 0, 1, 0, ""};
  const AboutInfo info = reader.Read();
  EXPECT_EQ(info.driverVersion, "3.0.1.0");
  EXPECT_EQ(fake.system.redirectionCalls, (std::vector<std::string>{"off", "on"}));
  EXPECT_TRUE(fake.system.redirectionOn);
}

TEST_F(AboutReaderTest, FailedQueriesHideTheirRowsAndMissingRecordsLeaveFieldsEmpty) {
  driver.refused = {OID_VND_EEPROM_VERSION, OID_VND_FIRMWARE_VERSION};
  fake.fileVersion.versions.clear();
  const AboutInfo info = reader.Read();
  EXPECT_FALSE(info.eepromVersion);
  EXPECT_FALSE(info.firmwareVersion);
  EXPECT_TRUE(info.utilityVersion.empty());
  EXPECT_TRUE(info.driverVersion.empty());
  // Families before code 4 have no firmware version to ask for.
  driver.refused.clear();
  adapter.identity.chipKind = 3;
  EXPECT_FALSE(reader.Read().firmwareVersion);
  EXPECT_EQ(driver.Count("Q OID_VND_FIRMWARE_VERSION"), 1u);
}

TEST_F(AboutReaderTest, IpSettingsAreTheAdaptersWithTheSameHardwareAddress) {
  fake.ipHelper.adapters = {{"{A}", "10.0.0.5", "255.0.0.0", "10.0.0.1", true, {1, 2, 3, 4, 5, 6}},
                            {"{B}",
                             "192.168.1.20",
                             "255.255.255.0",
                             "192.168.1.1",
                             true,
                             {0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01}}};
  const std::vector<uint8_t> mac{0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01};
  const AboutIpSettings ip = reader.IpSettings(mac);
  EXPECT_EQ(ip.ipAddress, "192.168.1.20");
  EXPECT_EQ(ip.gateway, "192.168.1.1");
  EXPECT_TRUE(reader.IpSettings(std::vector<uint8_t>(6, 9)).ipAddress.empty());
}

}  // namespace
}  // namespace kavo9::radio
