#include "common/platform/simulated/SystemServicesClient.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/platform/simulated/UnixSocket.h"

namespace kavo9 {
namespace {

// The daemon answers at once; a daemon that does not is treated as absent.
constexpr int kReplyTimeoutMs = 3000;
// Longest line accepted from the daemon.
constexpr size_t kMaxLine = 64 * 1024;

int ConnectUnix(const std::filesystem::path& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string text = path.string();
  if (text.empty() || text.size() >= sizeof(address.sun_path)) return -1;
  std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool SendLine(int fd, const nlohmann::json& message) {
  std::string line = message.dump() + "\n";
  const char* data = line.data();
  size_t left = line.size();
  while (left > 0) {
    ssize_t n = ::send(fd, data, left, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    left -= size_t(n);
  }
  return true;
}

// Reads up to a newline into `buffer` (which may hold the start of later lines). -1 on error or
// timeout, 0 on end of stream, 1 with `line` set.
int ReadLine(int fd, std::string& buffer, std::string* line, int timeoutMs, int wakeFd = -1) {
  for (;;) {
    size_t end = buffer.find('\n');
    if (end != std::string::npos) {
      *line = buffer.substr(0, end);
      buffer.erase(0, end + 1);
      return 1;
    }
    if (buffer.size() > kMaxLine) return -1;
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    int ready = ::poll(fds, wakeFd >= 0 ? 2 : 1, timeoutMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return -1;
    if (wakeFd >= 0 && fds[1].revents) return -1;
    char chunk[4096];
    ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) return 0;
    buffer.append(chunk, size_t(n));
  }
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
  int fd = ConnectUnix(socketPath);
  if (fd < 0) return false;
  std::string buffer, line;
  bool ok = SendLine(fd, request) && ReadLine(fd, buffer, &line, kReplyTimeoutMs) == 1 &&
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
  for (;;) {
    if (fd_ < 0) fd_ = ConnectUnix(socket_);
    if (fd_ < 0) return false;
    std::string buffer, line;
    nlohmann::json kept = request;
    kept["keep"] = true;
    const bool sent = SendLine(fd_, kept);
    const int read = sent ? ReadLine(fd_, buffer, &line, kReplyTimeoutMs) : 0;
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
  int fd = ConnectUnix(socketPath);
  if (fd < 0) return nullptr;
  std::string buffer, line;
  nlohmann::json reply;
  if (!SendLine(fd, {{"subscribe", topic}}) ||
      ReadLine(fd, buffer, &line, kReplyTimeoutMs) != 1 || !ParseObject(line, &reply) ||
      reply.value("ok", false) != true) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<EventStream>(new EventStream(fd, std::move(buffer), std::move(onLine)));
}

EventStream::EventStream(int fd, std::string pending, LineHandler onLine)
    : fd_(fd), pending_(std::move(pending)), onLine_(std::move(onLine)) {
  if (::pipe2(wake_, O_CLOEXEC) != 0) wake_[0] = wake_[1] = -1;
  worker_ = std::thread([this] { Run(); });
}

EventStream::~EventStream() {
  if (wake_[1] >= 0) {
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(wake_[1], &byte, 1);
  } else {
    ::shutdown(fd_, SHUT_RDWR);
  }
  if (worker_.joinable()) worker_.join();
  ::close(fd_);
  if (wake_[0] >= 0) ::close(wake_[0]);
  if (wake_[1] >= 0) ::close(wake_[1]);
}

void EventStream::Run() {
  std::string buffer = std::move(pending_), line;
  while (ReadLine(fd_, buffer, &line, -1, wake_[0]) == 1) {
    nlohmann::json event;
    if (ParseObject(line, &event)) onLine_(event);
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
    adapters->push_back({TextField(entry, "name"), TextField(entry, "ip"),
                         TextField(entry, "mask"), TextField(entry, "gateway"),
                         entry.value("dhcp", true) == true});
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

void SimulatedSessionEvents::UnregisterSessionNotification() { session_.reset(); }

void SimulatedSessionEvents::SetPowerCallback(PowerCallback callback) {
  power_.reset();
  if (!callback) return;
  power_ = EventStream::Open(socket_, "power", [callback](const nlohmann::json& event) {
    callback(NumberField(event, "power"));
  });
}

SimulatedEventSubscription::SimulatedEventSubscription(std::filesystem::path machineDir)
    : socket_(std::move(machineDir) / "run" / "events.sock") {}

SimulatedEventSubscription::~SimulatedEventSubscription() { Disconnect(); }

bool SimulatedEventSubscription::Connect() {
  connected_ = std::filesystem::exists(socket_);
  return connected_;
}

EventSubscription::Id SimulatedEventSubscription::Subscribe(std::string_view className,
                                                            BatchCallback callback) {
  if (!connected_) return 0;
  auto stream = EventStream::Open(socket_, std::string(className),
                                  [callback](const nlohmann::json& event) {
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

void SimulatedEventSubscription::Cancel(Id id) { streams_.erase(id); }

void SimulatedEventSubscription::Disconnect() {
  streams_.clear();
  connected_ = false;
}

}  // namespace kavo9
