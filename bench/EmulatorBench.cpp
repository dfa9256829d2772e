// Round trips through the simulated machine's device sockets, each beside a bare
// connect/request/reply/close on a Unix socket with the same sizes, measured in the same run:
//   BM_BareRoundTrip/4            a server that only echoes a 4-byte answer
//   BM_DaemonQuery                one OID_VND_OP_MODE query through kavo9-simd's loop
//   BM_BareRoundTrip/65536        a 65,536-byte request answered with the demo list's size
//   BM_DaemonBssidList            one OID_802_11_BSSID_LIST of the demo world
#include <benchmark/benchmark.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "common/platform/simulated/UnixSocket.h"
#include "sim/daemon/MachineSetup.h"
#include "sim/daemon/SystemDaemon.h"

namespace kavo9 {
namespace {

constexpr const char* kDevice = "\\\\.\\{3F8A2C10-5B7D-4E21-9C3A-0D1E5A307001}";

// The demo machine with its daemon serving from a thread of this process.
class DemoMachine {
 public:
  DemoMachine() {
    char pattern[] = "/tmp/k9benchXXXXXX";
    dir_ = ::mkdtemp(pattern);
    std::string error;
    if (!InitMachine(std::filesystem::path(KAVO9_SOURCE_DIR) / "sim/scenarios/demo.json",
                     MachineLayout(dir_), &error)) {
      throw std::runtime_error(error);
    }
    daemon_ = std::make_unique<SystemDaemon>(dir_);
    if (!daemon_->Start(&error)) throw std::runtime_error(error);
    if (::pipe(stop_) != 0) throw std::runtime_error("pipe");
    thread_ = std::thread([this] { daemon_->Run(stop_[0]); });
    // Let the driver's first scan finish.
    std::this_thread::sleep_for(std::chrono::milliseconds(AdapterEmulator::kScanMs24 + 200));
  }
  ~DemoMachine() {
    [[maybe_unused]] ssize_t n = ::write(stop_[1], "x", 1);
    thread_.join();
    daemon_.reset();
    std::filesystem::remove_all(dir_);
  }
  const std::filesystem::path& dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
  std::unique_ptr<SystemDaemon> daemon_;
  int stop_[2] = {-1, -1};
  std::thread thread_;
};

DemoMachine& Demo() {
  static DemoMachine machine;
  return machine;
}

// A server that reads one request frame and answers `replyBytes` bytes, per connection: what
// every request cost when each opened a connection of its own.
class BareServer {
 public:
  explicit BareServer(size_t replyBytes) : replyBytes_(replyBytes) {
    dir_ = Demo().dir() / "bare";
    std::filesystem::create_directories(dir_ / "run" / "dev");
    path_ = dir_ / "run" / "dev" / "bare";
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
    ::unlink(path_.c_str());
    fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd_, 128) != 0) {
      throw std::runtime_error("bare server");
    }
    thread_ = std::thread([this] { Serve(); });
  }
  ~BareServer() {
    stop_ = true;
    ::close(ConnectUnixSocket(path_));  // wakes the accept
    thread_.join();
    ::close(fd_);
  }
  const std::filesystem::path& dir() const { return dir_; }

 private:
  void Serve() {
    std::vector<uint8_t> buffer(kFrameHeaderSize + kMaxFrameInput + 65536 + 4096);
    DeviceReply reply;
    reply.data.assign(replyBytes_, 0x5A);
    const std::vector<uint8_t> frame = EncodeReply(reply);
    while (!stop_) {
      int c = ::accept(fd_, nullptr, nullptr);
      if (c < 0) continue;
      size_t have = 0, need = kFrameHeaderSize;
      while (have < need) {
        ssize_t n = ::recv(c, buffer.data() + have, buffer.size() - have, 0);
        if (n <= 0) break;
        have += size_t(n);
        if (have >= kFrameHeaderSize)
          need = kFrameHeaderSize + ReadLe32(&buffer[8]) + ReadLe32(&buffer[12]);
      }
      if (have >= need) ::send(c, frame.data(), frame.size(), MSG_NOSIGNAL);
      ::close(c);
    }
  }

  size_t replyBytes_;
  std::filesystem::path dir_, path_;
  int fd_ = -1;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

void RoundTrip(benchmark::State& state, const std::filesystem::path& machine, const char* device,
               uint32_t code, uint32_t length) {
  SimulatedDeviceIo io(machine);
  std::vector<uint8_t> buffer(length);
  for (auto _ : state) {
    DeviceIo::Handle h = io.Open(device);
    uint32_t count = 0;
    bool ok = io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, buffer.data(), length, &count,
                         nullptr);
    io.Close(h);
    if (!ok) {
      state.SkipWithError("request failed");
      break;
    }
    benchmark::DoNotOptimize(count);
  }
}

uint32_t DemoListBytes() {
  SimulatedDeviceIo io(Demo().dir());
  std::vector<uint8_t> buffer(65536);
  uint32_t code = OID_802_11_BSSID_LIST, count = 0;
  DeviceIo::Handle h = io.Open(kDevice);
  io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, buffer.data(), 65536, &count, nullptr);
  io.Close(h);
  return count;
}

void BM_BareRoundTrip(benchmark::State& state) {
  const uint32_t length = uint32_t(state.range(0));
  BareServer server(length == 4 ? 4 : DemoListBytes());
  RoundTrip(state, server.dir(), "\\\\.\\bare", OID_VND_OP_MODE, length);
}
BENCHMARK(BM_BareRoundTrip)->Arg(4)->Arg(65536)->UseRealTime();

void BM_DaemonQuery(benchmark::State& state) {
  RoundTrip(state, Demo().dir(), kDevice, OID_VND_OP_MODE, 4);
}
BENCHMARK(BM_DaemonQuery)->UseRealTime();

void BM_DaemonBssidList(benchmark::State& state) {
  state.counters["listBytes"] = DemoListBytes();
  RoundTrip(state, Demo().dir(), kDevice, OID_802_11_BSSID_LIST, 65536);
}
BENCHMARK(BM_DaemonBssidList)->UseRealTime();

}  // namespace
}  // namespace kavo9

BENCHMARK_MAIN();
