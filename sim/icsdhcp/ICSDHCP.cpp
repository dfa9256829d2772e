// ICSDHCP, the stand-in of the library that starts and stops the DHCP server of Internet
// connection sharing. The soft-AP utility loads it at run time and calls
//   ICSDHCP_EnableDhcpServer(buffer, 0)   at every start-up of the access point (the 40-byte
//                                         buffer is scratch memory; nothing is read back)
//   ICSDHCP_DisableDhcpServer()           once, when the utility's controller ends
// Here each asks the simulated machine's system daemon to start or stop connection sharing: the
// access point's adapter gets its address and the stations that join it their leases
// (`kavo9-sim status`). The machine is the one the loader binds (Kavo9_BindMachine), else
// $KAVO9_MACHINE. Both return 1 when the daemon agreed, 0 otherwise; nothing here can fail the
// caller.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <mutex>
#include <string>

#define ICSDHCP_API extern "C" __attribute__((visibility("default")))

namespace {

std::mutex g_lock;
std::string g_machine;

std::string MachineDir() {
  std::lock_guard<std::mutex> hold(g_lock);
  if (!g_machine.empty()) return g_machine;
  const char* env = std::getenv("KAVO9_MACHINE");
  return env ? env : "";
}

// One JSON line to the daemon's control socket; true when it answered "ok": true.
bool Ask(const char* op) {
  const std::string machine = MachineDir();
  if (machine.empty()) return false;
  const std::string path = machine + "/run/simd.sock";
  sockaddr_un address{};
  if (path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  timeval timeout{2, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
  bool ok = false;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string line = std::string("{\"cmd\":\"ics\",\"op\":\"") + op + "\"}\n";
    if (::send(fd, line.data(), line.size(), MSG_NOSIGNAL) == ssize_t(line.size())) {
      std::string reply;
      char buffer[512];
      ssize_t n = 0;
      while (reply.find('\n') == std::string::npos && reply.size() < 65536 &&
             (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0) {
        reply.append(buffer, size_t(n));
      }
      ok = reply.find("\"ok\":true") != std::string::npos;
    }
  }
  ::close(fd);
  return ok;
}

}  // namespace

ICSDHCP_API void Kavo9_BindMachine(const char* machineDir) {
  std::lock_guard<std::mutex> hold(g_lock);
  g_machine = machineDir ? machineDir : "";
}

ICSDHCP_API int ICSDHCP_EnableDhcpServer(void* buffer, int) {
  if (buffer) std::memset(buffer, 0, 40);
  return Ask("enable") ? 1 : 0;
}

ICSDHCP_API int ICSDHCP_DisableDhcpServer() {
  return Ask("disable") ? 1 : 0;
}
