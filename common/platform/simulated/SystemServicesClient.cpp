#include "common/platform/simulated/SystemServicesClient.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/platform/simulated/UnixSocket.h"

namespace kavo9 {
namespace {

// The daemon answers at once; one that has not answered a call within this time is treated as
// absent (the programs ask on their user-interface thread).
constexpr int kCallDeadlineMs = 1000;
// Longest line accepted from the daemon.
constexpr size_t kMaxLine = 64 * 1024;
// How long a lost event stream waits before it tries the daemon again: doubling from the first
// to the last, so a daemon that is away for long costs next to nothing.
constexpr int kFirstReconnectMs = 100;
constexpr int kLastReconnectMs = 5000;

bool SendLine(int fd, const nlohmann::json& message, const Deadline& deadline) {
  std::string line = message.dump() + "\n";
  return SendAll(fd, reinterpret_cast<const uint8_t*>(line.data()), line.size(), deadline);
}

// Reads up to a newline into `buffer` (which may hold the start of later lines), until
// `deadline` (null: no limit) or until `wakeFd` becomes readable. -1 on error, deadline or
// wake-up, 0 on end of stream, 1 with `line` set.
int ReadLine(int fd, std::string& buffer, std::string* line, const Deadline* deadline,
             int wakeFd = -1) {
  for (;;) {
    size_t end = buffer.find('\n');
    if (end != std::string::npos) {
      *line = buffer.substr(0, end);
      buffer.erase(0, end + 1);
      return 1;
    }
    if (buffer.size() > kMaxLine) return -1;
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    const int timeout = deadline ? deadline->RemainingMs() : -1;
    if (timeout == 0) return -1;
    int ready = ::poll(fds, wakeFd >= 0 ? 2 : 1, timeout);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return -1;
    if (wakeFd >= 0 && fds[1].revents) return -1;
    char chunk[4096];
    ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n < 0) return -1;
    if (n == 0) return 0;
    buffer.append(chunk, size_t(n));
  }
}

// Connects to the event socket and subscribes to `topic`: the connection, with the bytes that
// came after the answer in `pending`, or -1.
int Subscribe(const std::filesystem::path& socketPath, const std::string& topic,
              std::string* pending) {
  int fd = ConnectUnixSocket(socketPath);
  if (fd < 0) return -1;
  const Deadline deadline(kCallDeadlineMs);
  std::string line;
  pending->clear();
  if (!SendLine(fd, {{"subscribe", topic}}, deadline) ||
      ReadLine(fd, *pending, &line, &deadline) != 1 ||
      nlohmann::json::parse(line, nullptr, false).value("ok", false) != true) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool ParseObject(const std::string& line, nlohmann::json* value) {
  *value = nlohmann::json::parse(line, nullptr, false);
  return value->is_object();
}

uint32_t NumberField(const nlohmann::json& object, const char* name) {
  auto it = object.find(name);
  return it != object.end() && it->is_number_unsigned() ? it->get<uint32_t>() : 0;
}

std::string TextField(const nlohmann::json& object, const char* name) {
  auto it = object.find(name);
  return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

}  // namespace

bool CallDaemon(const std::filesystem::path& socketPath, const nlohmann::json& request,
                nlohmann::json* reply) {
  int fd = ConnectUnixSocket(socketPath);
  if (fd < 0) return false;
  const Deadline deadline(kCallDeadlineMs);
  std::string buffer, line;
  bool ok = SendLine(fd, request, deadline) && ReadLine(fd, buffer, &line, &deadline) == 1 &&
            ParseObject(line, reply) && reply->value("ok", false) == true;
  ::close(fd);
  return ok;
}

DaemonConnection::~DaemonConnection() {
  if (fd_ >= 0) ::close(fd_);
}

bool DaemonConnection::Call(const nlohmann::json& request, nlohmann::json* reply) {
  std::lock_guard lock(mutex_);
  if (fd_ >= 0 && !StillOpen(fd_)) {
    ::close(fd_);
    fd_ = -1;
  }
  bool reused = fd_ >= 0;
  // One deadline for the call, the second attempt after a restart included.
  const Deadline deadline(kCallDeadlineMs);
  for (;;) {
    if (fd_ < 0) fd_ = ConnectUnixSocket(socket_);
    if (fd_ < 0) return false;
    std::string buffer, line;
    nlohmann::json kept = request;
    kept["keep"] = true;
    const bool sent = SendLine(fd_, kept, deadline);
    const int read = sent ? ReadLine(fd_, buffer, &line, &deadline) : 0;
    // One answer and nothing after it keeps the connection in step for the next call.
    const bool answered = read == 1 && buffer.empty();
    if (!answered) {
      ::close(fd_);
      fd_ = -1;
    }
    // Hung up before answering (a restart since the check above): once more, on a new connection.
    if ((!sent || read == 0) && reused) {
      reused = false;
      continue;
    }
    return read == 1 && ParseObject(line, reply) && reply->value("ok", false) == true;
  }
}

std::unique_ptr<EventStream> EventStream::Open(const std::filesystem::path& socketPath,
                                               const std::string& topic, LineHandler onLine) {
  std::string pending;
  int fd = Subscribe(socketPath, topic, &pending);
  if (fd < 0) return nullptr;
  return std::unique_ptr<EventStream>(
      new EventStream(socketPath, topic, fd, std::move(pending), std::move(onLine)));
}

EventStream::EventStream(std::filesystem::path socketPath, std::string topic, int fd,
                         std::string pending, LineHandler onLine)
    : socket_(std::move(socketPath)),
      topic_(std::move(topic)),
      fd_(fd),
      pending_(std::move(pending)),
      onLine_(std::move(onLine)) {
  if (::pipe2(wake_, O_CLOEXEC) != 0) wake_[0] = wake_[1] = -1;
  worker_ = std::thread([this] { Run(); });
}

EventStream::~EventStream() {
  stopping_ = true;
  if (wake_[1] >= 0) {
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
  } else {
    std::lock_guard lock(fdMutex_);
    if (fd_ >= 0) ::shutdown(fd_, SHUT_RDWR);
  }
  if (worker_.joinable()) worker_.join();
  if (fd_ >= 0) ::close(fd_);
  if (wake_[0] >= 0) ::close(wake_[0]);
  if (wake_[1] >= 0) ::close(wake_[1]);
}

bool EventStream::Pause(int milliseconds) {
  if (wake_[0] < 0) {
    // No wake-up pipe: short naps, looking at the stop flag in between.
    for (int slept = 0; slept < milliseconds && !stopping_; slept += 50) ::usleep(50'000);
    return !stopping_;
  }
  pollfd wake{wake_[0], POLLIN, 0};
  int ready;
  do {
    ready = ::poll(&wake, 1, milliseconds);
  } while (ready < 0 && errno == EINTR);
  return ready == 0 && !stopping_;
}

void EventStream::Run() {
  std::string buffer = std::move(pending_), line;
  for (;;) {
    while (ReadLine(fd_, buffer, &line, nullptr, wake_[0]) == 1) {
      nlohmann::json event;
      if (ParseObject(line, &event)) onLine_(event);
    }
    if (stopping_) return;
    // The daemon went away (it stopped or restarted): subscribe again once it is back, waiting
    // longer after each miss. Events raised meanwhile are lost, as they would be on Windows.
    {
      std::lock_guard lock(fdMutex_);
      ::close(fd_);
      fd_ = -1;
    }
    int fd = -1;
    for (int waitMs = kFirstReconnectMs; fd < 0; waitMs = std::min(waitMs * 2, kLastReconnectMs)) {
      if (!Pause(waitMs)) return;
      fd = Subscribe(socket_, topic_, &buffer);
    }
    std::lock_guard lock(fdMutex_);
    fd_ = fd;
    if (stopping_) return;
  }
}

SimulatedServiceControl::SimulatedServiceControl(std::filesystem::path machineDir)
    : daemon_(std::move(machineDir) / "run" / "simd.sock") {}

bool SimulatedServiceControl::Call(std::string_view op, std::string_view service,
                                   nlohmann::json* reply, uint32_t startType) {
  nlohmann::json request{{"cmd", "service"}, {"op", op}, {"name", service}};
  if (startType != 0) request["startType"] = startType;
  return daemon_.Call(request, reply);
}

bool SimulatedServiceControl::QueryStatus(std::string_view service, uint32_t* state) {
  nlohmann::json reply;
  if (!Call("query", service, &reply) || NumberField(reply, "state") == 0) return false;
  *state = NumberField(reply, "state");
  return true;
}

bool SimulatedServiceControl::QueryStartType(std::string_view service, uint32_t* startType) {
  nlohmann::json reply;
  if (!Call("query", service, &reply) || NumberField(reply, "startType") == 0) return false;
  *startType = NumberField(reply, "startType");
  return true;
}

bool SimulatedServiceControl::Start(std::string_view service) {
  nlohmann::json reply;
  return Call("start", service, &reply);
}

bool SimulatedServiceControl::Stop(std::string_view service) {
  nlohmann::json reply;
  return Call("stop", service, &reply);
}

bool SimulatedServiceControl::SetStartType(std::string_view service, uint32_t startType) {
  nlohmann::json reply;
  return Call("config", service, &reply, startType);
}

namespace {

// "00-1D-5A-30-70-01" (or with ":") to its bytes; empty when the text is no such address.
std::vector<uint8_t> HardwareAddress(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size(); i += 3) {
    auto hex = [](char c) {
      return c >= '0' && c <= '9'   ? c - '0'
             : c >= 'A' && c <= 'F' ? c - 'A' + 10
             : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                    : -1;
    };
    const int high = i + 1 < text.size() ? hex(text[i]) : -1;
    const int low = i + 1 < text.size() ? hex(text[i + 1]) : -1;
    const bool separated = i + 2 == text.size() || text[i + 2] == '-' || text[i + 2] == ':';
    if (high < 0 || low < 0 || !separated) return {};
    bytes.push_back(uint8_t(high << 4 | low));
  }
  return bytes;
}

}  // namespace

SimulatedIpHelper::SimulatedIpHelper(std::filesystem::path machineDir)
    : daemon_(std::move(machineDir) / "run" / "simd.sock") {}

bool SimulatedIpHelper::GetInterfaceInfo(std::vector<IpInterface>* interfaces) {
  nlohmann::json reply;
  if (!daemon_.Call({{"cmd", "ip"}, {"op", "interfaces"}}, &reply)) return false;
  interfaces->clear();
  auto list = reply.find("interfaces");
  if (list == reply.end() || !list->is_array()) return true;
  for (const auto& entry : *list) {
    if (entry.is_object()) {
      interfaces->push_back({NumberField(entry, "index"), TextField(entry, "name")});
    }
  }
  return true;
}

bool SimulatedIpHelper::GetAdaptersInfo(std::vector<IpAdapterInfo>* adapters) {
  nlohmann::json reply;
  if (!daemon_.Call({{"cmd", "ip"}, {"op", "adapters"}}, &reply)) return false;
  adapters->clear();
  auto list = reply.find("adapters");
  if (list == reply.end() || !list->is_array()) return true;
  for (const auto& entry : *list) {
    if (!entry.is_object()) continue;
    adapters->push_back({TextField(entry, "name"), TextField(entry, "ip"), TextField(entry, "mask"),
                         TextField(entry, "gateway"), entry.value("dhcp", true) == true,
                         HardwareAddress(TextField(entry, "address"))});
  }
  return true;
}

bool SimulatedIpHelper::GetSharingLeases(std::vector<SharingLease>* leases) {
  nlohmann::json reply;
  if (!daemon_.Call({{"cmd", "ics"}, {"op", "status"}}, &reply)) return false;
  leases->clear();
  auto sharing = reply.find("sharing");
  if (sharing == reply.end() || !sharing->is_object()) return true;
  auto list = sharing->find("leases");
  if (list == sharing->end() || !list->is_array()) return true;
  for (const auto& entry : *list) {
    if (entry.is_object()) {
      leases->push_back(
          {TextField(entry, "mac"), TextField(entry, "name"), TextField(entry, "ip")});
    }
  }
  return true;
}

bool SimulatedIpHelper::IpReleaseAddress(const IpInterface& interface) {
  nlohmann::json reply;
  return daemon_.Call({{"cmd", "ip"}, {"op", "release"}, {"index", interface.index}}, &reply);
}

bool SimulatedIpHelper::IpRenewAddress(const IpInterface& interface) {
  nlohmann::json reply;
  return daemon_.Call({{"cmd", "ip"}, {"op", "renew"}, {"index", interface.index}}, &reply);
}

SimulatedSessionEvents::SimulatedSessionEvents(std::filesystem::path machineDir)
    : socket_(std::move(machineDir) / "run" / "events.sock") {}

SimulatedSessionEvents::~SimulatedSessionEvents() = default;

bool SimulatedSessionEvents::RegisterSessionNotification(SessionCallback callback) {
  session_.reset();
  session_ = EventStream::Open(socket_, "session", [callback](const nlohmann::json& event) {
    if (callback) callback(NumberField(event, "session"));
  });
  return session_ != nullptr;
}

void SimulatedSessionEvents::UnregisterSessionNotification() {
  session_.reset();
}

void SimulatedSessionEvents::SetPowerCallback(PowerCallback callback) {
  power_.reset();
  if (!callback) return;
  power_ = EventStream::Open(socket_, "power", [callback](const nlohmann::json& event) {
    callback(NumberField(event, "power"));
  });
}

SimulatedEventSubscription::SimulatedEventSubscription(std::filesystem::path machineDir)
    : socket_(std::move(machineDir) / "run" / "events.sock") {}

SimulatedEventSubscription::~SimulatedEventSubscription() {
  Disconnect();
}

bool SimulatedEventSubscription::Connect() {
  connected_ = std::filesystem::exists(socket_);
  return connected_;
}

EventSubscription::Id SimulatedEventSubscription::Subscribe(std::string_view className,
                                                            BatchCallback callback) {
  if (!connected_) return 0;
  auto stream =
      EventStream::Open(socket_, std::string(className), [callback](const nlohmann::json& event) {
        EventObject object;
        auto it = event.find("class");
        if (it != event.end() && it->is_string()) {
          object.className = it->get<std::string>();
        }
        callback({object});
      });
  if (!stream) return 0;
  streams_[++next_] = std::move(stream);
  return next_;
}

void SimulatedEventSubscription::Cancel(Id id) {
  streams_.erase(id);
}

void SimulatedEventSubscription::Disconnect() {
  streams_.clear();
  connected_ = false;
}

}  // namespace kavo9
