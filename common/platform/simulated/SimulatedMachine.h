#pragma once
// The simulated machine as the programs see it: one folder holding the registry hives, drive C,
// the machine description written from the scenario, and the sockets of the running daemons.
//
//   <machine>/machine.json      Windows version, user, language (written by `kavo9-sim init`)
//   <machine>/registry/*.hive   one SQLite hive per root
//   <machine>/drive_c/          drive C:
//   <machine>/run/dev/NAME      device sockets ("\\.\NAME"), served by the system daemon
//   <machine>/run/devices.json  the present "Net" devices, published by the system daemon

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/Platform.h"

namespace kavo9 {

struct MachineLayout {
  explicit MachineLayout(std::filesystem::path root) : dir(std::move(root)) {}
  std::filesystem::path dir;
  std::filesystem::path MachineFile() const { return dir / "machine.json"; }
  std::filesystem::path RegistryDir() const { return dir / "registry"; }
  std::filesystem::path DriveC() const { return dir / "drive_c"; }
  std::filesystem::path RunDir() const { return dir / "run"; }
  std::filesystem::path DeviceDir() const { return dir / "run" / "dev"; }
  std::filesystem::path DevicesFile() const { return dir / "run" / "devices.json"; }
};

// The machine description. Missing fields of a scenario keep these defaults (Windows XP SP2, an
// administrator); a description read from machine.json grants administrator rights only when it
// says "administrator": true.
struct MachineDescription {
  OsVersionInfo version{VER_PLATFORM_WIN32_NT, 5, 1, 2600, VER_NT_WORKSTATION};
  bool extendedVersionRefused = false;
  bool wow64Known = true;  // whether the WOW64 question can be asked
  bool wow64 = false;
  uint16_t languageId = 0;  // 0: from the user's locale
  std::string userName = "user";
  bool administrator = true;
};

// Reads machine.json. A missing, unreadable or malformed file is false with `error` naming the
// file; the description then holds the defaults with a standard user, never an administrator.
bool LoadMachineDescription(const MachineLayout& layout, MachineDescription* description,
                            std::string* error);
bool SaveMachineDescription(const MachineLayout& layout, const MachineDescription& description,
                            std::string* error);

// Owns the simulated implementations of every seam except the event loop, which the program
// supplies (Qt in the programs).
class SimulatedPlatform {
 public:
  // Reads the machine description and opens the registry hives at once, so that what is wrong
  // with them is known (and written to standard error) before the program starts its work.
  SimulatedPlatform(std::filesystem::path machineDir, EventLoop& loop);
  ~SimulatedPlatform();
  Platform& platform() { return platform_; }
  const MachineLayout& layout() const { return layout_; }

  // What the program should tell its user about the machine, each a text that names the file:
  // the machine description when it cannot be read (the user is then a standard user), and each
  // registry hive found damaged (left as it is, unused) or missing (made anew, empty). Complete
  // after construction; a hive found damaged later is added then. Empty when all is well.
  std::vector<std::string> Problems() const;
  // The same, in parts: the description's problem (empty when it was read) and the hives'.
  const std::string& DescriptionProblem() const;
  std::vector<std::string> HiveProblems() const;

 private:
  struct Parts;
  MachineLayout layout_;
  std::unique_ptr<Parts> parts_;
  Platform platform_;
};

}  // namespace kavo9
