#pragma once
// One adapter of the system daemon, as the daemon's files share it (private to sim/daemon).

#include <filesystem>
#include <memory>

#include "sim/daemon/SystemDaemon.h"

namespace kavo9 {

struct SystemDaemon::Adapter {
  AdapterSpec spec;
  std::unique_ptr<AdapterEmulator> emulator;
  bool plugged = false;
  int listenFd = -1;
  std::filesystem::path socketPath;
  // The emulator's event counters when its events were last raised.
  uint64_t seenLinkUps = 0;
  uint64_t seenMessageFlagChanges = 0;
};

}  // namespace kavo9
