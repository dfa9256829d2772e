#include "sim/emulator/Scenario.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "common/platform/DeviceEnum.h"
#include "sim/emulator/ScenarioReader.h"

namespace kavo9 {

using scenario::json;
using scenario::ObjectReader;
using scenario::ParseAdapter;
using scenario::ParseUser;
using scenario::ParseWindows;

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

std::string AdapterSpec::DriverKeyName() const {
  return std::string(kNetClassGuid) + "\\" + driverKey;
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
  if (const json* domain = r.Find("domain"); domain && r.ok()) {
    DomainSpec spec;
    if (!ParseDomain(*domain, "/domain", &spec, error)) return false;
    s->domain = std::move(spec);
  }
  if (const json* stations = r.Find("stations"); stations && r.ok()) {
    if (!stations->is_array()) {
      r.Fail("/stations", "expected a list");
    } else {
      std::set<MacAddress> macs;
      for (size_t i = 0; i < stations->size(); ++i) {
        std::string path = "/stations/" + std::to_string(i);
        StationSpec st;
        if (!ParseStation((*stations)[i], path, &st, error)) return false;
        if (!macs.insert(st.mac).second) {
          r.Fail(path + "/mac", "used by another station");
          return false;
        }
        s->stations.push_back(std::move(st));
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
