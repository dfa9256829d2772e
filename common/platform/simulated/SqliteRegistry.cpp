// The registry on SQLite hive files.
//
// Schema of a hive (user_version 1):
//   keys(id, parent, name, fold)  one row per key; `fold` is the upper-cased full path below the
//                                 root ("SOFTWARE\KAVO9"), unique, so opening a key is one indexed
//                                 lookup. The root is the row with id 1 and an empty fold.
//   vals(key, name, fold, type, data)  one row per value; rowid order is creation order, and an
//                                 overwrite updates the row in place so the value keeps its place.
// Names fold to upper case (ASCII), which is also the order Windows enumerates subkeys in: "A"
// sorts before "_". Key ids are AUTOINCREMENT so the id of a deleted key is never given to a new
// one; a handle holding it can always tell that its key has gone.
//
// A new hive file is built completely under a temporary name and linked into place, so a process
// never sees a half-created hive: an existing file that is empty, not a database, damaged or of
// another schema is reported (once) and every call on it fails with ERROR_BADDB. Such a file is
// never written to.

#include "common/platform/simulated/SqliteRegistry.h"

#include <sqlite3.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace kavo9 {
namespace {

constexpr int kSchemaVersion = 1;
constexpr int64_t kRootId = 1;
constexpr int kBusyTimeoutMs = 5000;
constexpr uint32_t kDelete = 0x10000;
constexpr uint32_t kWriteDac = 0x40000;
constexpr uint32_t kWriteOwner = 0x80000;
constexpr uint32_t kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | kDelete | kWriteDac | kWriteOwner;
constexpr uint32_t kAllRights = 0xFFFFFFFF;

struct RootInfo {
  HKEY root;
  const char* file;
};
constexpr std::array<RootInfo, 5> kRoots{{{HKEY_LOCAL_MACHINE, "HKLM.hive"},
                                          {HKEY_CURRENT_USER, "HKCU.hive"},
                                          {HKEY_CLASSES_ROOT, "HKCR.hive"},
                                          {HKEY_USERS, "HKU.hive"},
                                          {HKEY_CURRENT_CONFIG, "HKCC.hive"}}};
constexpr int kMachineHive = 0;

int HiveOfRoot(HKEY key) {
  for (size_t i = 0; i < kRoots.size(); ++i) {
    if (kRoots[i].root == key) return static_cast<int>(i);
  }
  return -1;
}

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
  kStmtCount
};

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
}};

std::string Fold(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

// Characters, not bytes, count towards the name limits.
size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

// Splits a relative key path into its components. A single trailing backslash is allowed; an
// empty component, a NUL or a component over the name limit is not.
bool SplitPath(std::string_view path, std::vector<std::string_view>* parts) {
  parts->clear();
  if (path.size() > 1 && path.back() == '\\') path.remove_suffix(1);
  if (path.empty()) return true;
  size_t start = 0;
  while (true) {
    size_t end = path.find('\\', start);
    std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (part.empty() || CharacterCount(part) > kMaxKeyNameLength ||
        part.find('\0') != std::string_view::npos) {
      return false;
    }
    parts->push_back(part);
    if (end == std::string_view::npos) return true;
    start = end + 1;
  }
}

std::string ChildFold(const std::string& parentFold, std::string_view name) {
  return parentFold.empty() ? Fold(name) : parentFold + "\\" + Fold(name);
}

bool ValidValueName(std::string_view name) {
  return CharacterCount(name) <= kMaxValueNameLength && name.find('\0') == std::string_view::npos;
}

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

void BindText(sqlite3_stmt* stmt, int index, std::string_view text) {
  sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

std::string ColumnText(sqlite3_stmt* stmt, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
  return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt, column)))
              : std::string();
}

}  // namespace

struct SqliteRegistry::Impl {
  struct Hive {
    std::filesystem::path file;  // empty: held in memory
    sqlite3* db = nullptr;
    bool broken = false;
    std::array<sqlite3_stmt*, kStmtCount> stmts{};
  };

  // What a handle refers to. Roots have every right; other handles the rights they were opened
  // with.
  struct Key {
    int hive;
    int64_t id;
    std::string fold;
    uint32_t access;
  };

  Impl(std::filesystem::path dir, bool inMemory, const SecurityToken& securityToken)
      : token(securityToken) {
    for (size_t i = 0; i < kRoots.size(); ++i) {
      if (!inMemory) hives[i].file = dir / kRoots[i].file;
    }
  }

