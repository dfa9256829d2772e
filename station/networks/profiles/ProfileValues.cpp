#include "station/networks/profiles/ProfileValues.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace kavo9::profiles {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool AllHex(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return HexDigit(c) >= 0; });
}

std::vector<uint8_t> HexBytes(std::string_view text) {
  std::vector<uint8_t> bytes(text.size() / 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    bytes[i] = uint8_t(HexDigit(text[2 * i]) * 16 + HexDigit(text[2 * i + 1]));
  }
  return bytes;
}

}  // namespace

std::optional<size_t> ProfileValueIndex(std::string_view name) {
  for (size_t i = 0; i < kProfileValueNames.size(); ++i) {
    if (SameName(kProfileValueNames[i], name)) return i;
  }
  return std::nullopt;
}

bool IsValidProfileName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxProfileName &&
         name.find('\\') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

const std::optional<std::string>& ProfileValues::Get(std::string_view name) const {
  static const std::optional<std::string> kMissing;
  const auto index = ProfileValueIndex(name);
  return index ? values_[*index] : kMissing;
}

void ProfileValues::Set(std::string_view name, std::string text) {
  if (const auto index = ProfileValueIndex(name)) values_[*index] = std::move(text);
}

void ProfileValues::SetNumber(std::string_view name, long number) {
  Set(name, std::to_string(number));
}

long ProfileValues::Number(std::string_view name, long fallback) const {
  const auto& text = Get(name);
  if (!text) return fallback;
  return std::strtol(text->c_str(), nullptr, 10);
}

std::string ProfileValues::Text(std::string_view name) const {
  const auto& text = Get(name);
  return text ? *text : std::string();
}

StoredWepKey DecodeStoredWepKey(std::string_view text) {
  if (text.size() <= 1) return {};
  if ((text.size() != 10 && text.size() != 26) || !AllHex(text)) {
    return {.kind = StoredKeyKind::kInvalid};
  }
  return {.kind = StoredKeyKind::kKey, .bytes = HexBytes(text)};
}

std::string EncodeWepKeyText(std::string_view typed, bool ascii) {
  if (ascii) {
    if (typed.size() != 5 && typed.size() != 13) return {};
    std::string out;
    char digits[3];
    for (char c : typed) {
      std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
      out += digits;
    }
    return out;
  }
  if ((typed.size() != 10 && typed.size() != 26) || !AllHex(typed)) return {};
  std::string out(typed);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
  return out;
}

bool IsValidPreSharedKey(std::string_view text) {
  if (text.size() == 64) return AllHex(text);
  return text.size() >= 8 && text.size() <= 63 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

std::optional<std::array<uint8_t, 32>> HexPreSharedKey(std::string_view text) {
  if (text.size() != 64 || !AllHex(text)) return std::nullopt;
  std::array<uint8_t, 32> key{};
  const std::vector<uint8_t> bytes = HexBytes(text);
  std::copy(bytes.begin(), bytes.end(), key.begin());
  return key;
}

}  // namespace kavo9::profiles
