// Finding the adapter among the machine's network devices.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "common/adapter/AdapterDiscovery.h"
#include "common/platform/fake/FakePlatform.h"

namespace kavo9 {
namespace {

constexpr const char* kClassKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";

class RecordingChooser : public AdapterChooser {
 public:
  size_t pick = 0;  // which candidate to take
  std::vector<std::vector<size_t>> asked;
  size_t Choose(const std::vector<DeviceInstance>&,
                const std::vector<size_t>& candidates) override {
    asked.push_back(candidates);
    return candidates.at(pick);
  }
};

class Discovery : public ::testing::Test {
 protected:
  Discovery() : access(fake.platform(), Utility::kStation) { access.DetectWindowsVersion(); }

  // A network device with its driver key; `opens` says whether its driver answers.
  void AddDevice(const std::string& hardwareId, bool opens = true, bool withInstanceId = true) {
    int n = int(fake.deviceEnum.devices.size());
    char instance[8];
    std::snprintf(instance, sizeof(instance), "%04d", n);
    std::string guid = "{0A1B2C3D-0000-4000-8000-00000000000" + std::to_string(n) + "}";
    DeviceInstance device;
    device.hardwareIds = {hardwareId, "USB\\CLASS_FF"};
    device.deviceDescription = "Wireless adapter " + std::to_string(n);
    device.driverKeyName = std::string(kNetClassGuid) + "\\" + instance;
    fake.deviceEnum.devices.push_back(device);
    std::string key = std::string(kClassKey) + "\\" + instance;
    if (withInstanceId) {
      ASSERT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, key, "NetCfgInstanceId", guid),
                ERROR_SUCCESS);
    }
    if (opens) fake.deviceIo.devices["\\\\.\\" + guid] = answer;
    guids.push_back(guid);
  }

  static IniDeviceLists Ini(std::map<std::string, std::string> values) {
    return ReadIniDeviceLists(
        Utility::kStation, [&](std::string_view section, std::string_view key) {
          auto it = values.find(std::string(section) + "/" + std::string(key));
          return it == values.end() ? std::string() : it->second;
        });
  }

  FakePlatform fake;
  AdapterAccess access;
  std::vector<std::string> guids;
  FakeDeviceIo::Handler answer = [](uint32_t, std::span<const uint8_t>, std::span<uint8_t>,
                                    uint32_t*) { return int32_t(ERROR_SUCCESS); };
};

TEST_F(Discovery, TheDemoAdapterIsFoundAndPublished) {
  AddDevice("usb\\vid_1d5a&pid_3070&rev_0101");
  ASSERT_TRUE(DiscoverAdapter(access, {}, nullptr));
  const AdapterIdentity& id = access.identity();
  EXPECT_EQ(access.AdapterDevicePath(), "\\\\.\\" + guids[0]);
  EXPECT_EQ(id.instanceId, guids[0]);
  EXPECT_EQ(id.registryKey, std::string(kClassKey) + "\\0000");
  EXPECT_EQ(id.hardwareIdPrefix, "USB\\VID_1D5A&PID_3070");
  EXPECT_EQ(id.chipKind, 7);
  EXPECT_EQ(id.bus, AdapterBus::kUsb);
  EXPECT_TRUE(id.isHtFamily);
  EXPECT_FALSE(id.isFirstGenerationFamily);
  EXPECT_TRUE(access.IsAdapterPresent());
}

TEST_F(Discovery, TheSoftApUtilityPublishesItsOwnCodeAndVariant) {
  AdapterAccess softAp(fake.platform(), Utility::kSoftAp);
  softAp.DetectWindowsVersion();
  AddDevice("PCI\\VEN_1D5A&DEV_0611&SUBSYS_00011D5A");
  ASSERT_TRUE(DiscoverAdapter(softAp, {}, nullptr));
  EXPECT_EQ(softAp.identity().chipKind, 6);
  EXPECT_EQ(softAp.identity().htVariant, 1);
  EXPECT_TRUE(softAp.identity().isHtFamily);
  EXPECT_FALSE(DiscoverAdapter(access, {}, nullptr));  // the station utility does not know it
}

