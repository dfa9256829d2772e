#pragma once
// The sub-command families of kavo9-sim, the simulated machine's owner tool. Each family lives in
// its own file and has one line in the table of main.cpp.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace kavo9 {

struct SimContext {
  std::filesystem::path machineDir;
};

// Runs `kavo9-sim NAME ARGS...` with the ARGS after the family's name. Messages go to stderr,
// starting with "kavo9-sim: ". Returns the exit code: 0 done, 1 failed, 2 bad arguments.
using SimCommandRun = int (*)(const SimContext& context, std::span<const std::string> args);

struct SimCommand {
  std::string_view name;
  std::string_view usage;  // the lines --help shows for the family
  SimCommandRun run;
};

inline constexpr int kSimDone = 0;
inline constexpr int kSimFailed = 1;
inline constexpr int kSimUsage = 2;

// Prints "kavo9-sim: MESSAGE" on stderr and returns `code`.
int SimError(int code, const std::string& message);

// `reg export|import|query|set|delete`: RegCommand.cpp.
extern const std::string_view kRegUsage;
int RunRegCommand(const SimContext& context, std::span<const std::string> args);

// `session`, `power`, `service` and `event`: SystemCommand.cpp (one usage text for the four).
extern const std::string_view kSystemUsage;
int RunSessionCommand(const SimContext& context, std::span<const std::string> args);
int RunPowerCommand(const SimContext& context, std::span<const std::string> args);
int RunServiceCommand(const SimContext& context, std::span<const std::string> args);
int RunEventCommand(const SimContext& context, std::span<const std::string> args);
// `session logon USER [--cancel]`: LogonCommand.cpp.
int RunLogonCommand(const SimContext& context, std::span<const std::string> args);

// `cert list|import|remove`: CertCommand.cpp.
extern const std::string_view kCertUsage;
int RunCertCommand(const SimContext& context, std::span<const std::string> args);

}  // namespace kavo9
