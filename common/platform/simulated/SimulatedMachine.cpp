#include "common/platform/simulated/SimulatedMachine.h"

#include "common/platform/simulated/SimulatedLibraryLoader.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "common/platform/LocaleTable.h"
#include "common/platform/certs/FileCertStore.h"
#include "common/platform/simulated/MachineFileVersion.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "common/platform/simulated/SimulatedDomain.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "common/platform/simulated/SystemServicesClient.h"

extern char** environ;

namespace kavo9 {
namespace {

using nlohmann::json;

class MachinePaths : public Paths {
 public:
  explicit MachinePaths(std::filesystem::path dir) : dir_(std::move(dir)) {}
  std::filesystem::path MachineDir() const override { return dir_; }
  std::filesystem::path ProgramDir() const override {
    return CurrentExecutablePath().parent_path();
  }
  std::filesystem::path ExecutablePath() const override { return CurrentExecutablePath(); }

 private:
  std::filesystem::path dir_;
};

class MachineToken : public SecurityToken {
 public:
  explicit MachineToken(const MachineDescription& d) : description_(d) {}
  std::string UserName() const override { return description_.userName; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    groups->assign({"S-1-1-0", "S-1-5-32-545", "S-1-5-11"});
    if (description_.administrator) groups->push_back(kAdministratorsSid);
    return true;
  }

 private:
  const MachineDescription& description_;
};

class MachineSystemInfo : public SystemInfo {
 public:
  explicit MachineSystemInfo(const MachineDescription& d) : description_(d) {}
  bool GetVersionInfo(bool extended, OsVersionInfo* info) const override {
    if (extended && description_.extendedVersionRefused) return false;
    *info = description_.version;
    if (!extended) info->productType = 0;
    return true;
  }
  bool IsWow64Process(bool* wow64) const override {
    if (!description_.wow64Known) return false;
    *wow64 = description_.wow64;
    return true;
  }
  uint16_t DefaultLanguageId() const override {
    return description_.languageId != 0 ? description_.languageId : UserLocaleLanguageId();
  }
  std::string SystemDirectory() const override {
    return description_.version.platformId == VER_PLATFORM_WIN32_WINDOWS ? "C:\\WINDOWS\\SYSTEM"
                                                                         : "C:\\WINDOWS\\system32";
  }
  bool EnableWow64FsRedirection(bool enable) override {
    if (!description_.wow64) return false;
    redirection_ = enable;
    return true;
  }
  // Whether a 32-bit process's System32 is the 32-bit one now.
  bool Redirecting() const { return description_.wow64 && redirection_; }

 private:
  const MachineDescription& description_;
  bool redirection_ = true;
};

// Programs are found by their Windows file name in the program's directory, with or without the
// ".exe" ending; they are started with the machine folder in their environment.
class MachineLauncher : public ProcessLauncher {
 public:
  explicit MachineLauncher(std::filesystem::path machineDir) : machineDir_(std::move(machineDir)) {}

  bool WinExec(std::string_view commandLine, int /*showCmd*/) override {
    auto tokens = SplitCommandLine(commandLine);
    if (tokens.empty()) return false;
    std::filesystem::path program = Locate(tokens[0]);
    if (program.empty()) return false;
    std::vector<std::string> args = tokens;
    args[0] = program.string();
    return Spawn(args);
  }

  bool ShellOpen(std::string_view file) override {
    for (const char* opener : {"/usr/bin/xdg-open", "/usr/bin/gio"}) {
      if (::access(opener, X_OK) != 0) continue;
      std::vector<std::string> args{opener};
      if (std::string_view(opener).ends_with("gio")) args.push_back("open");
      args.emplace_back(file);
      return Spawn(args);
    }
    return false;
  }

 private:
  std::filesystem::path Locate(const std::string& name) const {
    if (name.find_first_of("/\\") != std::string::npos) return {};
    std::filesystem::path dir = CurrentExecutablePath().parent_path();
    std::string bare = name;
    if (bare.size() > 4 && (bare.ends_with(".exe") || bare.ends_with(".EXE"))) {
      bare.resize(bare.size() - 4);
    }
    for (const std::string& candidate : {name, bare}) {
      std::filesystem::path path = dir / candidate;
      if (::access(path.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(path)) return path;
    }
    return {};
  }

  bool Spawn(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      if (std::string_view(*e).starts_with("KAVO9_MACHINE=")) continue;
      env.emplace_back(*e);
    }
    env.push_back("KAVO9_MACHINE=" + machineDir_.string());
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return false;
    // Not waited for; a reaper thread would be overkill for the odd program started.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return true;
  }

