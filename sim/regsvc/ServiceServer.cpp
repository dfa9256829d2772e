#include "sim/regsvc/ServiceServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <vector>

#include "common/platform/simulated/UnixSocket.h"

namespace kavo9 {
namespace {

constexpr size_t kMaxClients = 64;
// A client that sends nothing for this long is dropped, so none can hold a slot forever.
constexpr int kIdleLimitMs = 10'000;
constexpr int kPollMs = 100;

struct Client {
  std::vector<uint8_t> received;
  int idleMs = 0;
};

}  // namespace

ServiceServer::~ServiceServer() {
  if (listener_ >= 0) {
    ::close(listener_);
    std::error_code ec;
    std::filesystem::remove(socketPath_, ec);
  }
}

bool ServiceServer::Listen(const std::filesystem::path& socketPath, std::string* error) {
  socketPath_ = socketPath;
  std::error_code ec;
  std::filesystem::create_directories(socketPath.parent_path(), ec);
  // A socket left by a service that died is replaced; anything else at the path is not ours.
  struct stat st {};
  if (::lstat(socketPath.c_str(), &st) == 0) {
    if (!S_ISSOCK(st.st_mode)) {
      *error = socketPath.string() + " exists and is not a socket";
      return false;
    }
    if (int fd = ConnectUnixSocket(socketPath); fd >= 0) {
      ::close(fd);
      *error = "a registry service is already listening on " + socketPath.string();
      return false;
    }
    ::unlink(socketPath.c_str());
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string text = socketPath.string();
  if (text.size() >= sizeof(address.sun_path)) {
    *error = "socket path too long: " + text;
    return false;
  }
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listener_ < 0 ||
      ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      ::listen(listener_, 16) != 0) {
    *error = "cannot listen on " + text + ": " + std::strerror(errno);
    if (listener_ >= 0) ::close(listener_);
    listener_ = -1;
    return false;
  }
  ::chmod(text.c_str(), 0666);  // every user of the machine may ask; the checks are ours
  return true;
}

void ServiceServer::Run(const std::atomic<bool>& stop) {
  std::map<int, Client> clients;
  auto drop = [&](int fd) {
    ::close(fd);
    clients.erase(fd);
  };
  while (!stop.load()) {
    std::vector<pollfd> fds{{listener_, POLLIN, 0}};
    for (const auto& [fd, client] : clients) fds.push_back({fd, POLLIN, 0});
    int ready = ::poll(fds.data(), fds.size(), kPollMs);
    if (ready < 0 && errno != EINTR) break;
    for (auto& [fd, client] : clients) client.idleMs += kPollMs;
    if (ready <= 0) {
      std::vector<int> idle;
      for (const auto& [fd, client] : clients) {
        if (client.idleMs >= kIdleLimitMs) idle.push_back(fd);
      }
      for (int fd : idle) drop(fd);
      continue;
    }
    if (fds[0].revents & POLLIN) {
      int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) {
        if (clients.size() >= kMaxClients) {
          ::close(fd);
        } else {
          // A client that does not read its replies must not stall everyone else.
          timeval timeout{1, 0};
          ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
          clients[fd] = Client{};
        }
      }
    }
    for (size_t i = 1; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      int fd = fds[i].fd;
      Client& client = clients[fd];
      client.idleMs = 0;
      if (!ReceiveSome(fd, &client.received, 0)) {
        drop(fd);
        continue;
      }
      std::vector<uint8_t> replies;
      bool keep = service_.Receive(&client.received, &replies);
      if (!replies.empty() && !SendAll(fd, replies.data(), replies.size())) keep = false;
      if (!keep) drop(fd);
    }
  }
  for (auto& [fd, client] : clients) ::close(fd);
}

}  // namespace kavo9
