#pragma once
// The credential requests the library's sessions raise through a port's credential callback,
// and the answers the program gives them. A session raises a request and waits: the callback
// answers it at once (its acCred... call and acCredComplete), or defers it and answers later from
// any thread. A request the callback neither completed nor deferred goes unanswered, as does one
// completed without its answer; the session then decides (most fail the authentication).
//
// A request outlives a session that is stopped while it waits: the program may still answer and
// complete it (a rogue access-point report is answered after the port was disassociated).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/AcAuthApi.h"
#include "sim/eap/EapCrypto.h"

namespace kavo9::acauth {

// What the getters of a request read.
struct CredContext {
  std::string prompt;
  int method[2] = {0, 0};                // the method the library runs now, outer and inner
  int fastMode = 0;                      // 1 while EAP-FAST runs inside a tunnel made with a PAC
  std::vector<std::string> serverChain;  // PEM, the server's certificate first
  eap::Bytes aid;
  std::string notification;
  std::map<int, eap::Bytes> provisionedPac;  // by AC_PAC_... part
};

// What the program answered.
struct CredAnswer {
  std::optional<std::string> identity;
  std::optional<std::string> password;
  std::optional<int> sessionOption;
  std::optional<int> method;
  int offer = 0;
  std::optional<int> ttlsMethod;
  bool userCertGiven = false;
  std::string userCertPem, userKeyPem;  // empty: none was given
  std::optional<int> trusted;
  bool pacGiven = false;
  std::map<int, eap::Bytes> pac;  // empty: "no PAC"
  std::optional<std::vector<int>> pacTypes;
  std::optional<std::vector<int>> provisionModes;
  std::optional<int> rogueReport;
};

class CredentialDesk {
 public:
  static constexpr size_t kMaxKept = 64;

  struct Request {
    int handle = 0;
    acCredRequest record{};
    CredContext context;
    CredAnswer answer;
    bool deferred = false;
    bool completed = false;
  };

  // Makes a request for the port `handle`; the caller raises it through the callback.
  std::shared_ptr<Request> Open(int handle, uint32_t type, uint32_t level, CredContext context);
  // After the callback returned: waits while the request is deferred, until it is completed,
  // `cancelled()` turns true (checked whenever the desk is woken) or `limit` passes. The answer
  // of a completed request; nullopt when it was not answered.
  std::optional<CredAnswer> Await(const std::shared_ptr<Request>& request,
                                  const std::function<bool()>& cancelled,
                                  std::chrono::milliseconds limit);
  // Wakes every waiter, so they look at their cancel conditions again.
  void WakeAll();

  // Runs `change` on request `id` of `handle` under the desk's lock; AC_ERR_NO_REQUEST when
  // there is no such request or it is completed.
  int With(int handle, uint32_t id, const std::function<int(Request&)>& change);
  int Defer(int handle, uint32_t id);
  int Complete(int handle, uint32_t id);
  // Forgets the port's requests (it was detached).
  void Forget(int handle);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<uint32_t, std::shared_ptr<Request>> requests_;
  uint32_t nextId_ = 1;
};

}  // namespace kavo9::acauth
