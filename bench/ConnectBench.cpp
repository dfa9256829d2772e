// Connecting, measured against the simulated machine's daemon in the same run:
//   BM_ConnectFromSiteSurvey   from the survey's Connect on an open network to the join, every
//                              request a device round trip through kavo9-simd
//   BM_BareRoundTrips          as many plain 4-byte queries through the same daemon (the
//                              "requests" counter of the first says how many)
//   BM_DerivePmk               the WPA-None key's PBKDF2 as the connect code calls it
//   BM_OpenSslPbkdf2           OpenSSL's raw PKCS5_PBKDF2_HMAC_SHA1 with the same input
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/FakeAdapter.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "sim/daemon/MachineSetup.h"
#include "sim/daemon/SystemDaemon.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/connect/WpaNoneKey.h"
#include "station/networks/connect/testing/ConnectRig.h"

namespace kavo9 {
namespace {

constexpr const char* kDevice = "\\\\.\\{3F8A2C10-5B7D-4E21-9C3A-0D1E5A307001}";

// The demo machine with its daemon serving from a thread of this process.
class DemoMachine {
 public:
  DemoMachine() {
    char pattern[] = "/tmp/k9connectXXXXXX";
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
    // The driver's first scan has to finish before anything is in range.
    std::this_thread::sleep_for(std::chrono::milliseconds(AdapterEmulator::kScanMs5 + 200));
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

// The driver as the transport reaches it: each request opens the device, makes one device
// control and closes it.
class DeviceDriver : public DriverPort {
 public:
  explicit DeviceDriver(const std::filesystem::path& machine) : io_(machine) {}
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length, uint32_t* count) override {
    return Control(oid, buffer, length, count);
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int) override {
    std::vector<uint8_t> copy(static_cast<const uint8_t*>(buffer),
                              static_cast<const uint8_t*>(buffer) + length);
    return Control(oid | kSetBit, copy.data(), length, nullptr);
  }
  bool IsAdapterPresent() override { return true; }
  uint64_t requests = 0;

 private:
  bool Control(uint32_t code, void* buffer, uint32_t length, uint32_t* count) {
    ++requests;
    DeviceIo::Handle h = io_.Open(kDevice);
    uint32_t returned = 0;
    const bool ok =
        io_.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, buffer, length, &returned, nullptr);
    io_.Close(h);
    if (count) *count = returned;
    return ok;
  }
  SimulatedDeviceIo io_;
};

SurveySelection BakeryGuest() {
  SurveySelection s;
  s.Record = build::BssRecordBuilder()
                 .Bssid({0x00, 0x0E, 0x2E, 0x41, 0x10, 0x06})
                 .Ssid("Bakery Guest")
                 .FrequencyKhz(2437000)
                 .WithSsidElement()
                 .Build();
  return s;
}

uint64_t g_requestsPerConnect = 0;

void BM_ConnectFromSiteSurvey(benchmark::State& state) {
  DeviceDriver driver(Demo().dir());
  ScriptedDriver unused;
  FakeAdapter adapter(unused);
  connect::ConnectRig rig(driver, adapter);
  const SurveySelection row = BakeryGuest();
  uint64_t connects = 0;
  const uint64_t before = driver.requests;
  for (auto _ : state) {
    rig.connector.ConnectFromSiteSurvey(row, {}, true);
    rig.store.writes.clear();
    ++connects;
  }
  g_requestsPerConnect = (driver.requests - before) / std::max<uint64_t>(connects, 1);
  state.counters["requests"] = double(g_requestsPerConnect);
}
BENCHMARK(BM_ConnectFromSiteSurvey)->UseRealTime();

void BM_BareRoundTrips(benchmark::State& state) {
  DeviceDriver driver(Demo().dir());
  const uint64_t n = g_requestsPerConnect ? g_requestsPerConnect : 40;
  for (auto _ : state) {
    for (uint64_t i = 0; i < n; ++i) {
      uint32_t mode = 0;
      driver.QueryInformation(OID_VND_OP_MODE, &mode, 4, nullptr);
      benchmark::DoNotOptimize(mode);
    }
  }
  state.counters["requests"] = double(n);
}
BENCHMARK(BM_BareRoundTrips)->UseRealTime();

void BM_DerivePmk(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(connect::DerivePmk("sunflower42", "Picnic"));
}
BENCHMARK(BM_DerivePmk);

void BM_OpenSslPbkdf2(benchmark::State& state) {
  unsigned char pmk[32];
  for (auto _ : state) {
    PKCS5_PBKDF2_HMAC_SHA1("sunflower42", 11, reinterpret_cast<const unsigned char*>("Picnic"), 6,
                           4096, 32, pmk);
    benchmark::DoNotOptimize(pmk);
  }
}
BENCHMARK(BM_OpenSslPbkdf2);

}  // namespace
}  // namespace kavo9

BENCHMARK_MAIN();
