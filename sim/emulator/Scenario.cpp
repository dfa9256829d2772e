#include "sim/emulator/Scenario.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <nlohmann/json.hpp>
#include <set>

#include "common/platform/DeviceEnum.h"

namespace kavo9 {
namespace {

using nlohmann::json;

// Reads the members of one JSON object, remembering the first fault with its path. Members that
// no read asked for are faults too, so a misspelt key is reported instead of silently ignored.
class ObjectReader {
 public:
  ObjectReader(const json& object, std::string path, std::string* error)
      : object_(object), path_(std::move(path)), error_(error) {
    if (!object_.is_object()) Fail(path_, "expected an object");
  }

  bool ok() const { return ok_; }
  std::string Path(std::string_view key) const { return path_ + "/" + std::string(key); }

  const json* Find(const char* key) {
    seen_.insert(key);
    if (!ok_) return nullptr;
    auto it = object_.find(key);
    return it == object_.end() ? nullptr : &*it;
  }

  void String(const char* key, std::string* out, bool required = false, size_t maxLength = 255) {
    const json* v = Find(key);
    if (!v) return Missing(key, required);
    if (!v->is_string()) return Fail(Path(key), "expected a string");
    std::string text = v->get<std::string>();
    if (text.size() > maxLength) {
      return Fail(Path(key), "longer than " + std::to_string(maxLength) + " characters");
    }
    *out = std::move(text);
  }

  template <typename T>
  void Int(const char* key, int64_t min, int64_t max, T* out, bool required = false) {
    const json* v = Find(key);
    if (!v) return Missing(key, required);
    int64_t value = 0;
    if (v->is_number_integer()) {
      value = v->get<int64_t>();
    } else if (v->is_string() && ParseNumberText(v->get<std::string>(), &value)) {
    } else {
      return Fail(Path(key), "expected an integer");
    }
    if (value < min || value > max) {
      return Fail(Path(key), "out of range " + std::to_string(min) + ".." + std::to_string(max));
    }
    *out = static_cast<T>(value);
  }

  void Bool(const char* key, bool* out) {
    const json* v = Find(key);
    if (!v) return;
    if (!v->is_boolean()) return Fail(Path(key), "expected true or false");
    *out = v->get<bool>();
  }

  void Mac(const char* key, MacAddress* out, bool required = false) {
    const json* v = Find(key);
    if (!v) return Missing(key, required);
    if (!v->is_string() || !ParseMac(v->get<std::string>(), out)) {
      return Fail(Path(key), "expected a MAC address like 00-1D-5A-30-70-01");
    }
  }

  // Call after every member was read: refuses members nobody asked for.
  void Finish() {
    if (!ok_) return;
    for (auto it = object_.begin(); it != object_.end(); ++it) {
      if (!seen_.count(it.key())) return Fail(Path(it.key()), "unknown member");
    }
  }

  void Fail(const std::string& path, const std::string& what) {
    if (!ok_) return;
    ok_ = false;
    *error_ = path + ": " + what;
  }

  static bool ParseNumberText(const std::string& text, int64_t* value) {
    if (text.empty()) return false;
    try {
      size_t used = 0;
      long long v = std::stoll(text, &used, 0);  // decimal, or 0x hexadecimal
      if (used != text.size()) return false;
      *value = v;
      return true;
    } catch (...) {
      return false;
    }
  }

 private:
  void Missing(const char* key, bool required) {
    if (required) Fail(Path(key), "missing");
  }

