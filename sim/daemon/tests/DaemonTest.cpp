// The system daemon as a real process: device sockets, the device list, plugging, the control
// tool's commands, the request log, bad input on the sockets, and a clean stop.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>

#include <nlohmann/json.hpp>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/ServiceControl.h"
#include "common/platform/WinTypes.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/platform/simulated/SqliteRegistry.h"
#include "common/platform/simulated/SystemServicesClient.h"
#include "sim/daemon/tests/DaemonTestSupport.h"

namespace kavo9::test {
namespace {

using nlohmann::json;

// One query through the real transport; the status, and the value in `value`.
int32_t QueryDevice(const std::filesystem::path& machine, const std::string& path, uint32_t code,
                    std::vector<uint8_t>* value, uint32_t length = 4) {
  SimulatedDeviceIo io(machine);
  DeviceIo::Handle h = io.Open(path);
  if (h == DeviceIo::kInvalidHandle) return -1;
  value->assign(length, 0);
  uint32_t count = 0;
  int32_t error = 0;
  bool ok =
      io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, value->data(), length, &count, &error);
  io.Close(h);
  if (ok) value->resize(count);
  return ok ? 0 : error;
}

std::vector<std::string> PresentNames(const std::filesystem::path& machine) {
  VirtualEventLoop loop;
  SimulatedPlatform platform(machine, loop);
  std::vector<DeviceInstance> devices;
  EXPECT_TRUE(platform.platform().deviceEnum->GetPresentDevices("Net", &devices));
  std::vector<std::string> names;
  for (const auto& d : devices) names.push_back(d.deviceDescription);
  return names;
}

std::vector<uint8_t> Le32Bytes(uint32_t v) {
  std::vector<uint8_t> b(4);
  WriteLe32(b.data(), v);
  return b;
}

int RawConnect(const std::filesystem::path& socket) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socket.c_str(), sizeof(address.sun_path) - 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Reads until the daemon closes the connection (bounded by 5 s).
std::vector<uint8_t> ReadAll(int fd) {
  std::vector<uint8_t> data;
  uint8_t chunk[4096];
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 5000) <= 0) break;
    ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) break;
    data.insert(data.end(), chunk, chunk + n);
  }
  return data;
}

TEST_F(DaemonTest, PublishesEveryPresentDeviceAndServesLoadedDrivers) {
  EXPECT_EQ(
      PresentNames(machine),
      (std::vector<std::string>{"802.11n USB Wireless LAN Card", "802.11n PCI Wireless LAN Card",
                                "802.11g USB Wireless LAN Card", "Wireless Network Adapter"}));
  VirtualEventLoop loop;
  SimulatedPlatform platform(machine, loop);
  std::vector<DeviceInstance> devices;
  ASSERT_TRUE(platform.platform().deviceEnum->GetPresentDevices("Net", &devices));
  EXPECT_EQ(devices[0].hardwareIds.front(), "USB\\VID_1D5A&PID_3070&REV_0101");
  EXPECT_EQ(devices[0].driverKeyName, "{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007");
  EXPECT_EQ(devices[0].locationInformation, "Port_#0002.Hub_#0001");
  EXPECT_EQ(devices[1].friendlyName, "");

  std::vector<uint8_t> value;
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_WIRELESS_MODE, &value), 0);
  EXPECT_EQ(value, (std::vector<uint8_t>{9, 0, 0, 0}));
  EXPECT_EQ(QueryDevice(machine, DevicePath(1), OID_802_3_CURRENT_ADDRESS, &value, 6), 0);
  EXPECT_EQ(value, (std::vector<uint8_t>{0x00, 0x1D, 0x5A, 0x06, 0x01, 0x02}));
  // The adapter whose driver is not loaded is listed but does not open.
  EXPECT_EQ(QueryDevice(machine, DevicePath(2), OID_VND_WIRELESS_MODE, &value), -1);
}

