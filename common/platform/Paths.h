#pragma once
// Where things are: the machine folder, Windows paths on it, and the program's own directory.

#include <filesystem>
#include <string>
#include <string_view>

namespace kavo9 {

class Paths {
 public:
  virtual ~Paths() = default;
  // The folder of the simulated machine.
  virtual std::filesystem::path MachineDir() const = 0;
  // A Windows path ("C:\Linkora_test.txt") as a file of this system (<machine>/drive_c/...).
  // Drive letters are case-insensitive; "\" and "/" both separate. Relative paths resolve against
  // the program's directory. Paths with ".." that would leave the drive are refused (empty result).
  virtual std::filesystem::path FromWindows(std::string_view windowsPath) const;
  // The directory of the running executable, and its full path.
  virtual std::filesystem::path ProgramDir() const = 0;
  virtual std::filesystem::path ExecutablePath() const = 0;
};

// Resolves the machine folder: `flag` when given, else $KAVO9_MACHINE, else
// $XDG_STATE_HOME/kavo9/machine (~/.local/state/kavo9/machine).
std::filesystem::path ResolveMachineDir(std::string_view flag = {});

// The path of the running executable (/proc/self/exe).
std::filesystem::path CurrentExecutablePath();

}  // namespace kavo9
