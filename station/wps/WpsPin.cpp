#include "station/wps/WpsPin.h"

#include <openssl/rand.h>

#include <cstdio>
#include <cstring>

namespace kavo9::wps {

uint32_t PinChecksum(uint32_t sevenDigits) {
  uint32_t p = (sevenDigits % kPinSevenDigits) * 10;
  uint32_t accum = 0;
  for (uint32_t weightThree = 1; p != 0; weightThree ^= 1) {
    p /= 10;  // from the tens upwards: d1 weighs 3, d2 weighs 1, ...
    accum += (weightThree ? 3 : 1) * (p % 10);
  }
  return (10 - accum % 10) % 10;
}

bool RandomBytes(uint8_t* out, size_t length) {
  if (length == 0) return true;
  if (RAND_bytes(out, int(length)) == 1) return true;
  std::memset(out, 0, length);
  return false;
}

std::optional<uint32_t> MakePin() {
  uint8_t bytes[4];
  if (!RandomBytes(bytes, sizeof bytes)) return std::nullopt;
  const uint32_t word =
      uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
  // 2^32 is not a multiple of 10^7: the few words past the last whole block are drawn again so
  // every seven-digit number is equally likely.
  constexpr uint32_t kLimit = (0xFFFFFFFFu / kPinSevenDigits) * kPinSevenDigits;
  if (word >= kLimit) return MakePin();
  const uint32_t v = word % kPinSevenDigits;
  return v * 10 + PinChecksum(v);
}

std::string PinText(uint32_t pin) {
  char text[16];
  std::snprintf(text, sizeof text, "%08u", pin);
  return text;
}

PinCheck CheckPinText(std::string_view text, uint32_t* pin) {
  if (text.size() != 8) return PinCheck::kWrongLength;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return PinCheck::kWrongLength;
    value = value * 10 + uint32_t(c - '0');
  }
  if (PinChecksum(value / 10) != value % 10) return PinCheck::kWrongChecksum;
  if (pin) *pin = value;
  return PinCheck::kValid;
}

}  // namespace kavo9::wps
