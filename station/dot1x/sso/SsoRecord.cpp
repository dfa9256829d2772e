#include "station/dot1x/sso/SsoRecord.h"

#include <strings.h>

#include <vector>

#include "common/platform/WinTypes.h"

namespace kavo9::sso {
namespace {

constexpr StorePort::Area kArea = StorePort::Area::kProfile;

std::optional<std::string> ReadText(Registry& registry, std::string_view path,
                                    std::string_view name, size_t maxLength) {
  ScopedKey key(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::vector<uint8_t> data(maxLength + 1);
  uint32_t type = 0;
  uint32_t length = uint32_t(data.size());
  if (registry.QueryValue(key.get(), name, &type, data.data(), &length) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::string text = RegStringFromBytes(data.data(), length);
  if (text.size() > maxLength) return std::nullopt;
  return text;
}

}  // namespace

bool SsoKeyOpens(Registry& registry) {
  ScopedKey key(registry);
  return registry.OpenKey(HKEY_LOCAL_MACHINE, kSsoKey, KEY_READ, &key) == ERROR_SUCCESS;
}

std::optional<std::string> ReadSsoValue(Registry& registry, std::string_view name,
                                        size_t maxLength) {
  return ReadText(registry, kSsoKey, name, maxLength);
}

std::optional<SsoRecord> ReadSsoRecord(Registry& registry) {
  if (!SsoKeyOpens(registry)) return std::nullopt;
  auto v = [&registry](const char* name) { return ReadSsoValue(registry, name); };
  SsoRecord r;
  r.install = v(kInstallValue);
  r.enable = v(kEnableValue);
  r.savedPassword = v(kSavedPasswordValue);
  r.curProfile = v(kCurProfileValue);
  r.deviceRegistryPath = v(kDeviceRegistryPathValue);
  r.profilePath = v(kProfilePathValue);
  r.profileName = v(kProfileNameValue);
  r.cardName = v(kCardNameValue);
  r.cancelled = v(kCancelledValue);
  r.releaseAegis = v(kReleaseAegisValue);
  r.winlogonDomain = v(kWinlogonDomainValue);
  return r;
}

bool InstallFlagSet(const std::optional<std::string>& install) {
  return install && *install == "1";
}

bool EnableFlagSet(const std::optional<std::string>& enable) {
  return enable && *enable != "0";
}

SavedPassword SavedPasswordChoice(const std::optional<std::string>& text) {
  if (!text || *text == "0") return SavedPassword::kWindowsLogon;
  if (*text == "1") return SavedPassword::kProfile;
  return SavedPassword::kPrompt;
}

std::string ProfileNameText(std::string_view profile) {
  return "Profile Name: " + std::string(profile);
}

std::string CardNameText(std::string_view driverDescription) {
  return "Card Name: " + std::string(driverDescription);
}

std::string ProfilePathText(std::string_view adapterKey, std::string_view profile) {
  return std::string(adapterKey) + "\\Profile\\Station\\" + std::string(profile);
}

int32_t SsoKeyWriter::Set(std::string_view name, std::string_view text) {
  return StoreText(store_, kSsoKey, name, text, kArea);
}

void SsoKeyWriter::DeleteSubkeys() {
  // The names first: deleting while enumerating would skip every other subkey.
  std::vector<std::string> names;
  {
    ScopedKey key(registry_);
    if (registry_.OpenKey(HKEY_LOCAL_MACHINE, kSsoKey, KEY_READ, &key) != ERROR_SUCCESS) return;
    std::string name;
    for (uint32_t i = 0; registry_.EnumKey(key.get(), i, &name) == ERROR_SUCCESS; ++i) {
      names.push_back(name);
    }
  }
  for (const std::string& name : names) {
    store_.DeleteTree(std::string(kSsoKey) + "\\" + name, kArea);
  }
}

bool SsoKeyWriter::GinaIsOurs() const {
  const auto gina = ReadText(registry_, kWinlogonKey, kGinaValue, 255);
  return gina && ::strcasecmp(gina->c_str(), kSsoGina) == 0;
}

bool SsoKeyWriter::InstallGina() {
  const auto gina = ReadText(registry_, kWinlogonKey, kGinaValue, 255);
  if (gina && !gina->empty() && ::strcasecmp(gina->c_str(), kSsoGina) != 0) return false;
  StoreText(store_, kWinlogonKey, kGinaValue, kSsoGina, kArea);
  return true;
}

void SsoKeyWriter::RemoveGina() {
  if (GinaIsOurs()) store_.DeleteValue(kWinlogonKey, kGinaValue, kArea);
}

}  // namespace kavo9::sso
