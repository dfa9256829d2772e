#pragma once
// The single-instance name ("QKB1") as a lock file in the machine's run folder. Taking it is one
// atomic step (an exclusive advisory lock), so two programs starting at once never both win, and
// it is released by the system when the holder ends, however it ends.

#include <filesystem>

namespace kavo9 {

class InstanceLock {
 public:
  explicit InstanceLock(std::filesystem::path lockFile) : file_(std::move(lockFile)) {}
  ~InstanceLock() { Release(); }
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // True when this process now holds the name (or already did).
  bool TryAcquire();
  void Release();
  bool held() const { return fd_ >= 0; }

  // Whether some process holds the name now (without taking it).
  static bool IsHeld(const std::filesystem::path& lockFile);

 private:
  std::filesystem::path file_;
  int fd_ = -1;
};

// Where the name's lock file and socket live in a machine folder.
std::filesystem::path InstanceLockFile(const std::filesystem::path& machineDir);
std::filesystem::path InstanceSocketFile(const std::filesystem::path& machineDir);

}  // namespace kavo9
