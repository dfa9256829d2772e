#pragma once
// The station options record of OID_VND_STA_CONFIG: eight 32-bit words. The radio settings own
// word 0 (TX burst), word 2 (b/g protection), word 4 (ad hoc OFDM code) and word 6 (always sent
// as 0); the other words are sent back as the driver reported them.

#include <array>
#include <cstdint>
#include <span>

#include "radio/vocabulary/Bytes.h"

namespace kavo9::radio {

inline constexpr size_t kStaConfigSize = 32;

struct StaConfig {
  std::array<uint32_t, 8> words{};

  static constexpr size_t kTxBurst = 0;
  static constexpr size_t kBgProtection = 2;
  static constexpr size_t kAdhocOfdm = 4;
  static constexpr size_t kCleared = 6;

  static StaConfig FromBytes(std::span<const uint8_t> bytes) {
    StaConfig config;
    for (size_t i = 0; i < 8; ++i) config.words[i] = ReadLe32(bytes, i * 4);
    return config;
  }
  std::array<uint8_t, kStaConfigSize> ToBytes() const {
    std::array<uint8_t, kStaConfigSize> bytes{};
    for (size_t i = 0; i < 8; ++i) WriteLe32(bytes, i * 4, words[i]);
    return bytes;
  }
  bool operator==(const StaConfig&) const = default;
};

// b/g protection choices.
enum BgProtection : int { kBgAuto = 0, kBgOn = 1, kBgOff = 2 };

}  // namespace kavo9::radio
