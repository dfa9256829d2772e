// The privileged registry service: what it performs, what it refuses, and its endpoint.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>

#include "common/adapter/ParameterStore.h"
#include "common/adapter/RegistryServiceClient.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "common/platform/simulated/UnixSocket.h"
#include "sim/regsvc/RegistryService.h"
#include "sim/regsvc/ServiceLog.h"
#include "sim/regsvc/ServiceServer.h"

namespace kavo9 {
namespace {

constexpr const char* kClass =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
const std::string kAdapter = std::string(kClass) + "\\0007";
constexpr const char* kGuid = "{6F1C0A52-7B3D-4E1A-9C2B-1D5A30700001}";
constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kSso = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar";
constexpr const char* kInterfaces = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces";
const std::string kWzc =
    std::string("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + kGuid;

ServiceRequest Set(std::string path, std::string name, std::string data, uint32_t length,
                   uint32_t type = REG_SZ) {
  return {kProcSetValue, ServiceForm::kStation, std::move(path), std::move(name),
          type,          std::move(data),       length,          0};
}
std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

ServiceRequest Op(uint32_t procedure, std::string path, std::string name = {}) {
  return {procedure, ServiceForm::kSoftAp, std::move(path), std::move(name)};
}

class Service : public ::testing::Test {
 protected:
  Service()
      : registry(SqliteRegistry::InMemory(token)),
        service(*registry, [this](std::string_view l) { log.emplace_back(l); }) {
    EXPECT_EQ(RegWriteString(*registry, HKEY_LOCAL_MACHINE, kAdapter, "NetCfgInstanceId", kGuid),
              ERROR_SUCCESS);
    EXPECT_EQ(RegWriteString(*registry, HKEY_LOCAL_MACHINE, kAdapter, "DriverDesc", "Card"),
              ERROR_SUCCESS);
    // The keys the system has above the served ones.
    for (const char* system : {kWinlogon, kInterfaces}) {
      ScopedKey key(*registry);
      EXPECT_EQ(registry->CreateKey(HKEY_LOCAL_MACHINE, system, KEY_WRITE, &key), ERROR_SUCCESS);
    }
  }
  // Whether every line logged so far tells of a performed write.
  bool OnlyPerformed() const {
    return std::all_of(log.begin(), log.end(),
                       [](const std::string& l) { return l.starts_with("performed "); });
  }
  bool Has(const std::string& path, const std::string& name = {}) {
    ScopedKey key(*registry);
    if (registry->OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key) != ERROR_SUCCESS) return false;
    return name.empty() ||
           registry->QueryValue(key.get(), name, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  }
  std::vector<uint8_t> Value(const std::string& path, const std::string& name) {
    std::vector<uint8_t> data(256);
    uint32_t length = uint32_t(data.size());
    ScopedKey key(*registry);
    registry->OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key);
    if (registry->QueryValue(key.get(), name, nullptr, data.data(), &length) != ERROR_SUCCESS) {
      return {};
    }
    data.resize(length);
    return data;
  }

  FakeSecurityToken token;  // an administrator's
  std::unique_ptr<SqliteRegistry> registry;
  std::vector<std::string> log;
  RegistryService service;
};

TEST_F(Service, PerformsWritesBelowTheKeysItServes) {
  EXPECT_EQ(service.Perform(Set(kAdapter, "Radio", "1", 2)), ERROR_SUCCESS);
  EXPECT_EQ(Value(kAdapter, "Radio"), (std::vector<uint8_t>{'1', 0}));
  const std::string home = kAdapter + "\\Profile\\Station\\Home";
  EXPECT_EQ(service.Perform(Op(kProcCreateKey, home)), ERROR_SUCCESS);
  EXPECT_EQ(service.Perform(Set(home, "SSID", "home", 5)), ERROR_SUCCESS);
  EXPECT_EQ(service.Perform(Op(kProcDeleteValue, home, "SSID")), ERROR_SUCCESS);
  EXPECT_FALSE(Has(home, "SSID"));
  EXPECT_EQ(service.Perform(Op(kProcDeleteTree, kAdapter, "Profile")), ERROR_SUCCESS);
  EXPECT_FALSE(Has(kAdapter + "\\Profile"));

  EXPECT_EQ(service.Perform(Op(kProcCreateKey, kSso)), ERROR_SUCCESS);
  EXPECT_EQ(service.Perform(Set(kSso, "SSOEnable", "1", 2)), ERROR_SUCCESS);
  EXPECT_EQ(service.Perform(Op(kProcCreateKey, kWzc)), ERROR_SUCCESS);
  // A 32-bit value travels as text cut at its first zero and is filled up with zeros.
  EXPECT_EQ(service.Perform(Set(kWzc, "ControlFlags", "\x05\x80", 4, REG_DWORD)), ERROR_SUCCESS);
  EXPECT_EQ(Value(kWzc, "ControlFlags"), (std::vector<uint8_t>{0x05, 0x80, 0, 0}));
  // A list arrives as its first string.
  EXPECT_EQ(service.Perform(Set(kAdapter, "Order", "Home", 11, REG_MULTI_SZ)), ERROR_SUCCESS);
  EXPECT_EQ(Value(kAdapter, "Order"),
            (std::vector<uint8_t>{'H', 'o', 'm', 'e', 0, 0, 0, 0, 0, 0, 0}));
  // Values of the adapter key that are not the installation's own may go.
  EXPECT_EQ(service.Perform(Op(kProcDeleteValue, kAdapter, "Order")), ERROR_SUCCESS);
  EXPECT_EQ(log.size(), 11u);
  EXPECT_TRUE(OnlyPerformed());
  EXPECT_TRUE(log[0].starts_with(
      "performed set value for an unknown caller (path \"System\\\\CurrentControlSet\\\\"))
      << log[0];
  EXPECT_TRUE(log[0].ends_with("0007\", name \"Radio\")")) << log[0];
}

TEST_F(Service, LogsTheCallerAndEscapesWhatItQuotes) {
  EXPECT_EQ(service.Perform(Set(kAdapter, "Radio", "1", 2), {true, 1000, 42}), ERROR_SUCCESS);
  EXPECT_NE(service.Perform(Set("SOFTWARE\\\"x\" \\y", "a\"b\n", "1", 2), {true, 1000, 42}),
            ERROR_SUCCESS);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_TRUE(log[0].starts_with("performed set value for uid 1000 pid 42 ")) << log[0];
  EXPECT_EQ(log[1],
            "refused procedure 3 for uid 1000 pid 42: outside the keys this service writes "
            "(path \"SOFTWARE\\\\\\\"x\\\" \\\\y\", name \"a\\\"b\\x0A\")");
}

TEST_F(Service, RefusesEverythingElseWithoutWritingAndLogsIt) {
  ServiceRequest hkcu = Set(kAdapter, "Radio", "1", 2);
  hkcu.rootCode = 2;
  ServiceRequest unknown = Op(8, kAdapter, "x");
  struct Case {
    const char* name;
    ServiceRequest request;
    std::string written;  // the key that must not appear ("" when only the value is checked)
  } cases[] = {
      {"another key", Set("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "x", "evil", 5),
       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
      {"climbing out", Op(kProcCreateKey, kAdapter + "\\..\\..\\..\\..\\..\\Services\\Evil"),
       "System\\CurrentControlSet\\Services\\Evil"},
      {"a dot", Op(kProcCreateKey, kAdapter + "\\.\\Evil"), kAdapter + "\\Evil"},
      {"a missing adapter", Op(kProcCreateKey, std::string(kClass) + "\\0099\\Evil"),
       std::string(kClass) + "\\0099"},
      {"not an instance number", Op(kProcCreateKey, std::string(kClass) + "\\Evil"),
       std::string(kClass) + "\\Evil"},
      {"the class key", Set(kClass, "Evil", "1", 2), ""},
      {"the logon key itself",
       Op(kProcDeleteValue, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "GinaDLL"),
       ""},
      {"deleting an adapter key", Op(kProcDeleteTree, kClass, "0007"), ""},
      {"deleting the sign-on key",
       Op(kProcDeleteKey, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Tesmar"),
       ""},
      {"climbing out by sub-key", Op(kProcDeleteTree, kAdapter, "..\\0007"), ""},
      {"empty component", Op(kProcCreateKey, kAdapter + "\\\\Evil"), kAdapter + "\\Evil"},
      {"trailing separator", Op(kProcCreateKey, kAdapter + "\\Evil\\"), kAdapter + "\\Evil"},
      {"empty path", Op(kProcCreateKey, ""), ""},
      {"over-long path", Op(kProcCreateKey, kAdapter + "\\" + std::string(1100, 'a')), ""},
      {"over-long key name", Op(kProcCreateKey, kAdapter + "\\" + std::string(256, 'a')), ""},
      {"another root", hkcu, ""},
      {"unknown procedure", unknown, ""},
      {"over-long value name", Set(kAdapter, std::string(16384, 'n'), "1", 2), ""},
      {"over-long data", Set(kAdapter, "Big", "1", 65537, REG_BINARY), ""},
      {"data beyond its length", Set(kAdapter, "Radio", "12345", 2), ""},
      {"unknown type", Set(kAdapter, "Radio", "1", 2, 11), ""},
      {"a 32-bit value of 3 bytes", Set(kAdapter, "Radio", "1", 3, REG_DWORD), ""},
      {"the service key of no adapter",
       Op(kProcCreateKey,
          "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{00000000-0000-0000-0000-"
          "000000000000}"),
       "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{00000000-0000-0000-0000-"
       "000000000000}"},
      {"the service key without an adapter",
       Set("SOFTWARE\\Microsoft\\WZCSVC\\Parameters", "Evil", "1", 2), ""},
      {"deleting the instance id", Op(kProcDeleteValue, kAdapter, "NetCfgInstanceId"), ""},
      {"changing the description", Set(kAdapter, "driverdesc", "Evil", 5), ""},
      {"setting the match value", Set(kAdapter, "MatchingDeviceId", "usb\\evil", 9), ""},
  };
  for (const Case& c : cases) {
    log.clear();
    EXPECT_NE(service.Perform(c.request), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(log.size(), 1u) << c.name;
    if (!c.written.empty()) {
      EXPECT_FALSE(Has(c.written)) << c.name;
    }
  }
  EXPECT_FALSE(Has(kAdapter, "Radio"));
  EXPECT_FALSE(Has(kAdapter, "Big"));
  EXPECT_TRUE(Has(kAdapter));
  EXPECT_TRUE(Has(kAdapter, "NetCfgInstanceId"));
  EXPECT_EQ(Value(kAdapter, "DriverDesc"), (std::vector<uint8_t>{'C', 'a', 'r', 'd', 0}));
  EXPECT_FALSE(Has(kAdapter, "MatchingDeviceId"));
  EXPECT_FALSE(Has(std::string(kClass), "Evil"));
}

TEST_F(Service, MakesNoKeyAboveTheKeysItServes) {
  ASSERT_EQ(registry->DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT"),
            ERROR_SUCCESS);
  ASSERT_EQ(registry->DeleteTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\WZCSVC"), ERROR_SUCCESS);
  EXPECT_NE(service.Perform(Op(kProcCreateKey, std::string(kSso) + "\\Sub")), ERROR_SUCCESS);
  EXPECT_NE(service.Perform(Set(kSso, "SSOEnable", "1", 2)), ERROR_SUCCESS);
  EXPECT_NE(service.Perform(Op(kProcCreateKey, kWzc)), ERROR_SUCCESS);
  EXPECT_FALSE(Has("Software\\Microsoft\\Windows NT"));
  EXPECT_FALSE(Has("SOFTWARE\\Microsoft\\WZCSVC"));
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(Service, AnswersEachFrameAndDropsAConnectionWhoseFramingBreaks) {
  std::vector<uint8_t> bytes = EncodeServiceRequest(Set(kAdapter, "A", "1", 2));
  auto second = EncodeServiceRequest(Op(kProcDeleteValue, kAdapter, "A"));
  bytes.insert(bytes.end(), second.begin(), second.end());
  bytes.push_back(0x4B);  // the start of a third
  std::vector<uint8_t> replies;
  EXPECT_TRUE(service.Receive(&bytes, &replies));
  EXPECT_EQ(replies, [] {
    auto r = EncodeServiceReply(ERROR_SUCCESS);
    r.insert(r.end(), r.begin(), r.end());
    return r;
  }());
  EXPECT_EQ(bytes.size(), 1u);

  std::vector<uint8_t> garbage = {'G', 'E', 'T', ' ', '/', ' ', 'H', 'T', 'T', 'P'};
  replies.clear();
  EXPECT_FALSE(service.Receive(&garbage, &replies));
  EXPECT_EQ(replies, EncodeServiceReply(ERROR_INVALID_PARAMETER));
  ASSERT_EQ(log.size(), 3u);
  EXPECT_TRUE(log[2].starts_with("refused frame from an unknown caller: ")) << log[2];
}

// The whole road: a standard user's program, the socket, the service and the shared hives.
TEST(ServiceEndpoint, AStandardUsersWriteReachesTheRegistryThroughTheService) {
  FakePaths paths;
  auto hives = paths.MachineDir() / "registry";
  FakeSecurityToken admin;
  FakeSecurityToken user;
  user.administrator = false;
  SqliteRegistry serviceRegistry(hives, admin);
  SqliteRegistry userRegistry(hives, user);
  ASSERT_EQ(RegWriteString(serviceRegistry, HKEY_LOCAL_MACHINE, kAdapter, "Radio", "0"),
            ERROR_SUCCESS);

  auto socket = RegistryServiceSocket(paths.MachineDir());
  SocketRegistryServiceClient client(socket);
  EXPECT_FALSE(client.Bind());  // nothing listens yet

  RegistryService service(serviceRegistry, nullptr);
  ServiceServer server(service);
  std::string error;
  ASSERT_TRUE(server.Listen(socket, &error)) << error;
  std::atomic<bool> stop{false};
  std::thread thread([&] { server.Run(stop); });

  ParameterStore store(userRegistry, &client, StorePolicy{Utility::kStation, false, true, false});
  EXPECT_TRUE(store.IsBound());
  HKEY key = 0;
  ASSERT_EQ(
      store.StoreOpenKey(HKEY_LOCAL_MACHINE, kAdapter, KEY_WRITE, &key, PolicyArea::kAdvanced),
      ERROR_SUCCESS);
  const uint8_t off[] = {'1', 0};
  EXPECT_EQ(store.StoreSetValue(key, "Radio", REG_SZ, off, 2, kAdapter, PolicyArea::kAdvanced),
            ERROR_SUCCESS);
  std::string radio;
  EXPECT_EQ(RegReadString(userRegistry, HKEY_LOCAL_MACHINE, kAdapter, "Radio", &radio),
            ERROR_SUCCESS);
  EXPECT_EQ(radio, "1");
  EXPECT_EQ(client.Call(Set("SOFTWARE\\Evil", "x", "1", 2)), ERROR_ACCESS_DENIED);

  stop = true;
  thread.join();
}

// A full service says so: the caller can tell "busy" from "not there".
TEST(ServiceEndpoint, AFullServiceAnswersBusyAndTakesCallsAgainOnceThereIsRoom) {
  FakePaths paths;
  FakeSecurityToken admin;
  SqliteRegistry registry(paths.MachineDir() / "registry", admin);
  ASSERT_EQ(RegWriteString(registry, HKEY_LOCAL_MACHINE, kAdapter, "NetCfgInstanceId", kGuid),
            ERROR_SUCCESS);
  RegistryService service(registry, nullptr);
  ServiceServer server(service, {.maxClients = 2, .idleMs = 60'000, .requestMs = 60'000});
  const auto socket = RegistryServiceSocket(paths.MachineDir());
  std::string error;
  ASSERT_TRUE(server.Listen(socket, &error)) << error;
  std::atomic<bool> stop{false};
  std::thread thread([&] { server.Run(stop); });

  // Two callers in the middle of their requests hold both slots.
  const auto frame = EncodeServiceRequest(Set(kAdapter, "Radio", "1", 2));
  int first = ConnectUnixSocket(socket), second = ConnectUnixSocket(socket);
  for (int fd : {first, second}) ASSERT_TRUE(SendAll(fd, frame.data(), 5));
  // Real sockets: give the service's loop a moment to take both first bytes in.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  SocketRegistryServiceClient client(socket);
  EXPECT_EQ(client.Call(Set(kAdapter, "Radio", "0", 2)), RPC_S_SERVER_TOO_BUSY);
  // One finishes its request: there is room again.
  ASSERT_TRUE(SendAll(first, frame.data() + 5, frame.size() - 5));
  std::vector<uint8_t> reply;
  while (reply.size() < kServiceReplySize && ReceiveSome(first, &reply, 5000)) {
  }
  EXPECT_EQ(reply, EncodeServiceReply(ERROR_SUCCESS));
  EXPECT_EQ(client.Call(Set(kAdapter, "Radio", "0", 2)), ERROR_SUCCESS);
  ::close(first);
  ::close(second);
  stop = true;
  thread.join();
}

TEST(ServiceLogLimits, HoldsBackFloodsCountsThemAndKeepsTheFileSmall) {
  FakePaths paths;
  std::filesystem::create_directories(paths.MachineDir());
  const auto file = paths.MachineDir() / "service.log";
  uint64_t now = 0;
  std::ostringstream echo;
  {
    ServiceLog log(
        file, &echo, {.burst = 3, .perSecond = 2, .maxFileBytes = 200}, [&] { return now; },
        [] { return std::string("T"); });
    for (int i = 0; i < 10; ++i) log.Write("line " + std::to_string(i));
    EXPECT_EQ(echo.str(), "kavo9-regsvc: line 0\nkavo9-regsvc: line 1\nkavo9-regsvc: line 2\n");
    now += 500;  // room for one more line
    log.Write("after");
    EXPECT_NE(echo.str().find("7 more lines were not logged (too many at once)\n"
                              "kavo9-regsvc: after\n"),
              std::string::npos)
        << echo.str();
    for (int i = 0; i < 20; ++i) {
      now += 1000;
      log.Write(std::string(40, 'x'));
    }
  }
  EXPECT_LE(std::filesystem::file_size(file), 200u);
  auto older = file;
  older += ".1";
  EXPECT_LE(std::filesystem::file_size(older), 200u);
  EXPECT_EQ(ReadFileText(file).substr(0, 2), "T ");
}

}  // namespace
}  // namespace kavo9
