#include "common/platform/fake/FakeSystemEvents.h"

namespace kavo9 {

bool FakeSessionEvents::RegisterSessionNotification(SessionCallback callback) {
  if (!available) return false;
  session_ = std::move(callback);
  registered = true;
  return true;
}

void FakeSessionEvents::UnregisterSessionNotification() {
  session_ = nullptr;
  registered = false;
}

void FakeSessionEvents::RaiseSession(uint32_t wtsCode) {
  if (session_) session_(wtsCode);
}

void FakeSessionEvents::RaisePower(uint32_t powerEvent) {
  if (power_) power_(powerEvent);
}

bool FakeEventSubscription::Connect() {
  connected = connectable;
  return connected;
}

EventSubscription::Id FakeEventSubscription::Subscribe(std::string_view className,
                                                       BatchCallback callback) {
  if (!connected || !providedClasses.count(std::string(className))) return 0;
  subscriptions_[++next_] = {std::string(className), std::move(callback)};
  return next_;
}

void FakeEventSubscription::Cancel(Id id) {
  subscriptions_.erase(id);
}

void FakeEventSubscription::Disconnect() {
  subscriptions_.clear();
  connected = false;
}

void FakeEventSubscription::Raise(std::string_view className,
                                  const std::vector<EventObject>& batch) {
  for (auto& [id, subscription] : subscriptions_) {
    if (subscription.className == className) subscription.callback(batch);
  }
}

bool FakeIpHelper::GetInterfaceInfo(std::vector<IpInterface>* result) {
  std::lock_guard lock(mutex_);
  calls_.push_back("table");
  *result = interfaces;
  return true;
}

bool FakeIpHelper::GetAdaptersInfo(std::vector<IpAdapterInfo>* result) {
  *result = adapters;
  return true;
}

bool FakeIpHelper::IpReleaseAddress(const IpInterface& interface) {
  std::lock_guard lock(mutex_);
  calls_.push_back("release " + interface.name);
  return true;
}

bool FakeIpHelper::IpRenewAddress(const IpInterface& interface) {
  std::lock_guard lock(mutex_);
  calls_.push_back("renew " + interface.name);
  return true;
}

std::vector<std::string> FakeIpHelper::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

FakeServiceControl::Service* FakeServiceControl::Find(std::string_view service) {
  if (!reachable) return nullptr;
  auto it = services.find(std::string(service));
  return it == services.end() ? nullptr : &it->second;
}

bool FakeServiceControl::QueryStatus(std::string_view service, uint32_t* state) {
  Service* found = Find(service);
  if (!found) return false;
  *state = found->state;
  return true;
}

bool FakeServiceControl::QueryStartType(std::string_view service, uint32_t* startType) {
  Service* found = Find(service);
  if (!found) return false;
  *startType = found->startType;
  return true;
}

bool FakeServiceControl::Start(std::string_view service) {
  calls.push_back("start " + std::string(service));
  Service* found = Find(service);
  if (!found || found->state == SERVICE_RUNNING || found->startType == SERVICE_DISABLED) {
    return false;
  }
  found->state = SERVICE_RUNNING;
  return true;
}

bool FakeServiceControl::Stop(std::string_view service) {
  calls.push_back("stop " + std::string(service));
  Service* found = Find(service);
  if (!found || found->state == SERVICE_STOPPED) return false;
  found->state = SERVICE_STOPPED;
  return true;
}

bool FakeServiceControl::SetStartType(std::string_view service, uint32_t startType) {
  calls.push_back("config " + std::string(service) + " " + std::to_string(startType));
  Service* found = Find(service);
  if (!found) return false;
  found->startType = startType;
  return true;
}

}  // namespace kavo9
