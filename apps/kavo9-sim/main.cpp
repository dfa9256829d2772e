// kavo9-sim: the tool of the simulated machine's owner. It finds the machine (--machine DIR, else
// $KAVO9_MACHINE, else the user's default machine) and hands the rest of the command line to a
// sub-command family from the table below.

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "apps/kavo9-sim/SimCommand.h"
#include "common/platform/Paths.h"
#include "sim/control/MachineCommands.h"

namespace kavo9 {
namespace {

const SimCommand kCommands[] = {
    {"reg", kRegUsage, RunRegCommand}, {"session", kSystemUsage, RunSessionCommand},
    {"power", "", RunPowerCommand},    {"service", "", RunServiceCommand},
    {"event", "", RunEventCommand},    {"cert", kCertUsage, RunCertCommand},
};

void PrintUsage(std::ostream& out) {
  out << "usage: kavo9-sim [--machine DIR] COMMAND ARGS...\n"
         "\n"
         "  --machine DIR   the simulated machine's folder (default: $KAVO9_MACHINE, else\n"
         "                  $XDG_STATE_HOME/kavo9/machine)\n"
         "\n"
         "commands:\n";
  for (const SimCommand& command : kCommands) {
    if (!command.usage.empty()) out << command.usage << "\n";
  }
  PrintMachineCommandUsage(out);
}

int Main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string machineFlag;
  size_t i = 0;
  for (; i < args.size() && args[i].starts_with("-"); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      PrintUsage(std::cout);
      return kSimDone;
    } else if (arg == "--machine" || arg.starts_with("--machine=")) {
      if (arg == "--machine") {
        if (i + 1 == args.size()) return SimError(kSimUsage, "--machine needs a folder");
        machineFlag = args[++i];
      } else {
        machineFlag = arg.substr(10);
      }
      if (machineFlag.empty()) return SimError(kSimUsage, "--machine needs a folder");
    } else {
      PrintUsage(std::cerr);
      return SimError(kSimUsage, "unknown option \"" + arg + "\"");
    }
  }
  if (i == args.size()) {
    PrintUsage(std::cerr);
    return SimError(kSimUsage, "no command given");
  }
  SimContext context{ResolveMachineDir(machineFlag)};
  for (const SimCommand& command : kCommands) {
    if (command.name == args[i]) {
      return command.run(context, std::span<const std::string>(args).subspan(i + 1));
    }
  }
  for (const MachineCommand& command : MachineCommands()) {
    if (command.name == args[i]) {
      return command.run(MachineCommandArgs(args.begin() + long(i) + 1, args.end()),
                         context.machineDir);
    }
  }
  PrintUsage(std::cerr);
  return SimError(kSimUsage, "unknown command \"" + args[i] + "\"");
}

}  // namespace

int SimError(int code, const std::string& message) {
  std::cerr << "kavo9-sim: " << message << "\n";
  return code;
}

}  // namespace kavo9

int main(int argc, char** argv) {
  return kavo9::Main(argc, argv);
}
