// The stations of a scenario that join the adapter's access point.
#include "sim/emulator/Scenario.h"
#include "sim/emulator/ScenarioReader.h"

#include <cctype>

namespace kavo9 {

using scenario::json;
using scenario::ObjectReader;

namespace {

struct StationSecurity {
  const char* name;
  Security security;
};
constexpr StationSecurity kSecurities[] = {{"open", Security::kOpen},
                                           {"wep", Security::kWep},
                                           {"wpa-psk", Security::kWpaPsk},
                                           {"wpa2-psk", Security::kWpa2Psk}};

bool HexDigits(const std::string& text) {
  for (char c : text) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

bool ParseStation(const json& doc, std::string_view path, StationSpec* st, std::string* error) {
  ObjectReader r(doc, std::string(path), error);
  r.String("name", &st->name, false, 64);
  r.Mac("mac", &st->mac, true);
  r.String("ssid", &st->ssid, true, 32);
  std::string security = "open";
  r.String("security", &security);
  r.String("key", &st->key, false, 64);
  r.Int("signal", -100, 0, &st->signal);
  r.Finish();
  if (!r.ok()) return false;
  bool known = false;
  for (const StationSecurity& s : kSecurities) {
    if (security == s.name) {
      st->security = s.security;
      known = true;
    }
  }
  if (!known) {
    r.Fail(r.Path("security"), "expected open, wep, wpa-psk or wpa2-psk");
  } else if (st->security == Security::kWep &&
             !((st->key.size() == 10 || st->key.size() == 26) && HexDigits(st->key))) {
    r.Fail(r.Path("key"), "a WEP key is 10 or 26 hexadecimal digits");
  } else if ((st->security == Security::kWpaPsk || st->security == Security::kWpa2Psk) &&
             (st->key.empty() || (st->key.size() == 64 && !HexDigits(st->key)))) {
    r.Fail(r.Path("key"), "a pass phrase of 1 to 63 characters or 64 hexadecimal digits");
  } else if (st->security == Security::kOpen && !st->key.empty()) {
    r.Fail(r.Path("key"), "an open station has no key");
  }
  if (st->name.empty()) st->name = FormatMac(st->mac);
  return r.ok();
}

json StationToJson(const StationSpec& st) {
  std::string security = "open";
  for (const StationSecurity& s : kSecurities) {
    if (s.security == st.security) security = s.name;
  }
  json doc = {{"name", st.name},
              {"mac", FormatMac(st.mac)},
              {"ssid", st.ssid},
              {"security", security},
              {"signal", st.signal}};
  if (!st.key.empty()) doc["key"] = st.key;
  return doc;
}

}  // namespace kavo9
