#pragma once
// The program's own settings: what a user chose in its windows (the page shown last, the order of
// a list, a display switch). They are neither adapter values (the registry) nor switches of the
// read-only settings file beside the program, so they live in a small JSON file of the program's
// own in the machine folder, one per user:
//
//   <machine>/users/<user>/<Program>.json     {"LastPage": 144, "SortKey": 2, "ShowDbm": true}
//
// Read once at start; every change is written at once (to a temporary file renamed over the old
// one, so a crash never leaves half a file). A missing, unreadable or malformed file, or a value
// of the wrong type, reads as the caller's default; unknown keys are kept.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace kavo9 {

class ProgramSettings {
 public:
  explicit ProgramSettings(std::filesystem::path file);
  ~ProgramSettings();
  ProgramSettings(const ProgramSettings&) = delete;
  ProgramSettings& operator=(const ProgramSettings&) = delete;

  // The file of `program` for `user` on the machine `machineDir`. A user name is reduced to the
  // characters a file name can safely carry.
  static std::filesystem::path FileFor(const std::filesystem::path& machineDir,
                                       std::string_view user, std::string_view program);

  // Reads the file; false when it is missing or could not be read (the defaults then hold).
  bool Load();

  int Number(std::string_view key, int fallback) const;
  bool Flag(std::string_view key, bool fallback) const;
  // Sets a value and writes the file when the value changed. False when the file could not be
  // written (the value is kept for this run).
  bool SetNumber(std::string_view key, int value);
  bool SetFlag(std::string_view key, bool value);

  const std::filesystem::path& File() const { return file_; }

 private:
  bool Save() const;

  struct Values;
  std::filesystem::path file_;
  std::unique_ptr<Values> values_;
};

// The keys the station utility keeps.
namespace programsettings {
inline constexpr std::string_view kLastPage = "LastPage";
inline constexpr std::string_view kSortKey = "SortKey";
inline constexpr std::string_view kShowDbm = "ShowDbm";
}  // namespace programsettings

}  // namespace kavo9
