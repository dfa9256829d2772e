#include "apps/TsSwap/TsSwap.h"

namespace kavo9 {

std::optional<TsSwapRequest> ParseTsSwapArguments(const std::vector<std::string>& arguments,
                                                  std::string* error) {
  if (arguments.size() < 5) {
    *error = "usage: TsSwap ON|OFF STATION-PROGRAM AP-PROGRAM VENDOR PRODUCT [HARDWARE-ID]";
    return std::nullopt;
  }
  TsSwapRequest request;
  if (arguments[0] == "ON") {
    request.toAccessPoint = true;
  } else if (arguments[0] != "OFF") {
    *error = "the first argument must be ON or OFF, not \"" + arguments[0] + "\"";
    return std::nullopt;
  }
  request.stationProgram = arguments[1];
  request.accessPointProgram = arguments[2];
  if (request.toAccessPoint && arguments.size() > 5) request.hardwareIdPrefix = arguments[5];
  for (const std::string* name : {&request.stationProgram, &request.accessPointProgram}) {
    if (name->empty() || name->find_first_of("/\\") != std::string::npos) {
      *error = "a program is named by its file name alone, not \"" + *name + "\"";
      return std::nullopt;
    }
  }
  return request;
}

int RunTsSwap(const TsSwapRequest& request, const TsSwapMachine& machine,
              std::chrono::milliseconds patience) {
  constexpr int kLookMs = 10;
  const std::string direction = request.toAccessPoint ? "ON" : "OFF";
  machine.log("switch " + direction + ": waiting for the running utility to end");
  long waited = 0;
  while (machine.nameHeld()) {
    if (waited >= patience.count()) {
      machine.log("the single-instance name is still held after " + std::to_string(waited) +
                  " ms; going on");
      break;
    }
    machine.sleep(kLookMs);
    waited += kLookMs;
  }
  machine.log("the utility has ended (" + std::to_string(waited) + " ms)");
  std::string detail;
  const bool reloaded = machine.reloadDriver(request.hardwareIdPrefix, &detail);
  machine.log(reloaded ? "driver reloaded: " + detail : "driver not reloaded: " + detail);
  const std::string& program = request.ProgramToStart();
  if (!machine.startProgram(program, &detail)) {
    machine.log("could not start " + program + ": " + detail);
    return 1;
  }
  machine.log("started " + program + " " + detail);
  return 0;
}

}  // namespace kavo9
