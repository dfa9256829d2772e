// The privileged registry service under load: many programs writing at once, optionally while
// idle connections and a client that trickles one byte at a time try to hold every slot.
//
//   regsvc_load [--clients N] [--calls N] [--silent N] [--trickle]
//
// Prints how many calls did not come back done and how long the load took. Run by hand.
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "common/adapter/RegistryServiceClient.h"
#include "common/platform/SecurityToken.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "common/platform/simulated/UnixSocket.h"
#include "sim/regsvc/RegistryService.h"
#include "sim/regsvc/ServiceServer.h"

namespace {

using namespace kavo9;

constexpr const char* kAdapter =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007";

class AdminToken : public SecurityToken {
 public:
  std::string UserName() const override { return "SYSTEM"; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    groups->assign({"S-1-5-18", kAdministratorsSid});
    return true;
  }
};

struct Options {
  int clients = 128;
  int calls = 100;
  int silent = 0;
  bool trickle = false;
};

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto number = [&] { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
    if (arg == "--clients") options.clients = number();
    if (arg == "--calls") options.calls = number();
    if (arg == "--silent") options.silent = number();
    if (arg == "--trickle") options.trickle = true;
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = Parse(argc, argv);
  char pattern[] = "/tmp/k9loadXXXXXX";
  if (!::mkdtemp(pattern)) return 1;
  const std::filesystem::path dir = pattern;
  AdminToken token;
  SqliteRegistry registry(dir / "registry", token);
  RegWriteString(registry, HKEY_LOCAL_MACHINE, kAdapter, "NetCfgInstanceId",
                 "{6F1C0A52-7B3D-4E1A-9C2B-1D5A30700001}");
  RegistryService service(registry, nullptr);
  ServiceServer server(service);
  const auto socket = RegistryServiceSocket(dir);
  std::string error;
  if (!server.Listen(socket, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::atomic<bool> stop{false};
  std::thread serving([&] { server.Run(stop); });

  std::vector<int> held;
  for (int i = 0; i < options.silent; ++i) held.push_back(ConnectUnixSocket(socket));
  std::thread trickler;
  if (options.trickle) {
    trickler = std::thread([&] {
      int fd = ConnectUnixSocket(socket);
      const auto frame = EncodeServiceRequest({kProcSetValue, ServiceForm::kStation, kAdapter,
                                               "Trickle", REG_SZ, std::string(4000, 'x'), 4001});
      for (size_t i = 0; i < frame.size() && !stop.load(); ++i) {
        if (::send(fd, &frame[i], 1, MSG_NOSIGNAL) != 1) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      ::close(fd);
    });
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(200));

  std::atomic<int> lost{0};
  const auto start = std::chrono::steady_clock::now();
  std::vector<std::thread> clients;
  for (int c = 0; c < options.clients; ++c) {
    clients.emplace_back([&, c] {
      SocketRegistryServiceClient client(socket);
      for (int i = 0; i < options.calls; ++i) {
        ServiceRequest request{
            kProcSetValue, ServiceForm::kStation, kAdapter, "Load" + std::to_string(c),
            REG_SZ,        std::to_string(i),     8};
        if (client.Call(request) != ERROR_SUCCESS) ++lost;
      }
    });
  }
  for (auto& t : clients) t.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d clients x %d calls (%d silent connections%s): %d lost, %.2f s\n", options.clients,
              options.calls, options.silent, options.trickle ? ", a trickler" : "", lost.load(),
              seconds);
  stop = true;
  if (trickler.joinable()) trickler.join();
  for (int fd : held) ::close(fd);
  serving.join();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return 0;
}
