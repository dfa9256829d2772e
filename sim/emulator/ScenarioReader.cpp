#include "sim/emulator/ScenarioReader.h"

#include <cctype>
#include <cstdio>

namespace kavo9::scenario {

bool ObjectReader::ParseNumberText(const std::string& text, int64_t* value) {
  if (text.empty()) return false;
  try {
    size_t used = 0;
    long long v = std::stoll(text, &used, 0);  // decimal, or 0x hexadecimal
    if (used != text.size()) return false;
    *value = v;
    return true;
  } catch (...) {
    return false;
  }
}

bool ParseVersionPair(const std::string& text, std::array<uint8_t, 2>* out) {
  unsigned a = 0, b = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u.%u%c", &a, &b, &tail) != 2 || a > 255 || b > 255) return false;
  *out = {uint8_t(a), uint8_t(b)};
  return true;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>* out) {
  out->clear();
  std::string digits;
  for (char c : text) {
    if (c == '-' || c == ':' || c == ' ') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    digits += c;
  }
  if (digits.size() % 2) return false;
  for (size_t i = 0; i < digits.size(); i += 2) {
    out->push_back(uint8_t(std::stoul(digits.substr(i, 2), nullptr, 16)));
  }
  return true;
}

}  // namespace kavo9::scenario
