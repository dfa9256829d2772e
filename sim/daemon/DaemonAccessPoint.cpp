// The system daemon's access-point side: stations that join or leave an adapter's access point
// (`ap`), and Internet connection sharing (`ics`), whose DHCP server gives the adapter its
// address and each joined station a lease.
//
//   ap  {"op": "list|join|leave", "adapter": NAME, "station": {station object}, "mac": MAC}
//   ics {"op": "enable|disable|status"}

#include <nlohmann/json.hpp>

#include "sim/daemon/DaemonAdapter.h"
#include "sim/daemon/DaemonReplies.h"

namespace kavo9 {
namespace {

using nlohmann::json;

// The addresses connection sharing uses: the adapter's, and the first lease.
constexpr const char* kSharingAddress = "192.168.0.1";
constexpr const char* kSharingPrefix = "192.168.0.";
constexpr int kFirstLease = 100;
constexpr int kLastLease = 254;

using daemonreply::Error;
using daemonreply::Ok;

std::string SecurityOf(const emu::ApBss& bss) {
  static const char* kAuth[] = {"open",     "shared", "auto",     "wpa",      "wpa-psk",
                                "wpa-none", "wpa2",   "wpa2-psk", "wpa/wpa2", "wpa-psk/wpa2-psk"};
  static const char* kCipher[] = {"wep", "none", "", "", "tkip", "", "aes", "", "tkip+aes"};
  const std::string auth = bss.auth < 10 ? kAuth[bss.auth] : "?";
  const std::string cipher = bss.encryption < 9 ? kCipher[bss.encryption] : "?";
  return auth + " " + cipher;
}

}  // namespace

void SystemDaemon::AccessPointStatus(Adapter& adapter, json* item) {
  AdapterEmulator& e = *adapter.emulator;
  if (e.opMode() != kOpModeAccessPoint) return;
  const emu::ApBss& bss = e.accessPoint();
  json stations = json::array();
  for (const emu::ApStation& s : e.apStations()) {
    json station = StationToJson(s.spec);
    station["aid"] = s.aid;
    station["from"] = s.fromScenario ? "scenario" : "control";
    auto lease = leases_.find(s.spec.mac);
    if (sharing_ && lease != leases_.end()) {
      station["ip"] = kSharingPrefix + std::to_string(lease->second);
    }
    stations.push_back(station);
  }
  (*item)["accessPoint"] = {{"running", bss.running},
                            {"ssid", bss.ssid},
                            {"channel", bss.channel},
                            {"security", SecurityOf(bss)},
                            {"stations", stations}};
  if (sharing_) (*item)["ip"] = kSharingAddress;
}

json SystemDaemon::SharingStatus() {
  json leases = json::array();
  if (sharing_) {
    for (auto& a : adapters_) {
      if (!a->plugged || a->emulator->opMode() != kOpModeAccessPoint) continue;
      for (const emu::ApStation& s : a->emulator->apStations()) {
        auto it = leases_.find(s.spec.mac);
        if (it == leases_.end()) {
          int next = kFirstLease + int(leases_.size());
          if (next > kLastLease) continue;
          it = leases_.emplace(s.spec.mac, next).first;
        }
        leases.push_back({{"adapter", a->spec.name},
                          {"mac", FormatMac(s.spec.mac)},
                          {"name", s.spec.name},
                          {"ip", kSharingPrefix + std::to_string(it->second)}});
      }
    }
  }
  return {{"enabled", sharing_}, {"address", sharing_ ? kSharingAddress : ""}, {"leases", leases}};
}

void SystemDaemon::AddAccessPointCommands() {
  AddCommand("ics", [this](const json& request) {
    const std::string op = request.value("op", "status");
    if (op == "enable") {
      sharing_ = true;
    } else if (op == "disable") {
      sharing_ = false;
      leases_.clear();
    } else if (op != "status") {
      return Error("\"op\" must be enable, disable or status");
    }
    return Ok({{"sharing", SharingStatus()}});
  });
  AddCommand("ap", [this](const json& request) {
    std::string error;
    Adapter* adapter = FindAdapter(request, &error);
    if (!adapter) return Error(error);
    if (!adapter->plugged) return Error(adapter->spec.name + " is unplugged");
    const std::string op = request.value("op", "list");
    if (op == "join") {
      auto doc = request.find("station");
      StationSpec station;
      if (doc == request.end() || !ParseStation(*doc, "station", &station, &error)) {
        return Error(doc == request.end() ? "\"station\" is missing" : error);
      }
      if (!adapter->emulator->JoinStation(station, &error)) {
        return Error(station.name + " was refused: " + error);
      }
      SharingStatus();  // a lease at once, when sharing is on
    } else if (op == "leave" || op == "idle" || op == "mic-failure") {
      MacAddress mac{};
      if (!ParseMac(request.value("mac", ""), &mac)) return Error("\"mac\" must be a MAC address");
      AdapterEmulator& emulator = *adapter->emulator;
      const bool known = op == "leave"  ? emulator.LeaveStation(mac)
                         : op == "idle" ? emulator.IdleStation(mac)
                                        : emulator.StationMicFailure(mac);
      if (!known) return Error("no station " + FormatMac(mac) + " has joined");
    } else if (op != "list") {
      return Error("\"op\" must be list, join, leave, idle or mic-failure");
    }
    json item = json::object();
    AccessPointStatus(*adapter, &item);
    if (!item.contains("accessPoint")) return Error(adapter->spec.name + " is not an access point");
    return Ok(item);
  });
}

}  // namespace kavo9
