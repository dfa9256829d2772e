#include "sim/acauth/CredentialDesk.h"

namespace kavo9::acauth {

std::shared_ptr<CredentialDesk::Request> CredentialDesk::Open(int handle, uint32_t type,
                                                              uint32_t level, CredContext context) {
  auto request = std::make_shared<Request>();
  request->handle = handle;
  request->record.type = type;
  request->record.level = level;
  request->context = std::move(context);
  std::lock_guard hold(mutex_);
  request->record.id = nextId_++;
  if (nextId_ == 0) nextId_ = 1;
  // Requests nobody will answer any more must not pile up: the oldest go first.
  while (requests_.size() >= kMaxKept) requests_.erase(requests_.begin());
  requests_[request->record.id] = request;
  return request;
}

std::optional<CredAnswer> CredentialDesk::Await(const std::shared_ptr<Request>& request,
                                                const std::function<bool()>& cancelled,
                                                std::chrono::milliseconds limit) {
  std::unique_lock hold(mutex_);
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!request->completed && request->deferred && !cancelled()) {
    if (changed_.wait_until(hold, until) == std::cv_status::timeout) break;
  }
  if (!request->completed) {
    // Not taken up at all: nobody will answer it.
    if (!request->deferred) requests_.erase(request->record.id);
    return std::nullopt;
  }
  return request->answer;
}

void CredentialDesk::WakeAll() {
  std::lock_guard hold(mutex_);
  changed_.notify_all();
}

int CredentialDesk::With(int handle, uint32_t id, const std::function<int(Request&)>& change) {
  std::lock_guard hold(mutex_);
  auto it = requests_.find(id);
  if (it == requests_.end() || it->second->handle != handle || it->second->completed)
    return AC_ERR_NO_REQUEST;
  return change(*it->second);
}

int CredentialDesk::Defer(int handle, uint32_t id) {
  return With(handle, id, [](Request& r) {
    r.deferred = true;
    return AC_OK;
  });
}

int CredentialDesk::Complete(int handle, uint32_t id) {
  std::lock_guard hold(mutex_);
  auto it = requests_.find(id);
  if (it == requests_.end() || it->second->handle != handle || it->second->completed)
    return AC_ERR_NO_REQUEST;
  it->second->completed = true;
  requests_.erase(it);
  changed_.notify_all();
  return AC_OK;
}

void CredentialDesk::Forget(int handle) {
  std::lock_guard hold(mutex_);
  for (auto it = requests_.begin(); it != requests_.end();) {
    it = it->second->handle == handle ? requests_.erase(it) : std::next(it);
  }
  changed_.notify_all();
}

}  // namespace kavo9::acauth
