#pragma once
// In-process fakes of every seam, for tests: virtual time, an in-memory registry with the real
// semantics, a device whose answers a test (or the in-process adapter emulator) supplies, and
// recording launchers. Each fake's state is public to the test that owns it.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/platform/Platform.h"
#include "common/platform/certs/FileCertStore.h"
#include "common/platform/fake/FakeDomain.h"
#include "common/platform/fake/FakeLibraryLoader.h"
#include "common/platform/fake/FakeSystemEvents.h"
#include "common/platform/fake/VirtualEventLoop.h"

namespace kavo9 {

class FakeSecurityToken : public SecurityToken {
 public:
  std::string user = "tester";
  bool administrator = true;
  bool readable = true;
  std::string UserName() const override { return user; }
  bool GetGroupSids(std::vector<std::string>* groups) const override;
};

class FakeSystemInfo : public SystemInfo {
 public:
  OsVersionInfo version{VER_PLATFORM_WIN32_NT, 5, 1, 2600, VER_NT_WORKSTATION};  // Windows XP
  bool extendedRefused = false;
  int failures = 0;  // the next this-many version calls fail
  bool wow64Known = true;
  bool wow64 = false;
  uint16_t languageId = 0x0409;
  bool GetVersionInfo(bool extended, OsVersionInfo* info) const override;
  bool IsWow64Process(bool* result) const override;
  uint16_t DefaultLanguageId() const override { return languageId; }
  std::string systemDirectory = "C:\\WINDOWS\\system32";
  std::string SystemDirectory() const override { return systemDirectory; }
  // Each call to the redirection switch, in order ("off", "on"); refused when not WOW64.
  std::vector<std::string> redirectionCalls;
  bool redirectionOn = true;
  bool EnableWow64FsRedirection(bool enable) override {
    if (!wow64) return false;
    redirectionCalls.push_back(enable ? "on" : "off");
    redirectionOn = enable;
    return true;
  }
};

class FakePaths : public Paths {
 public:
  // A fresh temporary machine folder, removed with the object; the program directory is its
  // "program" subfolder.
  FakePaths();
  ~FakePaths() override;
  std::filesystem::path MachineDir() const override { return machineDir; }
  std::filesystem::path ProgramDir() const override { return programDir; }
  std::filesystem::path ExecutablePath() const override { return programDir / "Stavio"; }
  std::filesystem::path machineDir;
  std::filesystem::path programDir;
};

class FakeProcessLauncher : public ProcessLauncher {
 public:
  struct Launch {
    std::string commandLine;
    int showCmd;
  };
  std::vector<Launch> launches;
  std::vector<std::string> opened;
  bool succeed = true;
  bool WinExec(std::string_view commandLine, int showCmd) override;
  bool ShellOpen(std::string_view file) override;
};

// A device layer whose devices are handlers in the same process. A handler gets the ioctl, the
// input, the caller's buffer (to read and to fill) and returns a Win32 status, setting the count.
class FakeDeviceIo : public DeviceIo {
 public:
  using Handler = std::function<int32_t(uint32_t ioctl, std::span<const uint8_t> in,
                                        std::span<uint8_t> out, uint32_t* bytesReturned)>;
  // Devices by path ("\\.\{GUID}"). Removing a device makes opens fail.
  std::map<std::string, Handler> devices;
  int opens = 0;
  int closes = 0;
  Handle Open(std::string_view devicePath) override;
  bool Control(Handle handle, uint32_t ioctl, const void* in, uint32_t inLength, void* out,
               uint32_t outLength, uint32_t* bytesReturned, int32_t* lastError) override;
  void Close(Handle handle) override;

 private:
  std::map<Handle, std::string> open_;
  Handle next_ = 100;
};

class FakeDeviceEnum : public DeviceEnum {
 public:
  std::vector<DeviceInstance> devices;
  bool fail = false;
  bool GetPresentDevices(const std::string& className,
                         std::vector<DeviceInstance>* result) override;
};

// Version records and dates by file, as the test puts them.
class FakeFileVersion : public FileVersion {
 public:
  std::map<std::filesystem::path, FileVersionInfo> versions;
  std::map<std::filesystem::path, FileDate> dates;
  // The files asked about, in order.
  mutable std::vector<std::filesystem::path> asked;
  bool ReadVersion(const std::filesystem::path& file, FileVersionInfo* info) const override {
    asked.push_back(file);
    auto it = versions.find(file);
    if (it == versions.end()) return false;
    *info = it->second;
    return true;
  }
  bool ModificationDate(const std::filesystem::path& file, FileDate* date) const override {
    auto it = dates.find(file);
    if (it == dates.end()) return false;
    *date = it->second;
    return true;
  }
};

// All fakes together, wired into a Platform.
class FakePlatform {
 public:
  FakePlatform();
  ~FakePlatform();
  Platform& platform() { return platform_; }

  VirtualEventLoop loop;
  FakeSecurityToken token;
  FakeSystemInfo system;
  FakePaths paths;
  FakeProcessLauncher launcher;
  FakeDeviceIo deviceIo;
  FakeDeviceEnum deviceEnum;
  FakeSessionEvents session;
  FakeEventSubscription events;
  FakeIpHelper ipHelper;
  FakeServiceControl services;
  FakeLibraryLoader libraries;
  FakeFileVersion fileVersion;
  // The certificate stores in the temporary machine folder; tests import into them.
  FileCertStore certs{paths.machineDir};
  FakeDomain domain;
  std::unique_ptr<Registry> registry;

 private:
  Platform platform_;
};

}  // namespace kavo9
