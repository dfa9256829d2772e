#include "radio/vocabulary/MacAddress.h"

#include <charconv>
#include <cstdio>

namespace kavo9::radio {

std::string MacAddressText(std::span<const uint8_t> mac) {
  if (mac.size() < 6) return {};
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

std::optional<MacBytes> ParseMacAddressText(std::string_view text) {
  constexpr size_t kLength = 17;
  if (text.size() != kLength) return std::nullopt;
  MacBytes mac{};
  for (size_t i = 0; i < mac.size(); ++i) {
    const char* pair = text.data() + 3 * i;
    if (i + 1 < mac.size() && pair[2] != '-') return std::nullopt;
    auto [end, error] = std::from_chars(pair, pair + 2, mac[i], 16);
    if (error != std::errc() || end != pair + 2) return std::nullopt;
  }
  return mac;
}

}  // namespace kavo9::radio
