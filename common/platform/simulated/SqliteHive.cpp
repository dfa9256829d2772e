#include "common/platform/simulated/SqliteHive.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/platform/WinTypes.h"

namespace kavo9::hive {
namespace {

constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 5000;

constexpr const char* kSchema = R"sql(
BEGIN;
CREATE TABLE keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER, name TEXT NOT NULL,
                  fold TEXT NOT NULL UNIQUE);
CREATE INDEX keys_by_parent ON keys(parent, fold);
CREATE TABLE vals(key INTEGER NOT NULL, name TEXT NOT NULL, fold TEXT NOT NULL,
                  type INTEGER NOT NULL, data BLOB NOT NULL, UNIQUE(key, fold));
CREATE INDEX vals_in_order ON vals(key);
INSERT INTO keys(id, parent, name, fold) VALUES(1, NULL, '', '');
PRAGMA user_version = 1;
COMMIT;
)sql";

constexpr std::array<const char*, kStmtCount> kStatements{{
    "SELECT id FROM keys WHERE fold = ?1",
    "SELECT 1 FROM keys WHERE id = ?1",
    "INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)",
    "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1",
    "SELECT name FROM keys WHERE parent = ?1 ORDER BY fold LIMIT 1 OFFSET ?2",
    "SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2",
    // One statement, so a set is one transaction: nothing is written when the key has gone.
    "INSERT INTO vals(key, name, fold, type, data) SELECT ?1, ?2, ?3, ?4, ?5"
    " WHERE EXISTS(SELECT 1 FROM keys WHERE id = ?1)"
    " ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data",
    "DELETE FROM vals WHERE key = ?1 AND fold = ?2",
    "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY rowid LIMIT 1 OFFSET ?2",
    "DELETE FROM vals WHERE key = ?1",
    "DELETE FROM keys WHERE id = ?1",
    "DELETE FROM vals WHERE key IN (SELECT id FROM keys WHERE fold >= ?1 AND fold < ?2)",
    "DELETE FROM keys WHERE fold >= ?1 AND fold < ?2",
    "BEGIN IMMEDIATE",
    "COMMIT",
    "ROLLBACK",
    "PRAGMA data_version",
}};

// Builds a new hive under a temporary name and links it into place. An existing file is never
// replaced: when another process linked its hive first, that one is used.
bool CreateHiveFile(const std::filesystem::path& file, std::string* why) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temp = file;
  temp += ".new-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(
      temp.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) *why = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  sqlite3_close_v2(db);
  bool linked = rc == SQLITE_OK && (::link(temp.c_str(), file.c_str()) == 0 || errno == EEXIST);
  if (rc == SQLITE_OK && !linked) *why = std::strerror(errno);
  std::error_code ec;
  for (const char* suffix : {"", "-wal", "-shm"}) {
    std::filesystem::path part = temp;
    part += suffix;
    std::filesystem::remove(part, ec);
  }
  return linked;
}

}  // namespace

void BindText(sqlite3_stmt* stmt, int index, std::string_view text) {
  sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

std::string ColumnText(sqlite3_stmt* stmt, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column)))
              : std::string();
}

std::string Hive::Name() const {
  return file.empty() ? std::string("(in memory)") : file.string();
}

void Hive::Report(const std::string& text) {
  std::fprintf(stderr, "kavo9: %s\n", text.c_str());
  if (problems) problems->push_back(text);
}

void Hive::Close() {
  for (sqlite3_stmt*& stmt : stmts) {
    sqlite3_finalize(stmt);
    stmt = nullptr;
  }
  if (db) {
    // A damaged hive is left exactly as it was found: no checkpoint into it on close.
    if (broken) sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    sqlite3_close_v2(db);
    db = nullptr;
  }
}

int32_t Hive::Fail(int rc) {
  int primary = rc & 0xFF;
  if (primary == SQLITE_NOMEM) return ERROR_NOT_ENOUGH_MEMORY;
  const char* why = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) {
    MarkBroken(why);
  } else {
    // Passing trouble (a lock held too long, a full disk): worth a line, not a report.
    std::fprintf(stderr, "kavo9: registry hive %s: %s\n", Name().c_str(), why);
  }
  return ERROR_BADDB;
}

int32_t Hive::MarkBroken(const std::string& why) {
  if (!broken) {
    broken = true;
    Report("The registry hive " + Name() + " cannot be read (" + why +
           "). It was left as it is; the settings kept in it cannot be used until it is repaired "
           "or removed.");
  }
  return ERROR_BADDB;
}

int32_t Hive::Step(sqlite3_stmt* stmt) {
  int rc = sqlite3_step(stmt);
  return rc == SQLITE_DONE || rc == SQLITE_ROW ? ERROR_SUCCESS : Fail(rc);
}

int32_t Hive::Open() {
  if (db) return ERROR_SUCCESS;
  if (broken) return ERROR_BADDB;
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
  const char* name = ":memory:";
  if (file.empty()) {
    flags |= SQLITE_OPEN_CREATE | SQLITE_OPEN_MEMORY;
  } else {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    if (!std::filesystem::exists(file, ec)) {
      std::string why;
      if (!CreateHiveFile(file, &why)) {
        broken = true;  // told once; the calls fail
        Report("The registry hive " + Name() + " is missing and cannot be made (" + why + ").");
        return ERROR_BADDB;
      }
      if (whenMissing == WhenMissing::kCreateAndReport) {
        Report("The registry hive " + Name() +
               " was missing; a new, empty one was made. The settings kept in it before are "
               "lost.");
      }
    }
    name = file.c_str();
  }
  int rc = sqlite3_open_v2(name, &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    int32_t error = Fail(rc);
    Close();
    return error;
  }
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  int32_t error = file.empty() ? Exec(kSchema) : Check();
  if (error == ERROR_SUCCESS) error = Prepare();
  if (error != ERROR_SUCCESS) Close();
  return error;
}

int32_t Hive::Exec(const char* sql) {
  int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
  return rc == SQLITE_OK ? ERROR_SUCCESS : Fail(rc);
}

int32_t Hive::Pragma(const char* sql, std::string* result) {
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
  if (rc == SQLITE_ROW) {
    *result = ColumnText(stmt, 0);
    rc = SQLITE_OK;
  }
  sqlite3_finalize(stmt);
  return rc == SQLITE_OK || rc == SQLITE_DONE ? ERROR_SUCCESS : Fail(rc);
}

int32_t Hive::Check() {
  std::string result;
  int32_t error = Pragma("PRAGMA quick_check(1)", &result);
  if (error != ERROR_SUCCESS) return error;
  if (result != "ok") return MarkBroken("damaged: " + result);
  error = Pragma("PRAGMA user_version", &result);
  if (error != ERROR_SUCCESS) return error;
  if (result != std::to_string(kSchemaVersion)) {
    return MarkBroken(result == "0" ? "empty or not a hive" : "unknown hive version " + result);
  }
  error = Pragma("PRAGMA journal_mode=WAL", &result);
  if (error == ERROR_SUCCESS) error = Exec("PRAGMA synchronous=NORMAL");
  // The check read every page: the cache gives them back, so a program does not carry its
  // whole registry in memory for having looked at it once.
  sqlite3_db_release_memory(db);
  return error;
}

int32_t Hive::Prepare() {
  for (size_t i = 0; i < kStmtCount; ++i) {
    int rc =
        sqlite3_prepare_v3(db, kStatements[i], -1, SQLITE_PREPARE_PERSISTENT, &stmts[i], nullptr);
    if (rc != SQLITE_OK) return Fail(rc);
  }
  return ERROR_SUCCESS;
}

}  // namespace kavo9::hive
