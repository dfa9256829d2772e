#pragma once
// Little-endian reads and writes of the driver's fixed-size records.

#include <cstddef>
#include <cstdint>
#include <span>

namespace kavo9::radio {

inline uint32_t ReadLe32(std::span<const uint8_t> bytes, size_t offset) {
  if (offset + 4 > bytes.size()) return 0;
  return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
         uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
}

inline void WriteLe32(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
  if (offset + 4 > bytes.size()) return;
  for (int i = 0; i < 4; ++i) bytes[offset + i] = uint8_t(value >> (8 * i));
}

}  // namespace kavo9::radio
