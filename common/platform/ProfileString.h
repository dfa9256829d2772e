#pragma once
// Reading Windows INI files the way GetPrivateProfileString does.
//
// Rules: section and key names compare without regard to (ASCII) case; a key's value is the text
// after the first "=", with surrounding blanks removed and then one pair of matching surrounding
// quotes (double or single) removed; lines whose first non-blank character is ";" are comments;
// the first section of a name is the one read (a repeated section is ignored) and within it the
// first line of a key wins; a line without "=" holds no value. A missing file, section or key
// gives the default, with its trailing blanks removed. Every result is cut to bufferChars - 1
// characters (a buffer of 0 or 1 gives an empty text), counted in Unicode characters so that a
// multi-byte UTF-8 character is never split.
//
// Files are UTF-8 with or without a byte-order mark, or UTF-16 with a byte-order mark (converted
// to UTF-8); line ends may be LF or CRLF. Other bytes are passed through as they are.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kavo9 {

// One INI file read once, for many lookups.
class ProfileFile {
 public:
  ProfileFile() = default;
  // Reads and parses `file`. A file that is missing or cannot be read gives an empty object whose
  // lookups all return their defaults (IsLoaded() is false).
  static ProfileFile Load(const std::filesystem::path& file);
  // Parses INI text held in memory (same rules as Load).
  static ProfileFile Parse(std::string_view text);

  bool IsLoaded() const { return loaded_; }
  // The value of `key` in `section`, or `defaultValue`, cut to fit a buffer of `bufferChars`.
  std::string Get(std::string_view section, std::string_view key, std::string_view defaultValue,
                  size_t bufferChars) const;
  // Whether the key is present with a value.
  bool Has(std::string_view section, std::string_view key) const;

 private:
  using Keys = std::unordered_map<std::string, std::string>;  // lower-cased key -> value
  const std::string* Find(std::string_view section, std::string_view key) const;

  bool loaded_ = false;
  std::vector<std::pair<std::string, Keys>> sections_;  // lower-cased name, in file order
};

// One lookup: reads `file` anew, as GetPrivateProfileString does on every call.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              size_t bufferChars);

// `text` cut to at most maxChars Unicode characters, never inside a UTF-8 sequence.
std::string CutToChars(std::string_view text, size_t maxChars);

}  // namespace kavo9
