#pragma once
// DeviceIo on the simulated machine: "\\.\NAME" is the Unix socket <machine>/run/dev/NAME.

#include <filesystem>

#include "common/platform/DeviceIo.h"

namespace kavo9 {

class SimulatedDeviceIo : public DeviceIo {
 public:
  explicit SimulatedDeviceIo(std::filesystem::path machineDir);
  Handle Open(std::string_view devicePath) override;
  bool Control(Handle handle, uint32_t ioctl, const void* in, uint32_t inLength, void* out,
               uint32_t outLength, uint32_t* bytesReturned, int32_t* lastError) override;
  void Close(Handle handle) override;

  // The socket file of a device path, or empty when the path does not name a device.
  std::filesystem::path SocketOf(std::string_view devicePath) const;

 private:
  std::filesystem::path devDir_;
};

}  // namespace kavo9
