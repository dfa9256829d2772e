#pragma once
// The control tool's commands for the simulated machine: init, plug, unplug, reload, ioctl,
// world, fail, status and requests. Each is one function taking its arguments (after the
// command's name) and the machine folder, printing to standard output and errors to standard
// error, and returning the exit code. kavo9-sim's main registers MachineCommands().

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace kavo9 {

using MachineCommandArgs = std::vector<std::string>;

struct MachineCommand {
  const char* name;
  const char* usage;  // the arguments, as in "ADAPTER query|set CODE [HEX] [--length N]"
  const char* help;
  int (*run)(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
};

std::span<const MachineCommand> MachineCommands();
// The commands' lines of the tool's --help.
void PrintMachineCommandUsage(std::ostream& out);

int RunInit(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunPlug(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunUnplug(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunReload(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunIoctl(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunWorld(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunFail(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunStatus(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunRequests(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunAp(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunIcs(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunWps(const MachineCommandArgs& args, const std::filesystem::path& machineDir);
int RunTray(const MachineCommandArgs& args, const std::filesystem::path& machineDir);

// Sends one command to the machine's system daemon and reads its answer. False with a message
// when no daemon answers; a daemon's refusal is an answer with "ok": false.
bool SendDaemonCommand(const std::filesystem::path& machineDir, const nlohmann::json& request,
                       nlohmann::json* reply, std::string* error);

// A request code by catalogue name ("OID_VND_RADIO") or number ("0x0D710108"); the set bit is
// kept as given. False for text that is neither.
bool ParseRequestCode(const std::string& text, uint32_t* code);

}  // namespace kavo9
