#pragma once
// The answers to the supplicant library's credential requests for the bound port. Requests that
// the port's configuration answers are answered at once on the library's thread; the others are
// put off and queued (at most kQueueCapacity) for one worker thread.
//
// Every request ends answered: one the program has nothing for (no stored password, a password
// retry or change, a machine identity, a kind of request the binding does not serve) is
// completed without an answer, which fails that authentication instead of leaving it waiting,
// and a request that finds the queue full is failed the same way. A retry therefore never sends
// the same stored password again; the rejection it ends in asks the user instead.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

// The port's library objects the answers come from; any may be null.
struct PortCredentials {
  acObject identity = nullptr;
  acObject tunnelIdentity = nullptr;
  acObject password = nullptr;
  acObject machineIdentity = nullptr;
  int sessionOption = 0;
};

class CredentialRequests {
 public:
  static constexpr size_t kQueueCapacity = 10;

  explicit CredentialRequests(Supplicant& library) : library_(library) {}
  ~CredentialRequests() { StopCredentialWorker(); }
  CredentialRequests(const CredentialRequests&) = delete;
  CredentialRequests& operator=(const CredentialRequests&) = delete;

  void StartCredentialWorker();
  void StopCredentialWorker();

  // The port whose requests are answered, and its credentials. Unbind waits until the worker is
  // done with the request it handles; queued requests of the port are dropped.
  void Bind(int handle, PortCredentials credentials);
  void Unbind();

  // On the library's thread.
  void CredentialCallback(const acCredRequest& request);
  // 0, or -1 when the queue is full (the caller fails the request).
  int QueueCredentialRequest(const acCredRequest& request);

 private:
  void Worker();
  void Handle(int handle, const PortCredentials& credentials, const acCredRequest& request);
  // Completes after an answer's result: also after AC_ERR_ALREADY_ANSWERED, never after another
  // error.
  void Finish(int handle, uint32_t id, int result);
  void Fail(int handle, uint32_t id) { library_.CredComplete(handle, id); }
  void DeferAndQueue(int handle, const acCredRequest& request);

  Supplicant& library_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<acCredRequest> queue_;
  int handle_ = 0;
  PortCredentials credentials_;
  bool stopping_ = false;
  bool busy_ = false;  // the worker handles a request
  std::thread worker_;
};

}  // namespace kavo9::dot1x
