#pragma once
// DeviceIo on the simulated machine: "\\.\NAME" is the Unix socket <machine>/run/dev/NAME.
//
// The programs open the device for every request, as the driver's clients do on Windows. A new
// socket connection for each would cost more than the request itself, so the device layer keeps
// one connection per device between requests: Open takes it (after checking that the daemon has
// not closed it: an unplugged adapter or a stopped daemon closes every connection, and then Open
// connects anew and fails exactly as it did before), Close gives it back. A kept connection that
// turns out to be dead when the request is sent is replaced once, transparently (the daemon was
// restarted or the adapter replugged in between).
//
// Each request has one deadline (a few hundred milliseconds) for sending it and reading the whole
// reply, however the driver trickles it: a request that misses it fails (a query then reads as
// zero) and its connection is dropped, and for a few seconds after that the device's requests
// fail at once, so a stalled driver never holds the program's user-interface thread for long.
//
// Safe to use from several threads, one thread per handle at a time.

#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>

#include "common/platform/DeviceIo.h"

namespace kavo9 {

class SimulatedDeviceIo : public DeviceIo {
 public:
  explicit SimulatedDeviceIo(std::filesystem::path machineDir);
  ~SimulatedDeviceIo() override;
  SimulatedDeviceIo(const SimulatedDeviceIo&) = delete;
  SimulatedDeviceIo& operator=(const SimulatedDeviceIo&) = delete;

  Handle Open(std::string_view devicePath) override;
  bool Control(Handle handle, uint32_t ioctl, const void* in, uint32_t inLength, void* out,
               uint32_t outLength, uint32_t* bytesReturned, int32_t* lastError) override;
  void Close(Handle handle) override;

  // The socket file of a device path, or empty when the path does not name a device.
  std::filesystem::path SocketOf(std::string_view devicePath) const;

 private:
  struct OpenDevice {
    std::string path;     // as opened: "\\.\NAME"
    bool reused = false;  // the connection was kept from an earlier request
    bool broken = false;  // the byte stream can no longer be trusted: never kept
  };
  enum class Exchange { kDone, kPeerGone, kFailed, kTimedOut };
  Exchange RoundTrip(int fd, uint32_t ioctl, const void* in, uint32_t inLength, void* out,
                     uint32_t outLength, uint32_t* bytesReturned, int32_t* error);

  // Whether the device missed a deadline a moment ago.
  bool Stalled(const std::string& path);

  std::filesystem::path devDir_;
  std::mutex mutex_;
  std::map<int, OpenDevice> open_;                // by the handle's socket
  std::map<std::string, int, std::less<>> kept_;  // one idle connection per device path
  std::map<std::string, std::chrono::steady_clock::time_point> stalledUntil_;
};

}  // namespace kavo9
