#pragma once
// Moments of a hand-over for measurements: with KAVO9_TIMING set in the environment, each call
// appends "<program> <event> <microseconds since the epoch>" to <machine>/run/timing.log. Without
// it nothing is written.

#include <filesystem>
#include <string_view>

namespace kavo9 {

void NoteTiming(const std::filesystem::path& machineDir, std::string_view program,
                std::string_view event);

}  // namespace kavo9
