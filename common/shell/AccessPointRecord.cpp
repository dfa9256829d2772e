#include "common/shell/AccessPointRecord.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <set>
#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AdapterKey.h"

namespace kavo9 {
namespace {

constexpr AccessPointDefault kDefaults[] = {
    {"Radio", REG_SZ, "0"},
    {"TransRate", REG_SZ, "0"},
    {"TurboRate", REG_SZ, "0"},
    {"BGProtection", REG_SZ, "0"},
    {"ShortSlot", REG_SZ, "1"},
    {"Channel", REG_SZ, "1"},
    {"PreambleType", REG_SZ, "0"},
    {"TXPower", REG_SZ, "0"},
    {"RtsThresh", REG_SZ, "2347"},
    {"FragThresh", REG_SZ, "0"},
    {"AuthenType", REG_SZ, "0"},
    {"Encryption", REG_SZ, "1"},
    {"WPAPSK", REG_SZ, ""},
    {"WEPKeyUse", REG_SZ, "1"},
    {"WEPKey1Type", REG_SZ, "0"},
    {"WEPKey2Type", REG_SZ, "0"},
    {"WEPKey3Type", REG_SZ, "0"},
    {"WEPKey4Type", REG_SZ, "0"},
    {"WEPKey1", REG_SZ, ""},
    {"WEPKey2", REG_SZ, ""},
    {"WEPKey3", REG_SZ, ""},
    {"WEPKey4", REG_SZ, ""},
    {"RekeyInterval", REG_SZ, "60"},
    {"RekeyMethod", REG_SZ, "0"},
    {"RadiusIP", REG_SZ, ""},
    {"RadiusPort", REG_SZ, ""},
    {"RadiusKey", REG_SZ, ""},
    {"AccessControlPolicy", REG_SZ, "0"},
    {"AccessControlList", REG_MULTI_SZ, ""},
    {"WdsEnable", REG_SZ, "1"},
    {"WdsList", REG_MULTI_SZ, ""},
    {"AutoChannelSelect", REG_SZ, "0"},
    {"NoForwarding", REG_SZ, "0"},
    {"HideSSID", REG_SZ, "0"},
    {"BeaconPeriod", REG_SZ, "100"},
};

// Every value of the record: the created ones, the ones the soft-AP utility adds and the ones its
// configuration page writes.
constexpr std::string_view kNames[] = {
    "SSID",
    "Radio",
    "WirelessMode",
    "TransRate",
    "TurboRate",
    "BGProtection",
    "ShortSlot",
    "CountryRegion",
    "CountryRegionABand",
    "Channel",
    "PreambleType",
    "TXPower",
    "RtsThresh",
    "FragThresh",
    "AuthenType",
    "Encryption",
    "WPAPSK",
    "WEPKey1Type",
    "WEPKey2Type",
    "WEPKey3Type",
    "WEPKey4Type",
    "WEPKeyUse",
    "WEPKey1",
    "WEPKey2",
    "WEPKey3",
    "WEPKey4",
    "RekeyInterval",
    "RekeyMethod",
    "RadiusIP",
    "RadiusPort",
    "RadiusKey",
    "AccessControlPolicy",
    "AccessControlList",
    "WdsEnable",
    "WdsList",
    "AutoChannelSelect",
    "NoForwarding",
    "HideSSID",
    "BeaconPeriod",
    "IdleTime",
    "TXBurst",
    "TransmitSetting",
    "AllowBW40Capability",
    "RunOnceInitConfigTxBurst",
};

}  // namespace

bool IsAccessPointValue(std::string_view name) {
  return std::any_of(std::begin(kNames), std::end(kNames), [name](std::string_view n) {
    return n.size() == name.size() && strncasecmp(n.data(), name.data(), n.size()) == 0;
  });
}

std::span<const std::string_view> AccessPointValueNames() {
  return kNames;
}

std::span<const AccessPointDefault> AccessPointDefaults() {
  return kDefaults;
}

std::string DefaultAccessPointSsid(uint8_t lastMacByte) {
  char text[16];
  std::snprintf(text, sizeof text, "SoftAP-%02X", lastMacByte);
  return text;
}

bool CreateAccessPointRecordIfMissing(Registry& registry, StorePort& store, DriverPort& driver,
                                      std::string_view adapterKey, bool htFamily) {
  if (adapterKey.empty()) return false;
  const std::string path = SubkeyPath(adapterKey, kAccessPointValuesSubkey);
  // The values already there (a record may be partial: the transmit-burst take-over writes two
  // values into a record that did not exist yet). What is there is kept.
  std::set<std::string> present;
  {
    ScopedKey existing(registry);
    if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &existing) == ERROR_SUCCESS) {
      std::string name;
      uint32_t type = 0;
      std::vector<uint8_t> data;
      for (uint32_t i = 0;
           registry.EnumValue(existing.get(), i, &name, &type, &data) == ERROR_SUCCESS; ++i) {
        for (char& ch : name) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        present.insert(name);
      }
    }
  }
  auto missing = [&present](std::string_view name) {
    std::string lower(name);
    for (char& ch : lower) ch = char(std::tolower(static_cast<unsigned char>(ch)));
    return present.count(lower) == 0;
  };
  const bool anyMissing = missing("SSID") || missing("WirelessMode") ||
                          std::any_of(std::begin(kDefaults), std::end(kDefaults),
                                      [&](const AccessPointDefault& d) { return missing(d.name); });
  if (!anyMissing) return false;

  bool complete = store.CreateKey(path, StorePort::Area::kAdvanced) == ERROR_SUCCESS;
  if (missing("SSID")) {
    std::array<uint8_t, 6> mac{};
    QueryValue(driver, OID_802_3_CURRENT_ADDRESS, &mac);
    complete &= StoreText(store, path, "SSID", DefaultAccessPointSsid(mac[5])) == ERROR_SUCCESS;
  }
  if (missing("WirelessMode")) {
    complete &= StoreText(store, path, "WirelessMode", htFamily ? "9" : "0") == ERROR_SUCCESS;
  }
  for (const AccessPointDefault& d : kDefaults) {
    if (!missing(d.name)) continue;
    if (d.type == REG_MULTI_SZ) {
      const uint8_t emptyList[1] = {0};
      complete &= store.SetValue(path, d.name, REG_MULTI_SZ, emptyList, 1,
                                 StorePort::Area::kAdvanced) == ERROR_SUCCESS;
    } else {
      complete &= StoreText(store, path, d.name, d.text) == ERROR_SUCCESS;
    }
  }
  return complete;
}

}  // namespace kavo9
