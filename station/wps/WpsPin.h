#pragma once
// The eight-digit WPS PIN: seven digits and the published WPS check digit. PINs are drawn from the
// operating system's cryptographic generator: a PIN guessed from the time it was made would let a
// neighbour enrol in the network.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavo9::wps {

inline constexpr uint32_t kPinSevenDigits = 10'000'000;

// The check digit of a seven-digit number (0 .. 9 999 999).
uint32_t PinChecksum(uint32_t sevenDigits);

// A fresh PIN whose last digit is its check digit; nullopt when the generator fails.
std::optional<uint32_t> MakePin();

// "%08u": a PIN below 10 000 000 keeps its leading zeros.
std::string PinText(uint32_t pin);

// What the PIN box holds before a PIN session.
enum class PinCheck {
  kValid,
  kWrongLength,  // not exactly eight characters, or a character that is not a digit
  kWrongChecksum,
};
// Checks the box's text; `pin` (optional) takes the number when the text is valid.
PinCheck CheckPinText(std::string_view text, uint32_t* pin = nullptr);

// Random bytes from the cryptographic generator; false when it fails (then `out` is zeroed).
bool RandomBytes(uint8_t* out, size_t length);

}  // namespace kavo9::wps