TEST_F(DaemonTest, UnpluggingMakesOpensFailAndEmptiesTheEnumeration) {
  ASSERT_EQ(RunCommand(RunUnplug, {"usb0"}, machine).rc, 0);
  std::vector<uint8_t> value;
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), -1);
  EXPECT_EQ(PresentNames(machine).size(), 3u);
  for (const char* name : {"pci0", "usb1", "other0"})
    ASSERT_EQ(RunCommand(RunUnplug, {name}, machine).rc, 0);
  EXPECT_TRUE(PresentNames(machine).empty());
  EXPECT_TRUE(std::filesystem::is_empty(machine / "run" / "dev"));
  Captured again = RunCommand(RunUnplug, {"usb0"}, machine);
  EXPECT_EQ(again.rc, 1);
  EXPECT_NE(again.err.find("already unplugged"), std::string::npos);

  ASSERT_EQ(RunCommand(RunPlug, {"usb0"}, machine).rc, 0);
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), 0);
  EXPECT_EQ(PresentNames(machine), std::vector<std::string>{"802.11n USB Wireless LAN Card"});
  EXPECT_EQ(RunCommand(RunPlug, {"nosuch"}, machine).rc, 1);
}

TEST_F(DaemonTest, RequestLogShowsEveryRequestInOrder) {
  std::vector<uint8_t> value;
  QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value);
  QueryDevice(machine, DevicePath(1), OID_GEN_DRIVER_VERSION, &value, 2);
  QueryDevice(machine, DevicePath(0), 0x0D7101FF, &value);
  ASSERT_EQ(RunCommand(RunIoctl, {"usb0", "set", "OID_VND_RADIO", "00000000"}, machine).rc, 0);

  Captured log = RunCommand(RunRequests, {}, machine);
  ASSERT_EQ(log.rc, 0) << log.err;
  std::vector<json> lines;
  std::istringstream in(log.out);
  for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
  ASSERT_EQ(lines.size(), 4u) << log.out;
  EXPECT_EQ(lines[0]["name"], "OID_VND_OP_MODE");
  EXPECT_EQ(lines[0]["adapter"], "usb0");
  EXPECT_EQ(lines[0]["kind"], "query");
  EXPECT_EQ(lines[1]["name"], "OID_GEN_DRIVER_VERSION");
  EXPECT_EQ(lines[1]["adapter"], "pci0");
  EXPECT_EQ(lines[1]["value"], "0401");
  EXPECT_EQ(lines[2]["code"], "0x0D7101FF");
  EXPECT_EQ(lines[2]["result"], ERROR_NOT_SUPPORTED);
  EXPECT_EQ(lines[3]["name"], "OID_VND_RADIO");
  EXPECT_EQ(lines[3]["kind"], "set");
  EXPECT_EQ(lines[3]["value"], "00000000");
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i]["seq"], i + 1);
  // Each request names the process that sent it: this test's.
  std::string self;
  std::getline(std::ifstream("/proc/self/comm"), self);
  for (const json& line : lines) EXPECT_EQ(line.value("process", ""), self);
}

