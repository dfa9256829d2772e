#pragma once
// The programs' side of the system daemon's services on a simulated machine:
//
//   <machine>/run/simd.sock    one JSON line per connection, one JSON line back (with "keep":
//                              true the connection carries the next line too):
//                              {"cmd":"service","op":"query|start|stop|config","name":"WZCSVC",
//                               "startType":3} and {"cmd":"ip","op":"interfaces|adapters|
//                               release|renew","index":N} and {"cmd":"ics","op":"status"}
//   <machine>/run/events.sock  a subscription stream: the client sends {"subscribe":TOPIC} with
//                              TOPIC a management event class, "session" or "power"; the daemon
//                              answers {"ok":true|false} and then sends one line per event:
//                              {"class":NAME,"instanceName":ADAPTER}, {"session":CODE} or
//                              {"power":CODE}.
//
// Without a daemon every call fails and nothing is delivered: the programs then behave as on a
// system without the facility.

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include <nlohmann/json.hpp>

#include "common/platform/EventSubscription.h"
#include "common/platform/IpHelper.h"
#include "common/platform/ServiceControl.h"
#include "common/platform/SessionEvents.h"

namespace kavo9 {

// Sends one request line to a Unix socket and reads one reply line. False when no daemon answers
// within the call's deadline (a second at most, however the answer trickles in) or the reply is
// not a JSON object with "ok": true.
bool CallDaemon(const std::filesystem::path& socketPath, const nlohmann::json& request,
                nlohmann::json* reply);

// A connection to the daemon's control socket kept between calls, for the services the programs
// ask at every tick: connecting anew each time would cost more than the call. A connection the
// daemon has closed (it restarted, or dropped it idle) is replaced before the call, or once when
// it turns out dead as the call is sent.
class DaemonConnection {
 public:
  explicit DaemonConnection(std::filesystem::path socketPath) : socket_(std::move(socketPath)) {}
  ~DaemonConnection();
  DaemonConnection(const DaemonConnection&) = delete;
  DaemonConnection& operator=(const DaemonConnection&) = delete;
  // As CallDaemon.
  bool Call(const nlohmann::json& request, nlohmann::json* reply);

 private:
  std::filesystem::path socket_;
  std::mutex mutex_;
  int fd_ = -1;
};

// One subscription: a worker thread that reads event lines and hands each to `onLine`. When the
// daemon goes away (it stopped or restarted) the worker subscribes again once it is back, trying
// at growing intervals, so the events flow again without the program noticing.
class EventStream {
 public:
  using LineHandler = std::function<void(const nlohmann::json& line)>;
  // Connects and subscribes to `topic`; null when the daemon is not there or refuses the topic.
  static std::unique_ptr<EventStream> Open(const std::filesystem::path& socketPath,
                                           const std::string& topic, LineHandler onLine);
  // Stops the worker and waits for it.
  ~EventStream();

 private:
  EventStream(std::filesystem::path socketPath, std::string topic, int fd, std::string pending,
              LineHandler onLine);
  void Run();
  // Waits `milliseconds`; false when the stream is being stopped.
  bool Pause(int milliseconds);

  std::filesystem::path socket_;
  std::string topic_;
  std::mutex fdMutex_;  // fd_ while the worker replaces it
  int fd_;
  std::string pending_;  // bytes that came with the subscription's answer
  int wake_[2] = {-1, -1};
  std::atomic<bool> stopping_{false};
  LineHandler onLine_;
  std::thread worker_;
};

class SimulatedServiceControl : public ServiceControl {
 public:
  explicit SimulatedServiceControl(std::filesystem::path machineDir);
  bool QueryStatus(std::string_view service, uint32_t* state) override;
  bool QueryStartType(std::string_view service, uint32_t* startType) override;
  bool Start(std::string_view service) override;
  bool Stop(std::string_view service) override;
  bool SetStartType(std::string_view service, uint32_t startType) override;

 private:
  bool Call(std::string_view op, std::string_view service, nlohmann::json* reply,
            uint32_t startType = 0);
  DaemonConnection daemon_;
};

class SimulatedIpHelper : public IpHelper {
 public:
  explicit SimulatedIpHelper(std::filesystem::path machineDir);
  bool GetInterfaceInfo(std::vector<IpInterface>* interfaces) override;
  bool GetAdaptersInfo(std::vector<IpAdapterInfo>* adapters) override;
  bool IpReleaseAddress(const IpInterface& interface) override;
  bool IpRenewAddress(const IpInterface& interface) override;
  bool GetSharingLeases(std::vector<SharingLease>* leases) override;

 private:
  DaemonConnection daemon_;
};

class SimulatedSessionEvents : public SessionEvents {
 public:
  explicit SimulatedSessionEvents(std::filesystem::path machineDir);
  ~SimulatedSessionEvents() override;
  bool RegisterSessionNotification(SessionCallback callback) override;
  void UnregisterSessionNotification() override;
  void SetPowerCallback(PowerCallback callback) override;

 private:
  std::filesystem::path socket_;
  std::unique_ptr<EventStream> session_;
  std::unique_ptr<EventStream> power_;
};

class SimulatedEventSubscription : public EventSubscription {
 public:
  explicit SimulatedEventSubscription(std::filesystem::path machineDir);
  ~SimulatedEventSubscription() override;
  bool Connect() override;
  Id Subscribe(std::string_view className, BatchCallback callback) override;
  void Cancel(Id id) override;
  void Disconnect() override;

 private:
  std::filesystem::path socket_;
  bool connected_ = false;
  std::map<Id, std::unique_ptr<EventStream>> streams_;
  Id next_ = 0;
};

}  // namespace kavo9
