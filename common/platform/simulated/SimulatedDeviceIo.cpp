#include "common/platform/simulated/SimulatedDeviceIo.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/platform/WinTypes.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "common/platform/simulated/UnixSocket.h"

namespace kavo9 {
namespace {

// A driver that does not answer within this time is treated as gone; real requests take
// microseconds to milliseconds.
constexpr int kReplyTimeoutMs = 10'000;

}  // namespace

SimulatedDeviceIo::SimulatedDeviceIo(std::filesystem::path machineDir)
    : devDir_(std::move(machineDir) / "run" / "dev") {}

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
  std::filesystem::path socketPath = SocketOf(devicePath);
  if (socketPath.empty()) return kInvalidHandle;
  int fd = ConnectUnixSocket(socketPath);
  return fd < 0 ? kInvalidHandle : fd;
}

bool SimulatedDeviceIo::Control(Handle handle, uint32_t ioctl, const void* in, uint32_t inLength,
                                void* out, uint32_t outLength, uint32_t* bytesReturned,
                                int32_t* lastError) {
  auto fail = [&](int32_t error) {
    if (lastError) *lastError = error;
    return false;
  };
  if (handle == kInvalidHandle) return fail(ERROR_INVALID_HANDLE);
  if (inLength > kMaxFrameInput || outLength > kMaxFrameOutput) return fail(ERROR_INVALID_PARAMETER);
  int fd = static_cast<int>(handle);
  auto frame = EncodeRequest(
      ioctl, {static_cast<const uint8_t*>(in), in ? inLength : 0},
      {static_cast<const uint8_t*>(out), out ? outLength : 0});
  if (!SendAll(fd, frame.data(), frame.size())) return fail(ERROR_DEVICE_NOT_CONNECTED);

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
    if (result == FrameResult::kComplete) break;
    if (result == FrameResult::kMalformed) return fail(ERROR_GEN_FAILURE);
    pollfd pfd{fd, POLLIN, 0};
    int ready = ::poll(&pfd, 1, kReplyTimeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return fail(ERROR_GEN_FAILURE);
    ssize_t n = ::recv(fd, chunk, sizeof(chunk), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(ERROR_DEVICE_NOT_CONNECTED);
    received.insert(received.end(), chunk, chunk + n);
  }
  if (reply.status != ERROR_SUCCESS) return fail(static_cast<int32_t>(reply.status));
  if (out && !reply.data.empty()) std::memcpy(out, reply.data.data(), reply.data.size());
  if (bytesReturned) *bytesReturned = static_cast<uint32_t>(reply.data.size());
  return true;
}

void SimulatedDeviceIo::Close(Handle handle) {
  if (handle != kInvalidHandle) ::close(static_cast<int>(handle));
}

}  // namespace kavo9