TEST_F(DaemonTest, GarbageOnTheSocketLeavesTheDaemonAnswering) {
  const std::filesystem::path socket = machine / "run" / "dev" / scenario.adapters[0].instanceId;
  // A client that connects and stalls does not hold anyone else up.
  int stalled = RawConnect(socket);
  ASSERT_GE(stalled, 0);
  ASSERT_EQ(::send(stalled, "K9R", 3, MSG_NOSIGNAL), 3);

  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> huge = EncodeRequest(IOCTL_NDIS_QUERY_GLOBAL_STATS, {}, {});
  WriteLe32(&huge[12], 0x7FFFFFFF);  // an output length far beyond any buffer
  std::vector<uint8_t> bigInput = EncodeRequest(IOCTL_NDIS_QUERY_GLOBAL_STATS, {}, {});
  WriteLe32(&bigInput[8], 1u << 30);
  std::vector<uint8_t> shortCode = EncodeRequest(
      IOCTL_NDIS_QUERY_GLOBAL_STATS, std::vector<uint8_t>{1, 2}, std::vector<uint8_t>(4));
  const Case cases[] = {
      {"text", {'G', 'E', 'T', ' ', '/', '\r', '\n'}},
      {"huge output length", huge},
      {"huge input length", bigInput},
      {"two-byte request code", shortCode},
      {"zero bytes", std::vector<uint8_t>(64, 0)},
  };
  for (const Case& c : cases) {
    int fd = RawConnect(socket);
    ASSERT_GE(fd, 0) << c.name;
    ::send(fd, c.bytes.data(), c.bytes.size(), MSG_NOSIGNAL);
    std::vector<uint8_t> reply = ReadAll(fd);
    ::close(fd);
    // Either a failure reply or a closed connection, never a success.
    if (!reply.empty()) {
      ASSERT_GE(reply.size(), kReplyHeaderSize) << c.name;
      EXPECT_EQ(ReadLe32(reply.data()), kReplyMagic) << c.name;
      EXPECT_NE(ReadLe32(reply.data() + 4), 0u) << c.name;
    }
    std::vector<uint8_t> value;
    EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), 0) << c.name;
  }
  // A half frame followed by a hang-up.
  int fd = RawConnect(socket);
  std::vector<uint8_t> half = EncodeRequest(IOCTL_NDIS_QUERY_GLOBAL_STATS,
                                            Le32Bytes(OID_VND_OP_MODE), std::vector<uint8_t>(4));
  ::send(fd, half.data(), half.size() - 2, MSG_NOSIGNAL);
  ::close(fd);
  // Garbage on the control socket gets an error answer.
  json reply;
  ASSERT_TRUE(SendDaemonCommand(machine, {{"cmd", "launch-missiles"}}, &reply, &error));
  EXPECT_FALSE(reply["ok"]);
  // A line may keep the connection for the next; a bad line gets its answer and ends it.
  int control = RawConnect(machine / "run" / "simd.sock");
  const std::string lines = "{\"cmd\": \"status\", \"keep\": true}\n{not json\n";
  ::send(control, lines.data(), lines.size(), MSG_NOSIGNAL);
  std::string answers;
  while (std::count(answers.begin(), answers.end(), '\n') < 2) {
    pollfd p{control, POLLIN, 0};
    char chunk[4096];
    ssize_t n = ::poll(&p, 1, 5000) > 0 ? ::recv(control, chunk, sizeof chunk, 0) : 0;
    if (n <= 0) break;
    answers.append(chunk, size_t(n));
  }
  ::close(control);
  const size_t first = answers.find('\n');
  ASSERT_NE(first, std::string::npos) << answers;
  EXPECT_NE(answers.substr(0, first).find("\"ok\":true"), std::string::npos) << answers;
  EXPECT_NE(answers.substr(first).find("\"ok\":false"), std::string::npos) << answers;

  std::vector<uint8_t> value;
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), 0);
  ::close(stalled);
}

TEST_F(DaemonTest, ControlToolDrivesTheAdapterAndTheWorld) {
  Captured status = RunCommand(RunStatus, {}, machine);
  ASSERT_EQ(status.rc, 0) << status.err;
  json s = json::parse(status.out);
  EXPECT_EQ(s["adapters"].size(), 4u);
  EXPECT_EQ(s["adapters"][2]["driverLoaded"], false);

  Captured mode = RunCommand(RunIoctl, {"usb0", "query", "OID_VND_WIRELESS_MODE"}, machine);
  EXPECT_EQ(mode.out, "09000000\n");
  Captured reg = RunCommand(
      RunIoctl, {"pci0", "query", "0x0D710105", "0300000036000000", "--length", "12"}, machine);
  EXPECT_EQ(reg.out, "0300000036000000FFFF0000\n");
  Captured wrong =
      RunCommand(RunIoctl, {"usb0", "query", "OID_VND_OP_MODE", "--length", "3"}, machine);
  EXPECT_EQ(wrong.rc, 1);
  EXPECT_NE(wrong.err.find("error 87"), std::string::npos);

  ASSERT_EQ(
      RunCommand(RunFail, {"OID_VND_OP_MODE", "--count", "2", "--adapter", "usb0"}, machine).rc, 0);
  std::vector<uint8_t> value;
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), ERROR_GEN_FAILURE);
  EXPECT_EQ(QueryDevice(machine, DevicePath(1), OID_VND_OP_MODE, &value), 0);
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), ERROR_GEN_FAILURE);
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), 0);

  ASSERT_EQ(
      RunCommand(
          RunWorld,
          {"add", R"({"ssid":"Joined","bssid":"00-AA-00-00-00-01","channel":3,"signal":-40})"},
          machine)
          .rc,
      0);
  Captured list = RunCommand(RunWorld, {"list"}, machine);
  EXPECT_NE(list.out.find("Joined"), std::string::npos);
  EXPECT_EQ(
      RunCommand(RunWorld, {"add", R"({"ssid":"Dup","bssid":"00-AA-00-00-00-01","channel":3})"},
                 machine)
          .rc,
      1);
  EXPECT_EQ(RunCommand(RunWorld, {"signal", "00-AA-00-00-00-01", "-70"}, machine).rc, 0);
  EXPECT_EQ(RunCommand(RunWorld, {"remove", "Joined"}, machine).rc, 0);
  EXPECT_EQ(RunCommand(RunWorld, {"remove", "Joined"}, machine).rc, 1);
  EXPECT_EQ(RunCommand(RunFail, {"NOT_A_CODE"}, machine).rc, 1);
}

