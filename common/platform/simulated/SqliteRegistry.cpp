// The registry on SQLite hive files (the files themselves: SqliteHive).
//
// Names fold to upper case (ASCII), which is also the order Windows enumerates subkeys in: "A"
// sorts before "_".

#include "common/platform/simulated/SqliteRegistry.h"

#include <array>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "common/platform/simulated/SqliteHive.h"

namespace kavo9 {
namespace {

using namespace hive;  // the hive file, its statements and their helpers

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

}  // namespace

struct SqliteRegistry::Impl {
  // What a handle refers to. Roots have every right; other handles the rights they were opened
  // with.
  struct Key {
    int hive;
    int64_t id;
    std::string fold;
    uint32_t access;
  };

  Impl(std::filesystem::path dir, bool inMemory, const SecurityToken& securityToken,
       hive::WhenMissing whenMissing)
      : token(securityToken) {
    for (size_t i = 0; i < kRoots.size(); ++i) {
      if (!inMemory) hives[i].file = dir / kRoots[i].file;
      hives[i].whenMissing = whenMissing;
      hives[i].problems = &problems;
    }
  }

  ~Impl() {
    for (Hive& hive : hives) hive.Close();
  }

  const SecurityToken& token;
  mutable std::mutex mutex;
  std::vector<std::string> problems;  // what went wrong with the hives, for the user
  std::array<Hive, kRoots.size()> hives;
  std::unordered_map<HKEY, Key> handles;
  HKEY lastHandle = 0;

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
    return (*hive)->Open();
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
    return rc == SQLITE_DONE ? ERROR_FILE_NOT_FOUND : hive.Fail(rc);
  }

  // ERROR_SUCCESS while the key exists, ERROR_KEY_DELETED once it has gone.
  int32_t Exists(Hive& hive, int64_t id) {
    if (id == kRootId) return ERROR_SUCCESS;
    Using exists(hive.stmts[kKeyExists]);
    sqlite3_bind_int64(exists, 1, id);
    int rc = sqlite3_step(exists);
    if (rc == SQLITE_ROW) return ERROR_SUCCESS;
    return rc == SQLITE_DONE ? ERROR_KEY_DELETED : hive.Fail(rc);
  }

  // After a lookup below `key` found nothing: was it the key itself that went?
  int32_t Missing(Hive& hive, const Key& key, int32_t notFound) {
    int32_t error = Exists(hive, key.id);
    return error == ERROR_SUCCESS ? notFound : error;
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
      int32_t error = hive_.Step(begin);
      open_ = error == ERROR_SUCCESS;
      return error;
    }
    int32_t Commit() {
      Using commit(hive_.stmts[kCommit]);
      int32_t error = hive_.Step(commit);
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
      if (int32_t error = hive.Step(range); error != ERROR_SUCCESS) return error;
    }
    Using values(hive.stmts[kDeleteKeyValues]);
    sqlite3_bind_int64(values, 1, id);
    if (int32_t error = hive.Step(values); error != ERROR_SUCCESS) return error;
    if (!withKey) return ERROR_SUCCESS;
    Using row(hive.stmts[kDeleteKeyRow]);
    sqlite3_bind_int64(row, 1, id);
    return hive.Step(row);
  }
};

SqliteRegistry::SqliteRegistry(std::filesystem::path registryDir, const SecurityToken& token,
                               MissingHives missing)
    : impl_(std::make_unique<Impl>(std::move(registryDir), false, token,
                                   missing == MissingHives::kCreate
                                       ? hive::WhenMissing::kCreate
                                       : hive::WhenMissing::kCreateAndReport)) {}

SqliteRegistry::SqliteRegistry(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

std::unique_ptr<SqliteRegistry> SqliteRegistry::InMemory(const SecurityToken& token) {
  return std::unique_ptr<SqliteRegistry>(new SqliteRegistry(
      std::make_unique<Impl>(std::filesystem::path(), true, token, hive::WhenMissing::kCreate)));
}

SqliteRegistry::~SqliteRegistry() = default;

int32_t SqliteRegistry::OpenHives() {
  std::lock_guard lock(impl_->mutex);
  int32_t first = ERROR_SUCCESS;
  for (Hive& hive : impl_->hives) {
    int32_t error = hive.Open();
    if (first == ERROR_SUCCESS) first = error;
  }
  return first;
}

std::vector<std::string> SqliteRegistry::HiveProblems() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->problems;
}

