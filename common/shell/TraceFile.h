#pragma once
// Diagnostic lines appended to the trace file when the settings switch OpenFile is on. The file is
// opened for each line and closed again; a file that cannot be opened loses the line, nothing more.

#include <filesystem>
#include <string_view>

namespace kavo9 {

// Where the trace file lives, as a Windows path (Paths::FromWindows turns it into the machine's).
inline constexpr const char* kTraceFileWindowsPath = "C:\\Linkora_test.txt";

class TraceFile {
 public:
  TraceFile(std::filesystem::path file, bool enabled) : file_(std::move(file)), enabled_(enabled) {}
  bool enabled() const { return enabled_; }
  void Append(std::string_view text) const;

 private:
  std::filesystem::path file_;
  bool enabled_;
};

}  // namespace kavo9
