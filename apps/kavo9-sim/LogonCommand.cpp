// `kavo9-sim session logon USER [--cancel]`: a Windows logon on the simulated machine. The logon
// component's stand-in (kavo9-logon, beside this tool) plays its part of single sign-on.

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "apps/kavo9-sim/SimCommand.h"

extern char** environ;

namespace kavo9 {
namespace {

std::filesystem::path ToolDir() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path(".") : self.parent_path();
}

}  // namespace

int RunLogonCommand(const SimContext& context, std::span<const std::string> args) {
  std::vector<std::string> argv{"kavo9-logon", "--machine", context.machineDir.string()};
  bool haveUser = false;
  for (const std::string& arg : args) {
    if (arg == "--cancel") {
      argv.push_back(arg);
    } else if (!arg.starts_with("-") && !haveUser) {
      argv.push_back(arg);
      haveUser = true;
    } else {
      return SimError(kSimUsage, "session logon USER [--cancel]");
    }
  }
  if (!haveUser) return SimError(kSimUsage, "session logon needs a user (USER or DOMAIN\\USER)");
  const std::filesystem::path program = ToolDir() / "kavo9-logon";
  std::vector<char*> raw;
  for (std::string& a : argv) raw.push_back(a.data());
  raw.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, raw.data(), environ) != 0) {
    return SimError(kSimFailed, "cannot run " + program.string());
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
    return SimError(kSimFailed, "the logon component stopped abnormally");
  }
  return WEXITSTATUS(status) == 0 ? kSimDone : kSimFailed;
}

}  // namespace kavo9
