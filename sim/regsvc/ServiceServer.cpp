#include "sim/regsvc/ServiceServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "common/platform/WinTypes.h"
#include "common/platform/simulated/UnixSocket.h"

namespace kavo9 {
namespace {

// Upper bound of one wait, so a stop request is seen promptly.
constexpr int kPollMs = 100;

uint64_t NowMs() {
  return uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count());
}

ServiceCaller PeerOf(int fd) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return {};
  return {true, credentials.uid, credentials.pid};
}

}  // namespace

struct ServiceServer::Client {
  int fd = -1;
  ServiceCaller caller;
  std::vector<uint8_t> received;
  std::vector<uint8_t> pending;  // replies not yet taken by the caller
  uint64_t lastActiveMs = 0;     // when the connection last finished a request (or opened)
  uint64_t requestStartMs = 0;   // 0: no request under way
  bool Busy() const { return !received.empty() || !pending.empty(); }
};

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
      ::listen(listener_, 128) != 0) {
    *error = "cannot listen on " + text + ": " + std::strerror(errno);
    if (listener_ >= 0) ::close(listener_);
    listener_ = -1;
    return false;
  }
  ::chmod(text.c_str(), 0666);  // every user of the machine may ask; the checks are ours
  return true;
}

bool ServiceServer::Expired(const Client& client, uint64_t now) const {
  if (client.Busy()) return now - client.requestStartMs >= uint64_t(limits_.requestMs);
  return now - client.lastActiveMs >= uint64_t(limits_.idleMs);
}

void ServiceServer::Accept(std::vector<Client>& clients, uint64_t now) {
  for (;;) {
    int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd < 0) return;
    if (clients.size() >= limits_.maxClients) {
      // The longest-idle connection makes room; while every one is in the middle of a request,
      // the caller is told the service is busy, which it can tell from "not listening".
      auto idle =
          std::min_element(clients.begin(), clients.end(), [](const Client& a, const Client& b) {
            return a.Busy() != b.Busy() ? !a.Busy() : a.lastActiveMs < b.lastActiveMs;
          });
      if (idle == clients.end() || idle->Busy()) {
        auto busy = EncodeServiceReply(RPC_S_SERVER_TOO_BUSY);
        [[maybe_unused]] ssize_t n = ::send(fd, busy.data(), busy.size(), MSG_NOSIGNAL);
        ::close(fd);
        continue;
      }
      ::close(idle->fd);
      clients.erase(idle);
    }
    clients.push_back(Client{fd, PeerOf(fd), {}, {}, now, 0});
  }
}

bool ServiceServer::Flush(Client& client) {
  while (!client.pending.empty()) {
    ssize_t n = ::send(client.fd, client.pending.data(), client.pending.size(),
                       MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return true;
    if (n <= 0) return false;
    client.pending.erase(client.pending.begin(), client.pending.begin() + n);
  }
  return true;
}

bool ServiceServer::Serve(Client& client, uint64_t now) {
  const bool wasBusy = client.Busy();
  if (!ReceiveSome(client.fd, &client.received, 0)) return false;
  if (!wasBusy) client.requestStartMs = now;
  std::vector<uint8_t> replies;
  const bool keep = service_.Receive(&client.received, &replies, client.caller);
  client.pending.insert(client.pending.end(), replies.begin(), replies.end());
  // A caller that sends requests but never takes its answers is not waited for.
  if (client.pending.size() > limits_.maxPendingReply) return false;
  // A broken frame still gets its answer, as far as the caller takes it at once.
  return Flush(client) && keep;
}

void ServiceServer::Run(const std::atomic<bool>& stop) {
  std::vector<Client> clients;
  std::vector<pollfd> fds;
  while (!stop.load()) {
    fds.assign(1, {listener_, POLLIN, 0});
    for (const Client& c : clients) {
      fds.push_back({c.fd, short(POLLIN | (c.pending.empty() ? 0 : POLLOUT)), 0});
    }
    int ready = ::poll(fds.data(), fds.size(), kPollMs);
    if (ready < 0 && errno != EINTR) break;
    const uint64_t now = NowMs();
    // The clients' places match fds[1..] until this pass ends; new ones are added after it.
    std::vector<bool> gone(clients.size(), false);
    for (size_t i = 0; i < clients.size(); ++i) {
      Client& client = clients[i];
      const short events = ready > 0 ? fds[i + 1].revents : 0;
      bool keep = true;
      if (events & POLLOUT) keep = Flush(client);
      if (keep && (events & (POLLIN | POLLHUP | POLLERR))) keep = Serve(client, now);
      if (keep && !client.Busy() && client.requestStartMs != 0) {
        client.lastActiveMs = now;  // a request done: the idle limit starts again
        client.requestStartMs = 0;
      }
      gone[i] = !keep || Expired(client, now);
    }
    size_t kept = 0;
    for (size_t i = 0; i < clients.size(); ++i) {
      if (gone[i]) {
        ::close(clients[i].fd);
      } else {
        if (kept != i) clients[kept] = std::move(clients[i]);
        ++kept;
      }
    }
    clients.resize(kept);
    if (ready > 0 && (fds[0].revents & POLLIN)) Accept(clients, now);
  }
  for (Client& c : clients) ::close(c.fd);
}

}  // namespace kavo9
