#pragma once
// Little-endian and big-endian field access for the records the emulated driver reads and
// writes. Every access is bounded: a read past the end gives 0 and a write past it is dropped,
// so a short record from a caller can never move the emulator outside its buffer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kavo9::emu {

inline uint32_t GetLe32(std::span<const uint8_t> b, size_t offset) {
  if (offset > b.size() || b.size() - offset < 4) return 0;
  return uint32_t(b[offset]) | uint32_t(b[offset + 1]) << 8 | uint32_t(b[offset + 2]) << 16 |
         uint32_t(b[offset + 3]) << 24;
}

inline void PutLe32(std::span<uint8_t> b, size_t offset, uint32_t v) {
  if (offset > b.size() || b.size() - offset < 4) return;
  for (size_t i = 0; i < 4; ++i) b[offset + i] = uint8_t(v >> (8 * i));
}

inline void PutLe16(std::span<uint8_t> b, size_t offset, uint16_t v) {
  if (offset > b.size() || b.size() - offset < 2) return;
  b[offset] = uint8_t(v);
  b[offset + 1] = uint8_t(v >> 8);
}

// Appending writers for records that grow (element bodies).
inline void AppendLe16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
inline void AppendLe32(std::vector<uint8_t>& out, uint32_t v) {
  AppendLe16(out, uint16_t(v));
  AppendLe16(out, uint16_t(v >> 16));
}
inline void AppendBe16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}

}  // namespace kavo9::emu
