#pragma once
// What the supplicant library's benchmarks share: driver sets on the device seam, a median, and
// this process's CPU time.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/DeviceIo.h"

namespace kavo9::authbench {

inline void Set(DeviceIo& io, const std::string& device, uint32_t code,
                std::vector<uint8_t> value) {
  const DeviceIo::Handle h = io.Open(device);
  uint32_t oid = code | kSetBit, count = 0;
  io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, value.data(), uint32_t(value.size()),
             &count);
  io.Close(h);
}

inline std::vector<uint8_t> Dword(uint32_t v) {
  std::vector<uint8_t> b(4);
  std::memcpy(b.data(), &v, 4);
  return b;
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

inline double CpuMs() {
  rusage use{};
  getrusage(RUSAGE_SELF, &use);
  return (use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1000.0 +
         (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1000.0;
}

// The library's CPU over ten idle seconds with its port authenticated: this process runs nothing
// else meanwhile, so what it spends is the library's.
inline void PrintIdleLibraryCpu() {
  const double before = CpuMs();
  std::this_thread::sleep_for(std::chrono::seconds(10));
  std::printf("library CPU while authenticated: %.2f ms over 10 s\n", CpuMs() - before);
}

}  // namespace kavo9::authbench
