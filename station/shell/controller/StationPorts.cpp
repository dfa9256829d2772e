#include "station/shell/controller/StationPorts.h"

namespace kavo9 {

class AdapterAccessPort::SelectingChooser : public AdapterChooser {
 public:
  SelectingChooser(AdapterChooser* inner, std::function<void(bool)> selecting)
      : inner_(inner), selecting_(std::move(selecting)) {}
  size_t Choose(const std::vector<DeviceInstance>& devices,
                const std::vector<size_t>& candidates) override {
    if (selecting_) selecting_(true);
    size_t chosen = inner_->Choose(devices, candidates);
    if (selecting_) selecting_(false);
    return chosen;
  }

 private:
  AdapterChooser* inner_;
  std::function<void(bool)> selecting_;
};

AdapterAccessPort::AdapterAccessPort(Platform& platform, AdapterChooser* chooser,
                                     std::function<void(bool)> selecting)
    : access_(platform, Utility::kStation) {
  if (chooser) chooser_ = std::make_unique<SelectingChooser>(chooser, std::move(selecting));
}

AdapterAccessPort::~AdapterAccessPort() = default;

bool AdapterAccessPort::QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                                         uint32_t* bytesReturned) {
  return access_.QueryInformation(oid, buffer, length, bytesReturned);
}

bool AdapterAccessPort::SetInformation(uint32_t oid, const void* buffer, uint32_t length,
                                       int attempts) {
  uint32_t bytes = 0;
  return access_.SetInformation(oid, buffer, length, &bytes, attempts);
}

void AdapterAccessPort::LoadIniDeviceLists(
    const std::function<std::string(std::string_view, std::string_view)>& read) {
  lists_ = ReadIniDeviceLists(Utility::kStation, read);
}

bool AdapterAccessPort::DiscoverAdapter() {
  bool found = kavo9::DiscoverAdapter(access_, lists_, chooser_.get());
  Refresh();
  return found;
}

void AdapterAccessPort::ClearRegistryKey() {
  access_.ClearRegistryKey();
  Refresh();
}

void AdapterAccessPort::ClearUsbFlag() { facts_.usb = false; }

void AdapterAccessPort::Refresh() {
  const AdapterIdentity& identity = access_.identity();
  facts_.registryKey = identity.registryKey;
  facts_.instanceId = identity.instanceId;
  facts_.hardwareIdPrefix = identity.hardwareIdPrefix;
  facts_.chipKind = identity.chipKind;
  facts_.usb = identity.bus == AdapterBus::kUsb;
  facts_.isFirstGenerationFamily = identity.isFirstGenerationFamily;
  facts_.isHtFamily = identity.isHtFamily;
}

void ParameterStorePort::Bind(bool allowStandardUserSetAdvance,
                              bool allowStandardUserSetProfile) {
  policy_.utility = Utility::kStation;
  policy_.allowStandardUserSetAdvance = allowStandardUserSetAdvance;
  policy_.allowStandardUserSetProfile = allowStandardUserSetProfile;
}

void ParameterStorePort::SetAdministrator(bool administrator) {
  // The store binds once the policy is complete, which takes knowing who the user is.
  policy_.isAdministrator = administrator;
  store_ = std::make_unique<ParameterStore>(registry_, service_, policy_);
}

int32_t ParameterStorePort::SetValue(std::string_view path, std::string_view name, uint32_t type,
                                     const uint8_t* data, uint32_t length, Area area) {
  if (!store_) return ERROR_INVALID_HANDLE;
  const PolicyArea policyArea = area == Area::kProfile ? PolicyArea::kProfile : PolicyArea::kAdvanced;
  HKEY key = 0;
  int32_t error = store_->StoreOpenKey(HKEY_LOCAL_MACHINE, path, KEY_WRITE, &key, policyArea);
  if (error != ERROR_SUCCESS) return error;
  error = store_->StoreSetValue(key, name, type, data, length, path, policyArea);
  if (key != 0) registry_.CloseKey(key);
  return error;
}

int32_t ParameterStorePort::DeleteValue(std::string_view path, std::string_view name, Area area) {
  if (!store_) return ERROR_INVALID_HANDLE;
  const PolicyArea policyArea = area == Area::kProfile ? PolicyArea::kProfile : PolicyArea::kAdvanced;
  HKEY key = 0;
  int32_t error = store_->StoreOpenKey(HKEY_LOCAL_MACHINE, path, KEY_WRITE, &key, policyArea);
  if (error != ERROR_SUCCESS) return error;
  error = store_->StoreDeleteValue(key, name, path, policyArea);
  if (key != 0) registry_.CloseKey(key);
  return error;
}

int32_t ParameterStorePort::CreateKey(std::string_view path, Area area) {
  if (!store_) return ERROR_INVALID_HANDLE;
  const PolicyArea policyArea = area == Area::kProfile ? PolicyArea::kProfile : PolicyArea::kAdvanced;
  HKEY key = 0;
  int32_t error = store_->StoreCreateKey(HKEY_LOCAL_MACHINE, path, KEY_WRITE, &key, policyArea);
  if (key != 0) registry_.CloseKey(key);
  return error;
}

std::string LanguagePort::Text(std::string_view key) const {
  auto found = LangKeyFromName(key);
  return found ? language_.Text(*found) : std::string();
}

}  // namespace kavo9
