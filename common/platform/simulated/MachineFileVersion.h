#pragma once
// The machine's version records: "<file>.version" beside each file. Under WOW64, while the
// process's redirection is on, a file below drive C's WINDOWS\system32 is looked up below
// WINDOWS\SysWOW64, as a 32-bit process sees it.

#include <functional>

#include "common/platform/FileVersion.h"

namespace kavo9 {

class MachineFileVersion : public FileVersion {
 public:
  MachineFileVersion(std::filesystem::path driveC, std::function<bool()> redirecting)
      : driveC_(std::move(driveC)), redirecting_(std::move(redirecting)) {}
  bool ReadVersion(const std::filesystem::path& file, FileVersionInfo* info) const override;
  bool ModificationDate(const std::filesystem::path& file, FileDate* date) const override;

 private:
  std::filesystem::path Seen(const std::filesystem::path& file) const;

  std::filesystem::path driveC_;
  std::function<bool()> redirecting_;
};

}  // namespace kavo9
