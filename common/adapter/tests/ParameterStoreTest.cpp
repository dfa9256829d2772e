// The parameter store's hand-over of failed writes to the privileged registry service.
#include <gmock/gmock.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <fstream>

#include "common/adapter/ParameterStore.h"

namespace kavo9 {
namespace {

using ::testing::_;
using ::testing::NiceMock;
using ::testing::Return;

constexpr const char* kAdapterKey =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

// A registry whose direct writes are refused as they are for a standard user below
// HKEY_LOCAL_MACHINE; a test can let them through.
class RefusingRegistry : public Registry {
 public:
  RefusingRegistry() {
    ON_CALL(*this, OpenKey(_, _, _, _)).WillByDefault(Return(ERROR_ACCESS_DENIED));
    ON_CALL(*this, CreateKey(_, _, _, _, _)).WillByDefault(Return(ERROR_ACCESS_DENIED));
    ON_CALL(*this, SetValue(_, _, _, _, _)).WillByDefault(Return(ERROR_ACCESS_DENIED));
    ON_CALL(*this, DeleteValue(_, _)).WillByDefault(Return(ERROR_ACCESS_DENIED));
    ON_CALL(*this, DeleteKey(_, _)).WillByDefault(Return(ERROR_ACCESS_DENIED));
    ON_CALL(*this, DeleteTree(_, _)).WillByDefault(Return(ERROR_ACCESS_DENIED));
  }
  MOCK_METHOD(int32_t, OpenKey, (HKEY, std::string_view, uint32_t, HKEY*), (override));
  MOCK_METHOD(int32_t, CreateKey, (HKEY, std::string_view, uint32_t, HKEY*, bool*), (override));
  MOCK_METHOD(int32_t, CloseKey, (HKEY), (override));
  MOCK_METHOD(int32_t, QueryValue, (HKEY, std::string_view, uint32_t*, uint8_t*, uint32_t*),
              (override));
  MOCK_METHOD(int32_t, SetValue, (HKEY, std::string_view, uint32_t, const uint8_t*, uint32_t),
              (override));
  MOCK_METHOD(int32_t, DeleteValue, (HKEY, std::string_view), (override));
  MOCK_METHOD(int32_t, DeleteKey, (HKEY, std::string_view), (override));
  MOCK_METHOD(int32_t, DeleteTree, (HKEY, std::string_view), (override));
  MOCK_METHOD(int32_t, EnumKey, (HKEY, uint32_t, std::string*), (override));
  MOCK_METHOD(uint64_t, ChangeStamp, (HKEY), (override));
  MOCK_METHOD(int32_t, EnumValue, (HKEY, uint32_t, std::string*, uint32_t*, std::vector<uint8_t>*),
              (override));
};

class RecordingService : public RegistryServiceClient {
 public:
  bool listening = true;
  bool bound = false;
  int binds = 0;
  std::vector<ServiceRequest> calls;
  bool Bind() override {
    ++binds;
    bound = listening;
    return bound;
  }
  bool IsBound() const override { return bound; }
  void Unbind() override { bound = false; }
  int32_t Call(const ServiceRequest& request) override {
    if (!listening) return RPC_S_NOT_LISTENING;
    calls.push_back(request);
    return ERROR_SUCCESS;
  }
};

StorePolicy StandardUser(bool advance = true, bool profile = false) {
  return StorePolicy{Utility::kStation, false, advance, profile};
}

const uint8_t kRadioOff[] = {'1', 0};

TEST(ParameterStore, AStandardUserWithoutProfileRightsGetsTheErrorAndNothingReachesTheService) {
  NiceMock<RefusingRegistry> registry;
  RecordingService service;
  ParameterStore store(registry, &service, StandardUser(true, false));
  HKEY key = 1;
  EXPECT_EQ(store.StoreCreateKey(HKEY_LOCAL_MACHINE, "x\\Profile\\Station\\Home", KEY_WRITE, &key,
                                 PolicyArea::kProfile),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(store.StoreSetValue(0, "SSID", REG_SZ, kRadioOff, 2, "x", PolicyArea::kProfile),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(
      store.StoreOpenKey(HKEY_LOCAL_MACHINE, kAdapterKey, KEY_READ, &key, PolicyArea::kProfile),
      ERROR_ACCESS_DENIED);
  EXPECT_TRUE(service.calls.empty());
}

TEST(ParameterStore, AStandardUserSwitchingTheRadioIsServedByProcedureThree) {
  NiceMock<RefusingRegistry> registry;
  RecordingService service;
  ParameterStore store(registry, &service, StandardUser());
  HKEY key = 99;
  // The key cannot be opened for writing, yet the caller is told to go on.
  EXPECT_EQ(
      store.StoreOpenKey(HKEY_LOCAL_MACHINE, kAdapterKey, KEY_WRITE, &key, PolicyArea::kAdvanced),
      ERROR_SUCCESS);
  EXPECT_EQ(key, 0u);
  EXPECT_EQ(
      store.StoreSetValue(key, "Radio", REG_SZ, kRadioOff, 2, kAdapterKey, PolicyArea::kAdvanced),
      ERROR_SUCCESS);
  ASSERT_EQ(service.calls.size(), 1u);
  const ServiceRequest& call = service.calls[0];
  EXPECT_EQ(call.procedure, kProcSetValue);
  EXPECT_EQ(call.form, ServiceForm::kStation);
  EXPECT_EQ(call.path, kAdapterKey);
  EXPECT_EQ(call.name, "Radio");
  EXPECT_EQ(call.type, REG_SZ);
  EXPECT_EQ(call.data, "1");
  EXPECT_EQ(call.length, 2u);
  EXPECT_EQ(call.rootCode, 0u);
}

TEST(ParameterStore, WithTheServiceStoppedNothingIsWrittenAndSuccessIsReported) {
  NiceMock<RefusingRegistry> registry;
  RecordingService service;
  service.listening = false;
  ParameterStore store(registry, &service, StandardUser());
  EXPECT_FALSE(store.IsBound());
  EXPECT_EQ(
      store.StoreSetValue(0, "Radio", REG_SZ, kRadioOff, 2, kAdapterKey, PolicyArea::kAdvanced),
      ERROR_SUCCESS);
  EXPECT_TRUE(service.calls.empty());
  EXPECT_EQ(service.binds, 2);  // at start, and again when the write needed it

  // Started later: the next hand-over binds and goes through.
  service.listening = true;
  EXPECT_EQ(store.StoreDeleteValue(0, "CurProfile", kAdapterKey, PolicyArea::kAdvanced),
            ERROR_SUCCESS);
  EXPECT_EQ(service.calls.size(), 1u);
  EXPECT_TRUE(store.IsBound());
}

TEST(ParameterStore, AnAdministratorNeverReachesTheService) {
  NiceMock<RefusingRegistry> registry;
  RecordingService service;
  ParameterStore store(registry, &service, StorePolicy{Utility::kStation, true, true, true});
  HKEY key = 0;
  EXPECT_EQ(
      store.StoreOpenKey(HKEY_LOCAL_MACHINE, kAdapterKey, KEY_WRITE, &key, PolicyArea::kAdvanced),
      ERROR_ACCESS_DENIED);
  EXPECT_EQ(
      store.StoreSetValue(5, "Radio", REG_SZ, kRadioOff, 2, kAdapterKey, PolicyArea::kAdvanced),
      ERROR_ACCESS_DENIED);
  EXPECT_EQ(store.StoreDeleteTree(5, "Profile", kAdapterKey, PolicyArea::kProfile),
            ERROR_ACCESS_DENIED);
  EXPECT_TRUE(service.calls.empty());
}

TEST(ParameterStore, AMultiStringHandedOverArrivesAsItsFirstString) {
  NiceMock<RefusingRegistry> registry;
  RecordingService service;
  ParameterStore store(registry, &service, StandardUser(true, true));
  const uint8_t list[] = {'H', 'o', 'm', 'e', 0, 'W', 'o', 'r', 'k', 0, 0};
  EXPECT_EQ(store.StoreSetValue(0, "Order", REG_MULTI_SZ, list, sizeof(list), kAdapterKey,
                                PolicyArea::kProfile),
            ERROR_SUCCESS);
  ASSERT_EQ(service.calls.size(), 1u);
  EXPECT_EQ(service.calls[0].data, "Home");
  EXPECT_EQ(service.calls[0].length, sizeof(list));
  EXPECT_EQ(service.calls[0].type, uint32_t(REG_MULTI_SZ));
}

TEST(ParameterStore, EachOperationMapsToItsProcedure) {
  NiceMock<RefusingRegistry> registry;
  RecordingService service;
  ParameterStore store(registry, &service, StandardUser(true, true));
  HKEY key = 0;
  const std::string profiles = std::string(kAdapterKey) + "\\Profile\\Station";
  store.StoreCreateKey(HKEY_CURRENT_USER, "Software\\Kavo9", KEY_WRITE, &key, PolicyArea::kProfile);
  store.StoreDeleteKey(0, "Home", profiles, PolicyArea::kProfile);
  store.StoreDeleteValue(0, "Radio", kAdapterKey, PolicyArea::kAdvanced);
  store.StoreDeleteTree(0, "Work", profiles, PolicyArea::kProfile);
  ASSERT_EQ(service.calls.size(), 4u);
  EXPECT_EQ(service.calls[0].procedure, kProcCreateKey);
  EXPECT_EQ(service.calls[0].rootCode, 2u);  // derived from the root given
  EXPECT_EQ(service.calls[1].procedure, kProcDeleteKey);
  EXPECT_EQ(service.calls[1].path, profiles);
  EXPECT_EQ(service.calls[1].name, "Home");
  EXPECT_EQ(service.calls[2].procedure, kProcDeleteValue);
  EXPECT_EQ(service.calls[2].name, "Radio");
  EXPECT_EQ(service.calls[3].procedure, kProcDeleteTree);
  EXPECT_EQ(service.calls[3].name, "Work");
}

TEST(ParameterStore, ADirectWriteThatWorksNeverInvolvesTheService) {
  NiceMock<RefusingRegistry> registry;
  ON_CALL(registry, SetValue(_, _, _, _, _)).WillByDefault(Return(ERROR_SUCCESS));
  RecordingService service;
  ParameterStore store(registry, &service, StandardUser());
  EXPECT_EQ(
      store.StoreSetValue(5, "Radio", REG_SZ, kRadioOff, 2, kAdapterKey, PolicyArea::kAdvanced),
      ERROR_SUCCESS);
  EXPECT_TRUE(service.calls.empty());
}

TEST(ParameterStore, TheSoftApUtilityHandsEveryFailedWriteOverForAnyUser) {
  for (bool administrator : {true, false}) {
    NiceMock<RefusingRegistry> registry;
    RecordingService service;
    ParameterStore store(registry, &service,
                         StorePolicy{Utility::kSoftAp, administrator, false, false});
    HKEY key = 0;
    EXPECT_EQ(
        store.StoreOpenKey(HKEY_LOCAL_MACHINE, kAdapterKey, KEY_WRITE, &key, PolicyArea::kAdvanced),
        ERROR_SUCCESS);
    EXPECT_EQ(store.StoreSetValue(key, "OpMode", REG_SZ, kRadioOff, 2, kAdapterKey,
                                  PolicyArea::kAdvanced),
              ERROR_SUCCESS);
    EXPECT_EQ(store.StoreCreateKey(HKEY_LOCAL_MACHINE, std::string(kAdapterKey) + "\\ApDefault",
                                   KEY_WRITE, &key, PolicyArea::kAdvanced),
              ERROR_SUCCESS);
    ASSERT_EQ(service.calls.size(), 2u);
    EXPECT_EQ(service.calls[0].form, ServiceForm::kSoftAp);
    EXPECT_EQ(service.calls[1].procedure, kProcCreateKey);

    service.listening = false;
    service.bound = false;
    EXPECT_EQ(store.StoreDeleteValue(0, "OpMode", kAdapterKey, PolicyArea::kAdvanced),
              ERROR_SUCCESS);
    EXPECT_EQ(service.calls.size(), 2u);
  }
}

TEST(ParameterStore, TheStationPolicyComesFromTheSettingsFile) {
  auto file =
      std::filesystem::temp_directory_path() / ("kavo9-policy-" + std::to_string(::getpid()));
  struct Case {
    const char* text;
    bool advance;
    bool profile;
  } cases[] = {
      {"", true, false},  // missing keys: advance allowed, profiles not
      {"[Advance]\nAllowStandardUserSetAdvance=0\nAllowStandardUserSetProfile=1\n", false, true},
      {"[advance]\nAllowStandardUserSetAdvance=yes\nAllowStandardUserSetProfile=true\n", false,
       false},
  };
  for (const Case& c : cases) {
    std::ofstream(file) << c.text;
    StorePolicy policy = StationStorePolicy(false, file);
    EXPECT_EQ(policy.allowStandardUserSetAdvance, c.advance) << c.text;
    EXPECT_EQ(policy.allowStandardUserSetProfile, c.profile) << c.text;
  }
  std::filesystem::remove(file);
  EXPECT_TRUE(StationStorePolicy(true, file).isAdministrator);
}

}  // namespace
}  // namespace kavo9
