#pragma once
// Version resources of files (GetFileVersionInfo, VerQueryValue) and their modification dates.
// The simulated machine keeps a file's version record beside it, as "<file>.version":
//   FileVersion=1.6.0.0
//   LegalCopyright=Copyright (C) ...
// On a 64-bit Windows a 32-bit process sees the 32-bit system directory in place of System32
// while file-system redirection is on (SystemInfo::EnableWow64FsRedirection).

#include <cstdint>
#include <filesystem>
#include <string>

namespace kavo9 {

struct FileVersionInfo {
  uint16_t major = 0, minor = 0, build = 0, revision = 0;
  std::string legalCopyright;  // \StringFileInfo\040904B0\LegalCopyright; empty when absent
};

struct FileDate {
  int year = 0, month = 0, day = 0;  // local calendar date
};

class FileVersion {
 public:
  virtual ~FileVersion() = default;
  // The version resource of `file`; false when the file has none (or cannot be read).
  virtual bool ReadVersion(const std::filesystem::path& file, FileVersionInfo* info) const = 0;
  // The file's last modification; false when the file does not exist.
  virtual bool ModificationDate(const std::filesystem::path& file, FileDate* date) const = 0;
};

// Parses a version record; false when it has no well-formed FileVersion line.
bool ParseVersionRecord(const std::string& text, FileVersionInfo* info);

}  // namespace kavo9
