#pragma once
// The mode-switch program. Started by a utility right before it ends:
//
//   TsSwap ON  <station program> <access-point program> <vendor> <product> <hardware id prefix>
//   TsSwap OFF <station program> <access-point program> <vendor> <product>
//
// It waits until the calling utility has ended and released the single-instance name ("QKB1"),
// reloads the adapter's driver (so that it reads OpMode and the values the utility prepared),
// and starts the other program from its own folder: the access-point program for ON, the
// station program for OFF. Each step goes to <machine>/run/tsswap.log with its time.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kavo9 {

struct TsSwapRequest {
  bool toAccessPoint = false;
  std::string stationProgram;
  std::string accessPointProgram;
  std::string hardwareIdPrefix;  // ON only; empty reloads every adapter
  const std::string& ProgramToStart() const {
    return toAccessPoint ? accessPointProgram : stationProgram;
  }
};

// The request of a command line's arguments (without the program's name); nullopt with a reason
// for anything else.
std::optional<TsSwapRequest> ParseTsSwapArguments(const std::vector<std::string>& arguments,
                                                  std::string* error);

// What the steps do on the machine, so that a test can stand in for each.
struct TsSwapMachine {
  std::function<bool()> nameHeld;     // "QKB1" still taken
  std::function<void(int ms)> sleep;  // between two looks at the name
  std::function<bool(const std::string& prefix, std::string* detail)> reloadDriver;
  std::function<bool(const std::string& program, std::string* detail)> startProgram;
  std::function<void(const std::string& line)> log;
};

// The steps in order; the exit code (0 when the other program was started). Gives up waiting
// for the name after `patience` and goes on, since the caller may have ended without releasing it
// cleanly: a second instance would then only hand over to nobody.
int RunTsSwap(const TsSwapRequest& request, const TsSwapMachine& machine,
              std::chrono::milliseconds patience = std::chrono::seconds(10));

}  // namespace kavo9