  ~Impl() {
    for (Hive& hive : hives) CloseHive(hive);
  }

  const SecurityToken& token;
  std::mutex mutex;
  std::array<Hive, kRoots.size()> hives;
  std::unordered_map<HKEY, Key> handles;
  HKEY lastHandle = 0;

  // ---- hives

  static void CloseHive(Hive& hive) {
    for (sqlite3_stmt*& stmt : hive.stmts) {
      sqlite3_finalize(stmt);
      stmt = nullptr;
    }
    if (hive.db) {
      // A damaged hive is left exactly as it was found: no checkpoint into it on close.
      if (hive.broken) sqlite3_db_config(hive.db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
      sqlite3_close_v2(hive.db);
      hive.db = nullptr;
    }
  }

  static std::string Name(const Hive& hive) {
    return hive.file.empty() ? std::string("(in memory)") : hive.file.string();
  }

  // Maps a SQLite failure to the caller's error. A hive found damaged is reported once and
  // refused from then on.
  static int32_t Fail(Hive& hive, int rc) {
    int primary = rc & 0xFF;
    if (primary == SQLITE_NOMEM) return ERROR_NOT_ENOUGH_MEMORY;
    const char* why = hive.db ? sqlite3_errmsg(hive.db) : sqlite3_errstr(rc);
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB) {
      MarkBroken(hive, why);
    } else {
      std::fprintf(stderr, "kavo9: registry hive %s: %s\n", Name(hive).c_str(), why);
    }
    return ERROR_BADDB;
  }

  static int32_t MarkBroken(Hive& hive, const std::string& why) {
    if (!hive.broken) {
      hive.broken = true;
      std::fprintf(stderr,
                   "kavo9: registry hive %s cannot be read (%s); it is left untouched and "
                   "every call on it fails\n",
                   Name(hive).c_str(), why.c_str());
    }
    return ERROR_BADDB;
  }

  // Builds a new hive under a temporary name and links it into place; when another process won
  // the race, its hive is used.
  static bool CreateHiveFile(const std::filesystem::path& file, std::string* why) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temp = file;
    temp += ".new-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(temp.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK)
      rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
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

  // Opens the hive on first use and checks it before anything is written to it.
  int32_t Open(Hive& hive) {
    if (hive.db) return ERROR_SUCCESS;
    if (hive.broken) return ERROR_BADDB;
    std::string why;
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    const char* name = ":memory:";
    if (hive.file.empty()) {
      flags |= SQLITE_OPEN_CREATE | SQLITE_OPEN_MEMORY;
    } else {
      std::error_code ec;
      std::filesystem::create_directories(hive.file.parent_path(), ec);
      if (!std::filesystem::exists(hive.file, ec) && !CreateHiveFile(hive.file, &why)) {
        std::fprintf(stderr, "kavo9: cannot create registry hive %s: %s\n", Name(hive).c_str(),
                     why.c_str());
        return ERROR_BADDB;
      }
      name = hive.file.c_str();
    }
    int rc = sqlite3_open_v2(name, &hive.db, flags, nullptr);
    if (rc != SQLITE_OK) {
      int32_t error = Fail(hive, rc);
      CloseHive(hive);
      return error;
    }
    sqlite3_busy_timeout(hive.db, kBusyTimeoutMs);
    int32_t error = hive.file.empty() ? Exec(hive, kSchema) : Check(hive);
    if (error == ERROR_SUCCESS) error = Prepare(hive);
    if (error != ERROR_SUCCESS) CloseHive(hive);
    return error;
  }

