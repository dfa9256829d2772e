#pragma once
// The parts of a machine folder that come from its scenario: the scenario itself, the machine
// description, the folders, and each adapter's driver key in the registry.

#include <filesystem>
#include <string>

#include "common/platform/Registry.h"
#include "common/platform/SecurityToken.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "sim/emulator/AdapterEmulator.h"
#include "sim/emulator/Scenario.h"

namespace kavo9 {

// <machine>/scenario.json: the scenario the machine was made from, read by the system daemon.
inline std::filesystem::path ScenarioFile(const MachineLayout& layout) {
  return layout.dir / "scenario.json";
}
inline std::filesystem::path DaemonSocketFile(const MachineLayout& layout) {
  return layout.RunDir() / "simd.sock";
}
inline std::filesystem::path DaemonLockFile(const MachineLayout& layout) {
  return layout.RunDir() / "simd.lock";
}

// The adapter key below HKEY_LOCAL_MACHINE.
std::string DriverKeyPath(const AdapterSpec& adapter);

// Creates a machine folder from a scenario file: checks the scenario, copies it in, writes the
// machine description, makes the registry, drive C and run folders and writes the driver keys.
// An existing machine folder gets the new scenario; its registry values are kept.
bool InitMachine(const std::filesystem::path& scenarioFile, const MachineLayout& layout,
                 std::string* error, std::string* warning = nullptr);
bool LoadMachineScenario(const MachineLayout& layout, Scenario* scenario, std::string* error);

// Creates the keys a Windows installation has that the programs' writes go below (the logon
// key, the wireless service's interfaces), so the registry service never has to make them.
// Returns the first registry error.
int32_t WriteSystemKeys(Registry& registry);

// Writes what the driver's installation puts into the adapter key: NetCfgInstanceId, DriverDesc
// and the other installation values always; the scenario's parameters only where the key lacks
// them, so values the programs changed survive a replug. Returns the first registry error.
int32_t WriteDriverKey(Registry& registry, const AdapterSpec& adapter);
// The adapter key's values as text, as the driver reads them when it loads; the scenario's
// parameters when the key cannot be read.
AdapterEmulator::Parameters ReadDriverParameters(Registry& registry, const AdapterSpec& adapter);

// The name the management service knows an adapter by, carried by its driver's events.
inline std::string EventInstanceName(const AdapterSpec& adapter) {
  return adapter.friendlyName.empty() ? adapter.deviceDescription : adapter.friendlyName;
}

// A token with administrator rights, for the system's own writes below HKEY_LOCAL_MACHINE.
class SystemToken : public SecurityToken {
 public:
  std::string UserName() const override { return "SYSTEM"; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    *groups = {"S-1-5-18", kAdministratorsSid};
    return true;
  }
};

}  // namespace kavo9
