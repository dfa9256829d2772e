// The programs' clients of the simulated machine against peers that trickle their answers a byte
// at a time: each request gives up at its own deadline instead of waiting for the whole answer,
// and a device that stalled fails its next requests at once.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <ostream>
#include <thread>

#include "common/adapter/RegistryServiceClient.h"
#include "common/platform/DeviceIo.h"
#include "common/platform/ServiceControl.h"
#include "common/platform/WinTypes.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "common/platform/simulated/SystemServicesClient.h"

namespace kavo9 {
namespace {

// Serves a socket: for each connection, waits for the request's first bytes, then sends `answer`
// one byte per `gapMs`. Counts connections; `finished` once a whole answer went out.
class Trickler {
 public:
  Trickler(const std::filesystem::path& path, std::vector<uint8_t> answer, int gapMs)
      : answer_(std::move(answer)), gapMs_(gapMs) {
    std::filesystem::create_directories(path.parent_path());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    EXPECT_EQ(::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(listener_, 8), 0);
    thread_ = std::thread([this] { Serve(); });
  }
  ~Trickler() {
    stop_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
  }
  bool finished() const { return finished_; }
  int connections() const { return connections_; }

 private:
  void Serve() {
    for (;;) {
      pollfd p{listener_, POLLIN, 0};
      if (::poll(&p, 1, 50) == 0) {
        if (stop_) return;
        continue;
      }
      int fd = ::accept(listener_, nullptr, nullptr);
      if (fd < 0) return;
      ++connections_;
      char request[4096];
      [[maybe_unused]] ssize_t n = ::recv(fd, request, sizeof request, 0);
      size_t sent = 0;
      while (sent < answer_.size() && !stop_ && ::send(fd, &answer_[sent], 1, MSG_NOSIGNAL) == 1) {
        ++sent;
        std::this_thread::sleep_for(std::chrono::milliseconds(gapMs_));
      }
      if (sent == answer_.size()) finished_ = true;
      ::close(fd);
    }
  }

  std::vector<uint8_t> answer_;
  int gapMs_;
  int listener_ = -1;
  std::atomic<bool> stop_{false}, finished_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
};

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

struct Case {
  const char* name;
  std::string socket;  // below the machine folder
  std::vector<uint8_t> answer;
  int gapMs;
  // Makes one request; true when it succeeded.
  std::function<bool(const std::filesystem::path& machine)> request;
};

// Shown by its name in test listings.
void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class StalledPeer : public ::testing::TestWithParam<Case> {};

TEST_P(StalledPeer, GivesUpAtTheRequestsDeadline) {
  FakePaths paths;
  const std::filesystem::path machine = paths.MachineDir();
  Trickler peer(machine / GetParam().socket, GetParam().answer, GetParam().gapMs);
  EXPECT_FALSE(GetParam().request(machine));
  EXPECT_FALSE(peer.finished()) << "the request waited for the whole trickled answer";
}

std::vector<uint8_t> DeviceReplyOf(uint32_t count) {
  std::vector<uint8_t> reply(kReplyHeaderSize + count, 0);
  WriteLe32(reply.data(), kReplyMagic);
  WriteLe32(reply.data() + 8, count);
  return reply;
}

bool QueryDevice(const std::filesystem::path& machine) {
  SimulatedDeviceIo io(machine);
  DeviceIo::Handle h = io.Open("\\\\.\\TRICKLE");
  if (h == DeviceIo::kInvalidHandle) return false;
  uint32_t code = 0x0D710101, count = 0;
  std::vector<uint8_t> value(64);
  bool ok =
      io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, value.data(), 64, &count, nullptr);
  io.Close(h);
  return ok;
}

std::vector<uint8_t> ServiceReply() {
  auto reply = EncodeServiceReply(ERROR_SUCCESS);
  return reply;
}

INSTANTIATE_TEST_SUITE_P(
    Clients, StalledPeer,
    ::testing::Values(Case{"Device", "run/dev/TRICKLE", DeviceReplyOf(64), 50, QueryDevice},
                      Case{"RegistryService", "run/rpc/TesmarRegistry", ServiceReply(), 400,
                           [](const std::filesystem::path& machine) {
                             SocketRegistryServiceClient client(RegistryServiceSocket(machine));
                             return client.Call({kProcCreateKey, ServiceForm::kSoftAp,
                                                 "SOFTWARE\\X"}) == ERROR_SUCCESS;
                           }},
                      Case{"ServiceControl", "run/simd.sock",
                           Bytes("{\"ok\":true,\"state\":4,\"startType\":2}\n"), 100,
                           [](const std::filesystem::path& machine) {
                             SimulatedServiceControl services(machine);
                             uint32_t state = 0;
                             return services.QueryStatus("WZCSVC", &state);
                           }}),
    [](const ::testing::TestParamInfo<Case>& c) { return std::string(c.param.name); });

TEST(StalledDevice, FailsItsNextRequestsAtOnceWithoutAskingTheDriver) {
  FakePaths paths;
  Trickler peer(paths.MachineDir() / "run/dev/TRICKLE", DeviceReplyOf(64), 50);
  SimulatedDeviceIo io(paths.MachineDir());
  auto query = [&](int32_t* error) {
    DeviceIo::Handle h = io.Open("\\\\.\\TRICKLE");
    uint32_t code = 0x0D710101, count = 0;
    std::vector<uint8_t> value(64);
    bool ok =
        io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, value.data(), 64, &count, error);
    io.Close(h);
    return ok;
  };
  int32_t error = 0;
  EXPECT_FALSE(query(&error));
  EXPECT_EQ(error, ERROR_GEN_FAILURE);
  const int asked = peer.connections();
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(query(&error));
  EXPECT_EQ(error, ERROR_GEN_FAILURE);
  EXPECT_LE(peer.connections(), asked + 1);  // the open may connect; no request goes out
  EXPECT_FALSE(peer.finished());
}

}  // namespace
}  // namespace kavo9