  int32_t Exec(Hive& hive, const char* sql) {
    int rc = sqlite3_exec(hive.db, sql, nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? ERROR_SUCCESS : Fail(hive, rc);
  }

  // A single-row pragma as text.
  int32_t Pragma(Hive& hive, const char* sql, std::string* result) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(hive.db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
      *result = ColumnText(stmt, 0);
      rc = SQLITE_OK;
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_OK || rc == SQLITE_DONE ? ERROR_SUCCESS : Fail(hive, rc);
  }

  int32_t Check(Hive& hive) {
    std::string result;
    int32_t error = Pragma(hive, "PRAGMA quick_check(1)", &result);
    if (error != ERROR_SUCCESS) return error;
    if (result != "ok") return MarkBroken(hive, "damaged: " + result);
    error = Pragma(hive, "PRAGMA user_version", &result);
    if (error != ERROR_SUCCESS) return error;
    if (result != std::to_string(kSchemaVersion)) {
      return MarkBroken(hive,
                        result == "0" ? "empty or not a hive" : "unknown hive version " + result);
    }
    error = Pragma(hive, "PRAGMA journal_mode=WAL", &result);
    if (error == ERROR_SUCCESS) error = Exec(hive, "PRAGMA synchronous=NORMAL");
    return error;
  }

  int32_t Prepare(Hive& hive) {
    for (size_t i = 0; i < kStmtCount; ++i) {
      int rc = sqlite3_prepare_v3(hive.db, kStatements[i], -1, SQLITE_PREPARE_PERSISTENT,
                                  &hive.stmts[i], nullptr);
      if (rc != SQLITE_OK) return Fail(hive, rc);
    }
    return ERROR_SUCCESS;
  }

  // ---- handles

  // The key behind a handle and its open hive.
  int32_t Resolve(HKEY handle, Key* key, Hive** hive) {
    if (int index = HiveOfRoot(handle); index >= 0) {
      *key = Key{index, kRootId, std::string(), kAllRights};
    } else {
      auto it = handles.find(handle);
      if (it == handles.end()) return ERROR_INVALID_HANDLE;
      *key = it->second;
    }
    *hive = &hives[static_cast<size_t>(key->hive)];
    return Open(**hive);
  }

  HKEY NewHandle(Key key) {
    // Small numbers, well below the roots; a closed handle's number is not reused right away.
    do {
      lastHandle = lastHandle >= 0x7FFFFFFF ? 1 : lastHandle + 1;
    } while (handles.count(lastHandle) != 0);
    handles.emplace(lastHandle, std::move(key));
    return lastHandle;
  }

  bool WriteAllowed(int hive) const { return hive != kMachineHive || token.IsAdministrator(); }

  // A handle that may set or delete the value `name`: the key's handle has the right, the user
  // may write its hive, and the name is within the limits.
  int32_t ResolveValueWrite(HKEY handle, std::string_view name, Key* key, Hive** hive) {
    if (int32_t error = Resolve(handle, key, hive); error != ERROR_SUCCESS) return error;
    if ((key->access & KEY_SET_VALUE) == 0 || !WriteAllowed(key->hive)) return ERROR_ACCESS_DENIED;
    return ValidValueName(name) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
  }

  // ---- statements

  int32_t FindKey(Hive& hive, const std::string& fold, int64_t* id) {
    Using find(hive.stmts[kFindKey]);
    BindText(find, 1, fold);
    int rc = sqlite3_step(find);
    if (rc == SQLITE_ROW) {
      *id = sqlite3_column_int64(find, 0);
      return ERROR_SUCCESS;
    }
    return rc == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : Fail(hive, rc);
  }

  // ERROR_SUCCESS while the key exists, ERROR_KEY_DELETED once it has gone.
  int32_t Exists(Hive& hive, int64_t id) {
    if (id == kRootId) return ERROR_SUCCESS;
    Using exists(hive.stmts[kKeyExists]);
    sqlite3_bind_int64(exists, 1, id);
    int rc = sqlite3_step(exists);
    if (rc == SQLITE_ROW) return ERROR_SUCCESS;
    return rc == SQLITE_DONE ? ERROR_KEY_DELETED : Fail(hive, rc);
  }

  // After a lookup below `key` found nothing: was it the key itself that went?
  int32_t Missing(Hive& hive, const Key& key, int32_t notFound) {
    int32_t error = Exists(hive, key.id);
    return error == ERROR_SUCCESS ? notFound : error;
  }

  int32_t Step(Hive& hive, sqlite3_stmt* stmt) {
    int rc = sqlite3_step(stmt);
    return rc == SQLITE_DONE || rc == SQLITE_ROW ? ERROR_SUCCESS : Fail(hive, rc);
  }

  // One write transaction; rolled back unless committed.
  class Transaction {
   public:
    Transaction(Impl& impl, Hive& hive) : impl_(impl), hive_(hive) {}
    ~Transaction() {
      if (open_) {
        Using rollback(hive_.stmts[kRollback]);
        sqlite3_step(rollback);
      }
    }
    int32_t Begin() {
      Using begin(hive_.stmts[kBegin]);
      int32_t error = impl_.Step(hive_, begin);
      open_ = error == ERROR_SUCCESS;
      return error;
    }
    int32_t Commit() {
      Using commit(hive_.stmts[kCommit]);
      int32_t error = impl_.Step(hive_, commit);
      if (error == ERROR_SUCCESS) open_ = false;
      return error;
    }

   private:
    Impl& impl_;
    Hive& hive_;
    bool open_ = false;
  };

  // Deletes the values and subkeys of the key `fold` (id `id`), all of them when `withKey`, the
  // key itself too. Runs inside a transaction.
  int32_t DeleteBelow(Hive& hive, int64_t id, const std::string& fold, bool withKey) {
    std::string low = fold.empty() ? std::string("\x01") : fold + "\\";
    std::string high = fold.empty() ? std::string("\xFF") : fold + "]";  // "]" follows "\"
    for (Stmt which : {kDeleteRangeValues, kDeleteRangeKeys}) {
      Using range(hive.stmts[which]);
      BindText(range, 1, low);
      BindText(range, 2, high);
      if (int32_t error = Step(hive, range); error != ERROR_SUCCESS) return error;
    }
    Using values(hive.stmts[kDeleteKeyValues]);
    sqlite3_bind_int64(values, 1, id);
    if (int32_t error = Step(hive, values); error != ERROR_SUCCESS) return error;
    if (!withKey) return ERROR_SUCCESS;
    Using row(hive.stmts[kDeleteKeyRow]);
    sqlite3_bind_int64(row, 1, id);
    return Step(hive, row);
  }
};

SqliteRegistry::SqliteRegistry(std::filesystem::path registryDir, const SecurityToken& token)
    : impl_(std::make_unique<Impl>(std::move(registryDir), false, token)) {}

SqliteRegistry::SqliteRegistry(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

std::unique_ptr<SqliteRegistry> SqliteRegistry::InMemory(const SecurityToken& token) {
  return std::unique_ptr<SqliteRegistry>(
      new SqliteRegistry(std::make_unique<Impl>(std::filesystem::path(), true, token)));
}

SqliteRegistry::~SqliteRegistry() = default;

int32_t SqliteRegistry::OpenKey(HKEY parent, std::string_view subKey, uint32_t access,
                                HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(parent, &key, &hive); error != ERROR_SUCCESS) return error;
  std::vector<std::string_view> parts;
  if (!SplitPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  std::string fold = key.fold;
  for (std::string_view part : parts) fold = ChildFold(fold, part);
  int64_t id = key.id;
  if (!parts.empty()) {
    int32_t error = impl_->FindKey(*hive, fold, &id);
    if (error == ERROR_FILE_NOT_FOUND) return impl_->Missing(*hive, key, error);
    if (error != ERROR_SUCCESS) return error;
  }
  if (int32_t error = impl_->Exists(*hive, key.id); error != ERROR_SUCCESS) return error;
  if ((access & kWriteRights) != 0 && !impl_->WriteAllowed(key.hive)) return ERROR_ACCESS_DENIED;
  *result = impl_->NewHandle(Impl::Key{key.hive, id, std::move(fold), access});
  return ERROR_SUCCESS;
}

int32_t SqliteRegistry::CreateKey(HKEY parent, std::string_view subKey, uint32_t access,
                                  HKEY* result, bool* created) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  if (created) *created = false;
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(parent, &key, &hive); error != ERROR_SUCCESS) return error;
  std::vector<std::string_view> parts;
  if (!SplitPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  std::string fold = key.fold;
  for (std::string_view part : parts) fold = ChildFold(fold, part);

  // An existing key is opened without a write transaction.
  int64_t id = key.id;
  int32_t error = parts.empty() ? ERROR_SUCCESS : impl_->FindKey(*hive, fold, &id);
  if (error == ERROR_SUCCESS) error = impl_->Exists(*hive, key.id);
  if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) return error;
  bool writing = error == ERROR_FILE_NOT_FOUND || (access & kWriteRights) != 0;
  if (writing && !impl_->WriteAllowed(key.hive)) return ERROR_ACCESS_DENIED;
  if (error == ERROR_FILE_NOT_FOUND) {
    if ((key.access & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
    Impl::Transaction transaction(*impl_, *hive);
    if ((error = transaction.Begin()) != ERROR_SUCCESS) return error;
    if ((error = impl_->Exists(*hive, key.id)) != ERROR_SUCCESS) return error;
    std::string path = key.fold;
    id = key.id;
    bool made = false;
    for (std::string_view part : parts) {
      path = ChildFold(path, part);
      error = impl_->FindKey(*hive, path, &id);
      made = error == ERROR_FILE_NOT_FOUND;
      if (made) {
        Using insert(hive->stmts[kInsertKey]);
        sqlite3_bind_int64(insert, 1, id);
        BindText(insert, 2, part);
        BindText(insert, 3, path);
        error = impl_->Step(*hive, insert);
        id = sqlite3_last_insert_rowid(hive->db);
      }
      if (error != ERROR_SUCCESS) return error;
    }
    if ((error = transaction.Commit()) != ERROR_SUCCESS) return error;
    if (created) *created = made;
  }
  *result = impl_->NewHandle(Impl::Key{key.hive, id, std::move(fold), access});
  return ERROR_SUCCESS;
}

int32_t SqliteRegistry::CloseKey(HKEY key) {
  std::lock_guard lock(impl_->mutex);
  if (HiveOfRoot(key) >= 0) return ERROR_SUCCESS;
  return impl_->handles.erase(key) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

int32_t SqliteRegistry::QueryValue(HKEY handle, std::string_view name, uint32_t* type,
                                   uint8_t* data, uint32_t* length) {
  if (data != nullptr && length == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(handle, &key, &hive); error != ERROR_SUCCESS) return error;
  if ((key.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (!ValidValueName(name)) return ERROR_INVALID_PARAMETER;
  std::string fold = Fold(name);
  Using query(hive->stmts[kQueryValue]);
  sqlite3_bind_int64(query, 1, key.id);
  BindText(query, 2, fold);
  int rc = sqlite3_step(query);
  if (rc == SQLITE_DONE) return impl_->Missing(*hive, key, ERROR_FILE_NOT_FOUND);
  if (rc != SQLITE_ROW) return Impl::Fail(*hive, rc);
  const void* bytes = sqlite3_column_blob(query, 1);
  auto size = static_cast<uint32_t>(sqlite3_column_bytes(query, 1));
  if (type) *type = static_cast<uint32_t>(sqlite3_column_int64(query, 0));
  if (length == nullptr) return ERROR_SUCCESS;
  uint32_t room = *length;
  *length = size;
  if (data == nullptr) return ERROR_SUCCESS;
  if (room < size) return ERROR_MORE_DATA;
  if (size > 0) std::memcpy(data, bytes, size);
  return ERROR_SUCCESS;
}

int32_t SqliteRegistry::SetValue(HKEY handle, std::string_view name, uint32_t type,
                                 const uint8_t* data, uint32_t length) {
  if (data == nullptr && length != 0) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->ResolveValueWrite(handle, name, &key, &hive); error != ERROR_SUCCESS) {
    return error;
  }
  std::string fold = Fold(name);
  Using set(hive->stmts[kSetValue]);
  sqlite3_bind_int64(set, 1, key.id);
  BindText(set, 2, name);
  BindText(set, 3, fold);
  sqlite3_bind_int64(set, 4, type);
  if (length == 0) {
    sqlite3_bind_zeroblob(set, 5, 0);
  } else {
    sqlite3_bind_blob(set, 5, data, static_cast<int>(length), SQLITE_STATIC);
  }
  if (int32_t error = impl_->Step(*hive, set); error != ERROR_SUCCESS) return error;
  return sqlite3_changes(hive->db) > 0 ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

int32_t SqliteRegistry::DeleteValue(HKEY handle, std::string_view name) {
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->ResolveValueWrite(handle, name, &key, &hive); error != ERROR_SUCCESS) {
    return error;
  }
  std::string fold = Fold(name);
  Using erase(hive->stmts[kDeleteValue]);
  sqlite3_bind_int64(erase, 1, key.id);
  BindText(erase, 2, fold);
  if (int32_t error = impl_->Step(*hive, erase); error != ERROR_SUCCESS) return error;
  if (sqlite3_changes(hive->db) > 0) return ERROR_SUCCESS;
  return impl_->Missing(*hive, key, ERROR_FILE_NOT_FOUND);
}

int32_t SqliteRegistry::DeleteKey(HKEY handle, std::string_view subKey) {
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(handle, &key, &hive); error != ERROR_SUCCESS) return error;
  std::vector<std::string_view> parts;
  if (!SplitPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  std::string fold = key.fold;
  for (std::string_view part : parts) fold = ChildFold(fold, part);
  if (fold.empty() || !impl_->WriteAllowed(key.hive)) return ERROR_ACCESS_DENIED;  // never a root

  Impl::Transaction transaction(*impl_, *hive);
  int32_t error = transaction.Begin();
  if (error == ERROR_SUCCESS) error = impl_->Exists(*hive, key.id);
  int64_t id = key.id;
  if (error == ERROR_SUCCESS && !parts.empty()) {
    error = impl_->FindKey(*hive, fold, &id);
  }
  if (error != ERROR_SUCCESS) return error;
  {
    Using children(hive->stmts[kHasChildren]);
    sqlite3_bind_int64(children, 1, id);
    int rc = sqlite3_step(children);
    if (rc == SQLITE_ROW) return ERROR_ACCESS_DENIED;  // what Windows says for a key with subkeys
    if (rc != SQLITE_DONE) return Impl::Fail(*hive, rc);
  }
  if ((error = impl_->DeleteBelow(*hive, id, fold, true)) != ERROR_SUCCESS) return error;
  return transaction.Commit();
}

int32_t SqliteRegistry::DeleteTree(HKEY handle, std::string_view subKey) {
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(handle, &key, &hive); error != ERROR_SUCCESS) return error;
  std::vector<std::string_view> parts;
  if (!SplitPath(subKey, &parts)) return ERROR_INVALID_PARAMETER;
  std::string fold = key.fold;
  for (std::string_view part : parts) fold = ChildFold(fold, part);
  if (!impl_->WriteAllowed(key.hive)) return ERROR_ACCESS_DENIED;

  Impl::Transaction transaction(*impl_, *hive);
  int32_t error = transaction.Begin();
  if (error == ERROR_SUCCESS) error = impl_->Exists(*hive, key.id);
  int64_t id = key.id;
  if (error == ERROR_SUCCESS && !parts.empty()) {
    error = impl_->FindKey(*hive, fold, &id);
  }
  if (error != ERROR_SUCCESS) return error;
  if ((error = impl_->DeleteBelow(*hive, id, fold, !parts.empty())) != ERROR_SUCCESS) return error;
  return transaction.Commit();
}

int32_t SqliteRegistry::EnumKey(HKEY handle, uint32_t index, std::string* name) {
  if (name == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(handle, &key, &hive); error != ERROR_SUCCESS) return error;
  if ((key.access & KEY_ENUMERATE_SUB_KEYS) == 0) return ERROR_ACCESS_DENIED;
  Using enumerate(hive->stmts[kEnumKey]);
  sqlite3_bind_int64(enumerate, 1, key.id);
  sqlite3_bind_int64(enumerate, 2, index);
  int rc = sqlite3_step(enumerate);
  if (rc == SQLITE_DONE) return impl_->Missing(*hive, key, ERROR_NO_MORE_ITEMS);
  if (rc != SQLITE_ROW) return Impl::Fail(*hive, rc);
  *name = ColumnText(enumerate, 0);
  return ERROR_SUCCESS;
}

int32_t SqliteRegistry::EnumValue(HKEY handle, uint32_t index, std::string* name, uint32_t* type,
                                  std::vector<uint8_t>* data) {
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Impl::Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(handle, &key, &hive); error != ERROR_SUCCESS) return error;
  if ((key.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  Using enumerate(hive->stmts[kEnumValue]);
  sqlite3_bind_int64(enumerate, 1, key.id);
  sqlite3_bind_int64(enumerate, 2, index);
  int rc = sqlite3_step(enumerate);
  if (rc == SQLITE_DONE) return impl_->Missing(*hive, key, ERROR_NO_MORE_ITEMS);
  if (rc != SQLITE_ROW) return Impl::Fail(*hive, rc);
  if (name) *name = ColumnText(enumerate, 0);
  if (type) *type = static_cast<uint32_t>(sqlite3_column_int64(enumerate, 1));
  if (data) {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(enumerate, 2));
    data->assign(bytes, bytes + sqlite3_column_bytes(enumerate, 2));
  }
  return ERROR_SUCCESS;
}

}  // namespace kavo9
