// The cost of one driver request over the simulated machine's device socket, beside the bare
// socket round trip it is built on, and the bookkeeping of a failed set's retry.
//
// The device here is a minimal server that answers every request at once with a fixed reply, so
// the figures show the transport itself, not a driver's work.

#include <benchmark/benchmark.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <filesystem>
#include <thread>

#include "common/adapter/AdapterAccess.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "common/platform/simulated/UnixSocket.h"

namespace kavo9 {
namespace {

constexpr const char* kGuid = "{6F1C0A52-7B3D-4E1A-9C2B-1D5A30700001}";
// A scan list of about thirty networks.
constexpr uint32_t kBssidListReply = 8 * 1024;

// Answers a connection's requests one after the other until the client hangs up, as the system
// daemon does; one connection at a time.
class MiniDevice {
 public:
  MiniDevice() {
    dir_ = std::filesystem::temp_directory_path() / ("kavo9-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_ / "run" / "dev");
    socketPath_ = dir_ / "run" / "dev" / kGuid;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath_.c_str(), sizeof(address.sun_path) - 1);
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::listen(listener_, 64);
    thread_ = std::thread([this] { Serve(); });
  }
  ~MiniDevice() {
    stop_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
    std::filesystem::remove_all(dir_);
  }
  const std::filesystem::path& machineDir() const { return dir_; }
  const std::filesystem::path& socketPath() const { return socketPath_; }

 private:
  void Serve() {
    std::vector<uint8_t> received;
    while (!stop_) {
      int fd = ::accept(listener_, nullptr, nullptr);
      if (fd < 0) continue;
      received.clear();
      DeviceRequest request;
      size_t consumed = 0;
      FrameResult result = FrameResult::kNeedMore;
      while (result != FrameResult::kMalformed && ReceiveSome(fd, &received, 1000)) {
        while ((result = DecodeRequest(received, &request, &consumed)) == FrameResult::kComplete) {
          uint32_t oid = request.in.size() == 4 ? ReadLe32(request.in.data()) : 0;
          DeviceReply reply;
          reply.data.assign(oid == OID_802_11_BSSID_LIST ? kBssidListReply
                                                         : std::min<size_t>(4, request.out.size()),
                            0x5A);
          auto frame = EncodeReply(reply);
          SendAll(fd, frame.data(), frame.size());
          received.erase(received.begin(), received.begin() + long(consumed));
        }
      }
      ::close(fd);
    }
  }

  std::filesystem::path dir_;
  std::filesystem::path socketPath_;
  int listener_ = -1;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

MiniDevice& Device() {
  static MiniDevice device;
  return device;
}

// The exchange without the device layer, a new connection each time: connect, one frame, one
// reply, close.
void BareRoundTrip(benchmark::State& state, uint32_t oid, uint32_t length) {
  std::vector<uint8_t> out(length);
  uint8_t code[4];
  WriteLe32(code, oid);
  std::vector<uint8_t> reply;
  for (auto _ : state) {
    auto frame = EncodeRequest(IOCTL_NDIS_QUERY_GLOBAL_STATS, code, out);
    int fd = ConnectUnixSocket(Device().socketPath());
    SendAll(fd, frame.data(), frame.size());
    reply.clear();
    DeviceReply decoded;
    size_t consumed = 0;
    while (ReceiveSome(fd, &reply, 1000) &&
           DecodeReply(reply, length, &decoded, &consumed) == FrameResult::kNeedMore) {
    }
    ::close(fd);
    benchmark::DoNotOptimize(decoded.data.data());
  }
}

void Query(benchmark::State& state, uint32_t oid, uint32_t length) {
  VirtualEventLoop loop;
  SimulatedDeviceIo io(Device().machineDir());
  FakeSystemInfo system;
  Platform platform{};
  platform.loop = &loop;
  platform.deviceIo = &io;
  platform.system = &system;
  AdapterAccess access(platform, Utility::kStation);
  access.Publish(std::string("\\\\.\\") + kGuid, {});
  std::vector<uint8_t> buffer(length);
  for (auto _ : state) {
    uint32_t returned = 0;
    if (!access.QueryInformation(oid, buffer.data(), length, &returned)) {
      state.SkipWithError("query failed");
      break;
    }
    benchmark::DoNotOptimize(returned);
  }
}

void BM_BareRoundTrip_4Bytes(benchmark::State& s) {
  BareRoundTrip(s, OID_VND_LINK_STATE, 4);
}
void BM_QueryInformation_4Bytes(benchmark::State& s) {
  Query(s, OID_VND_LINK_STATE, 4);
}
void BM_BareRoundTrip_BssidList(benchmark::State& s) {
  BareRoundTrip(s, OID_802_11_BSSID_LIST, 65536);
}
void BM_QueryInformation_BssidList(benchmark::State& s) {
  Query(s, OID_802_11_BSSID_LIST, 65536);
}
BENCHMARK(BM_BareRoundTrip_4Bytes);
BENCHMARK(BM_QueryInformation_4Bytes);
BENCHMARK(BM_BareRoundTrip_BssidList);
BENCHMARK(BM_QueryInformation_BssidList);

// A set the driver refuses: the immediate attempt and the entry appended to the retry queue.
void BM_FailedSetAppend(benchmark::State& state) {
  FakePlatform fake;
  fake.deviceIo.devices["\\\\.\\dev"] = [](uint32_t, std::span<const uint8_t>, std::span<uint8_t>,
                                           uint32_t*) { return int32_t(ERROR_GEN_FAILURE); };
  AdapterAccess access(fake.platform(), Utility::kStation);
  access.Publish("\\\\.\\dev", {});
  const uint8_t value[36] = {4, 0, 0, 0, 'h', 'o', 'm', 'e'};
  for (auto _ : state) {
    access.SetInformation(OID_802_11_SSID, value, sizeof(value), 3);
    if (access.SetRetryQueue().size() >= 1024) {
      state.PauseTiming();
      access.DrainSetRetryQueue();
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_FailedSetAppend);

// One retry tick of an entry that keeps failing.
void BM_RetryTick(benchmark::State& state) {
  FakePlatform fake;
  fake.deviceIo.devices["\\\\.\\dev"] = [](uint32_t, std::span<const uint8_t>, std::span<uint8_t>,
                                           uint32_t*) { return int32_t(ERROR_GEN_FAILURE); };
  AdapterAccess access(fake.platform(), Utility::kStation);
  access.Publish("\\\\.\\dev", {});
  const uint8_t value[36] = {};
  for (int i = 0; i < 8; ++i) {  // a few neighbours, as a busy connect leaves behind
    access.SetInformation(OID_802_11_SSID, value, sizeof(value), INT_MAX);
  }
  TimerId last = access.SetRetryQueue().back().TimerId;
  for (auto _ : state) access.SetRetryTimerProc(last);
}
BENCHMARK(BM_RetryTick);

}  // namespace
}  // namespace kavo9

BENCHMARK_MAIN();
