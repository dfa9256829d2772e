#include "sim/control/MachineCommands.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <iostream>
#include <thread>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/DeviceIo.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "sim/daemon/MachineSetup.h"

namespace kavo9 {
namespace {

using nlohmann::json;

int Fail(const std::string& message) {
  std::cerr << "kavo9-sim: " << message << "\n";
  return 1;
}

// Runs one daemon command and prints nothing on success; prints the error otherwise.
int Simple(const std::filesystem::path& machineDir, const json& request, json* reply = nullptr) {
  json answer;
  std::string error;
  if (!SendDaemonCommand(machineDir, request, &answer, &error)) return Fail(error);
  if (!answer.value("ok", false)) return Fail(answer.value("error", std::string("refused")));
  if (reply) *reply = std::move(answer);
  return 0;
}

// Takes "--name VALUE" out of `args`; false when the option is there without a value.
bool TakeOption(MachineCommandArgs& args, const std::string& name, std::string* value,
                bool* present) {
  *present = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 >= args.size()) return false;
    *value = args[i + 1];
    *present = true;
    args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
    return true;
  }
  return true;
}

bool ParseNumber(const std::string& text, long long min, long long max, long long* value) {
  try {
    size_t used = 0;
    long long v = std::stoll(text, &used, 0);
    if (used != text.size() || v < min || v > max) return false;
    *value = v;
    return true;
  } catch (...) {
    return false;
  }
}

bool ParseHexBytes(const std::string& text, std::vector<uint8_t>* bytes) {
  std::string digits;
  for (char c : text) {
    if (c == ' ' || c == '-' || c == ':') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    digits += c;
  }
  if (digits.size() % 2) return false;
  bytes->clear();
  for (size_t i = 0; i < digits.size(); i += 2)
    bytes->push_back(uint8_t(std::stoul(digits.substr(i, 2), nullptr, 16)));
  return true;
}

std::string Hex(const uint8_t* data, size_t length) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    text += kDigits[data[i] >> 4];
    text += kDigits[data[i] & 15];
  }
  return text;
}

bool OneArgument(const MachineCommandArgs& args, const char* usage, std::string* value) {
  if (args.size() != 1) {
    Fail(std::string("usage: ") + usage);
    return false;
  }
  *value = args[0];
  return true;
}

}  // namespace

bool SendDaemonCommand(const std::filesystem::path& machineDir, const json& request, json* reply,
                       std::string* error) {
  const std::string path = DaemonSocketFile(MachineLayout(machineDir)).string();
  const std::string notRunning = "no system daemon is running on machine " + machineDir.string() +
                                 " (start it with kavo9-simd --machine " + machineDir.string() +
                                 ")";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) {
    *error = "machine folder path too long for its sockets: " + machineDir.string();
    return false;
  }
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    if (fd >= 0) ::close(fd);
    *error = notRunning;
    return false;
  }
  timeval timeout{10, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  std::string line = request.dump() + "\n";
  size_t sent = 0;
  while (sent < line.size()) {
    ssize_t n = ::send(fd, line.data() + sent, line.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) {
      ::close(fd);
      *error = notRunning;
      return false;
    }
    sent += size_t(n);
  }
  std::string answer;
  char chunk[65536];
  for (;;) {
    ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    answer.append(chunk, size_t(n));
  }
  ::close(fd);
  *reply = json::parse(answer, nullptr, false);
  if (!reply->is_object()) {
    *error = "the system daemon gave no answer";
    return false;
  }
  return true;
}

bool ParseRequestCode(const std::string& text, uint32_t* code) {
  for (const RequestInfo& info : RequestCatalogue()) {
    if (info.name == text) {
      *code = info.code;
      return true;
    }
  }
  long long value = 0;
  if (!ParseNumber(text, 0, 0xFFFFFFFFLL, &value)) return false;
  *code = uint32_t(value);
  return true;
}

int RunInit(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  std::string scenario;
  if (!OneArgument(args, "kavo9-sim init SCENARIO.json", &scenario)) return 2;
  std::string error, warning;
  if (!InitMachine(scenario, MachineLayout(machineDir), &error, &warning)) return Fail(error);
  if (!warning.empty()) std::cerr << "kavo9-sim: warning: " << warning << "\n";
  std::cout << "machine " << machineDir.string() << " made from " << scenario << "\n";
  return 0;
}

int RunPlug(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  std::string adapter;
  if (!OneArgument(args, "kavo9-sim plug ADAPTER", &adapter)) return 2;
  return Simple(machineDir, {{"cmd", "plug"}, {"adapter", adapter}});
}

