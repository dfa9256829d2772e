// The registry service as a real process on a temporary machine: it keeps serving while idle and
// trickling connections try to hold every slot, and its log stays bounded and says who wrote.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <sstream>
#include <thread>

#include "common/adapter/RegistryServiceClient.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "common/platform/simulated/UnixSocket.h"
#include "common/testing/ProcessTestSupport.h"

namespace kavo9::test {
namespace {

const std::string kAdapter =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

ServiceRequest Set(std::string path, std::string name, std::string data) {
  const auto length = uint32_t(data.size() + 1);
  return {kProcSetValue, ServiceForm::kStation, std::move(path), std::move(name),
          REG_SZ,        std::move(data),       length};
}

class ServiceProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    machine = MakeTempDir("k9svc");
    ASSERT_FALSE(machine.empty());
    socket = RegistryServiceSocket(machine);
    registry = std::make_unique<SqliteRegistry>(machine / "registry", admin);
    ASSERT_EQ(RegWriteString(*registry, HKEY_LOCAL_MACHINE, kAdapter, "NetCfgInstanceId",
                             "{6F1C0A52-7B3D-4E1A-9C2B-1D5A30700001}"),
              ERROR_SUCCESS);
    pid = Spawn({(BinDir() / "kavo9-regsvc").string(), "--machine", machine.string()},
                machine / "regsvc.err");
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(WaitFor([&] { return SocketRegistryServiceClient(socket).Bind(); }))
        << ReadText(machine / "regsvc.err");
  }
  void TearDown() override {
    Stop(pid);
    std::error_code ec;
    std::filesystem::remove_all(machine, ec);
  }
  std::string Value(const std::string& name) {
    std::string text;
    RegReadString(*registry, HKEY_LOCAL_MACHINE, kAdapter, name, &text);
    return text;
  }

  FakeSecurityToken admin;
  std::filesystem::path machine;
  std::unique_ptr<SqliteRegistry> registry;
  std::filesystem::path socket;
  pid_t pid = -1;
};

TEST_F(ServiceProcess, SilentAndTricklingConnectionsDoNotStarveTheCallers) {
  // More idle connections than the service used to have slots, and one that trickles a request.
  std::vector<int> silent;
  for (int i = 0; i < 600; ++i) silent.push_back(ConnectUnixSocket(socket));
  std::atomic<bool> done{false};
  std::thread trickler([&] {
    int fd = ConnectUnixSocket(socket);
    const auto frame = EncodeServiceRequest(Set(kAdapter, "Trickled", std::string(500, 'x')));
    for (size_t i = 0; i < frame.size() && !done; ++i) {
      if (::send(fd, &frame[i], 1, MSG_NOSIGNAL) != 1) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::close(fd);
  });
  std::atomic<int> failed{0};
  std::vector<std::thread> callers;
  for (int c = 0; c < 16; ++c) {
    callers.emplace_back([&, c] {
      SocketRegistryServiceClient client(socket);
      for (int i = 0; i < 20; ++i) {
        if (client.Call(Set(kAdapter, "Caller" + std::to_string(c), std::to_string(i))) !=
            ERROR_SUCCESS) {
          ++failed;
        }
      }
    });
  }
  for (auto& t : callers) t.join();
  done = true;
  trickler.join();
  for (int fd : silent) ::close(fd);
  EXPECT_EQ(failed.load(), 0);
  EXPECT_EQ(Value("Caller0"), "19");
  EXPECT_EQ(Value("Caller15"), "19");
}

TEST_F(ServiceProcess, LogIsBoundedAndNamesTheCaller) {
  SocketRegistryServiceClient client(socket);
  ASSERT_EQ(client.Call(Set(kAdapter, "Radio", "1")), ERROR_SUCCESS);
  ASSERT_EQ(client.Call(Set("SOFTWARE\\\"quoted\" \\x", "n", "1")), ERROR_ACCESS_DENIED);
  for (int i = 0; i < 3000; ++i) client.Call(Set("SOFTWARE\\Evil", "x", "1"));
  Stop(pid);

  const std::string log = ReadText(machine / "run" / "regsvc.log");
  std::istringstream lines(log);
  size_t count = 0;
  for (std::string line; std::getline(lines, line);) ++count;
  EXPECT_LT(count, 600u);
  EXPECT_NE(log.find("more lines were not logged"), std::string::npos);
  const std::string caller =
      "uid " + std::to_string(::getuid()) + " pid " + std::to_string(::getpid());
  EXPECT_NE(log.find("performed set value for " + caller), std::string::npos) << log.substr(0, 500);
  EXPECT_NE(log.find("path \"SOFTWARE\\\\\\\"quoted\\\" \\\\x\""), std::string::npos)
      << log.substr(0, 500);
}

}  // namespace
}  // namespace kavo9::test
