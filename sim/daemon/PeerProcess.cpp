#include "sim/daemon/PeerProcess.h"

#include <sys/socket.h>

#include <fstream>

namespace kavo9 {

std::string PeerProcessName(int fd) {
  ucred peer{};
  socklen_t length = sizeof peer;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0 || peer.pid <= 0) return {};
  std::ifstream comm("/proc/" + std::to_string(peer.pid) + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

}  // namespace kavo9