int RunUnplug(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  std::string adapter;
  if (!OneArgument(args, "kavo9-sim unplug ADAPTER", &adapter)) return 2;
  return Simple(machineDir, {{"cmd", "unplug"}, {"adapter", adapter}});
}

int RunRadioSwitch(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  if (args.size() != 2 || (args[1] != "on" && args[1] != "off")) {
    Fail("usage: kavo9-sim radio-switch ADAPTER on|off");
    return 2;
  }
  return Simple(machineDir,
                {{"cmd", "radio-switch"}, {"adapter", args[0]}, {"on", args[1] == "on"}});
}

int RunReload(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  std::string adapter;
  if (!OneArgument(args, "kavo9-sim reload ADAPTER", &adapter)) return 2;
  return Simple(machineDir, {{"cmd", "reload"}, {"adapter", adapter}});
}

int RunIoctl(const MachineCommandArgs& given, const std::filesystem::path& machineDir) {
  const char* usage = "usage: kavo9-sim ioctl ADAPTER query|set CODE [HEX] [--length N]";
  MachineCommandArgs args = given;
  std::string lengthText;
  bool hasLength = false;
  if (!TakeOption(args, "--length", &lengthText, &hasLength) || args.size() < 3 ||
      args.size() > 4 || (args[1] != "query" && args[1] != "set")) {
    Fail(usage);
    return 2;
  }
  const bool set = args[1] == "set";
  uint32_t code = 0;
  if (!ParseRequestCode(args[2], &code))
    return Fail("\"" + args[2] + "\" is neither a request name nor a number");
  std::vector<uint8_t> value;
  if (args.size() == 4 && !ParseHexBytes(args[3], &value))
    return Fail("\"" + args[3] + "\" is not hexadecimal");
  long long length = 0;
  if (hasLength) {
    if (!ParseNumber(lengthText, 0, kMaxFrameOutput, &length)) return Fail("bad --length");
  } else if (set) {
    length = static_cast<long long>(value.size());
  } else {
    const RequestInfo* info = FindRequest(code);
    length = info && info->queryLength ? info->queryLength : 4;
  }
  std::vector<uint8_t> buffer(size_t(length), 0);
  std::copy_n(value.begin(), std::min(value.size(), buffer.size()), buffer.begin());

  Scenario scenario;
  std::string error;
  if (!LoadMachineScenario(MachineLayout(machineDir), &scenario, &error)) return Fail(error);
  const AdapterSpec* adapter = nullptr;
  for (size_t i = 0; i < scenario.adapters.size(); ++i) {
    const AdapterSpec& a = scenario.adapters[i];
    if (a.name == args[0] || a.instanceId == args[0] || std::to_string(i) == args[0]) adapter = &a;
  }
  if (!adapter) return Fail("no adapter \"" + args[0] + "\" on this machine");
  SimulatedDeviceIo io(machineDir);
  DeviceIo::Handle handle = io.Open("\\\\.\\" + adapter->instanceId);
  if (handle == DeviceIo::kInvalidHandle) {
    return Fail("cannot open the device of " + adapter->name +
                " (unplugged, driver not loaded, or no daemon)");
  }
  uint32_t request = set ? (code | kSetBit) : code;
  uint32_t count = 0;
  int32_t lastError = 0;
  bool ok = io.Control(handle, IOCTL_NDIS_QUERY_GLOBAL_STATS, &request, 4, buffer.data(),
                       uint32_t(buffer.size()), &count, &lastError);
  io.Close(handle);
  if (!ok) return Fail("the driver refused the request: error " + std::to_string(lastError));
  if (!set) std::cout << Hex(buffer.data(), count) << "\n";
  return 0;
}

int RunWorld(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  const char* usage =
      "usage: kavo9-sim world list | add NETWORK-JSON | remove BSSID|SSID | signal BSSID DBM";
  if (args.empty()) {
    Fail(usage);
    return 2;
  }
  json reply;
  if (args[0] == "list" && args.size() == 1) {
    if (int rc = Simple(machineDir, {{"cmd", "world"}, {"op", "list"}}, &reply)) return rc;
    for (const json& n : reply["networks"]) std::cout << n.dump() << "\n";
    return 0;
  }
  if (args[0] == "add" && args.size() == 2) {
    json network = json::parse(args[1], nullptr, false);
    if (network.is_discarded()) return Fail("the network is not valid JSON");
    return Simple(machineDir, {{"cmd", "world"}, {"op", "add"}, {"network", network}});
  }
  if (args[0] == "remove" && args.size() == 2) {
    return Simple(machineDir, {{"cmd", "world"}, {"op", "remove"}, {"target", args[1]}});
  }
  long long dbm = 0;
  if (args[0] == "signal" && args.size() == 3) {
    if (!ParseNumber(args[2], -120, 0, &dbm)) return Fail("signal must be -120..0 dBm");
    return Simple(machineDir,
                  {{"cmd", "world"}, {"op", "signal"}, {"bssid", args[1]}, {"dbm", dbm}});
  }
  Fail(usage);
  return 2;
}

