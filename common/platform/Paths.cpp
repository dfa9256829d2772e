#include "common/platform/Paths.h"

#include <cctype>
#include <cstdlib>
#include <system_error>

namespace kavo9 {

std::filesystem::path Paths::FromWindows(std::string_view windowsPath) const {
  std::filesystem::path base;
  std::string_view rest = windowsPath;
  if (rest.size() >= 2 && std::isalpha(static_cast<unsigned char>(rest[0])) && rest[1] == ':') {
    char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(rest[0])));
    base = MachineDir() / (std::string("drive_") + drive);
    rest.remove_prefix(2);
  } else {
    base = ProgramDir();
  }
  std::filesystem::path result = base;
  size_t depth = 0;
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = rest.size();
    std::string_view part = rest.substr(start, end - start);
    if (part == "..") {
      if (depth == 0) return {};
      result = result.parent_path();
      --depth;
    } else if (!part.empty() && part != ".") {
      result /= std::string(part);
      ++depth;
    }
    start = end + 1;
  }
  return result;
}

std::filesystem::path ResolveMachineDir(std::string_view flag) {
  if (!flag.empty()) return std::filesystem::absolute(std::filesystem::path(flag));
  if (const char* env = std::getenv("KAVO9_MACHINE"); env && *env) {
    return std::filesystem::absolute(std::filesystem::path(env));
  }
  std::filesystem::path state;
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg) {
    state = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    state = std::filesystem::path(home) / ".local" / "state";
  } else {
    state = "/tmp";
  }
  return state / "kavo9" / "machine";
}

std::filesystem::path CurrentExecutablePath() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : path;
}

}  // namespace kavo9
