#pragma once
// A tiny driver for transport tests: it records every request it sees and answers from a script.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/fake/FakePlatform.h"

namespace kavo9 {

inline constexpr const char* kTestDevicePath = "\\\\.\\{6F1C0A52-7B3D-4E1A-9C2B-1D5A30700001}";

struct DriverCall {
  uint32_t oid;
  std::vector<uint8_t> value;
  const uint8_t* buffer;  // where the device was given the value
  uint64_t atMs;
};

class ScriptedDriver {
 public:
  // Answers a request: fills `out`, sets the count, returns a Win32 status.
  using Answer = std::function<int32_t(uint32_t oid, std::span<uint8_t> out, uint32_t* count)>;

  ScriptedDriver(FakePlatform& fake, std::string path = kTestDevicePath)
      : fake_(fake), path_(std::move(path)) {
    Plug();
  }
  void Plug() {
    fake_.deviceIo.devices[path_] = [this](uint32_t ioctl, std::span<const uint8_t> in,
                                           std::span<uint8_t> out, uint32_t* count) {
      if (ioctl != IOCTL_NDIS_QUERY_GLOBAL_STATS || in.size() != 4)
        return int32_t(ERROR_INVALID_PARAMETER);
      uint32_t oid =
          uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
      calls.push_back({oid, {out.begin(), out.end()}, out.data(), fake_.loop.MonotonicMs()});
      return answer ? answer(oid, out, count) : int32_t(ERROR_SUCCESS);
    };
  }
  void Unplug() { fake_.deviceIo.devices.erase(path_); }

  std::vector<DriverCall> calls;
  Answer answer;

 private:
  FakePlatform& fake_;
  std::string path_;
};

// An answer that refuses everything.
inline int32_t Refuse(uint32_t, std::span<uint8_t>, uint32_t*) {
  return ERROR_GEN_FAILURE;
}

}  // namespace kavo9