int32_t SqliteRegistry::OpenKey(HKEY parent, std::string_view subKey, uint32_t access,
                                HKEY* result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Hive* hive = nullptr;
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
  Hive* hive = nullptr;
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
        error = hive->Step(insert);
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
  Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(handle, &key, &hive); error != ERROR_SUCCESS) return error;
  if ((key.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  if (!ValidValueName(name)) return ERROR_INVALID_PARAMETER;
  std::string fold = Fold(name);
  Using query(hive->stmts[kQueryValue]);
  sqlite3_bind_int64(query, 1, key.id);
  BindText(query, 2, fold);
  int rc = sqlite3_step(query);
  if (rc == SQLITE_DONE) return impl_->Missing(*hive, key, ERROR_FILE_NOT_FOUND);
  if (rc != SQLITE_ROW) return hive->Fail(rc);
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
  Hive* hive = nullptr;
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
  if (int32_t error = hive->Step(set); error != ERROR_SUCCESS) return error;
  return sqlite3_changes(hive->db) > 0 ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

int32_t SqliteRegistry::DeleteValue(HKEY handle, std::string_view name) {
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Hive* hive = nullptr;
  if (int32_t error = impl_->ResolveValueWrite(handle, name, &key, &hive); error != ERROR_SUCCESS) {
    return error;
  }
  std::string fold = Fold(name);
  Using erase(hive->stmts[kDeleteValue]);
  sqlite3_bind_int64(erase, 1, key.id);
  BindText(erase, 2, fold);
  if (int32_t error = hive->Step(erase); error != ERROR_SUCCESS) return error;
  if (sqlite3_changes(hive->db) > 0) return ERROR_SUCCESS;
  return impl_->Missing(*hive, key, ERROR_FILE_NOT_FOUND);
}

int32_t SqliteRegistry::DeleteKey(HKEY handle, std::string_view subKey) {
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Hive* hive = nullptr;
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
    if (rc != SQLITE_DONE) return hive->Fail(rc);
  }
  if ((error = impl_->DeleteBelow(*hive, id, fold, true)) != ERROR_SUCCESS) return error;
  return transaction.Commit();
}

int32_t SqliteRegistry::DeleteTree(HKEY handle, std::string_view subKey) {
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Hive* hive = nullptr;
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
  Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(handle, &key, &hive); error != ERROR_SUCCESS) return error;
  if ((key.access & KEY_ENUMERATE_SUB_KEYS) == 0) return ERROR_ACCESS_DENIED;
  Using enumerate(hive->stmts[kEnumKey]);
  sqlite3_bind_int64(enumerate, 1, key.id);
  sqlite3_bind_int64(enumerate, 2, index);
  int rc = sqlite3_step(enumerate);
  if (rc == SQLITE_DONE) return impl_->Missing(*hive, key, ERROR_NO_MORE_ITEMS);
  if (rc != SQLITE_ROW) return hive->Fail(rc);
  *name = ColumnText(enumerate, 0);
  return ERROR_SUCCESS;
}

int32_t SqliteRegistry::EnumValue(HKEY handle, uint32_t index, std::string* name, uint32_t* type,
                                  std::vector<uint8_t>* data) {
  std::lock_guard lock(impl_->mutex);
  Impl::Key key;
  Hive* hive = nullptr;
  if (int32_t error = impl_->Resolve(handle, &key, &hive); error != ERROR_SUCCESS) return error;
  if ((key.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  Using enumerate(hive->stmts[kEnumValue]);
  sqlite3_bind_int64(enumerate, 1, key.id);
  sqlite3_bind_int64(enumerate, 2, index);
  int rc = sqlite3_step(enumerate);
  if (rc == SQLITE_DONE) return impl_->Missing(*hive, key, ERROR_NO_MORE_ITEMS);
  if (rc != SQLITE_ROW) return hive->Fail(rc);
  if (name) *name = ColumnText(enumerate, 0);
  if (type) *type = static_cast<uint32_t>(sqlite3_column_int64(enumerate, 1));
  if (data) {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(enumerate, 2));
    data->assign(bytes, bytes + sqlite3_column_bytes(enumerate, 2));
  }
  return ERROR_SUCCESS;
}

uint64_t SqliteRegistry::ChangeStamp(HKEY root) {
  std::lock_guard lock(impl_->mutex);
  const int index = HiveOfRoot(root);
  if (index < 0) return 0;
  Hive& hive = impl_->hives[static_cast<size_t>(index)];
  if (hive.Open() != ERROR_SUCCESS) return 0;
  // Other connections' commits move the data version; this connection's own writes move its
  // count of changed rows.
  Using version(hive.stmts[kDataVersion]);
  if (sqlite3_step(version) != SQLITE_ROW) return 0;
  const uint64_t others = uint64_t(sqlite3_column_int64(version, 0));
  const uint64_t own = uint64_t(sqlite3_total_changes64(hive.db));
  return (others << 32) + own + 1;
}

}  // namespace kavo9
