// Time from association to authenticated for PEAP/MS-CHAPv2 on the demo's "ACME-Corp" through
// the supplicant library (credential requests answered at once, the server's chain checked
// against the machine's CA), then the CPU the library uses while its port sits authenticated.
// A program: run by hand
//   build/bench/eap_bench [rounds]
// The daemon runs as its own process, so this process's CPU is the library's and the program's.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "bench/AuthBenchSupport.h"
#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/AcAuthApi.h"
#include "common/platform/certs/FileCertStore.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "common/testing/ProcessTestSupport.h"
#include "sim/control/MachineCommands.h"
#include "sim/daemon/MachineSetup.h"

extern "C" void Kavo9_BindMachine(const char* machineDir);

namespace kavo9 {
namespace {

using Clock = std::chrono::steady_clock;
const std::string kSsid = "ACME-Corp";

struct Program {
  std::mutex mutex;
  std::condition_variable changed;
  int handle = 0;
  int end = 0;
  std::vector<uint8_t> caHash;

  static void OnEvent(void* context, int kind) {
    auto* self = static_cast<Program*>(context);
    int value = 0;
    if (kind == AC_PORT_EVENT_STATE) acPortGetState(self->handle, &value);
    if (kind == AC_PORT_EVENT_STATUS) acPortGetStatus(self->handle, &value);
    std::lock_guard hold(self->mutex);
    if (kind == AC_PORT_EVENT_STATE && value == AC_STATE_AUTHENTICATED) self->end = value;
    if (kind == AC_PORT_EVENT_STATUS && value >= AC_STATUS_REJECTED) self->end = value;
    self->changed.notify_all();
  }

  static void OnRequest(void* context, const acCredRequest* r) {
    auto* self = static_cast<Program*>(context);
    const int h = self->handle;
    acObject o = nullptr;
    switch (r->type) {
      case AC_CRED_SESSION_START:
        acCredSessionStart(h, r->id, 1);
        break;
      case AC_CRED_IDENTITY:
        acIdentityCreate(&o, "alice", 5);
        acCredIdentity(h, r->id, o);
        acIdentityDestroy(o);
        break;
      case AC_CRED_EAP_METHODS:
        acCredEapMethods(h, r->id, r->level ? AC_EAP_MSCHAPV2 : AC_EAP_PEAP, 1);
        break;
      case AC_CRED_PASSWORD:
        acPasswordCreate(&o, "Wonderland-1", 12);
        acCredPassword(h, r->id, o);
        acPasswordDestroy(o);
        break;
      case AC_CRED_SERVER_CHECK: {
        char url[128] = {};
        int ok = 0;
        acCertUrlWin32String(AC_CERT_KIND_CA, self->caHash.data(), int(self->caHash.size()), url,
                             sizeof url);
        if (acCertCreate(&o, url) == AC_OK) {
          acCredServerVerifyCA(h, r->id, o, &ok);
          acCertDestroy(o);
        }
        acCredServerVerified(h, r->id, ok);
        break;
      }
      default:
        break;
    }
    acCredComplete(h, r->id);
  }
};

using authbench::Dword;
using authbench::Median;
using authbench::Set;

int Run(int rounds) {
  const std::filesystem::path machine = test::MakeTempDir("k9eapbench");
  std::string error;
  if (!InitMachine(test::SourceDir() / "sim/scenarios/demo.json", MachineLayout(machine), &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  pid_t daemon =
      test::Spawn({(test::BinDir() / "kavo9-simd").string(), "--machine", machine.string()},
                  machine / "simd.err");
  test::WaitFor([&] {
    nlohmann::json reply;
    return SendDaemonCommand(machine, {{"cmd", "status"}}, &reply, &error);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the first scan

  Kavo9_BindMachine(machine.c_str());
  acInit(nullptr);
  char name[AC_PORT_NAME_BYTES] = {};
  acGetNextPortSymName(nullptr, name);
  Program program;
  program.caHash = FileCertStore(machine).Certificates(kRootStore).at(0).sha1;
  acPortAttach(&program.handle, name, &program, &Program::OnEvent, &Program::OnRequest);
  const std::string device = std::string("\\\\.\\") + name;
  SimulatedDeviceIo deviceIo(machine);
  DeviceIo& io = deviceIo;

  std::vector<double> joins;
  for (int i = 0; i < rounds; ++i) {
    acPortStop(program.handle);
    Set(io, device, OID_802_11_DISASSOCIATE, {});
    program.end = 0;
    Set(io, device, OID_802_11_AUTHENTICATION_MODE, Dword(Ndis802_11AuthModeWPA2));
    Set(io, device, OID_802_11_ENCRYPTION_STATUS, Dword(Ndis802_11Encryption3Enabled));
    acAssociation a{};
    std::memcpy(a.ssid, kSsid.data(), kSsid.size());
    a.ssidLength = uint32_t(kSsid.size());
    a.keyManagement = AC_KM_WPA2;
    a.cipher = AC_CIPHER_AES;
    acPortAuth(program.handle);
    acPortAssociate(program.handle, &a);
    std::vector<uint8_t> ssid(36, 0);
    const uint32_t length = uint32_t(kSsid.size());
    std::memcpy(ssid.data(), &length, 4);
    std::memcpy(ssid.data() + 4, kSsid.data(), kSsid.size());
    const auto t0 = Clock::now();  // the association is made by this set
    Set(io, device, OID_802_11_SSID, ssid);
    std::unique_lock hold(program.mutex);
    if (!program.changed.wait_for(hold, std::chrono::seconds(10), [&] { return program.end; }) ||
        program.end != AC_STATE_AUTHENTICATED) {
      std::fprintf(stderr, "round %d did not authenticate (%d)\n", i, program.end);
      continue;
    }
    joins.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::printf(
      "PEAP/MS-CHAPv2 association to authenticated: median %.2f ms, worst %.2f ms over %zu "
      "rounds\n",
      Median(joins), joins.empty() ? 0 : *std::max_element(joins.begin(), joins.end()),
      joins.size());

  authbench::PrintIdleLibraryCpu();

  acPortDetach(program.handle);
  acExit();
  test::Stop(daemon);
  std::filesystem::remove_all(machine);
  return 0;
}

}  // namespace
}  // namespace kavo9

int main(int argc, char** argv) {
  return kavo9::Run(argc > 1 ? std::max(1, std::atoi(argv[1])) : 20);
}
