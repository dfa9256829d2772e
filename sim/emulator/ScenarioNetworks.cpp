// A network in range: SSID, BSSID, channel, signal, security and ciphers, mode, PHY, 802.11n and
// WPS settings.
#include <algorithm>

#include "sim/emulator/ScenarioReader.h"

namespace kavo9 {
namespace {

using scenario::json;
using scenario::ObjectReader;
using scenario::ParseHex;

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

// The ciphers listed, or those the security implies.
void ReadCiphers(ObjectReader& r, NetworkSpec* n) {
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
}

// The 802.11n settings: width, secondary channel, guard interval, greenfield, streams.
bool ParseHt(const json& doc, const std::string& path, NetworkSpec* n, std::string* error) {
  std::string text;
  ObjectReader h(doc, path, error);
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
  return h.ok();
}

// WPS: state, lock, push button, PIN, methods and the UUID-E.
bool ParseWps(const json& doc, const std::string& path, NetworkSpec* n, std::string* error) {
  std::string text;
  ObjectReader w(doc, path, error);
  n->wps.enabled = true;
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
  return w.ok();
}

}  // namespace

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
  ReadCiphers(r, n);
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
    if (!ParseHt(*ht, r.Path("ht"), n, error)) return false;
  }
  if (const json* wps = r.Find("wps"); wps && r.ok()) {
    if (!ParseWps(*wps, r.Path("wps"), n, error)) return false;
  }
  if (const json* dot1x = r.Find("dot1x"); dot1x && r.ok()) {
    if (!scenario::ParseDot1x(*dot1x, r.Path("dot1x"), n, error)) return false;
  }
  r.Finish();
  return r.ok();
}

}  // namespace kavo9