TEST_F(DaemonTest, SecondDaemonRefusesAndSigtermStopsCleanly) {
  const std::filesystem::path err = machine / "second.err";
  pid_t second = SpawnDaemon(machine, err);
  ASSERT_GT(second, 0);
  EXPECT_EQ(Wait(second), 1);
  EXPECT_NE(ReadText(err).find("already running on machine"), std::string::npos) << ReadText(err);
  std::vector<uint8_t> value;
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), 0);

  EXPECT_EQ(StopDaemon(), 0);
  EXPECT_TRUE(PresentNames(machine).empty());
  EXPECT_FALSE(std::filesystem::exists(machine / "run" / "simd.sock"));
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), -1);
  Captured noDaemon = RunCommand(RunStatus, {}, machine);
  EXPECT_EQ(noDaemon.rc, 1);
  EXPECT_NE(noDaemon.err.find("no system daemon is running"), std::string::npos);
  // The machine can be served again.
  StartDaemon();
  EXPECT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_OP_MODE, &value), 0);
}

TEST_F(DaemonTest, DriverKeyIsWrittenAndReadAgainOnReload) {
  SystemToken admin;
  SqliteRegistry registry(machine / "registry", admin);
  const std::string key = DriverKeyPath(scenario.adapters[0]);
  std::string instanceId;
  int32_t status =
      RegReadString(registry, HKEY_LOCAL_MACHINE, key, "NetCfgInstanceId", &instanceId);
  if (status == ERROR_BADDB) GTEST_SKIP() << "the registry hives are not available in this build";
  ASSERT_EQ(status, ERROR_SUCCESS);
  EXPECT_EQ(instanceId, scenario.adapters[0].instanceId);
  std::string text;
  ASSERT_EQ(RegReadString(registry, HKEY_LOCAL_MACHINE, key, "DriverDesc", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, "802.11n USB Wireless LAN Card");
  ASSERT_EQ(RegReadString(registry, HKEY_LOCAL_MACHINE, key, "WirelessMode", &text), ERROR_SUCCESS);
  EXPECT_EQ(text, "9");

  // The driver reads its key when it is reloaded; a replug keeps what the programs wrote.
  ASSERT_EQ(RegWriteString(registry, HKEY_LOCAL_MACHINE, key, "WirelessMode", "7"), ERROR_SUCCESS);
  std::vector<uint8_t> value;
  ASSERT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_WIRELESS_MODE, &value), 0);
  EXPECT_EQ(value[0], 9);
  ASSERT_EQ(RunCommand(RunReload, {"usb0"}, machine).rc, 0);
  ASSERT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_WIRELESS_MODE, &value), 0);
  EXPECT_EQ(value[0], 7);
  ASSERT_EQ(RunCommand(RunUnplug, {"usb0"}, machine).rc, 0);
  ASSERT_EQ(RunCommand(RunPlug, {"usb0"}, machine).rc, 0);
  ASSERT_EQ(QueryDevice(machine, DevicePath(0), OID_VND_WIRELESS_MODE, &value), 0);
  EXPECT_EQ(value[0], 7);
}

// Runs build/bin/kavo9-sim with `args`; its standard output in `out`.
int RunTool(const std::vector<std::string>& args, std::string* out) {
  std::vector<std::string> all = {(BinDir() / "kavo9-sim").string()};
  all.insert(all.end(), args.begin(), args.end());
  return Run(all, out);
}

TEST_F(DaemonTest, TheToolProgramRunsTheMachineCommands) {
  std::string out;
  ASSERT_EQ(RunTool({"--machine", machine.string(), "status"}, &out), 0);
  EXPECT_EQ(json::parse(out)["adapters"][0]["name"], "usb0");
  ASSERT_EQ(
      RunTool({"--machine", machine.string(), "ioctl", "usb0", "query", "OID_GEN_DRIVER_VERSION"},
              &out),
      0);
  EXPECT_EQ(out, "0601\n");
  EXPECT_EQ(RunTool({"--machine", machine.string(), "unplug"}, &out), 2);
  ASSERT_EQ(RunTool({"--machine", machine.string(), "unplug", "usb0"}, &out), 0);
  EXPECT_EQ(PresentNames(machine).size(), 3u);
}