TEST_F(Discovery, BuiltInTablesOfEachUtility) {
  struct Case {
    const char* id;
    int station;  // -1: not supported
    int softAp;
    AdapterBus bus;
  } cases[] = {
      {"USB\\VID_1D5A&PID_3070&REV_0101", 7, 8, AdapterBus::kUsb},
      {"USB\\VID_1D5A&PID_2570", 5, 5, AdapterBus::kUsb},
      {"USB\\VID_1D5A&PID_1570&REV_0001", 1, 1, AdapterBus::kUsb},
      {"PCI\\VEN_1D5A&DEV_0601&SUBSYS_00000000", 6, 7, AdapterBus::kPci},
      {"PCI\\VEN_1D5A&DEV_0301", 4, 4, AdapterBus::kPci},
      {"PCI\\VEN_1D5A&DEV_0101", 0, 0, AdapterBus::kPci},
      {"PCI\\VEN_1D5A&DEV_0611", -1, 6, AdapterBus::kPci},
      {"USB\\VID_7F00&PID_0001", -1, -1, AdapterBus::kNone},
      {"USB\\VID_1D5A&PID_307", -1, -1, AdapterBus::kNone},  // too short to name a product
  };
  for (const Case& c : cases) {
    for (auto [utility, code] :
         {std::pair{Utility::kStation, c.station}, std::pair{Utility::kSoftAp, c.softAp}}) {
      auto match = MatchHardwareId(utility, {}, c.id);
      EXPECT_EQ(match ? match->code : -1, code) << c.id;
      if (match) {
        EXPECT_EQ(match->bus, c.bus) << c.id;
      }
    }
  }
}

TEST_F(Discovery, SettingsFileListsReplaceTheBuiltInTables) {
  IniDeviceLists lists = Ini({{"QKC1/DeviceID_1", "usb\\vid_2e01&pid_0042&rev_0001"}});
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(lists[0].prefix, "USB\\VID_2E01&PID_0042");  // upper-cased, 21 characters
  auto listed = MatchHardwareId(Utility::kStation, lists, "USB\\VID_2E01&PID_0042&REV_0200");
  ASSERT_TRUE(listed);
  EXPECT_EQ(listed->code, 5);
  EXPECT_EQ(listed->bus, AdapterBus::kUsb);
  // A device only the built-in tables know is unsupported now.
  EXPECT_FALSE(MatchHardwareId(Utility::kStation, lists, "USB\\VID_1D5A&PID_3070&REV_0101"));

  AddDevice("USB\\VID_1D5A&PID_3070&REV_0101");
  EXPECT_FALSE(DiscoverAdapter(access, lists, nullptr));
  AddDevice("USB\\VID_2E01&PID_0042&REV_0200");
  ASSERT_TRUE(DiscoverAdapter(access, lists, nullptr));
  EXPECT_EQ(access.identity().chipKind, 5);
  EXPECT_FALSE(access.identity().isHtFamily);
}

TEST_F(Discovery, SettingsFileSectionsEndAtTheirFirstGapAndShortIdsMatchNothing) {
  IniDeviceLists lists = Ini({{"QKD170/DeviceID_1", "USB\\VID_2E01&PID_0001"},
                              {"QKD170/DeviceID_3", "USB\\VID_2E01&PID_0003"},
                              {"QKE170/DeviceID_1", "USB\\VID_2E01&PID_01"},
                              {"QKF170/DeviceID_1", "USB\\VID_2E01&PID_0010"},
                              {"QKF170/DeviceID_2", ""}});
  ASSERT_EQ(lists.size(), 3u);
  EXPECT_EQ(lists[0].code, 7);
  EXPECT_FALSE(MatchHardwareId(Utility::kStation, lists, "USB\\VID_2E01&PID_0003&REV_0001"));
  EXPECT_FALSE(MatchHardwareId(Utility::kStation, lists, "USB\\VID_2E01&PID_01"));
  EXPECT_FALSE(MatchHardwareId(Utility::kStation, lists, "USB\\VID_2E01&PID_0100"));
  auto ht = MatchHardwareId(Utility::kStation, lists, "USB\\VID_2E01&PID_0010&REV_0001");
  ASSERT_TRUE(ht);
  EXPECT_EQ(ht->code, 9);

  // The soft-AP utility reads only the first six sections.
  auto softAp =
      ReadIniDeviceLists(Utility::kSoftAp, [](std::string_view section, std::string_view key) {
        bool listed = (section == "QKF170" || section == "QKD170") && key == "DeviceID_1";
        return listed ? std::string("USB\\VID_2E01&PID_0010") : std::string();
      });
  ASSERT_EQ(softAp.size(), 1u);
  EXPECT_EQ(softAp[0].code, 8);  // QKD170 in the soft-AP utility
}

TEST_F(Discovery, SeveralAdaptersAreOfferedAndTheChosenOneIsTaken) {
  AddDevice("USB\\VID_1D5A&PID_3070&REV_0101");
  AddDevice("USB\\VID_7F00&PID_0001&REV_0001");          // another maker's
  AddDevice("PCI\\VEN_1D5A&DEV_0301", /*opens=*/false);  // its driver is not loaded
  AddDevice("PCI\\VEN_1D5A&DEV_0601&SUBSYS_00011D5A");
  RecordingChooser chooser;
  chooser.pick = 1;
  ASSERT_TRUE(DiscoverAdapter(access, {}, &chooser));
  ASSERT_EQ(chooser.asked.size(), 1u);
  EXPECT_EQ(chooser.asked[0], (std::vector<size_t>{0, 3}));
  EXPECT_EQ(access.identity().chipKind, 6);
  EXPECT_EQ(access.identity().bus, AdapterBus::kPci);
  EXPECT_EQ(access.AdapterDevicePath(), "\\\\.\\" + guids[3]);
}

