#include "sim/daemon/MachineSetup.h"

#include <fstream>
#include <sstream>

#include "common/platform/DeviceEnum.h"
#include "common/platform/WinTypes.h"
#include "common/platform/simulated/SqliteRegistry.h"

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
    // The daemon writes the keys again when it plugs the adapter in, so a registry that cannot
    // be written now is worth a warning, not a failed init.
    if (int32_t status = WriteDriverKey(registry, adapter); status != ERROR_SUCCESS && warning) {
      *warning = "the driver key of " + adapter.name + " was not written (registry error " +
                 std::to_string(status) + ")";
    }
  }
  return true;
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
