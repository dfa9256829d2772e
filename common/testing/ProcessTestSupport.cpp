#include "common/testing/ProcessTestSupport.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace kavo9::test {

std::filesystem::path SourceDir() {
  const char* source = std::getenv("KAVO9_SOURCE");
  return source ? source : KAVO9_SOURCE_DIR;
}

std::filesystem::path BinDir() {
  const char* bin = std::getenv("KAVO9_BIN");
  return bin ? bin : KAVO9_BIN_DIR;
}

std::filesystem::path MakeTempDir(const std::string& prefix) {
  std::string pattern = "/tmp/" + prefix + "XXXXXX";
  return ::mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
}

pid_t Spawn(const std::vector<std::string>& arguments, const std::filesystem::path& errFile,
            const std::filesystem::path& outFile) {
  if (arguments.empty()) return -1;
  std::vector<char*> argv;
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  constexpr int kFlags = O_WRONLY | O_CREAT | O_TRUNC;
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), kFlags, 0644);
  if (!outFile.empty())
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outFile.c_str(), kFlags, 0644);
  pid_t pid = -1;
  int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

int Wait(pid_t pid) {
  if (pid <= 0) return -1;
  int status = 0;
  pid_t done;
  do {
    done = ::waitpid(pid, &status, 0);
  } while (done < 0 && errno == EINTR);
  if (done != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int Stop(pid_t& pid) {
  if (pid <= 0) return -1;
  ::kill(pid, SIGTERM);
  // A program that does not end on the signal is a failure of its own test, not a hung suite.
  int raw = 0;
  if (!WaitFor([&] { return ::waitpid(pid, &raw, WNOHANG) == pid; }, std::chrono::seconds(15))) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &raw, 0);
    pid = -1;
    return 128 + SIGKILL;
  }
  pid = -1;
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
}

int Run(const std::vector<std::string>& arguments, std::string* out) {
  const std::filesystem::path dir = MakeTempDir("k9run");
  if (dir.empty()) return -1;
  pid_t pid = Spawn(arguments, dir / "err", dir / "out");
  int status = Wait(pid);
  if (out) *out = ReadText(dir / "out");
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return status;
}

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace kavo9::test
