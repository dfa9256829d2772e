#include "common/platform/ProcessLauncher.h"

namespace kavo9 {

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> tokens;
  size_t i = 0;
  while (i < commandLine.size()) {
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    if (i >= commandLine.size()) break;
    std::string token;
    bool quoted = false;
    while (i < commandLine.size()) {
      char c = commandLine[i];
      if (c == '"') {
        quoted = !quoted;
      } else if (!quoted && (c == ' ' || c == '\t')) {
        break;
      } else {
        token += c;
      }
      ++i;
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

}  // namespace kavo9
