// An adapter of the machine: identity, versions, bands, fixed regions, its key's values and its
// register seeds.
#include <cstdio>

#include "sim/emulator/ScenarioReader.h"

namespace kavo9::scenario {
namespace {

bool ParseRegisters(const json& doc, const std::string& path, AdapterSpec* a, std::string* error) {
  ObjectReader r(doc, path, error);
  static const char* kTypes[4] = {"mac", "bbp", "rf", "eeprom"};
  for (int type = 0; type < 4 && r.ok(); ++type) {
    const json* table = r.Find(kTypes[type]);
    if (!table) continue;
    std::string tablePath = r.Path(kTypes[type]);
    if (!table->is_object()) {
      r.Fail(tablePath, "expected an object of \"offset\": value");
      break;
    }
    for (auto it = table->begin(); it != table->end(); ++it) {
      int64_t offset = 0, value = 0;
      std::string valuePath = tablePath + "/" + it.key();
      if (!ObjectReader::ParseNumberText(it.key(), &offset) || offset < 0 ||
          offset > 0xFFFFFFFFLL) {
        r.Fail(valuePath, "expected a register offset such as \"0x36\"");
        break;
      }
      bool valueOk = it->is_number_integer() ? (value = it->get<int64_t>(), true)
                     : it->is_string()
                         ? ObjectReader::ParseNumberText(it->get<std::string>(), &value)
                         : false;
      if (!valueOk || value < 0 || value > 0xFFFFFFFFLL) {
        r.Fail(valuePath, "expected a 32-bit register value");
        break;
      }
      a->registers[type][uint32_t(offset)] = uint32_t(value);
    }
  }
  r.Finish();
  return r.ok();
}

// The names and the identity the device instance is published with.
void ReadIdentity(ObjectReader& r, size_t index, AdapterSpec* a) {
  a->name = "adapter" + std::to_string(index);
  r.String("name", &a->name);
  if (r.ok() && (a->name.empty() || a->name.find_first_of(" /\\") != std::string::npos)) {
    r.Fail(r.Path("name"), "expected a short name without spaces or slashes");
  }
  r.String("family", &a->family);
  if (const json* ids = r.Find("hardwareIds")) {
    if (!ids->is_array() || ids->empty()) {
      r.Fail(r.Path("hardwareIds"), "expected a non-empty list of strings");
    } else {
      for (size_t i = 0; i < ids->size() && r.ok(); ++i) {
        if (!(*ids)[i].is_string() || (*ids)[i].get<std::string>().size() > 255) {
          r.Fail(r.Path("hardwareIds") + "/" + std::to_string(i), "expected a hardware id string");
        } else {
          a->hardwareIds.push_back((*ids)[i].get<std::string>());
        }
      }
    }
  } else {
    r.Fail(r.Path("hardwareIds"), "missing");
  }
  r.String("friendlyName", &a->friendlyName);
  r.String("deviceDescription", &a->deviceDescription, true);
  r.String("locationInformation", &a->locationInformation);
  r.String("manufacturer", &a->manufacturer);
  r.String("instanceId", &a->instanceId, true);
  if (r.ok() &&
      (a->instanceId.size() != 38 || a->instanceId.front() != '{' || a->instanceId.back() != '}')) {
    r.Fail(r.Path("instanceId"), "expected a GUID in braces");
  }
  a->driverKey = "";
  r.String("driverKey", &a->driverKey);
  if (r.ok() && a->driverKey.empty()) {
    char text[8];
    std::snprintf(text, sizeof text, "%04u", unsigned(7 + index));
    a->driverKey = text;
  }
  if (r.ok() && (a->driverKey.size() != 4 ||
                 a->driverKey.find_first_not_of("0123456789") != std::string::npos)) {
    r.Fail(r.Path("driverKey"), "expected four digits such as \"0007\"");
  }
  r.Mac("mac", &a->mac, true);
}

// Driver, EEPROM and firmware versions as "major.minor".
void ReadVersions(ObjectReader& r, AdapterSpec* a) {
  if (!r.ok()) return;
  std::string text;
  r.String("driverVersion", &text);
  std::array<uint8_t, 2> pair{};
  if (r.ok() && !text.empty()) {
    if (!ParseVersionPair(text, &pair)) r.Fail(r.Path("driverVersion"), "expected \"major.minor\"");
    a->driverVersion = uint16_t(pair[0] << 8 | pair[1]);
  }
  text.clear();
  r.String("eepromVersion", &text);
  if (r.ok() && !text.empty() && !ParseVersionPair(text, &a->eepromVersion)) {
    r.Fail(r.Path("eepromVersion"), "expected \"major.minor\"");
  }
  text.clear();
  r.String("firmwareVersion", &text);
  if (r.ok() && !text.empty()) {
    if (!ParseVersionPair(text, &pair)) {
      r.Fail(r.Path("firmwareVersion"), "expected \"major.minor\"");
    }
    a->firmwareVersion = {pair[1], pair[0]};
  }
}

// The bands, whether the driver is loaded and the adapter plugged, and the fixed regions.
void ReadRadio(ObjectReader& r, AdapterSpec* a) {
  if (const json* bands = r.Find("bands")) {
    a->band24 = a->band5 = false;
    bool ok = bands->is_array() && !bands->empty();
    for (size_t i = 0; ok && i < bands->size(); ++i) {
      const json& b = (*bands)[i];
      if (b == "2.4")
        a->band24 = true;
      else if (b == "5")
        a->band5 = true;
      else
        ok = false;
    }
    if (!ok) r.Fail(r.Path("bands"), "expected a list of \"2.4\" and \"5\"");
  }
  r.Bool("driverLoaded", &a->driverLoaded);
  r.Bool("plugged", &a->plugged);
  r.Int("antennas", 1, 3, &a->antennas);
  uint8_t region = 0;
  if (r.Find("fixedRegion24")) {
    r.Int("fixedRegion24", 0, 127, &region);
    a->fixedRegion24 = region;
  }
  if (r.Find("fixedRegion5")) {
    r.Int("fixedRegion5", 0, 127, &region);
    a->fixedRegion5 = region;
  }
}

// The adapter key's values, as text.
void ReadParameters(ObjectReader& r, AdapterSpec* a) {
  const json* params = r.Find("parameters");
  if (!params) return;
  if (!params->is_object()) {
    r.Fail(r.Path("parameters"), "expected an object of name: value");
    return;
  }
  for (auto it = params->begin(); it != params->end() && r.ok(); ++it) {
    if (it->is_string())
      a->parameters[it.key()] = it->get<std::string>();
    else if (it->is_number_integer())
      a->parameters[it.key()] = std::to_string(it->get<int64_t>());
    else
      r.Fail(r.Path("parameters") + "/" + it.key(), "expected a string or an integer");
  }
}

}  // namespace

bool ParseAdapter(const json& doc, const std::string& path, size_t index, AdapterSpec* a,
                  std::string* error) {
  ObjectReader r(doc, path, error);
  ReadIdentity(r, index, a);
  ReadVersions(r, a);
  ReadRadio(r, a);
  ReadParameters(r, a);
  if (const json* regs = r.Find("registers")) {
    if (r.ok() && !ParseRegisters(*regs, r.Path("registers"), a, error)) return false;
  }
  r.Finish();
  return r.ok();
}

}  // namespace kavo9::scenario