TEST_F(Discovery, AnAdapterWhoseDriverDoesNotOpenOrHasNoInstanceIdIsNotACandidate) {
  access.Publish("\\\\.\\{previous}", {});
  AddDevice("USB\\VID_1D5A&PID_3070&REV_0101", /*opens=*/false);
  AddDevice("USB\\VID_1D5A&PID_2570&REV_0101", /*opens=*/true, /*withInstanceId=*/false);
  RecordingChooser chooser;
  EXPECT_FALSE(DiscoverAdapter(access, {}, &chooser));
  EXPECT_TRUE(chooser.asked.empty());
  EXPECT_EQ(access.AdapterDevicePath(), "\\\\.\\{previous}");  // left as it was
  fake.deviceEnum.fail = true;
  EXPECT_FALSE(DiscoverAdapter(access, {}, &chooser));
}

TEST_F(Discovery, OlderSystemsUseTheFamilyNameAndTheServicesBranch) {
  fake.system.version = {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, 0};  // 98 SE
  access.DetectWindowsVersion();
  ASSERT_EQ(access.WindowsVersionCode(), 4);
  DeviceInstance device;
  device.hardwareIds = {"USB\\VID_1D5A&PID_3070&REV_0101"};
  device.driverKeyName = std::string(kNetClassGuid) + "\\0002";
  fake.deviceEnum.devices.push_back(device);
  fake.deviceIo.devices["\\\\.\\QKD170"] = answer;
  ASSERT_TRUE(DiscoverAdapter(access, {}, nullptr));
  EXPECT_EQ(access.AdapterDevicePath(), "\\\\.\\QKD170");
  EXPECT_EQ(access.identity().registryKey,
            "System\\CurrentControlSet\\Services\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}"
            "\\0002");
  EXPECT_TRUE(access.identity().instanceId.empty());
  EXPECT_FALSE(access.identity().isHtFamily);  // 802.11n needs Windows 2000 or later

  // On NT 4 no device path can be formed at all.
  fake.system.version = {VER_PLATFORM_WIN32_NT, 4, 0, 1381, VER_NT_WORKSTATION};
  access.DetectWindowsVersion();
  EXPECT_FALSE(DiscoverAdapter(access, {}, nullptr));
}

TEST_F(Discovery, ListsAreReadFromTheSettingsFile) {
  auto file = fake.paths.ProgramDir() / "Stavio.ini";
  EXPECT_TRUE(ReadIniDeviceLists(Utility::kStation, file).empty());  // no file: built-in tables
  std::ofstream(file) << "[qkc1]\r\nDeviceID_1 = usb\\vid_2e01&pid_0042\r\n"
                         "DeviceID_3=USB\\VID_2E01&PID_0043\r\n[Advance]\r\nDeviceID_2=X\r\n";
  IniDeviceLists lists = ReadIniDeviceLists(Utility::kStation, file);
  ASSERT_EQ(lists.size(), 1u);
  EXPECT_EQ(lists[0].prefix, "USB\\VID_2E01&PID_0042");
  EXPECT_EQ(lists[0].code, 5);
}

TEST(ChipFamilies, TheSoftApUtilityNumbersItsFamiliesItsOwnWay) {
  EXPECT_EQ(ChipFamilyTable(Utility::kStation).size(), 10u);
  EXPECT_EQ(ChipFamilyTable(Utility::kSoftAp).size(), 9u);
  EXPECT_EQ(FindChipFamily(Utility::kStation, 7)->name, "QKD170");
  EXPECT_EQ(FindChipFamily(Utility::kSoftAp, 7)->name, "QKD100");
  EXPECT_EQ(FindChipFamily(Utility::kSoftAp, 6)->htVariant, 1);
  EXPECT_EQ(FindChipFamily(Utility::kSoftAp, 8)->htVariant, 3);
  EXPECT_EQ(FindChipFamily(Utility::kStation, 9)->htVariant, 0);
  EXPECT_EQ(FindChipFamily(Utility::kSoftAp, 9), nullptr);
  EXPECT_EQ(HardwareIdTable(Utility::kStation, AdapterBus::kUsb).size(), 77u);
  EXPECT_EQ(HardwareIdTable(Utility::kSoftAp, AdapterBus::kPci).size(), 9u);
}

}  // namespace
}  // namespace kavo9
