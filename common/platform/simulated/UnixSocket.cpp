#include "common/platform/simulated/UnixSocket.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kavo9 {

int ConnectUnixSocket(const std::filesystem::path& path, int* error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string text = path.string();
  if (text.empty() || text.size() >= sizeof(address.sun_path)) {
    if (error) *error = ENAMETOOLONG;
    return -1;
  }
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    if (error) *error = errno;
    return -1;
  }
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    if (error) *error = errno;
    ::close(fd);
    return -1;
  }
  return fd;
}

bool SendAll(int fd, const uint8_t* data, size_t length) {
  while (length > 0) {
    ssize_t n = ::send(fd, data, length, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    length -= size_t(n);
  }
  return true;
}

int Deadline::RemainingMs() const {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      end_ - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool SendAll(int fd, const uint8_t* data, size_t length, const Deadline& deadline) {
  while (length > 0) {
    ssize_t n = ::send(fd, data, length, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd pfd{fd, POLLOUT, 0};
      const int ready = ::poll(&pfd, 1, deadline.RemainingMs());
      if (ready < 0 && errno == EINTR) continue;
      if (ready <= 0) return false;
      continue;
    }
    if (n <= 0) return false;
    data += n;
    length -= size_t(n);
  }
  return true;
}

bool ReceiveSome(int fd, std::vector<uint8_t>* buffer, const Deadline& deadline) {
  uint8_t chunk[4096];
  // Asked again after every interruption, so the wait never outlasts the deadline. One poll per
  // chunk: once it says the socket is readable, the receive does not block.
  for (;;) {
    const int left = deadline.RemainingMs();
    if (left == 0) return false;
    pollfd pfd{fd, POLLIN, 0};
    int ready = ::poll(&pfd, 1, left);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    ssize_t n = ::recv(fd, chunk, sizeof(chunk), MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    if (n <= 0) return false;
    buffer->insert(buffer->end(), chunk, chunk + n);
    return true;
  }
}

bool ReceiveSome(int fd, std::vector<uint8_t>* buffer, int timeoutMs) {
  uint8_t chunk[4096];
  for (;;) {
    pollfd pfd{fd, POLLIN, 0};
    int ready = ::poll(&pfd, 1, timeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    ssize_t n = ::recv(fd, chunk, sizeof(chunk), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    buffer->insert(buffer->end(), chunk, chunk + n);
    return true;
  }
}

bool StillOpen(int fd) {
  pollfd pfd{fd, POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&pfd, 1, 0);
  } while (ready < 0 && errno == EINTR);
  return ready == 0;
}

}  // namespace kavo9