// One request through `io`, opening and closing the device around it as the programs do.
int32_t Request(SimulatedDeviceIo& io, const std::string& path, uint32_t code,
                std::vector<uint8_t> value, DeviceIo::Handle* used = nullptr) {
  DeviceIo::Handle h = io.Open(path);
  if (used) *used = h;
  if (h == DeviceIo::kInvalidHandle) return -1;
  uint32_t count = 0;
  int32_t error = 0;
  bool ok = io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, value.data(),
                       uint32_t(value.size()), &count, &error);
  io.Close(h);
  return ok ? 0 : error;
}

TEST_F(DaemonTest, KeptDeviceConnectionsFollowUnplugPlugAndARestart) {
  SimulatedDeviceIo io(machine);
  const std::string path = DevicePath(0);
  DeviceIo::Handle first = DeviceIo::kInvalidHandle, again = DeviceIo::kInvalidHandle;
  ASSERT_EQ(Request(io, path, OID_VND_OP_MODE, Le32Bytes(0), &first), 0);
  for (int i = 0; i < 50; ++i)
    ASSERT_EQ(Request(io, path, OID_VND_OP_MODE, Le32Bytes(0), &again), 0);
  EXPECT_EQ(again, first);  // one connection carried them all

  // An unplugged adapter fails at Open, as before; plugged in again it answers at once.
  ASSERT_EQ(RunCommand(RunUnplug, {"usb0"}, machine).rc, 0);
  EXPECT_EQ(io.Open(path), DeviceIo::kInvalidHandle);
  EXPECT_EQ(Request(io, path, OID_VND_OP_MODE, Le32Bytes(0)), -1);
  ASSERT_EQ(RunCommand(RunPlug, {"usb0"}, machine).rc, 0);
  EXPECT_EQ(Request(io, path, OID_VND_OP_MODE, Le32Bytes(0)), 0);

  // A stopped daemon fails the open; a new one is found without the client noticing.
  ASSERT_EQ(StopDaemon(), 0);
  EXPECT_EQ(io.Open(path), DeviceIo::kInvalidHandle);
  StartDaemon();
  EXPECT_EQ(Request(io, path, OID_VND_OP_MODE, Le32Bytes(0)), 0);

  // The daemon restarts between Open and the request: the request goes to the new daemon.
  DeviceIo::Handle h = io.Open(path);
  ASSERT_NE(h, DeviceIo::kInvalidHandle);
  ASSERT_EQ(StopDaemon(), 0);
  StartDaemon();
  uint32_t code = OID_VND_WIRELESS_MODE, count = 0, mode = 0;
  EXPECT_TRUE(io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, &mode, 4, &count, nullptr));
  EXPECT_EQ(mode, 9u);
  io.Close(h);
  // Unplugged between Open and the request: the request fails, not retried elsewhere.
  h = io.Open(path);
  ASSERT_NE(h, DeviceIo::kInvalidHandle);
  ASSERT_EQ(RunCommand(RunUnplug, {"usb0"}, machine).rc, 0);
  int32_t error = 0;
  EXPECT_FALSE(io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, &mode, 4, &count, &error));
  EXPECT_EQ(error, ERROR_DEVICE_NOT_CONNECTED);
  io.Close(h);
}

TEST_F(DaemonTest, KeptControlConnectionFollowsARestart) {
  SimulatedServiceControl services(machine);
  uint32_t state = 0;
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(services.QueryStatus("WZCSVC", &state)) << i;
  EXPECT_EQ(state, SERVICE_RUNNING);
  ASSERT_TRUE(services.Stop("WZCSVC"));
  EXPECT_FALSE(services.Stop("WZCSVC"));  // an error answer leaves the connection usable
  ASSERT_TRUE(services.QueryStatus("WZCSVC", &state));
  EXPECT_EQ(state, SERVICE_STOPPED);
  ASSERT_EQ(StopDaemon(), 0);
  EXPECT_FALSE(services.QueryStatus("WZCSVC", &state));
  StartDaemon();
  ASSERT_TRUE(services.QueryStatus("WZCSVC", &state));
  EXPECT_EQ(state, SERVICE_RUNNING);  // the new daemon's own state
}

