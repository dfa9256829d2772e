#pragma once
// Helpers for tests that start the real programs (the system daemon, Stavio, the control tool)
// on a temporary machine folder: where the programs and the source tree are, starting and
// stopping processes, reading the files they write, and waiting (bounded, in real time: these
// are real processes) for what they do.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kavo9::test {

// The source tree ($KAVO9_SOURCE, else the tree the tests were built from) and the folder of the
// built programs ($KAVO9_BIN, else the build's bin folder).
std::filesystem::path SourceDir();
std::filesystem::path BinDir();

// A new empty folder /tmp/<prefix>XXXXXX; empty when it cannot be made.
std::filesystem::path MakeTempDir(const std::string& prefix);

// Starts `arguments[0]` with the other arguments and this process's environment. Its standard
// error goes to `errFile` and, when given, its standard output to `outFile`. The pid, or -1.
pid_t Spawn(const std::vector<std::string>& arguments, const std::filesystem::path& errFile,
            const std::filesystem::path& outFile = {});
// Waits for the process to end: its exit status, 128 + the signal that ended it, or -1.
int Wait(pid_t pid);
// Asks the process to stop (SIGTERM) and waits for it (killing it when it has not ended after 15
// seconds); `pid` becomes -1. Its status as Wait gives it; -1 when not running.
int Stop(pid_t& pid);
// Runs a program to its end; what it writes to standard output in `out`. Its exit status, or -1
// when it cannot be started.
int Run(const std::vector<std::string>& arguments, std::string* out);

// The whole file as text; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& path);

// Calls `done` every 20 ms until it is true (true) or `timeout` has passed (false).
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(20));

}  // namespace kavo9::test
