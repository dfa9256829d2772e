#pragma once
// Device I/O: opening a device object and issuing a device control to it.
//
// The adapter's device path "\\.\{GUID}" (or "\\.\NAME") names a device of the machine. Every
// driver request opens the device, issues one control and closes it. On the simulated machine the
// device is a Unix socket <machine>/run/dev/<name>: Open takes the device's connection (kept
// between requests, connected anew when the device went away), Control sends one request frame
// and reads one reply, Close gives the connection back.

#include <cstdint>
#include <string_view>

namespace kavo9 {

inline constexpr uint32_t IOCTL_NDIS_QUERY_GLOBAL_STATS = 0x00170002;

class DeviceIo {
 public:
  using Handle = intptr_t;
  static constexpr Handle kInvalidHandle = -1;

  virtual ~DeviceIo() = default;
  // Opens a device path ("\\.\{GUID}"). kInvalidHandle when the device does not exist or does not
  // answer (driver not loaded, adapter removed).
  virtual Handle Open(std::string_view devicePath) = 0;
  // Issues a device control. `out` is both the value sent (a set's value, a query's input) and
  // the buffer the reply is written into; at most `outLength` bytes are written. `bytesReturned`
  // receives the count the driver reports (never more than `outLength`). True on success; on
  // failure `lastError` (optional) receives the Win32 error.
  virtual bool Control(Handle handle, uint32_t ioctl, const void* in, uint32_t inLength, void* out,
                       uint32_t outLength, uint32_t* bytesReturned,
                       int32_t* lastError = nullptr) = 0;
  virtual void Close(Handle handle) = 0;
};

}  // namespace kavo9
