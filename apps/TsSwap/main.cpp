// TsSwap: the mode-switch program (apps/TsSwap/TsSwap.h says what it does). It works on the
// machine of $KAVO9_MACHINE (set by the utility that started it) or --machine DIR.

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <thread>

#include <nlohmann/json.hpp>

#include "apps/TsSwap/TsSwap.h"
#include "common/platform/Paths.h"
#include "common/shell/CommandLine.h"
#include "common/shell/InstanceLock.h"
#include "common/shell/TimingLog.h"
#include "sim/control/MachineCommands.h"

extern char** environ;

namespace {

using nlohmann::json;

std::filesystem::path SelfDir() {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::current_path() : self.parent_path();
}

std::string Upper(std::string text) {
  for (char& c : text) c = char(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// Reloads the adapters whose hardware id starts with `prefix` (every adapter for an empty one).
bool Reload(const std::filesystem::path& machine, const std::string& prefix, std::string* detail) {
  json reply;
  std::string error;
  if (!kavo9::SendDaemonCommand(machine, {{"cmd", "status"}}, &reply, &error)) {
    *detail = error;
    return false;
  }
  std::string reloaded;
  for (const json& adapter : reply.value("adapters", json::array())) {
    const std::string name = adapter.value("name", "");
    if (!prefix.empty() && Upper(adapter.value("hardwareId", "")).rfind(Upper(prefix), 0) != 0) {
      continue;
    }
    json answer;
    if (!kavo9::SendDaemonCommand(machine, {{"cmd", "reload"}, {"adapter", name}}, &answer,
                                  &error) ||
        !answer.value("ok", false)) {
      *detail = name + ": " + answer.value("error", error);
      return false;
    }
    reloaded += (reloaded.empty() ? "" : ", ") + name;
  }
  *detail = reloaded.empty() ? "no adapter matches " + prefix : reloaded;
  return !reloaded.empty();
}

// Starts `program` from this program's folder, detached, with its output in the machine's run
// folder.
bool Start(const std::filesystem::path& machine, const std::string& program, std::string* detail) {
  const std::filesystem::path path = SelfDir() / program;
  if (::access(path.c_str(), X_OK) != 0) {
    *detail = path.string() + " is not there";
    return false;
  }
  const std::string log = (machine / "run" / (program + ".log")).string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  std::string name = path.string();
  char* argv[] = {name.data(), nullptr};
  pid_t pid = 0;
  const int error = posix_spawn(&pid, name.c_str(), &actions, &attributes, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    *detail = std::strerror(error);
    return false;
  }
  *detail = "(pid " + std::to_string(pid) + ", log " + log + ")";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const std::string machineFlag = kavo9::TakeMachineOption(&arguments);
  std::string error;
  auto request = kavo9::ParseTsSwapArguments(arguments, &error);
  if (!request) {
    std::cerr << "TsSwap: " << error << "\n";
    return 2;
  }
  const std::filesystem::path machine = kavo9::ResolveMachineDir(machineFlag);
  std::filesystem::create_directories(machine / "run");
  kavo9::NoteTiming(machine, "TsSwap", "start");
  std::ofstream log(machine / "run" / "tsswap.log", std::ios::app);
  const auto started = std::chrono::steady_clock::now();
  kavo9::TsSwapMachine steps{
      .nameHeld = [&] { return kavo9::InstanceLock::IsHeld(kavo9::InstanceLockFile(machine)); },
      .sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
      .reloadDriver = [&](const std::string& prefix,
                          std::string* detail) { return Reload(machine, prefix, detail); },
      .startProgram = [&](const std::string& program,
                          std::string* detail) { return Start(machine, program, detail); },
      .log =
          [&](const std::string& line) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - started)
                                .count();
            log << "TsSwap +" << ms << " ms: " << line << std::endl;
          },
  };
  const int result = kavo9::RunTsSwap(*request, steps);
  kavo9::NoteTiming(machine, "TsSwap", "done");
  return result;
}
