// The control socket's built-in commands: status, world, adapters, faults, sessions and the
// request log; the access point's, the authenticator's and the domain's come from their own files.

#include "common/adapter/RequestCatalogue.h"
#include "sim/daemon/DaemonAdapter.h"
#include "sim/daemon/DaemonReplies.h"
#include "sim/daemon/MachineSetup.h"
#include "sim/daemon/SystemDaemon.h"

namespace kavo9 {
namespace {

using daemonreply::Error;
using daemonreply::Ok;
using nlohmann::json;

}  // namespace

void SystemDaemon::AddBuiltInCommands() {
  AddAccessPointCommands();
  AddAuthenticatorCommands();
  AddDomainCommands();
  AddCommand("status", [this](const json&) {
    json adapters = json::array();
    for (const auto& a : adapters_) {
      const AdapterEmulator& e = *a->emulator;
      json item = {{"name", a->spec.name},
                   {"instanceId", a->spec.instanceId},
                   {"device", "\\\\.\\" + a->spec.instanceId},
                   {"driverKey", a->spec.DriverKeyName()},
                   {"hardwareId", a->spec.hardwareIds.empty() ? "" : a->spec.hardwareIds[0]},
                   {"plugged", a->plugged},
                   {"driverLoaded", a->spec.driverLoaded},
                   {"opMode", e.opMode()},
                   {"radio", e.radioOn()},
                   {"radioSwitch", e.hardwareRadioOn()},
                   {"wirelessMode", e.wirelessMode()},
                   {"countryRegion", e.countryRegionWord()},
                   {"connected", e.connected()},
                   {"requests", e.requestsHandled()}};
      AccessPointStatus(*a, &item);
      if (const NetworkSpec* n = e.associatedNetwork()) {
        item["ssid"] = n->ssid;
        item["bssid"] = FormatMac(n->bssid);
      }
      adapters.push_back(item);
    }
    return Ok({{"machine", layout_.dir.string()},
               {"pid", ::getpid()},
               {"adapters", adapters},
               {"networks", world_.networks().size()},
               {"sharing", SharingStatus()},
               {"lastRequest", log_.LastSequence()}});
  });
  auto plugCommand = [this](bool plug) {
    return [this, plug](const json& request) {
      std::string error;
      Adapter* adapter = FindAdapter(request, &error);
      if (!adapter) return Error(error);
      if (adapter->plugged == plug) {
        return Error(adapter->spec.name + " is already " + (plug ? "plugged in" : "unplugged"));
      }
      plug ? Plug(*adapter) : Unplug(*adapter);
      PublishDevices();
      return Ok();
    };
  };
  AddCommand("plug", plugCommand(true));
  AddCommand("unplug", plugCommand(false));
  AddCommand("reload", [this](const json& request) {
    std::string error;
    Adapter* adapter = FindAdapter(request, &error);
    if (!adapter) return Error(error);
    adapter->emulator->Load(ReadDriverParameters(*registry_, adapter->spec));
    RaiseDriverEvents(*adapter);
    return Ok();
  });
  // The card's radio switch: {"adapter": ..., "on": true|false}.
  AddCommand("radio-switch", [this](const json& request) {
    std::string error;
    Adapter* adapter = FindAdapter(request, &error);
    if (!adapter) return Error(error);
    auto on = request.find("on");
    if (on == request.end() || !on->is_boolean()) return Error("\"on\" must be true or false");
    adapter->emulator->SetHardwareRadio(on->get<bool>());
    return Ok();
  });
  AddCommand("fail", [this](const json& request) {
    auto code = request.find("code");
    if (code == request.end() || !code->is_number_unsigned())
      return Error("\"code\" must be a request code");
    int count = request.value("count", 1);
    std::vector<Adapter*> targets;
    if (request.contains("adapter")) {
      std::string error;
      Adapter* adapter = FindAdapter(request, &error);
      if (!adapter) return Error(error);
      targets.push_back(adapter);
    } else {
      for (auto& a : adapters_) targets.push_back(a.get());
    }
    for (Adapter* a : targets) a->emulator->FailNext(code->get<uint32_t>(), count);
    return Ok();
  });
  AddCommand("world", [this](const json& request) {
    std::string op = request.value("op", "");
    if (op == "list") {
      json networks = json::array();
      for (const NetworkSpec& n : world_.networks()) networks.push_back(NetworkToJson(n));
      return Ok({{"networks", networks}});
    }
    if (op == "add") {
      NetworkSpec network;
      std::string error;
      auto doc = request.find("network");
      if (doc == request.end()) return Error("\"network\" missing");
      if (!ParseNetwork(*doc, "", &network, &error) || !world_.Add(network, &error))
        return Error(error);
      return Ok();
    }
    if (op == "remove") {
      int count = world_.Remove(request.value("target", ""));
      if (count == 0) return Error("no network with that BSSID or SSID");
      return Ok({{"removed", count}});
    }
    if (op == "signal") {
      MacAddress bssid{};
      int dbm = request.value("dbm", 0);
      if (!ParseMac(request.value("bssid", ""), &bssid)) return Error("expected a BSSID");
      if (dbm > 0 || dbm < -120) return Error("signal must be -120..0 dBm");
      if (!world_.SetSignal(bssid, dbm)) return Error("no network with that BSSID");
      return Ok();
    }
    return Error("world: expected op add, remove, signal or list");
  });
  // WPS: {"op": "press"|"release", "bssid": ...}, {"op": "pin", "bssid": ..., "pin": ...} or
  // {"op": "button", "adapter": ...}.
  AddCommand("wps", [this](const json& request) {
    const std::string op = request.value("op", "");
    if (op == "button") {
      std::string error;
      Adapter* adapter = FindAdapter(request, &error);
      if (!adapter) return Error(error);
      if (!adapter->plugged) return Error(adapter->spec.name + " is unplugged");
      adapter->emulator->PressWpsButton();
      return Ok();
    }
    MacAddress bssid{};
    if (!ParseMac(request.value("bssid", ""), &bssid)) return Error("expected a BSSID");
    if (op == "pin") {
      const std::string pin = request.value("pin", "");
      const bool digits = pin.size() == 8 && pin.find_first_not_of("0123456789") == pin.npos;
      if (!digits) return Error("a PIN is eight digits");
      if (!world_.SetWpsPin(bssid, pin)) return Error("no WPS access point has it");
      return Ok();
    }
    if (op != "press" && op != "release") {
      return Error("wps: expected op press, release, pin or button");
    }
    if (!world_.SetWpsButton(bssid, op == "press")) return Error("no WPS access point has it");
    return Ok();
  });
  AddCommand("requests", [this](const json& request) {
    uint64_t from = request.value("from", uint64_t(1));
    json entries = json::array();
    for (const RequestLogEntry& e : log_.Since(from)) entries.push_back(RequestLogEntryToJson(e));
    return Ok({{"entries", entries}, {"last", log_.LastSequence()}});
  });
}

}  // namespace kavo9