int RunFail(const MachineCommandArgs& given, const std::filesystem::path& machineDir) {
  const char* usage = "usage: kavo9-sim fail CODE [--count N] [--adapter ADAPTER]";
  MachineCommandArgs args = given;
  std::string countText = "1", adapter;
  bool hasCount = false, hasAdapter = false;
  if (!TakeOption(args, "--count", &countText, &hasCount) ||
      !TakeOption(args, "--adapter", &adapter, &hasAdapter) || args.size() != 1) {
    Fail(usage);
    return 2;
  }
  uint32_t code = 0;
  long long count = 0;
  if (!ParseRequestCode(args[0], &code))
    return Fail("\"" + args[0] + "\" is neither a request name nor a number");
  if (!ParseNumber(countText, 0, 1'000'000, &count)) return Fail("bad --count");
  json request = {{"cmd", "fail"}, {"code", code & ~kSetBit}, {"count", count}};
  if (hasAdapter) request["adapter"] = adapter;
  return Simple(machineDir, request);
}

int RunStatus(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  if (!args.empty()) {
    Fail("usage: kavo9-sim status");
    return 2;
  }
  json reply;
  if (int rc = Simple(machineDir, {{"cmd", "status"}}, &reply)) return rc;
  reply.erase("ok");
  std::cout << reply.dump(2) << "\n";
  return 0;
}

int RunRequests(const MachineCommandArgs& args, const std::filesystem::path& machineDir) {
  const bool follow = args.size() == 1 && args[0] == "--follow";
  if (!args.empty() && !follow) {
    Fail("usage: kavo9-sim requests [--follow]");
    return 2;
  }
  uint64_t from = 1;
  for (;;) {
    json reply;
    if (int rc = Simple(machineDir, {{"cmd", "requests"}, {"from", from}}, &reply)) return rc;
    for (const json& entry : reply["entries"]) {
      std::cout << entry.dump() << "\n";
      from = entry.value("seq", from) + 1;
    }
    std::cout.flush();
    if (!follow) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

std::span<const MachineCommand> MachineCommands() {
  static const MachineCommand kCommands[] = {
      {"init", "SCENARIO.json", "create the machine folder from a scenario", RunInit},
      {"plug", "ADAPTER", "plug an adapter in", RunPlug},
      {"unplug", "ADAPTER", "pull an adapter out: its device and enumeration entry go", RunUnplug},
      {"radio-switch", "ADAPTER on|off",
       "slide the card's radio switch: off drops the link (link state: hardware radio off)",
       RunRadioSwitch},
      {"reload", "ADAPTER", "reload the adapter's driver: it re-reads its registry key", RunReload},
      {"ioctl", "ADAPTER query|set CODE [HEX] [--length N]", "send one raw driver request",
       RunIoctl},
      {"world", "list | add NETWORK-JSON | remove BSSID|SSID | signal BSSID DBM",
       "change the networks in range", RunWorld},
      {"fail", "CODE [--count N] [--adapter ADAPTER]",
       "make the adapter refuse the next N requests of a code", RunFail},
      {"status", "", "the daemon's state as JSON", RunStatus},
      {"requests", "[--follow]", "the request log as JSON lines", RunRequests},
      {"ap", "ADAPTER list | join STATION | leave MAC | idle MAC | mic-failure MAC",
       "stations that join, leave, fall silent at or trouble the adapter's access point", RunAp},
      {"ics", "[enable|disable|status]", "connection sharing and its leases", RunIcs},
      {"wps", "press BSSID | release BSSID | pin BSSID PIN | button ADAPTER",
       "an access point's WPS push button, or the adapter's own", RunWps},
      {"tray", "state | click double|right | pick COMMAND",
       "the running utility's notification icon, as a person uses it", RunTray},
  };
  return kCommands;
}

void PrintMachineCommandUsage(std::ostream& out) {
  for (const MachineCommand& command : MachineCommands()) {
    std::string line = std::string("  ") + command.name + " " + command.usage;
    if (line.size() < 33)
      line.resize(33, ' ');
    else
      line += "\n" + std::string(33, ' ');
    out << line << command.help << "\n";
  }
}

}  // namespace kavo9