  std::filesystem::path machineDir_;
};

class MachineDeviceEnum : public DeviceEnum {
 public:
  explicit MachineDeviceEnum(std::filesystem::path file) : file_(std::move(file)) {}
  bool GetPresentDevices(const std::string& className,
                         std::vector<DeviceInstance>* devices) override {
    devices->clear();
    if (className != "Net") return true;
    std::ifstream in(file_);
    if (!in) return true;  // no daemon has published anything: no devices
    json doc = json::parse(in, nullptr, /*allow_exceptions=*/false);
    if (!doc.is_array()) return false;
    for (const json& d : doc) {
      if (!d.is_object()) continue;
      DeviceInstance device;
      auto text = [&](const char* key) {
        auto it = d.find(key);
        return it != d.end() && it->is_string() ? it->get<std::string>() : std::string();
      };
      if (auto ids = d.find("hardwareIds"); ids != d.end() && ids->is_array()) {
        for (const json& id : *ids) {
          if (id.is_string()) device.hardwareIds.push_back(id.get<std::string>());
        }
      }
      device.friendlyName = text("friendlyName");
      device.deviceDescription = text("deviceDescription");
      device.locationInformation = text("locationInformation");
      device.manufacturer = text("manufacturer");
      device.driverKeyName = text("driverKeyName");
      devices->push_back(std::move(device));
    }
    return true;
  }

 private:
  std::filesystem::path file_;
};

}  // namespace

bool LoadMachineDescription(const MachineLayout& layout, MachineDescription* d,
                            std::string* error) {
  // Administrator rights are never assumed: only the description's own "true" grants them.
  auto standard = [d] {
    *d = MachineDescription{};
    d->administrator = false;
  };
  standard();
  const std::string file = layout.MachineFile().string();
  auto fail = [&](const std::string& why) {
    standard();  // nothing of a description that cannot be read is used
    *error = file + why;
    return false;
  };
  std::ifstream in(layout.MachineFile());
  if (!in) {
    return fail(
        " cannot be read: this folder is not a simulated machine (make one with kavo9-sim init)");
  }
  json doc = json::parse(in, nullptr, false);
  if (!doc.is_object()) return fail(": not a JSON object");
  try {
    if (auto w = doc.find("windows"); w != doc.end()) {
      d->version.platformId = w->value("platform", d->version.platformId);
      d->version.major = w->value("major", d->version.major);
      d->version.minor = w->value("minor", d->version.minor);
      d->version.build = w->value("build", d->version.build);
      d->version.productType = w->value("productType", d->version.productType);
      d->extendedVersionRefused = w->value("extendedRefused", d->extendedVersionRefused);
      d->wow64Known = w->value("wow64Known", d->wow64Known);
      d->wow64 = w->value("wow64", d->wow64);
      d->languageId = w->value("languageId", d->languageId);
    }
    if (auto u = doc.find("user"); u != doc.end()) {
      d->userName = u->value("name", d->userName);
      if (auto admin = u->find("administrator"); admin != u->end()) {
        if (!admin->is_boolean()) return fail(": /user/administrator: expected true or false");
        d->administrator = admin->get<bool>();
      }
    }
  } catch (const json::exception& e) {
    return fail(std::string(": ") + e.what());
  }
  return true;
}

bool SaveMachineDescription(const MachineLayout& layout, const MachineDescription& d,
                            std::string* error) {
  json doc = {{"windows",
               {{"platform", d.version.platformId},
                {"major", d.version.major},
                {"minor", d.version.minor},
                {"build", d.version.build},
                {"productType", d.version.productType},
                {"extendedRefused", d.extendedVersionRefused},
                {"wow64Known", d.wow64Known},
                {"wow64", d.wow64},
                {"languageId", d.languageId}}},
              {"user", {{"name", d.userName}, {"administrator", d.administrator}}}};
  std::error_code ec;
  std::filesystem::create_directories(layout.dir, ec);
  std::filesystem::path tmp = layout.MachineFile();
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::trunc);
    out << doc.dump(2) << "\n";
    if (!out) {
      *error = "cannot write " + tmp.string();
      return false;
    }
  }
  std::filesystem::rename(tmp, layout.MachineFile(), ec);
  if (ec) {
    *error = "cannot write " + layout.MachineFile().string() + ": " + ec.message();
    return false;
  }
  return true;
}