TEST_F(DaemonTest, ServesManyLongLivedConnectionsAndMakesRoomForNewOnes) {
  // More clients than the daemon keeps connections (512): each keeps its connection and comes
  // back for a second request; the daemon closes the longest-idle ones to make room, and those
  // clients reconnect without an error.
  constexpr int kClients = 600;
  std::vector<std::unique_ptr<SimulatedDeviceIo>> clients;
  for (int i = 0; i < kClients; ++i) {
    clients.push_back(std::make_unique<SimulatedDeviceIo>(machine));
    ASSERT_EQ(Request(*clients.back(), DevicePath(i % 2), OID_VND_OP_MODE, Le32Bytes(0)), 0) << i;
  }
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < kClients; ++i) {
      ASSERT_EQ(Request(*clients[size_t(i)], DevicePath(i % 2), OID_VND_OP_MODE, Le32Bytes(0)), 0)
          << "round " << round << ", client " << i;
    }
  }
  Captured status = RunCommand(RunStatus, {}, machine);
  EXPECT_EQ(status.rc, 0) << status.err;
}

// The machine's event stream as a program sees it: one subscription per class.
class EventStreamTest : public DaemonTest {
 protected:
  const char* ScenarioName() const override { return "demo.json"; }

  // Subscribes to `topic`; the connection, or -1.
  int Subscribe(const std::string& topic) {
    int fd = RawConnect(machine / "run" / "events.sock");
    if (fd < 0) return -1;
    const std::string line = json{{"subscribe", topic}}.dump() + "\n";
    ::send(fd, line.data(), line.size(), MSG_NOSIGNAL);
    json answer = NextLine(fd);
    if (answer.value("ok", false) != true) {
      ::close(fd);
      return -1;
    }
    return fd;
  }

  // The next line of a stream as JSON (null after 5 s without one).
  json NextLine(int fd) {
    std::string& buffer = pending[fd];
    for (;;) {
      size_t end = buffer.find('\n');
      if (end != std::string::npos) {
        json line = json::parse(buffer.substr(0, end), nullptr, false);
        buffer.erase(0, end + 1);
        return line;
      }
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) return nullptr;
      char chunk[512];
      ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) return nullptr;
      buffer.append(chunk, size_t(n));
    }
  }

  // Whether a line arrives within `ms`.
  bool Quiet(int fd, int ms) {
    if (pending[fd].find('\n') != std::string::npos) return false;
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) == 0;
  }

  int32_t SetSsid(SimulatedDeviceIo& io, const std::string& ssid) {
    std::vector<uint8_t> value(36, 0);
    WriteLe32(value.data(), uint32_t(ssid.size()));
    std::memcpy(value.data() + 4, ssid.data(), ssid.size());
    return Request(io, DevicePath(0), OID_802_11_SSID | kSetBit, value);
  }

  std::map<int, std::string> pending;
};

TEST_F(EventStreamTest, LinkUpRaisesTheMediaConnectEventWithTheAdaptersName) {
  SimulatedDeviceIo io(machine);
  // Nobody listens yet: the link comes up without an event to be kept for later.
  ASSERT_EQ(SetSsid(io, "Library-Public"), 0);
  int media = Subscribe("MSNdis_StatusMediaConnect");
  ASSERT_GE(media, 0);
  EXPECT_TRUE(Quiet(media, 100));

  ASSERT_EQ(Request(io, DevicePath(0), OID_802_11_DISASSOCIATE | kSetBit, {}), 0);
  EXPECT_TRUE(Quiet(media, 100));  // the link going down is not a media-connect event
  ASSERT_EQ(SetSsid(io, "Library-Public"), 0);
  const json expected = {{"class", "MSNdis_StatusMediaConnect"},
                         {"instanceName", "802.11n USB Wireless LAN Card"}};
  EXPECT_EQ(NextLine(media), expected);
  // Another network (another BSSID) is a new link.
  ASSERT_EQ(SetSsid(io, "Hoffmann-Open-Test"), 0);  // not in range: no link, no event
  EXPECT_TRUE(Quiet(media, 100));
  ASSERT_EQ(SetSsid(io, "Library-Public"), 0);
  EXPECT_EQ(NextLine(media), expected);

  // The programs' subscription sees the class as the management service names it.
  SimulatedEventSubscription events(machine);
  ASSERT_TRUE(events.Connect());
  std::mutex mutex;
  std::vector<std::string> classes;
  ASSERT_NE(events.Subscribe("MSNdis_StatusMediaConnect",
                             [&](const std::vector<EventObject>& batch) {
                               std::lock_guard lock(mutex);
                               for (const auto& e : batch)
                                 classes.push_back(e.className.value_or(""));
                             }),
            0u);
  ASSERT_EQ(SetSsid(io, "Library-Public"), 0);
  EXPECT_TRUE(WaitFor(
      [&] {
        std::lock_guard lock(mutex);
        return classes == std::vector<std::string>{"MSNdis_StatusMediaConnect"};
      },
      std::chrono::seconds(5)));
  events.Disconnect();
  ::close(media);
}

