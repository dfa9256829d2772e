#include "common/platform/FileVersion.h"

#include <charconv>
#include <sstream>

namespace kavo9 {

bool ParseVersionRecord(const std::string& text, FileVersionInfo* info) {
  std::istringstream lines(text);
  std::string line;
  bool found = false;
  FileVersionInfo parsed;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("LegalCopyright=", 0) == 0) {
      parsed.legalCopyright = line.substr(15);
      continue;
    }
    if (line.rfind("FileVersion=", 0) != 0) continue;
    uint16_t* parts[] = {&parsed.major, &parsed.minor, &parsed.build, &parsed.revision};
    const char* at = line.data() + 12;
    const char* end = line.data() + line.size();
    found = true;
    for (size_t i = 0; i < 4; ++i) {
      auto [next, error] = std::from_chars(at, end, *parts[i]);
      if (error != std::errc() || (i < 3 && (next == end || *next != '.')) ||
          (i == 3 && next != end)) {
        found = false;
        break;
      }
      at = next + 1;
    }
  }
  if (found) *info = parsed;
  return found;
}

}  // namespace kavo9
