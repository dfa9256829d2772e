#pragma once
// The domain for tests: the controller a look-up finds (or the error it gives), and the errors
// the network opens give one after the other (the last one repeats). Every call is recorded and
// handles are counted, so a test sees a handle left open.

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "common/platform/Domain.h"

namespace kavo9 {

class FakeDomain : public Domain {
 public:
  uint32_t lookupError = 0;
  DomainControllerInfo controller{"\\\\DC1", "\\\\10.0.0.2", "CORP"};
  std::vector<uint32_t> openErrors{ERROR_FILE_NOT_FOUND};

  // What was asked, in order: "dc NAME FLAGS", "open PATH", "close".
  std::vector<std::string> calls;
  int opened = 0;
  int closed = 0;

  uint32_t DsGetDcName(std::string_view domainName, uint32_t flags,
                       DomainControllerInfo* info) override {
    std::lock_guard lock(mutex_);
    calls.push_back("dc " + std::string(domainName) + " " + std::to_string(flags));
    if (lookupError != 0) return lookupError;
    *info = controller;
    return 0;
  }
  FileHandle OpenNetworkFile(std::string_view path, uint32_t* lastError) override {
    std::lock_guard lock(mutex_);
    calls.push_back("open " + std::string(path));
    const size_t index = opens_ < openErrors.size() ? opens_ : openErrors.size() - 1;
    ++opens_;
    *lastError = openErrors.empty() ? 0 : openErrors[index];
    if (*lastError != 0 && !handleWithError) return kNoFile;
    ++opened;
    return FileHandle(opened);
  }
  void CloseFile(FileHandle file) override {
    std::lock_guard lock(mutex_);
    if (file == kNoFile) return;
    calls.push_back("close");
    ++closed;
  }
  // The open hands out a handle and still leaves its error code behind: whoever opened must
  // close it whatever the code says.
  bool handleWithError = false;

 private:
  std::mutex mutex_;
  size_t opens_ = 0;
};

}  // namespace kavo9
