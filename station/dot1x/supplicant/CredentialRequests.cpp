#include "station/dot1x/supplicant/CredentialRequests.h"

namespace kavo9::dot1x {

void CredentialRequests::StartCredentialWorker() {
  std::lock_guard hold(lock_);
  if (worker_.joinable()) return;
  stopping_ = false;
  worker_ = std::thread([this] { Worker(); });
}

void CredentialRequests::StopCredentialWorker() {
  {
    std::lock_guard hold(lock_);
    if (!worker_.joinable()) return;
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
  std::lock_guard hold(lock_);
  // What was still queued is failed: no request is left waiting.
  for (const acCredRequest& r : queue_) Fail(handle_, r.id);
  queue_.clear();
}

void CredentialRequests::Bind(int handle, PortCredentials credentials) {
  std::lock_guard hold(lock_);
  handle_ = handle;
  credentials_ = credentials;
}

void CredentialRequests::Unbind() {
  std::unique_lock hold(lock_);
  changed_.wait(hold, [this] { return !busy_; });
  queue_.clear();
  handle_ = 0;
  credentials_ = PortCredentials{};
}

int CredentialRequests::QueueCredentialRequest(const acCredRequest& request) {
  {
    std::lock_guard hold(lock_);
    if (!worker_.joinable() || stopping_ || queue_.size() >= kQueueCapacity) return -1;
    queue_.push_back(request);
  }
  changed_.notify_all();
  return 0;
}

void CredentialRequests::Finish(int handle, uint32_t id, int result) {
  if (result == AC_OK || result == AC_ERR_ALREADY_ANSWERED) library_.CredComplete(handle, id);
}

void CredentialRequests::DeferAndQueue(int handle, const acCredRequest& request) {
  if (library_.CredDeferred(handle, request.id) != AC_OK) return;
  if (QueueCredentialRequest(request) != 0) Fail(handle, request.id);
}

void CredentialRequests::CredentialCallback(const acCredRequest& request) {
  int handle = 0;
  PortCredentials c;
  {
    std::lock_guard hold(lock_);
    handle = handle_;
    c = credentials_;
  }
  if (handle == 0) return;
  switch (request.type) {
    case AC_CRED_IDENTITY: {
      const acObject identity = request.level == 0 ? c.identity : c.tunnelIdentity;
      if (identity) {
        Finish(handle, request.id, library_.CredIdentity(handle, request.id, identity));
        return;
      }
      DeferAndQueue(handle, request);
      return;
    }
    case AC_CRED_PASSWORD:
      if (c.password) {
        Finish(handle, request.id, library_.CredPassword(handle, request.id, c.password));
        return;
      }
      DeferAndQueue(handle, request);
      return;
    case AC_CRED_MACHINE_IDENTITY:
      if (c.machineIdentity) {
        Finish(handle, request.id, library_.CredIdentity(handle, request.id, c.machineIdentity));
        return;
      }
      DeferAndQueue(handle, request);
      return;
    case AC_CRED_SESSION_START:
    case AC_CRED_PASSWORD_CHANGE:
    case AC_CRED_PASSWORD_RETRY:
      DeferAndQueue(handle, request);
      return;
    default:
      Fail(handle, request.id);  // not served here: the method fails instead of waiting
      return;
  }
}

void CredentialRequests::Worker() {
  std::unique_lock hold(lock_);
  for (;;) {
    changed_.wait(hold, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) return;
    const acCredRequest request = queue_.front();
    queue_.pop_front();
    const int handle = handle_;
    const PortCredentials credentials = credentials_;
    busy_ = true;
    hold.unlock();
    if (handle != 0) Handle(handle, credentials, request);
    hold.lock();
    busy_ = false;
    changed_.notify_all();
  }
}

void CredentialRequests::Handle(int handle, const PortCredentials& c, const acCredRequest& r) {
  switch (r.type) {
    case AC_CRED_SESSION_START:
      Finish(handle, r.id, library_.CredSessionStart(handle, r.id, c.sessionOption));
      return;
    case AC_CRED_IDENTITY: {
      // Nothing stored: an empty identity, which the server refuses in its own words.
      acObject empty = nullptr;
      if (library_.CreateIdentity(&empty, {}) != AC_OK) {
        Fail(handle, r.id);
        return;
      }
      Finish(handle, r.id, library_.CredIdentity(handle, r.id, empty));
      library_.DestroyIdentity(empty);
      return;
    }
    default:
      // No stored password, a retry or change of one, or a machine identity: failed, so the
      // authentication ends in a rejection the user can answer.
      Fail(handle, r.id);
      return;
  }
}

}  // namespace kavo9::dot1x
