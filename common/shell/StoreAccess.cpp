#include "common/shell/StoreAccess.h"

namespace kavo9 {
namespace {

PolicyArea PolicyAreaOf(StorePort::Area area) {
  return area == StorePort::Area::kProfile ? PolicyArea::kProfile : PolicyArea::kAdvanced;
}

}  // namespace

int32_t StoreText(StorePort& store, std::string_view path, std::string_view name,
                  std::string_view text, StorePort::Area area) {
  std::vector<uint8_t> data = RegBytesFromString(text);
  return store.SetValue(path, name, REG_SZ, data.data(), uint32_t(data.size()), area);
}

void StoreAccess::Bind(bool allowStandardUserSetAdvance, bool allowStandardUserSetProfile) {
  policy_.allowStandardUserSetAdvance = allowStandardUserSetAdvance;
  policy_.allowStandardUserSetProfile = allowStandardUserSetProfile;
}

void StoreAccess::SetAdministrator(bool administrator) {
  // The store binds once the policy is complete, which takes knowing who the user is.
  policy_.isAdministrator = administrator;
  store_ = std::make_unique<ParameterStore>(registry_, service_, policy_);
}

int32_t StoreAccess::Open(std::string_view path, uint32_t access, PolicyArea area, HKEY* key) {
  if (!store_) return ERROR_INVALID_HANDLE;
  return store_->StoreOpenKey(HKEY_LOCAL_MACHINE, path, access, key, area);
}

int32_t StoreAccess::SetValue(std::string_view path, std::string_view name, uint32_t type,
                              const uint8_t* data, uint32_t length, Area area) {
  HKEY key = 0;
  int32_t error = Open(path, KEY_WRITE, PolicyAreaOf(area), &key);
  if (error != ERROR_SUCCESS) return error;
  error = store_->StoreSetValue(key, name, type, data, length, path, PolicyAreaOf(area));
  if (key != 0) registry_.CloseKey(key);
  return error;
}

int32_t StoreAccess::DeleteValue(std::string_view path, std::string_view name, Area area) {
  HKEY key = 0;
  int32_t error = Open(path, KEY_WRITE, PolicyAreaOf(area), &key);
  if (error != ERROR_SUCCESS) return error;
  error = store_->StoreDeleteValue(key, name, path, PolicyAreaOf(area));
  if (key != 0) registry_.CloseKey(key);
  return error;
}

int32_t StoreAccess::CreateKey(std::string_view path, Area area) {
  if (!store_) return ERROR_INVALID_HANDLE;
  HKEY key = 0;
  int32_t error =
      store_->StoreCreateKey(HKEY_LOCAL_MACHINE, path, KEY_WRITE, &key, PolicyAreaOf(area));
  if (key != 0) registry_.CloseKey(key);
  return error;
}

int32_t StoreAccess::DeleteTree(std::string_view path, Area area) {
  // The tree is deleted from its parent, as the registry's own call does it.
  const size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) return ERROR_INVALID_PARAMETER;
  const std::string_view parent = path.substr(0, slash);
  HKEY key = 0;
  int32_t error = Open(parent, KEY_ALL_ACCESS, PolicyAreaOf(area), &key);
  if (error != ERROR_SUCCESS) return error;
  error = store_->StoreDeleteTree(key, path.substr(slash + 1), parent, PolicyAreaOf(area));
  if (key != 0) registry_.CloseKey(key);
  return error;
}

bool StoreAccess::CanWrite(std::string_view path, uint32_t access, Area area) {
  HKEY key = 0;
  // Succeeds without a handle when the writes would go to the privileged service.
  const int32_t error = Open(path, access, PolicyAreaOf(area), &key);
  if (key != 0) registry_.CloseKey(key);
  return error == ERROR_SUCCESS;
}

}  // namespace kavo9
