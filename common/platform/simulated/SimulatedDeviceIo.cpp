#include "common/platform/simulated/SimulatedDeviceIo.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "common/platform/WinTypes.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "common/platform/simulated/UnixSocket.h"

namespace kavo9 {
namespace {

// A request the driver has not answered in this time fails; real requests take microseconds to
// milliseconds, and the program waits for each one on its user-interface thread.
constexpr int kRequestDeadlineMs = 500;
// After a missed deadline the device's requests fail at once for this long, so a driver that
// stalls costs the program one deadline now and then rather than one per request.
constexpr auto kStalledHold = std::chrono::seconds(3);

int ConnectDevice(const std::filesystem::path& socketPath) {
  return ConnectUnixSocket(socketPath);
}

}  // namespace

SimulatedDeviceIo::SimulatedDeviceIo(std::filesystem::path machineDir)
    : devDir_(std::move(machineDir) / "run" / "dev") {}

SimulatedDeviceIo::~SimulatedDeviceIo() {
  for (const auto& [socket, fd] : kept_) ::close(fd);
}

std::filesystem::path SimulatedDeviceIo::SocketOf(std::string_view devicePath) const {
  constexpr std::string_view kPrefix = "\\\\.\\";
  if (devicePath.substr(0, kPrefix.size()) != kPrefix) return {};
  std::string_view name = devicePath.substr(kPrefix.size());
  if (name.empty() || name.find_first_of("/\\") != std::string_view::npos || name == "." ||
      name == "..") {
    return {};
  }
  return devDir_ / std::string(name);
}

DeviceIo::Handle SimulatedDeviceIo::Open(std::string_view devicePath) {
  {
    std::lock_guard lock(mutex_);
    auto kept = kept_.find(devicePath);
    if (kept != kept_.end()) {
      auto node = kept_.extract(kept);
      const int fd = node.mapped();
      if (StillOpen(fd)) {
        open_[fd] = {std::move(node.key()), true, false};
        return fd;
      }
      ::close(fd);  // unplugged, replugged or the daemon restarted: connect anew
    }
  }
  std::filesystem::path socketPath = SocketOf(devicePath);
  if (socketPath.empty()) return kInvalidHandle;
  int fd = ConnectDevice(socketPath);
  if (fd < 0) return kInvalidHandle;
  std::lock_guard lock(mutex_);
  open_[fd] = {std::string(devicePath), false, false};
  return fd;
}

SimulatedDeviceIo::Exchange SimulatedDeviceIo::RoundTrip(int fd, uint32_t ioctl, const void* in,
                                                         uint32_t inLength, void* out,
                                                         uint32_t outLength,
                                                         uint32_t* bytesReturned, int32_t* error) {
  auto frame = EncodeRequest(ioctl, {static_cast<const uint8_t*>(in), in ? inLength : 0},
                             {static_cast<const uint8_t*>(out), out ? outLength : 0});
  const Deadline deadline(kRequestDeadlineMs);
  if (!SendAll(fd, frame.data(), frame.size(), deadline)) {
    if (deadline.Passed()) {
      *error = ERROR_GEN_FAILURE;
      return Exchange::kTimedOut;
    }
    *error = ERROR_DEVICE_NOT_CONNECTED;
    return Exchange::kPeerGone;
  }
  // Kept between requests: a scan list's 64 KiB would otherwise be taken from and given back to
  // the system at every request, which costs more than the request itself.
  thread_local std::vector<uint8_t> received;
  received.clear();
  received.reserve(kReplyHeaderSize + outLength);
  uint8_t chunk[16384];
  DeviceReply reply;
  for (;;) {
    size_t consumed = 0;
    FrameResult result = DecodeReply(received, outLength, &reply, &consumed);
    if (result == FrameResult::kComplete) {
      // Bytes beyond the reply would belong to no request: the stream is out of step.
      if (consumed != received.size()) {
        *error = ERROR_GEN_FAILURE;
        return Exchange::kFailed;
      }
      break;
    }
    if (result == FrameResult::kMalformed) {
      *error = ERROR_GEN_FAILURE;
      return Exchange::kFailed;
    }
    pollfd pfd{fd, POLLIN, 0};
    const int ready = ::poll(&pfd, 1, deadline.RemainingMs());
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) {  // the whole request's time is up, however much has come
      *error = ERROR_GEN_FAILURE;
      return Exchange::kTimedOut;
    }
    ssize_t n = ready < 0 ? -1 : ::recv(fd, chunk, sizeof(chunk), MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    if (n <= 0) {
      *error = ERROR_DEVICE_NOT_CONNECTED;
      // Hung up before answering: the request may be sent again on a new connection.
      return received.empty() ? Exchange::kPeerGone : Exchange::kFailed;
    }
    received.insert(received.end(), chunk, chunk + n);
  }
  if (reply.status != ERROR_SUCCESS) {
    *error = static_cast<int32_t>(reply.status);
    return Exchange::kDone;
  }
  if (out && !reply.data.empty()) std::memcpy(out, reply.data.data(), reply.data.size());
  if (bytesReturned) *bytesReturned = static_cast<uint32_t>(reply.data.size());
  *error = ERROR_SUCCESS;
  return Exchange::kDone;
}

bool SimulatedDeviceIo::Control(Handle handle, uint32_t ioctl, const void* in, uint32_t inLength,
                                void* out, uint32_t outLength, uint32_t* bytesReturned,
                                int32_t* lastError) {
  auto fail = [&](int32_t error) {
    if (lastError) *lastError = error;
    return false;
  };
  if (handle == kInvalidHandle) return fail(ERROR_INVALID_HANDLE);
  const int fd = static_cast<int>(handle);
  OpenDevice device;
  {
    std::lock_guard lock(mutex_);
    auto it = open_.find(fd);
    if (it == open_.end()) return fail(ERROR_INVALID_HANDLE);
    device = it->second;
  }
  if (inLength > kMaxFrameInput || outLength > kMaxFrameOutput)
    return fail(ERROR_INVALID_PARAMETER);
  if (Stalled(device.path)) return fail(ERROR_GEN_FAILURE);

  int32_t error = ERROR_SUCCESS;
  Exchange result = RoundTrip(fd, ioctl, in, inLength, out, outLength, bytesReturned, &error);
  if (result == Exchange::kPeerGone && device.reused) {
    // The kept connection died after Open looked at it. Once, on a new connection in its place
    // (same descriptor, so the handle stays valid); a device that is really gone fails here.
    device.reused = false;
    int fresh = ConnectDevice(SocketOf(device.path));
    if (fresh >= 0) {
      const bool replaced = ::dup3(fresh, fd, O_CLOEXEC) == fd;
      ::close(fresh);
      if (replaced)
        result = RoundTrip(fd, ioctl, in, inLength, out, outLength, bytesReturned, &error);
    }
  }
  if (result != Exchange::kDone) device.broken = true;
  {
    std::lock_guard lock(mutex_);
    if (result == Exchange::kTimedOut)
      stalledUntil_[device.path] = std::chrono::steady_clock::now() + kStalledHold;
    auto it = open_.find(fd);
    if (it != open_.end()) it->second = device;
  }
  return error == ERROR_SUCCESS ? true : fail(error);
}

bool SimulatedDeviceIo::Stalled(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto it = stalledUntil_.find(path);
  if (it == stalledUntil_.end()) return false;
  if (std::chrono::steady_clock::now() < it->second) return true;
  stalledUntil_.erase(it);
  return false;
}

void SimulatedDeviceIo::Close(Handle handle) {
  if (handle == kInvalidHandle) return;
  const int fd = static_cast<int>(handle);
  std::lock_guard lock(mutex_);
  auto it = open_.find(fd);
  if (it == open_.end()) return;
  OpenDevice device = std::move(it->second);
  open_.erase(it);
  // Kept for the next request unless it is out of step or another one is kept already.
  if (!device.broken && kept_.emplace(std::move(device.path), fd).second) return;
  ::close(fd);
}

}  // namespace kavo9
