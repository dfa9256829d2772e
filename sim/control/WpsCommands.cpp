// The control tool's WPS commands:
//   kavo9-sim wps press BSSID      press an access point's push button (it stays pressed)
//   kavo9-sim wps release BSSID    release it again
//   kavo9-sim wps pin BSSID PIN    the PIN a person typed into the access point's settings
//   kavo9-sim wps button ADAPTER   press the adapter's own push button

#include <iostream>

#include "sim/control/MachineCommands.h"

namespace kavo9 {
namespace {

using nlohmann::json;

int Refuse(const std::string& message, int code) {
  std::cerr << "kavo9-sim: " << message << "\n";
  return code;
}

}  // namespace

int RunWps(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  const char* usage =
      "usage: kavo9-sim wps press BSSID | release BSSID | pin BSSID PIN | button ADAPTER";
  if (args.size() < 2) return Refuse(usage, 2);
  json request = {{"cmd", "wps"}, {"op", args[0]}};
  if (args[0] == "pin" && args.size() == 3) {
    request["bssid"] = args[1];
    request["pin"] = args[2];
  } else if (args.size() != 2) {
    return Refuse(usage, 2);
  } else if (args[0] == "press" || args[0] == "release") {
    request["bssid"] = args[1];
  } else if (args[0] == "button") {
    request["adapter"] = args[1];
  } else {
    return Refuse(usage, 2);
  }
  json reply;
  std::string error;
  if (!SendDaemonCommand(machineDir, request, &reply, &error)) return Refuse(error, 1);
  if (!reply.value("ok", false)) return Refuse(reply.value("error", std::string("refused")), 1);
  return 0;
}

}  // namespace kavo9
