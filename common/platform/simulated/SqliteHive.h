#pragma once
// One hive file of the SQLite registry (SqliteRegistry): its schema, its prepared statements, and
// how it is opened, checked and reported.
//
// Schema of a hive (user_version 1):
//   keys(id, parent, name, fold)  one row per key; `fold` is the upper-cased full path below the
//                                 root ("SOFTWARE\KAVO9"), unique, so opening a key is one indexed
//                                 lookup. The root is the row with id 1 and an empty fold.
//   vals(key, name, fold, type, data)  one row per value; rowid order is creation order, and an
//                                 overwrite updates the row in place so the value keeps its place.
// Key ids are AUTOINCREMENT so the id of a deleted key is never given to a new one; a handle
// holding it can always tell that its key has gone.
//
// A new hive file is built completely under a temporary name and linked into place, so a process
// never sees a half-created hive and an existing file is never replaced. An existing file that is
// empty, not a database, damaged or of another schema is refused: every call on it fails with
// ERROR_BADDB and the file is never written to. What went wrong with a hive (damaged, or missing
// and made anew) is told once, in words a user can read, naming the file.

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9::hive {

inline constexpr int64_t kRootId = 1;

// Statements of a hive, prepared once when the hive is opened.
enum Stmt {
  kFindKey,
  kKeyExists,
  kInsertKey,
  kHasChildren,
  kEnumKey,
  kQueryValue,
  kSetValue,
  kDeleteValue,
  kEnumValue,
  kDeleteKeyValues,
  kDeleteKeyRow,
  kDeleteRangeValues,
  kDeleteRangeKeys,
  kBegin,
  kCommit,
  kRollback,
  kDataVersion,
  kStmtCount
};

// What to do when a hive file is not there: a machine being made expects that; any other time
// the settings kept in it are gone, which is worth telling.
enum class WhenMissing { kCreate, kCreateAndReport };

struct Hive {
  std::filesystem::path file;  // empty: held in memory
  WhenMissing whenMissing = WhenMissing::kCreateAndReport;
  std::vector<std::string>* problems = nullptr;  // where the user-facing reports go
  sqlite3* db = nullptr;
  bool broken = false;
  std::array<sqlite3_stmt*, kStmtCount> stmts{};

  // Opens the hive on first use and checks it before anything is written to it.
  int32_t Open();
  void Close();
  // Maps a SQLite failure to the caller's error. A hive found damaged is reported once and
  // refused from then on.
  int32_t Fail(int rc);
  int32_t MarkBroken(const std::string& why);
  // Runs a statement to its end; its failure mapped as by Fail.
  int32_t Step(sqlite3_stmt* stmt);
  std::string Name() const;

 private:
  void Report(const std::string& text);
  int32_t Exec(const char* sql);
  int32_t Pragma(const char* sql, std::string* result);
  int32_t Check();
  int32_t Prepare();
};

// Resets a statement when the operation using it ends, whatever the outcome.
class Using {
 public:
  explicit Using(sqlite3_stmt* stmt) : stmt_(stmt) {}
  ~Using() { sqlite3_reset(stmt_); }
  Using(const Using&) = delete;
  Using& operator=(const Using&) = delete;
  sqlite3_stmt* operator->() const { return stmt_; }
  operator sqlite3_stmt*() const { return stmt_; }

 private:
  sqlite3_stmt* stmt_;
};

void BindText(sqlite3_stmt* stmt, int index, std::string_view text);
std::string ColumnText(sqlite3_stmt* stmt, int column);

}  // namespace kavo9::hive
