// Pickora, the card-selection program. The station utility starts it as
//
//   Pickora ICS_DOWN
//
// when it finds the adapter still an access point: connection sharing is stopped on the machine
// ($KAVO9_MACHINE, or --machine DIR). Any other command line is refused.

#include <iostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "common/platform/Paths.h"
#include "common/shell/CommandLine.h"
#include "sim/control/MachineCommands.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const std::string machineFlag = kavo9::TakeMachineOption(&arguments);
  if (arguments.size() != 1 || arguments[0] != "ICS_DOWN") {
    std::cerr << "usage: Pickora ICS_DOWN\n";
    return 2;
  }
  nlohmann::json reply;
  std::string error;
  if (!kavo9::SendDaemonCommand(kavo9::ResolveMachineDir(machineFlag),
                                {{"cmd", "ics"}, {"op", "disable"}}, &reply, &error)) {
    std::cerr << "Pickora: " << error << "\n";
    return 1;
  }
  if (!reply.value("ok", false)) {
    std::cerr << "Pickora: " << reply.value("error", std::string("refused")) << "\n";
    return 1;
  }
  return 0;
}
