// `kavo9-sim session|power|service|event ...`: the system daemon's session and power
// notifications, its service control manager and its management events.

#include <iostream>

#include "apps/kavo9-sim/SimCommand.h"
#include "common/platform/simulated/SystemServicesClient.h"

namespace kavo9 {

const std::string_view kSystemUsage =
    "  session lock|unlock|connect|disconnect\n"
    "                                 a session change: lock or unlock the workstation,\n"
    "                                 connect or disconnect the console\n"
    "  session logon USER [--cancel]  a Windows logon of USER (DOMAIN\\USER for a domain\n"
    "                                 logon): the single-sign-on logon component plays its\n"
    "                                 part; --cancel: the user cancels its authentication\n"
    "  power suspend|resume           the machine goes to sleep or wakes up\n"
    "  service WZCSVC [query|start|stop|auto|demand|disabled]\n"
    "                                 show or change the wireless configuration service's\n"
    "                                 state or start type (default: query)\n"
    "  event TsWLANMessageEvent|MSNdis_StatusMediaConnect\n"
    "                                 raise a management event of the adapter's driver";

namespace {

int Send(const SimContext& context, const nlohmann::json& request) {
  nlohmann::json reply;
  const auto socket = context.machineDir / "run" / "simd.sock";
  if (!CallDaemon(socket, request, &reply)) {
    if (reply.is_object() && reply.contains("error")) {
      return SimError(kSimFailed, reply.value("error", std::string("refused")));
    }
    return SimError(kSimFailed, "no system daemon answers on " + socket.string());
  }
  if (reply.contains("state")) {
    std::cout << reply.value("name", std::string()) << ": "
              << reply.value("stateName", std::string()) << ", start type "
              << reply.value("startType", 0u) << "\n";
  }
  return kSimDone;
}

}  // namespace

int RunSystemCommand(const SimContext& context, std::string_view family,
                     std::span<const std::string> args) {
  if (family == "service") {
    if (args.empty() || args.size() > 2) return SimError(kSimUsage, "service NAME [ACTION]");
    const std::string action = args.size() == 2 ? args[1] : "query";
    nlohmann::json request{{"cmd", "service"}, {"name", args[0]}};
    if (action == "query" || action == "start" || action == "stop") {
      request["op"] = action;
    } else if (action == "auto" || action == "demand" || action == "disabled") {
      request["op"] = "config";
      request["startType"] = action == "auto" ? 2 : action == "demand" ? 3 : 4;
    } else {
      return SimError(kSimUsage, "unknown service action \"" + action + "\"");
    }
    return Send(context, request);
  }
  if (family == "session" && !args.empty() && args[0] == "logon") {
    return RunLogonCommand(context, args.subspan(1));
  }
  if (args.size() != 1) return SimError(kSimUsage, std::string(family) + " needs one argument");
  if (family == "event") return Send(context, {{"cmd", "event"}, {"class", args[0]}});
  return Send(context, {{"cmd", std::string(family)}, {"event", args[0]}});
}

int RunSessionCommand(const SimContext& c, std::span<const std::string> a) {
  return RunSystemCommand(c, "session", a);
}
int RunPowerCommand(const SimContext& c, std::span<const std::string> a) {
  return RunSystemCommand(c, "power", a);
}
int RunServiceCommand(const SimContext& c, std::span<const std::string> a) {
  return RunSystemCommand(c, "service", a);
}
int RunEventCommand(const SimContext& c, std::span<const std::string> a) {
  return RunSystemCommand(c, "event", a);
}

}  // namespace kavo9
