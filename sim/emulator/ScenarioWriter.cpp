// Scenario objects back to JSON, as the control tool shows and stores them.
#include <nlohmann/json.hpp>

#include "sim/emulator/Scenario.h"
#include "sim/emulator/ScenarioReader.h"

namespace kavo9 {

using nlohmann::json;

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
  if (n.dot1x.enabled) j["dot1x"] = scenario::Dot1xToJson(n.dot1x);
  return j;
}

}  // namespace kavo9
