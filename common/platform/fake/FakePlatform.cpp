#include "common/platform/fake/FakePlatform.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>

#include "common/platform/simulated/SqliteRegistry.h"

namespace kavo9 {

bool FakeSecurityToken::GetGroupSids(std::vector<std::string>* groups) const {
  if (!readable) return false;
  groups->assign({"S-1-1-0", "S-1-5-32-545"});
  if (administrator) groups->push_back(kAdministratorsSid);
  return true;
}

bool FakeSystemInfo::GetVersionInfo(bool extended, OsVersionInfo* info) const {
  auto* self = const_cast<FakeSystemInfo*>(this);
  if (self->failures > 0) {
    --self->failures;
    return false;
  }
  if (extended && extendedRefused) return false;
  *info = version;
  if (!extended) info->productType = 0;
  return true;
}

bool FakeSystemInfo::IsWow64Process(bool* result) const {
  if (!wow64Known) return false;
  *result = wow64;
  return true;
}

FakePaths::FakePaths() {
  static std::atomic<int> counter{0};
  machineDir = std::filesystem::temp_directory_path() /
               ("kavo9-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  programDir = machineDir / "program";
  std::filesystem::create_directories(programDir);
  std::filesystem::create_directories(machineDir / "drive_c");
}

FakePaths::~FakePaths() {
  std::error_code ec;
  std::filesystem::remove_all(machineDir, ec);
}

bool FakeProcessLauncher::WinExec(std::string_view commandLine, int showCmd) {
  launches.push_back({std::string(commandLine), showCmd});
  return succeed;
}

bool FakeProcessLauncher::ShellOpen(std::string_view file) {
  opened.emplace_back(file);
  return succeed;
}

DeviceIo::Handle FakeDeviceIo::Open(std::string_view devicePath) {
  auto it = devices.find(std::string(devicePath));
  if (it == devices.end()) return kInvalidHandle;
  ++opens;
  Handle handle = ++next_;
  open_[handle] = it->first;
  return handle;
}

bool FakeDeviceIo::Control(Handle handle, uint32_t ioctl, const void* in, uint32_t inLength,
                           void* out, uint32_t outLength, uint32_t* bytesReturned,
                           int32_t* lastError) {
  auto fail = [&](int32_t error) {
    if (lastError) *lastError = error;
    return false;
  };
  auto it = open_.find(handle);
  if (it == open_.end()) return fail(ERROR_INVALID_HANDLE);
  auto device = devices.find(it->second);
  if (device == devices.end()) return fail(ERROR_DEVICE_NOT_CONNECTED);
  uint32_t count = 0;
  int32_t status = device->second(ioctl, {static_cast<const uint8_t*>(in), in ? inLength : 0},
                                  {static_cast<uint8_t*>(out), out ? outLength : 0}, &count);
  if (status != ERROR_SUCCESS) return fail(status);
  if (bytesReturned) *bytesReturned = std::min(count, outLength);
  return true;
}

void FakeDeviceIo::Close(Handle handle) {
  if (open_.erase(handle)) ++closes;
}

bool FakeDeviceEnum::GetPresentDevices(const std::string& className,
                                       std::vector<DeviceInstance>* result) {
  if (fail) return false;
  result->clear();
  if (className == "Net") *result = devices;
  return true;
}

FakePlatform::FakePlatform() : registry(SqliteRegistry::InMemory(token)) {
  platform_ = Platform{&loop,     registry.get(), &token,      &paths,       &system,
                       &launcher, &deviceIo,      &deviceEnum, &session,     &events,
                       &ipHelper, &services,      &libraries,  &fileVersion, &certs};
  platform_.domain = &domain;
}

FakePlatform::~FakePlatform() = default;

}  // namespace kavo9
