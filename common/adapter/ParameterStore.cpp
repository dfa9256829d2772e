#include "common/adapter/ParameterStore.h"

#include <string>

#include "common/platform/ProfileString.h"

namespace kavo9 {
namespace {

// What the service is asked when a direct write fails: a procedure, the key path and, for the
// value and sub-key procedures, a name.
ServiceRequest HandOver(uint32_t procedure, std::string_view path, std::string_view name = {}) {
  ServiceRequest request;
  request.procedure = procedure;
  request.path = std::string(path);
  request.name = std::string(name);
  return request;
}

}  // namespace

StorePolicy StationStorePolicy(bool isAdministrator, const std::filesystem::path& settingsFile) {
  ProfileFile file = ProfileFile::Load(settingsFile);
  auto on = [&](std::string_view key, std::string_view defaultValue) {
    return file.Get("Advance", key, defaultValue, 256) == "1";
  };
  return StorePolicy{Utility::kStation, isAdministrator, on("AllowStandardUserSetAdvance", "1"),
                     on("AllowStandardUserSetProfile", "0")};
}

ParameterStore::ParameterStore(Registry& registry, RegistryServiceClient* service,
                               StorePolicy policy)
    : registry_(registry), service_(service), policy_(policy) {
  if (service_ != nullptr) service_->Bind();
}

ParameterStore::~ParameterStore() {
  if (service_ != nullptr) service_->Unbind();
}

bool ParameterStore::MayHandOver(PolicyArea area) const {
  if (policy_.utility == Utility::kSoftAp) return true;
  if (policy_.isAdministrator) return false;
  return area == PolicyArea::kProfile ? policy_.allowStandardUserSetProfile
                                      : policy_.allowStandardUserSetAdvance;
}

int32_t ParameterStore::AfterDirect(int32_t error, PolicyArea area, ServiceRequest request) {
  if (error == ERROR_SUCCESS) return ERROR_SUCCESS;
  const bool softAp = policy_.utility == Utility::kSoftAp;
  if (!MayHandOver(area)) return error;
  // A store that could not bind at start tries again when it first needs the service.
  if (service_ != nullptr && (service_->IsBound() || service_->Bind())) {
    request.form = softAp ? ServiceForm::kSoftAp : ServiceForm::kStation;
    // The service's answer is not examined: the write is done as far as the program can tell.
    service_->Call(request);
  }
  return ERROR_SUCCESS;
}

int32_t ParameterStore::StoreOpenKey(HKEY root, std::string_view path, uint32_t access, HKEY* key,
                                     PolicyArea area) {
  *key = 0;
  int32_t error = registry_.OpenKey(root, path, access, key);
  if (error == ERROR_SUCCESS) return error;
  *key = 0;
  return MayHandOver(area) ? ERROR_SUCCESS : error;
}

int32_t ParameterStore::StoreSetValue(HKEY key, std::string_view name, uint32_t type,
                                      const uint8_t* data, uint32_t length, std::string_view path,
                                      PolicyArea area, HKEY root) {
  if (data == nullptr) length = 0;
  int32_t error =
      key != 0 ? registry_.SetValue(key, name, type, data, length) : ERROR_INVALID_HANDLE;
  ServiceRequest request = HandOver(kProcSetValue, path, name);
  request.type = type;
  // The value travels as text, so it ends at its first zero byte.
  request.data = RegStringFromBytes(data, length);
  request.length = length;
  request.rootCode = RootCodeOf(root);
  return AfterDirect(error, area, std::move(request));
}

int32_t ParameterStore::StoreCreateKey(HKEY root, std::string_view path, uint32_t access, HKEY* key,
                                       PolicyArea area) {
  *key = 0;
  int32_t error = registry_.CreateKey(root, path, access, key);
  if (error != ERROR_SUCCESS) *key = 0;
  ServiceRequest request = HandOver(kProcCreateKey, path);
  request.rootCode = RootCodeOf(root);
  return AfterDirect(error, area, std::move(request));
}

int32_t ParameterStore::StoreDeleteValue(HKEY key, std::string_view name, std::string_view path,
                                         PolicyArea area) {
  int32_t error = key != 0 ? registry_.DeleteValue(key, name) : ERROR_INVALID_HANDLE;
  return AfterDirect(error, area, HandOver(kProcDeleteValue, path, name));
}

int32_t ParameterStore::StoreDeleteKey(HKEY key, std::string_view subKey, std::string_view path,
                                       PolicyArea area) {
  int32_t error = key != 0 ? registry_.DeleteKey(key, subKey) : ERROR_INVALID_HANDLE;
  return AfterDirect(error, area, HandOver(kProcDeleteKey, path, subKey));
}

int32_t ParameterStore::StoreDeleteTree(HKEY key, std::string_view subKey, std::string_view path,
                                        PolicyArea area) {
  int32_t error = key != 0 ? registry_.DeleteTree(key, subKey) : ERROR_INVALID_HANDLE;
  return AfterDirect(error, area, HandOver(kProcDeleteTree, path, subKey));
}

}  // namespace kavo9