  const json& object_;
  std::string path_;
  std::string* error_;
  std::set<std::string> seen_;
  bool ok_ = true;
};

bool ParseVersionPair(const std::string& text, std::array<uint8_t, 2>* out) {
  unsigned a = 0, b = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u.%u%c", &a, &b, &tail) != 2 || a > 255 || b > 255) return false;
  *out = {uint8_t(a), uint8_t(b)};
  return true;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>* out) {
  out->clear();
  std::string digits;
  for (char c : text) {
    if (c == '-' || c == ':' || c == ' ') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    digits += c;
  }
  if (digits.size() % 2) return false;
  for (size_t i = 0; i < digits.size(); i += 2) {
    out->push_back(uint8_t(std::stoul(digits.substr(i, 2), nullptr, 16)));
  }
  return true;
}

bool ParseWindows(const json& doc, const std::string& path, MachineDescription* m,
                  std::string* error) {
  ObjectReader r(doc, path, error);
  std::string name;
  r.String("name", &name);
  if (r.ok() && !name.empty()) {
    struct Known {
      const char* name;
      OsVersionInfo version;
    };
    static const Known kKnown[] = {
        {"98se", {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, 0}},
        {"me", {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, 0}},
        {"2000", {VER_PLATFORM_WIN32_NT, 5, 0, 2195, VER_NT_WORKSTATION}},
        {"xp", {VER_PLATFORM_WIN32_NT, 5, 1, 2600, VER_NT_WORKSTATION}},
        {"xp-x64", {VER_PLATFORM_WIN32_NT, 5, 2, 3790, VER_NT_WORKSTATION}},
        {"2003", {VER_PLATFORM_WIN32_NT, 5, 2, 3790, VER_NT_SERVER}},
        {"vista", {VER_PLATFORM_WIN32_NT, 6, 0, 6000, VER_NT_WORKSTATION}},
    };
    bool found = false;
    for (const Known& k : kKnown) {
      if (name == k.name) {
        m->version = k.version;
        found = true;
      }
    }
    if (!found)
      r.Fail(r.Path("name"),
             "unknown Windows \"" + name + "\" (98se, me, 2000, xp, xp-x64, 2003, vista)");
  }
  r.Int("platform", 0, 2, &m->version.platformId);
  r.Int("major", 0, 99, &m->version.major);
  r.Int("minor", 0, 99, &m->version.minor);
  r.Int("build", 0, 0xFFFFFFFFLL, &m->version.build);
  r.Int("productType", 0, 3, &m->version.productType);
  r.Bool("extendedRefused", &m->extendedVersionRefused);
  r.Bool("wow64Known", &m->wow64Known);
  r.Bool("wow64", &m->wow64);
  r.Int("languageId", 0, 0xFFFF, &m->languageId);
  r.Finish();
  return r.ok();
}

bool ParseUser(const json& doc, const std::string& path, MachineDescription* m,
               std::string* error) {
  ObjectReader r(doc, path, error);
  r.String("name", &m->userName);
  r.Bool("administrator", &m->administrator);
  r.Finish();
  return r.ok();
}

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

bool ParseAdapter(const json& doc, const std::string& path, size_t index, AdapterSpec* a,
                  std::string* error) {
  ObjectReader r(doc, path, error);
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
  std::string text;
  if (r.ok()) {
    text.clear();
    r.String("driverVersion", &text);
    std::array<uint8_t, 2> pair{};
    if (r.ok() && !text.empty()) {
      if (!ParseVersionPair(text, &pair))
        r.Fail(r.Path("driverVersion"), "expected \"major.minor\"");
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
      if (!ParseVersionPair(text, &pair))
        r.Fail(r.Path("firmwareVersion"), "expected \"major.minor\"");
      a->firmwareVersion = {pair[1], pair[0]};
    }
  }
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
  uint8_t region = 0;
  if (r.Find("fixedRegion24")) {
    r.Int("fixedRegion24", 0, 127, &region);
    a->fixedRegion24 = region;
  }
  if (r.Find("fixedRegion5")) {
    r.Int("fixedRegion5", 0, 127, &region);
    a->fixedRegion5 = region;
  }
  if (const json* params = r.Find("parameters")) {
    if (!params->is_object()) {
      r.Fail(r.Path("parameters"), "expected an object of name: value");
    } else {
      for (auto it = params->begin(); it != params->end() && r.ok(); ++it) {
        if (it->is_string())
          a->parameters[it.key()] = it->get<std::string>();
        else if (it->is_number_integer())
          a->parameters[it.key()] = std::to_string(it->get<int64_t>());
        else
          r.Fail(r.Path("parameters") + "/" + it.key(), "expected a string or an integer");
      }
    }
  }
  if (const json* regs = r.Find("registers")) {
    if (r.ok() && !ParseRegisters(*regs, r.Path("registers"), a, error)) return false;
  }
  r.Finish();
  return r.ok();
}

bool ParseSecurity(const std::string& text, Security* s) {
  static const std::pair<const char*, Security> kNames[] = {
      {"open", Security::kOpen},
      {"wep", Security::kWep},
      {"wpa-psk", Security::kWpaPsk},
      {"wpa2-psk", Security::kWpa2Psk},
      {"wpa-wpa2-psk", Security::kWpaWpa2Psk},
      {"wpa-enterprise", Security::kWpaEnterprise},
      {"wpa2-enterprise", Security::kWpa2Enterprise},
      {"wpa-wpa2-enterprise", Security::kWpaWpa2Enterprise},
  };
  for (const auto& [name, value] : kNames) {
    if (text == name) {
      *s = value;
      return true;
    }
  }
  return false;
}

bool ValidChannel(int channel) {
  if (channel >= 1 && channel <= 14) return true;
  static const int k5[] = {34,  36,  38,  40,  42,  44,  46,  48,  52,  56,  60,
                           64,  100, 104, 108, 112, 116, 120, 124, 128, 132, 136,
                           140, 149, 153, 157, 161, 165, 184, 188, 192, 196};
  for (int c : k5) {
    if (c == channel) return true;
  }
  return false;
}

}  // namespace

bool ParseMac(std::string_view text, MacAddress* mac) {
  if (text.size() != 17) return false;
  MacAddress result{};
  for (size_t i = 0; i < 6; ++i) {
    if (i > 0 && text[i * 3 - 1] != '-' && text[i * 3 - 1] != ':') return false;
    unsigned value = 0;
    for (size_t j = 0; j < 2; ++j) {
      char c = text[i * 3 + j];
      int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                  : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                  : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                                                              : -1;
      if (digit < 0) return false;
      value = value * 16 + unsigned(digit);
    }
    result[i] = uint8_t(value);
  }
  *mac = result;
  return true;
}

std::string FormatMac(const MacAddress& mac) {
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

std::string_view SecurityName(Security security) {
  switch (security) {
    case Security::kOpen:
      return "open";
    case Security::kWep:
      return "wep";
    case Security::kWpaPsk:
      return "wpa-psk";
    case Security::kWpa2Psk:
      return "wpa2-psk";
    case Security::kWpaWpa2Psk:
      return "wpa-wpa2-psk";
    case Security::kWpaEnterprise:
      return "wpa-enterprise";
    case Security::kWpa2Enterprise:
      return "wpa2-enterprise";
    case Security::kWpaWpa2Enterprise:
      return "wpa-wpa2-enterprise";
  }
  return "open";
}

std::string AdapterSpec::DriverKeyName() const {
  return std::string(kNetClassGuid) + "\\" + driverKey;
}

bool ParseNetwork(const json& doc, std::string_view path, NetworkSpec* n, std::string* error) {
  *n = NetworkSpec{};
  ObjectReader r(doc, std::string(path), error);
  r.String("ssid", &n->ssid, true, 32);
  r.Mac("bssid", &n->bssid, true);
  r.Int("channel", 1, 196, &n->channel, true);
  if (r.ok() && !ValidChannel(n->channel))
    r.Fail(r.Path("channel"), "not a channel of the 2.4 or 5 GHz bands");
  r.Int("signal", -120, 0, &n->signal);
  std::string text;
  r.String("security", &text);
  if (r.ok() && !text.empty() && !ParseSecurity(text, &n->security)) {
    r.Fail(r.Path("security"),
           "expected open, wep, wpa-psk, wpa2-psk, wpa-wpa2-psk, wpa-enterprise, "
           "wpa2-enterprise or wpa-wpa2-enterprise");
  }
  if (const json* ciphers = r.Find("ciphers")) {
    bool ok = ciphers->is_array() && !ciphers->empty();
    for (size_t i = 0; ok && i < ciphers->size(); ++i) {
      if ((*ciphers)[i] == "tkip")
        n->tkip = true;
      else if ((*ciphers)[i] == "aes")
        n->aes = true;
      else
        ok = false;
    }
    if (!ok) r.Fail(r.Path("ciphers"), "expected a list of \"tkip\" and \"aes\"");
  } else {
    switch (n->security) {
      case Security::kWpaPsk:
      case Security::kWpaEnterprise:
        n->tkip = true;
        break;
      case Security::kWpa2Psk:
      case Security::kWpa2Enterprise:
        n->aes = true;
        break;
      case Security::kWpaWpa2Psk:
      case Security::kWpaWpa2Enterprise:
        n->tkip = n->aes = true;
        break;
      default:
        break;
    }
  }
  if (r.ok() && (n->security == Security::kOpen || n->security == Security::kWep) &&
      (n->tkip || n->aes)) {
    r.Fail(r.Path("ciphers"), "only WPA and WPA2 networks have ciphers");
  }
  r.String("key", &n->key, false, 64);
  r.Bool("hidden", &n->hidden);
  text.clear();
  r.String("mode", &text);
  if (r.ok() && !text.empty()) {
    if (text == "adhoc")
      n->adhoc = true;
    else if (text != "infrastructure")
      r.Fail(r.Path("mode"), "expected infrastructure or adhoc");
  }
  text.clear();
  r.String("phy", &text);
  if (r.ok() && !text.empty()) {
    if (text == "b")
      n->bOnly = true;
    else if (text == "n")
      n->ht.enabled = true;
    else if (text != "g" && text != "a")
      r.Fail(r.Path("phy"), "expected b, g, a or n");
  }
  if (r.ok() && n->bOnly && n->Is5GHz()) r.Fail(r.Path("phy"), "802.11b has no 5 GHz channels");
  r.Int("beaconInterval", 1, 65535, &n->beaconInterval);
  if (const json* ht = r.Find("ht"); ht && r.ok()) {
    ObjectReader h(*ht, r.Path("ht"), error);
    n->ht.enabled = true;
    h.Int("width", 20, 40, &n->ht.width);
    if (h.ok() && n->ht.width != 20 && n->ht.width != 40)
      h.Fail(h.Path("width"), "expected 20 or 40");
    text.clear();
    h.String("secondary", &text);
    if (h.ok() && !text.empty()) {
      if (text == "above")
        n->ht.secondary = 1;
      else if (text == "below")
        n->ht.secondary = 3;
      else if (text != "none")
        h.Fail(h.Path("secondary"), "expected above, below or none");
    }
    if (h.ok() && n->ht.width == 40 && n->ht.secondary == 0) n->ht.secondary = 1;
    h.Bool("shortGi", &n->ht.shortGi);
    h.Bool("greenfield", &n->ht.greenfield);
    h.Int("streams", 1, 2, &n->ht.streams);
    h.Bool("vendorElements", &n->ht.vendorElements);
    h.Finish();
    if (!h.ok()) return false;
  }
  if (const json* wps = r.Find("wps"); wps && r.ok()) {
    ObjectReader w(*wps, r.Path("wps"), error);
    n->wps.enabled = true;
    text.clear();
    w.String("state", &text);
    if (w.ok() && !text.empty()) {
      if (text == "unconfigured")
        n->wps.state = 1;
      else if (text != "configured")
        w.Fail(w.Path("state"), "expected configured or unconfigured");
    }
    w.Bool("locked", &n->wps.locked);
    w.Bool("pushButton", &n->wps.pushButton);
    w.String("pin", &n->wps.pin, false, 8);
    if (w.ok() && !n->wps.pin.empty() &&
        ((n->wps.pin.size() != 8 && n->wps.pin.size() != 4) ||
         n->wps.pin.find_first_not_of("0123456789") != std::string::npos)) {
      w.Fail(w.Path("pin"), "expected 4 or 8 digits");
    }
    w.Int("configMethods", 0, 0xFFFF, &n->wps.configMethods);
    text.clear();
    w.String("uuid", &text);
    std::vector<uint8_t> bytes;
    if (w.ok() && !text.empty()) {
      if (!ParseHex(text, &bytes) || bytes.size() != 16)
        w.Fail(w.Path("uuid"), "expected 16 bytes in hexadecimal");
      else
        std::copy(bytes.begin(), bytes.end(), n->wps.uuid.begin());
    } else if (w.ok()) {
      // A stable UUID-E derived from the BSSID, as access points derive theirs from the MAC.
      for (size_t i = 0; i < 16; ++i) n->wps.uuid[i] = uint8_t(n->bssid[i % 6] ^ (0x28 + i * 17));
    }
    w.Finish();
    if (!w.ok()) return false;
  }
  r.Finish();
  return r.ok();
}

json NetworkToJson(const NetworkSpec& n) {
  json j = {{"ssid", n.ssid},
            {"bssid", FormatMac(n.bssid)},
            {"channel", n.channel},
            {"signal", n.signal},
            {"security", SecurityName(n.security)}};
  json ciphers = json::array();
  if (n.tkip) ciphers.push_back("tkip");
  if (n.aes) ciphers.push_back("aes");
  if (!ciphers.empty()) j["ciphers"] = ciphers;
  if (n.hidden) j["hidden"] = true;
  if (n.adhoc) j["mode"] = "adhoc";
  if (n.bOnly) j["phy"] = "b";
  if (n.ht.enabled) {
    j["ht"] = {{"width", n.ht.width},
               {"secondary", n.ht.secondary == 1   ? "above"
                             : n.ht.secondary == 3 ? "below"
                                                   : "none"},
               {"shortGi", n.ht.shortGi},
               {"greenfield", n.ht.greenfield},
               {"streams", n.ht.streams},
               {"vendorElements", n.ht.vendorElements}};
  }
  if (n.wps.enabled) {
    j["wps"] = {{"state", n.wps.state == 1 ? "unconfigured" : "configured"},
                {"locked", n.wps.locked},
                {"pushButton", n.wps.pushButton},
                {"configMethods", n.wps.configMethods}};
    if (!n.wps.pin.empty()) j["wps"]["pin"] = n.wps.pin;
  }
  return j;
}

bool ParseScenarioJson(const json& doc, Scenario* s, std::string* error) {
  *s = Scenario{};
  ObjectReader r(doc, "", error);
  if (!r.ok()) {
    *error = "/: expected a JSON object";
    return false;
  }
  r.String("description", &s->description, false, 4096);
  if (const json* w = r.Find("windows"); w && r.ok()) {
    if (!ParseWindows(*w, "/windows", &s->machine, error)) return false;
  }
  if (const json* u = r.Find("user"); u && r.ok()) {
    if (!ParseUser(*u, "/user", &s->machine, error)) return false;
  }
  if (const json* adapters = r.Find("adapters"); adapters && r.ok()) {
    if (!adapters->is_array()) {
      r.Fail("/adapters", "expected a list");
    } else {
      std::set<std::string> names, guids, keys;
      for (size_t i = 0; i < adapters->size(); ++i) {
        std::string path = "/adapters/" + std::to_string(i);
        AdapterSpec a;
        if (!ParseAdapter((*adapters)[i], path, i, &a, error)) return false;
        if (!names.insert(a.name).second)
          r.Fail(path + "/name", "used by another adapter");
        else if (!guids.insert(a.instanceId).second)
          r.Fail(path + "/instanceId", "used by another adapter");
        else if (!keys.insert(a.driverKey).second)
          r.Fail(path + "/driverKey", "used by another adapter");
        if (!r.ok()) return false;
        s->adapters.push_back(std::move(a));
      }
    }
  }
  if (const json* networks = r.Find("networks"); networks && r.ok()) {
    if (!networks->is_array()) {
      r.Fail("/networks", "expected a list");
    } else {
      std::set<MacAddress> bssids;
      for (size_t i = 0; i < networks->size(); ++i) {
        std::string path = "/networks/" + std::to_string(i);
        NetworkSpec n;
        if (!ParseNetwork((*networks)[i], path, &n, error)) return false;
        if (!bssids.insert(n.bssid).second) {
          r.Fail(path + "/bssid", "used by another network");
          return false;
        }
        s->networks.push_back(std::move(n));
      }
    }
  }
  r.Finish();
  return r.ok();
}

bool ParseScenario(std::string_view text, Scenario* scenario, std::string* error) {
  json doc;
  try {
    doc = json::parse(text);
  } catch (const json::parse_error& e) {
    *error = ": not valid JSON (at byte " + std::to_string(e.byte) + ")";
    return false;
  }
  return ParseScenarioJson(doc, scenario, error);
}

bool LoadScenarioFile(const std::filesystem::path& file, Scenario* scenario, std::string* error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    *error = "cannot read " + file.string();
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  if (!ParseScenario(text.str(), scenario, error)) {
    *error = file.string() + ": " + *error;
    return false;
  }
  return true;
}

}  // namespace kavo9
