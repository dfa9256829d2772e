#include "common/shell/TimingLog.h"

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace kavo9 {

void NoteTiming(const std::filesystem::path& machineDir, std::string_view program,
                std::string_view event) {
  if (!std::getenv("KAVO9_TIMING") || machineDir.empty()) return;
  const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  std::ofstream log(machineDir / "run" / "timing.log", std::ios::app);
  log << program << " " << event << " " << now << "\n";
}

}  // namespace kavo9
