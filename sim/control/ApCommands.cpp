// The control tool's access-point commands:
//   kavo9-sim ap ADAPTER list
//   kavo9-sim ap ADAPTER join STATION-JSON
//   kavo9-sim ap ADAPTER join --mac MAC --ssid SSID [--security open|wep|wpa-psk|wpa2-psk]
//                             [--key KEY] [--name NAME] [--signal DBM]
//   kavo9-sim ap ADAPTER leave MAC
//   kavo9-sim ap ADAPTER idle MAC          the station falls silent and ages out
//   kavo9-sim ap ADAPTER mic-failure MAC   the station reports a message-integrity failure
//   kavo9-sim ics [enable|disable|status]

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <iostream>

#include "sim/control/MachineCommands.h"

namespace kavo9 {
namespace {

using nlohmann::json;

// One line to a local socket and the line it answers.
bool AskLocalSocket(const std::filesystem::path& socket, const std::string& line,
                    std::string* reply, std::string* error) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = socket.string();
  if (path.size() >= sizeof address.sun_path) {
    *error = "socket path too long";
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    if (fd >= 0) ::close(fd);
    *error = path + ": " + std::strerror(errno);
    return false;
  }
  timeval timeout{5, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  const std::string request = line + "\n";
  bool ok = ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) == ssize_t(request.size());
  char chunk[4096];
  ssize_t n = 0;
  while (ok && reply->find('\n') == std::string::npos &&
         (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0) {
    reply->append(chunk, size_t(n));
  }
  ::close(fd);
  if (!ok || reply->empty()) *error = "no answer";
  return ok && !reply->empty();
}

int Refuse(const std::string& message, int code = 1) {
  std::cerr << "kavo9-sim: " << message << "\n";
  return code;
}

int Send(const std::filesystem::path& machineDir, const json& request) {
  json reply;
  std::string error;
  if (!SendDaemonCommand(machineDir, request, &reply, &error)) return Refuse(error);
  if (!reply.value("ok", false)) return Refuse(reply.value("error", std::string("refused")));
  reply.erase("ok");
  std::cout << reply.dump(2) << "\n";
  return 0;
}

// The station of "join --mac ... --ssid ...", as the scenario writes one.
bool StationFromOptions(const MachineCommandArgs& args, size_t from, json* station,
                        std::string* error) {
  *station = json::object();
  for (size_t i = from; i < args.size(); i += 2) {
    const std::string& option = args[i];
    if (i + 1 >= args.size() || option.rfind("--", 0) != 0) {
      *error = "expected --OPTION VALUE, not \"" + option + "\"";
      return false;
    }
    const std::string key = option.substr(2);
    if (key == "signal") {
      try {
        (*station)[key] = std::stoi(args[i + 1]);
      } catch (...) {
        *error = "--signal takes a number of dBm";
        return false;
      }
    } else if (key == "mac" || key == "ssid" || key == "security" || key == "key" ||
               key == "name") {
      (*station)[key] = args[i + 1];
    } else {
      *error = "unknown option " + option;
      return false;
    }
  }
  return true;
}

}  // namespace

int RunAp(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  const char* usage =
      "usage: kavo9-sim ap ADAPTER list | join STATION-JSON | join --mac MAC --ssid SSID "
      "[--security S] [--key K] [--name N] [--signal DBM] | leave MAC | idle MAC | "
      "mic-failure MAC";
  if (args.size() < 2) return Refuse(usage, 2);
  json request = {{"cmd", "ap"}, {"adapter", args[0]}, {"op", args[1]}};
  if (args[1] == "list") {
    if (args.size() != 2) return Refuse(usage, 2);
  } else if (args[1] == "join") {
    if (args.size() < 3) return Refuse(usage, 2);
    json station;
    std::string error;
    if (args[2].rfind("{", 0) == 0) {
      station = json::parse(args[2], nullptr, false);
      if (station.is_discarded() || args.size() != 3) return Refuse("the station is not JSON", 2);
    } else if (!StationFromOptions(args, 2, &station, &error)) {
      return Refuse(error, 2);
    }
    request["station"] = station;
  } else if (args[1] == "leave" || args[1] == "idle" || args[1] == "mic-failure") {
    if (args.size() != 3) return Refuse(usage, 2);
    request["mac"] = args[2];
  } else {
    return Refuse(usage, 2);
  }
  return Send(machineDir, request);
}

int RunIcs(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  if (args.size() > 1) return Refuse("usage: kavo9-sim ics [enable|disable|status]", 2);
  return Send(machineDir, {{"cmd", "ics"}, {"op", args.empty() ? "status" : args[0]}});
}

}  // namespace kavo9

// kavo9-sim tray state | click double|right | pick COMMAND: the notification icon of the utility
// that runs on the machine without a desktop, as a person would use it.
namespace kavo9 {

int RunTray(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  const char* usage = "usage: kavo9-sim tray state | click double|right | pick COMMAND";
  std::string line;
  if (args.size() == 1 && args[0] == "state") {
    line = "state";
  } else if (args.size() == 2 && args[0] == "click" &&
             (args[1] == "double" || args[1] == "right")) {
    line = std::string("click ") + (args[1] == "double" ? "515" : "516");
  } else if (args.size() == 2 && args[0] == "pick" &&
             args[1].find_first_not_of("0123456789") == std::string::npos) {
    line = "pick " + args[1];
  } else {
    std::cerr << usage << "\n";
    return 2;
  }
  std::string reply;
  std::string error;
  if (!AskLocalSocket(machineDir / "run" / "tray.sock", line, &reply, &error)) {
    std::cerr << "kavo9-sim: no utility's icon answers (" << error << ")\n";
    return 1;
  }
  const nlohmann::json answer = nlohmann::json::parse(reply, nullptr, false);
  if (answer.is_discarded() || !answer.value("ok", false)) {
    std::cerr << "kavo9-sim: "
              << (answer.is_discarded() ? reply : answer.value("error", std::string("refused")))
              << "\n";
    return 1;
  }
  std::cout << answer.dump(2) << "\n";
  return 0;
}

}  // namespace kavo9
