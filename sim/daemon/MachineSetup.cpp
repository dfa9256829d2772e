#include "sim/daemon/MachineSetup.h"

#include <fstream>
#include <sstream>

#include "common/platform/DeviceEnum.h"
#include "common/platform/WinTypes.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "sim/daemon/eap/Pki.h"

namespace kavo9 {
namespace {

bool ReadFile(const std::filesystem::path& path, std::string* text, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + path.string();
    return false;
  }
  std::stringstream buffer;
  buffer << in.rdbuf();
  *text = buffer.str();
  return true;
}

bool WriteFileAtomically(const std::filesystem::path& path, const std::string& text,
                         std::string* error) {
  std::filesystem::path tmp = path;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
      *error = "cannot write " + tmp.string();
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(tmp, path, ec);
  if (ec) {
    *error = "cannot write " + path.string() + ": " + ec.message();
    return false;
  }
  return true;
}

std::string Lower(std::string text) {
  for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The driver package of each family as its installer copies it: the Windows 9x file into the
// system directory, the others into its drivers folder.
struct DriverPackage {
  const char* family;
  const char* files[5];  // 9x, 2000 and Server 2003, XP, Vista, Vista 64-bit
};
constexpr DriverPackage kPackages[] = {
    {"QKA100", {"tsa100.sys", "tsa100k.sys", "tsa100x.sys", "tsa100v.sys", "tsa100v64.sys"}},
    {"QKA1U98", {"tsa1u98.sys", "tsa1uk.sys", "tsa1ux.sys", "tsa1uv.sys", "tsa1uv64.sys"}},
    {"QKB1", {"tsb1.sys", "tsb1k.sys", "tsb1x.sys", "tsb1v.sys", "tsb1v64.sys"}},
    {"QKC1", {"tsc1.sys", "tsc1k.sys", "tsc1x.sys", "tsc1v.sys", "tsc1v64.sys"}},
    {"QKD100_A", {"tsd100a.sys", "tsd100ak.sys", "tsd100ax.sys", "tsd100av.sys", "tsd100av64.sys"}},
    {"QKD100", {"tsd100.sys", "tsd100k.sys", "tsd100x.sys", "tsd100v.sys", "tsd100v64.sys"}},
    {"QKD170", {"tsd170.sys", "tsd170k.sys", "tsd170x.sys", "tsd170v.sys", "tsd170v64.sys"}},
    {"QKE170", {"tse170.sys", "tse170k.sys", "tse170x.sys", "tse170v.sys", "tse170v64.sys"}},
    {"QKF170", {"tsf170.sys", "tsf170k.sys", "tsf170x.sys", "tsf170v.sys", "tsf170v64.sys"}},
};

// The adapter's driver files with their version records ("<file>.version"), so that an About
// page finds the version of the driver the adapter runs.
bool InstallDriverFiles(const MachineLayout& layout, const AdapterSpec& adapter,
                        std::string* error) {
  const DriverPackage* package = nullptr;
  for (const auto& p : kPackages) {
    if (adapter.family == p.family) package = &p;
  }
  if (!package) return true;
  const std::filesystem::path windows = layout.DriveC() / "WINDOWS";
  std::error_code ec;
  std::filesystem::create_directories(windows / "system32" / "drivers", ec);
  std::filesystem::create_directories(windows / "SYSTEM", ec);
  const std::string record = "FileVersion=" + std::to_string(adapter.driverVersion >> 8) + "." +
                             std::to_string(adapter.driverVersion & 0xFF) +
                             ".0.0\r\nLegalCopyright=Copyright (C) Norvik\r\n";
  for (size_t i = 0; i < 5; ++i) {
    const std::filesystem::path file =
        (i == 0 ? windows / "SYSTEM" : windows / "system32" / "drivers") / package->files[i];
    if (!WriteFileAtomically(file, "driver image of " + adapter.family + "\n", error) ||
        !WriteFileAtomically(file.string() + ".version", record, error)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string DriverKeyPath(const AdapterSpec& adapter) {
  return "System\\CurrentControlSet\\Control\\Class\\" + adapter.DriverKeyName();
}

bool LoadMachineScenario(const MachineLayout& layout, Scenario* scenario, std::string* error) {
  if (!std::filesystem::exists(ScenarioFile(layout))) {
    *error = layout.dir.string() + " is not a machine folder (make one with kavo9-sim init)";
    return false;
  }
  return LoadScenarioFile(ScenarioFile(layout), scenario, error);
}

bool InitMachine(const std::filesystem::path& scenarioFile, const MachineLayout& layout,
                 std::string* error, std::string* warning) {
  std::string text;
  if (!ReadFile(scenarioFile, &text, error)) return false;
  Scenario scenario;
  if (!ParseScenario(text, &scenario, error)) {
    *error = scenarioFile.string() + ": " + *error;
    return false;
  }
  std::error_code ec;
  for (const auto& dir : {layout.dir, layout.RegistryDir(),
                          layout.DriveC() / "WINDOWS" / "system32", layout.DeviceDir()}) {
    std::filesystem::create_directories(dir, ec);
    if (ec) {
      *error = "cannot create " + dir.string() + ": " + ec.message();
      return false;
    }
  }
  if (!WriteFileAtomically(ScenarioFile(layout), text, error)) return false;
  if (!SaveMachineDescription(layout, scenario.machine, error)) return false;
  SystemToken token;
  // A new machine's hives are made here: their being missing is no news.
  SqliteRegistry registry(layout.RegistryDir(), token, SqliteRegistry::MissingHives::kCreate);
  registry.OpenHives();
  if (int32_t status = WriteSystemKeys(registry); status != ERROR_SUCCESS && warning) {
    *warning = "the system's registry keys were not written (registry error " +
               std::to_string(status) + ")";
  }
  for (const AdapterSpec& adapter : scenario.adapters) {
    if (!InstallDriverFiles(layout, adapter, error)) return false;
  }
  for (const AdapterSpec& adapter : scenario.adapters) {
    // The daemon writes the keys again when it plugs the adapter in, so a registry that cannot
    // be written now is worth a warning, not a failed init.
    if (int32_t status = WriteDriverKey(registry, adapter); status != ERROR_SUCCESS && warning) {
      *warning = "the driver key of " + adapter.name + " was not written (registry error " +
                 std::to_string(status) + ")";
    }
  }
  // The world's CA, its 802.1X servers' certificates and the user's, in the machine's stores.
  return pki::EnsureMachineCertificates(layout.dir, scenario, error);
}

int32_t WriteSystemKeys(Registry& registry) {
  for (const char* path : {"Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                           "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces"}) {
    ScopedKey key(registry);
    if (int32_t status = registry.CreateKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key);
        status != ERROR_SUCCESS) {
      return status;
    }
  }
  return ERROR_SUCCESS;
}

int32_t WriteDriverKey(Registry& registry, const AdapterSpec& adapter) {
  ScopedKey key(registry);
  int32_t status =
      registry.CreateKey(HKEY_LOCAL_MACHINE, DriverKeyPath(adapter), KEY_ALL_ACCESS, &key);
  if (status != ERROR_SUCCESS) return status;
  auto put = [&](std::string_view name, std::string_view value) {
    auto bytes = RegBytesFromString(value);
    int32_t s = registry.SetValue(key.get(), name, REG_SZ, bytes.data(), uint32_t(bytes.size()));
    if (status == ERROR_SUCCESS) status = s;
  };
  put("NetCfgInstanceId", adapter.instanceId);
  put("DriverDesc", adapter.deviceDescription);
  put("ProviderName", adapter.manufacturer);
  put("MatchingDeviceId", Lower(adapter.hardwareIds.empty() ? "" : adapter.hardwareIds.back()));
  for (const auto& [name, value] : adapter.parameters) {
    uint32_t length = 0;
    if (registry.QueryValue(key.get(), name, nullptr, nullptr, &length) == ERROR_SUCCESS) continue;
    put(name, value);
  }
  return status;
}

AdapterEmulator::Parameters ReadDriverParameters(Registry& registry, const AdapterSpec& adapter) {
  ScopedKey key(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, DriverKeyPath(adapter), KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return adapter.parameters;
  }
  AdapterEmulator::Parameters parameters;
  std::string name;
  uint32_t type = 0;
  std::vector<uint8_t> data;
  for (uint32_t i = 0; registry.EnumValue(key.get(), i, &name, &type, &data) == ERROR_SUCCESS;
       ++i) {
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
      parameters[name] = RegStringFromBytes(data.data(), data.size());
    } else if (type == REG_DWORD && data.size() == 4) {
      parameters[name] = std::to_string(
          uint32_t(data[0] | data[1] << 8 | data[2] << 16 | uint32_t(data[3]) << 24));
    }
  }
  return parameters;
}

}  // namespace kavo9
