#include "common/shell/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "common/shell/InstanceMessages.h"

namespace kavo9 {

bool InstanceLock::TryAcquire() {
  if (fd_ >= 0) return true;
  const int fd = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void InstanceLock::Release() {
  if (fd_ < 0) return;
  ::flock(fd_, LOCK_UN);
  ::close(fd_);
  fd_ = -1;
}

bool InstanceLock::IsHeld(const std::filesystem::path& lockFile) {
  const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

std::filesystem::path InstanceLockFile(const std::filesystem::path& machineDir) {
  return machineDir / "run" / (std::string(kInstanceName) + ".lock");
}

std::filesystem::path InstanceSocketFile(const std::filesystem::path& machineDir) {
  return machineDir / "run" / kInstanceName;
}

}  // namespace kavo9