struct SimulatedPlatform::Parts {
  MachineDescription description;
  std::string descriptionProblem;
  std::unique_ptr<MachinePaths> paths;
  std::unique_ptr<MachineToken> token;
  std::unique_ptr<MachineSystemInfo> system;
  std::unique_ptr<MachineLauncher> launcher;
  std::unique_ptr<SimulatedDeviceIo> deviceIo;
  std::unique_ptr<MachineDeviceEnum> deviceEnum;
  std::unique_ptr<SqliteRegistry> registry;
  std::unique_ptr<SimulatedSessionEvents> session;
  std::unique_ptr<SimulatedEventSubscription> events;
  std::unique_ptr<SimulatedIpHelper> ipHelper;
  std::unique_ptr<SimulatedServiceControl> services;
  std::unique_ptr<SimulatedLibraryLoader> libraries;
  std::unique_ptr<MachineFileVersion> fileVersion;
  std::unique_ptr<FileCertStore> certs;
  std::unique_ptr<SimulatedDomain> domain;
};

SimulatedPlatform::SimulatedPlatform(std::filesystem::path machineDir, EventLoop& loop)
    : layout_(std::move(machineDir)), parts_(std::make_unique<Parts>()) {
  std::string error;
  if (!LoadMachineDescription(layout_, &parts_->description, &error)) {
    parts_->descriptionProblem =
        "The machine description " + error + ". The user is taken to be a standard user.";
    std::fprintf(stderr, "kavo9: %s\n", parts_->descriptionProblem.c_str());
  }
  parts_->paths = std::make_unique<MachinePaths>(layout_.dir);
  parts_->token = std::make_unique<MachineToken>(parts_->description);
  parts_->system = std::make_unique<MachineSystemInfo>(parts_->description);
  parts_->launcher = std::make_unique<MachineLauncher>(layout_.dir);
  parts_->deviceIo = std::make_unique<SimulatedDeviceIo>(layout_.dir);
  parts_->deviceEnum = std::make_unique<MachineDeviceEnum>(layout_.DevicesFile());
  parts_->registry = std::make_unique<SqliteRegistry>(layout_.RegistryDir(), *parts_->token);
  parts_->registry->OpenHives();  // what is wrong is told now, not at some later read
  platform_ = Platform{&loop,
                       parts_->registry.get(),
                       parts_->token.get(),
                       parts_->paths.get(),
                       parts_->system.get(),
                       parts_->launcher.get(),
                       parts_->deviceIo.get(),
                       parts_->deviceEnum.get()};
  MachineSystemInfo* system = parts_->system.get();
  parts_->fileVersion = std::make_unique<MachineFileVersion>(
      layout_.DriveC(), [system] { return system->Redirecting(); });
  platform_.fileVersion = parts_->fileVersion.get();
  parts_->session = std::make_unique<SimulatedSessionEvents>(layout_.dir);
  parts_->events = std::make_unique<SimulatedEventSubscription>(layout_.dir);
  parts_->ipHelper = std::make_unique<SimulatedIpHelper>(layout_.dir);
  parts_->services = std::make_unique<SimulatedServiceControl>(layout_.dir);
  platform_.session = parts_->session.get();
  platform_.events = parts_->events.get();
  platform_.ipHelper = parts_->ipHelper.get();
  platform_.services = parts_->services.get();
  parts_->libraries =
      std::make_unique<SimulatedLibraryLoader>(parts_->paths->ProgramDir(), layout_.dir);
  platform_.libraries = parts_->libraries.get();
  parts_->certs = std::make_unique<FileCertStore>(layout_.dir);
  platform_.certs = parts_->certs.get();
  parts_->domain = std::make_unique<SimulatedDomain>(layout_.dir);
  platform_.domain = parts_->domain.get();
}

SimulatedPlatform::~SimulatedPlatform() = default;

const std::string& SimulatedPlatform::DescriptionProblem() const {
  return parts_->descriptionProblem;
}

std::vector<std::string> SimulatedPlatform::HiveProblems() const {
  return parts_->registry->HiveProblems();
}

std::vector<std::string> SimulatedPlatform::Problems() const {
  std::vector<std::string> problems;
  if (!parts_->descriptionProblem.empty()) problems.push_back(parts_->descriptionProblem);
  for (std::string& hive : HiveProblems()) problems.push_back(std::move(hive));
  return problems;
}

}  // namespace kavo9
