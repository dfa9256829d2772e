#pragma once
// Fakes of the system's event sources and services: session and power notifications, management
// event subscriptions, the IP helper and the service control manager. Tests raise events and
// read what was asked.

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "common/platform/EventSubscription.h"
#include "common/platform/IpHelper.h"
#include "common/platform/ServiceControl.h"
#include "common/platform/SessionEvents.h"

namespace kavo9 {

class FakeSessionEvents : public SessionEvents {
 public:
  bool available = true;
  bool registered = false;
  bool RegisterSessionNotification(SessionCallback callback) override;
  void UnregisterSessionNotification() override;
  void SetPowerCallback(PowerCallback callback) override { power_ = std::move(callback); }
  // Delivers an event as the system would (on the caller's thread).
  void RaiseSession(uint32_t wtsCode);
  void RaisePower(uint32_t powerEvent);

 private:
  SessionCallback session_;
  PowerCallback power_;
};

class FakeEventSubscription : public EventSubscription {
 public:
  bool connectable = true;
  // Classes whose queries are accepted.
  std::set<std::string> providedClasses = {"TsWLANMessageEvent", "MSNdis_StatusMediaConnect"};
  bool connected = false;
  bool Connect() override;
  Id Subscribe(std::string_view className, BatchCallback callback) override;
  void Cancel(Id id) override;
  void Disconnect() override;
  // Delivers one batch to every subscriber of the class of the batch's first object (or of
  // `className` when given), on the caller's thread.
  void Raise(std::string_view className, const std::vector<EventObject>& batch);
  size_t SubscriberCount() const { return subscriptions_.size(); }

 private:
  struct Subscription {
    std::string className;
    BatchCallback callback;
  };
  std::map<Id, Subscription> subscriptions_;
  Id next_ = 0;
};

class FakeIpHelper : public IpHelper {
 public:
  std::vector<IpInterface> interfaces;
  std::vector<IpAdapterInfo> adapters;
  std::vector<SharingLease> leases;
  bool GetSharingLeases(std::vector<SharingLease>* result) override {
    *result = leases;
    return true;
  }
  bool GetInterfaceInfo(std::vector<IpInterface>* result) override;
  bool GetAdaptersInfo(std::vector<IpAdapterInfo>* result) override;
  bool IpReleaseAddress(const IpInterface& interface) override;
  bool IpRenewAddress(const IpInterface& interface) override;
  // "table", "release <name>", "renew <name>" in call order; safe to read after the worker ended.
  std::vector<std::string> Calls() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

class FakeServiceControl : public ServiceControl {
 public:
  struct Service {
    uint32_t state = SERVICE_RUNNING;
    uint32_t startType = SERVICE_AUTO_START;
  };
  std::map<std::string, Service> services = {{kWirelessConfigService, {}}};
  bool reachable = true;
  // "start WZCSVC", "stop WZCSVC", "config WZCSVC 3" in call order.
  std::vector<std::string> calls;
  bool QueryStatus(std::string_view service, uint32_t* state) override;
  bool QueryStartType(std::string_view service, uint32_t* startType) override;
  bool Start(std::string_view service) override;
  bool Stop(std::string_view service) override;
  bool SetStartType(std::string_view service, uint32_t startType) override;

 private:
  Service* Find(std::string_view service);
};

}  // namespace kavo9
