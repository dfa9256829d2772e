#pragma once
// The soft-AP utility's own string tables, in English (1033) and Simplified Chinese (2052). The
// system's default language picks the table; every other language gets English.

#include <span>
#include <string>
#include <string_view>

namespace kavo9::softap {

class HostiraStrings {
 public:
  explicit HostiraStrings(uint16_t languageId);

  // The text of string `id`; an unknown number gives the empty text.
  std::string Text(int id) const;
  bool chinese() const { return chinese_; }

 private:
  bool chinese_;
};

// One string of a table: its number and its two texts.
struct StringEntry {
  int id;
  const char* english;
  const char* chinese;
};

// The text of string `id` in `table`; null when the table does not have it.
const char* FindStringText(std::span<const StringEntry> table, int id, bool chinese);

// The editing pages' texts (their own table); null for a number they do not have.
const char* PageStringText(int id, bool chinese);

// Whether the system's language takes the Simplified Chinese table.
bool IsSimplifiedChinese(uint16_t languageId);

}  // namespace kavo9::softap
