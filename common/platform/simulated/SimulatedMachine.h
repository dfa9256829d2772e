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

// The machine description. Missing fields keep these defaults (Windows XP SP2, an administrator).
struct MachineDescription {
  OsVersionInfo version{VER_PLATFORM_WIN32_NT, 5, 1, 2600, VER_NT_WORKSTATION};
  bool extendedVersionRefused = false;
  bool wow64Known = true;  // whether the WOW64 question can be asked
  bool wow64 = false;
  uint16_t languageId = 0;  // 0: from the user's locale
  std::string userName = "user";
  bool administrator = true;
};

// Reads machine.json; a missing file gives the defaults, a malformed one false with `error` set.
bool LoadMachineDescription(const MachineLayout& layout, MachineDescription* description,
                            std::string* error);
bool SaveMachineDescription(const MachineLayout& layout, const MachineDescription& description,
                            std::string* error);

// Owns the simulated implementations of every seam except the event loop, which the program
// supplies (Qt in the programs).
class SimulatedPlatform {
 public:
  SimulatedPlatform(std::filesystem::path machineDir, EventLoop& loop);
  ~SimulatedPlatform();
  Platform& platform() { return platform_; }
  const MachineLayout& layout() const { return layout_; }

 private:
  struct Parts;
  MachineLayout layout_;
  std::unique_ptr<Parts> parts_;
  Platform platform_;
};

}  // namespace kavo9