TEST_F(EventStreamTest, AWrongWepKeyRaisesTheDriversMessageEvent) {
  SimulatedDeviceIo io(machine);
  int message = Subscribe("TsWLANMessageEvent");
  int media = Subscribe("MSNdis_StatusMediaConnect");
  ASSERT_GE(message, 0);
  ASSERT_GE(media, 0);
  auto set32 = [&](uint32_t code, uint32_t v) {
    return Request(io, DevicePath(0), code | kSetBit, Le32Bytes(v));
  };
  ASSERT_EQ(set32(OID_802_11_AUTHENTICATION_MODE, 0), 0);  // open
  ASSERT_EQ(set32(OID_802_11_ENCRYPTION_STATUS, 0), 0);    // WEP enabled
  std::vector<uint8_t> key(32, 0);
  WriteLe32(key.data(), 39 + 5);
  WriteLe32(key.data() + 4, 0x80000000);
  WriteLe32(key.data() + 8, 5);
  key.insert(key.end(), {0x11, 0x22, 0x33, 0x44, 0x55});  // not the network's key
  ASSERT_EQ(Request(io, DevicePath(0), OID_802_11_ADD_KEY | kSetBit, key), 0);
  ASSERT_EQ(SetSsid(io, "Hoffmann"), 0);

  EXPECT_EQ(NextLine(media).value("class", ""), "MSNdis_StatusMediaConnect");
  const json event = NextLine(message);
  EXPECT_EQ(event, (json{{"class", "TsWLANMessageEvent"},
                         {"instanceName", "802.11n USB Wireless LAN Card"}}));
  std::vector<uint8_t> flags(4, 0);
  uint32_t code = OID_VND_MESSAGE_FLAGS;
  {
    DeviceIo::Handle h = io.Open(DevicePath(0));
    uint32_t count = 0;
    ASSERT_TRUE(
        io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, flags.data(), 4, &count, nullptr));
    io.Close(h);
  }
  EXPECT_EQ(ReadLe32(flags.data()) & 1, 1u);  // the key error the controller reads
  // The flags clear with the link: the driver tells that too.
  ASSERT_EQ(Request(io, DevicePath(0), OID_802_11_DISASSOCIATE | kSetBit, {}), 0);
  EXPECT_EQ(NextLine(message).value("class", ""), "TsWLANMessageEvent");
  EXPECT_TRUE(Quiet(media, 100));

  // The control tool's event names the adapter too.
  ASSERT_EQ(RunCommand(RunStatus, {}, machine).rc, 0);
  json reply;
  ASSERT_TRUE(SendDaemonCommand(machine, {{"cmd", "event"}, {"class", "TsWLANMessageEvent"}},
                                &reply, &error));
  EXPECT_EQ(NextLine(message).value("instanceName", ""), "802.11n USB Wireless LAN Card");
  ::close(message);
  ::close(media);
}

TEST(MachineInit, RefusesAMalformedScenarioWithItsPath) {
  std::filesystem::path dir = MakeTempDir("k9sim");
  ASSERT_FALSE(dir.empty());
  {
    std::ofstream bad(dir / "bad.json");
    bad << R"({"adapters": [{"hardwareIds": ["USB\\VID_1D5A&PID_3070"], "deviceDescription": "x",
               "instanceId": "{3F8A2C10-5B7D-4E21-9C3A-0D1E5A307001}", "mac": "zz"}]})";
  }
  Captured init = RunCommand(RunInit, {(dir / "bad.json").string()}, dir / "machine");
  EXPECT_EQ(init.rc, 1);
  EXPECT_NE(init.err.find("/adapters/0/mac: "), std::string::npos) << init.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "machine" / "scenario.json"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kavo9::test
