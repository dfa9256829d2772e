// Placeholder until the SQLite hives land: every call fails as an unreadable hive would.
#include "common/platform/simulated/SqliteRegistry.h"

namespace kavo9 {

struct SqliteRegistry::Impl {};
SqliteRegistry::SqliteRegistry(std::filesystem::path, const SecurityToken&)
    : impl_(std::make_unique<Impl>()) {}
SqliteRegistry::SqliteRegistry(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
std::unique_ptr<SqliteRegistry> SqliteRegistry::InMemory(const SecurityToken&) {
  return std::unique_ptr<SqliteRegistry>(new SqliteRegistry(std::make_unique<Impl>()));
}
SqliteRegistry::~SqliteRegistry() = default;
int32_t SqliteRegistry::OpenKey(HKEY, std::string_view, uint32_t, HKEY*) { return ERROR_BADDB; }
int32_t SqliteRegistry::CreateKey(HKEY, std::string_view, uint32_t, HKEY*, bool*) { return ERROR_BADDB; }
int32_t SqliteRegistry::CloseKey(HKEY) { return ERROR_SUCCESS; }
int32_t SqliteRegistry::QueryValue(HKEY, std::string_view, uint32_t*, uint8_t*, uint32_t*) { return ERROR_BADDB; }
int32_t SqliteRegistry::SetValue(HKEY, std::string_view, uint32_t, const uint8_t*, uint32_t) { return ERROR_BADDB; }
int32_t SqliteRegistry::DeleteValue(HKEY, std::string_view) { return ERROR_BADDB; }
int32_t SqliteRegistry::DeleteKey(HKEY, std::string_view) { return ERROR_BADDB; }
int32_t SqliteRegistry::DeleteTree(HKEY, std::string_view) { return ERROR_BADDB; }
int32_t SqliteRegistry::EnumKey(HKEY, uint32_t, std::string*) { return ERROR_BADDB; }
int32_t SqliteRegistry::EnumValue(HKEY, uint32_t, std::string*, uint32_t*, std::vector<uint8_t>*) { return ERROR_BADDB; }

}  // namespace kavo9
