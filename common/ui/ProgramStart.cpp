#include "common/ui/ProgramStart.h"

#include <vector>

#include "common/platform/Paths.h"
#include "common/shell/CommandLine.h"

namespace kavo9 {

ProgramArguments ReadProgramArguments(int argc, char** argv) {
  ProgramArguments result;
  std::vector<std::string> arguments(argv + 1, argv + argc);
  for (size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] != "--screenshots") continue;
    result.screenshots = QString::fromStdString(arguments[i + 1]);
    arguments.erase(arguments.begin() + long(i), arguments.begin() + long(i) + 2);
    break;
  }
  std::string machineFlag;
  result.commandLine = CommandLineFromArguments(arguments, &machineFlag);
  result.machine = ResolveMachineDir(machineFlag);
  std::error_code error;
  std::filesystem::create_directories(result.machine / "run", error);
  return result;
}

}  // namespace kavo9
