#pragma once
// MAC addresses as the pages show them: six two-digit upper-case hexadecimal numbers joined by
// "-".

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kavo9::radio {

using MacBytes = std::array<uint8_t, 6>;

// The text of the first six bytes; empty when fewer are given.
std::string MacAddressText(std::span<const uint8_t> mac);
// "00-0C-43-..." back to bytes (either case); nullopt for anything else.
std::optional<MacBytes> ParseMacAddressText(std::string_view text);

}  // namespace kavo9::radio
