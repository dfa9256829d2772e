#pragma once
// The answers to the supplicant library's credential requests for the bound port. Requests that
// the port's configuration answers are answered at once on the library's thread; the others are
// put off and queued (at most kQueueCapacity) for one worker thread, which may ask the user
// through the password panel and waits for it.
//
// Every request ends answered. One that finds the queue full, a machine identity (none is ever
// configured), a request the worker cannot serve, or one whose answer the library refuses on the
// worker, is completed without an answer: that authentication fails instead of waiting for ever.
// A password retry resends the stored password once; a second retry in the same session asks the
// user, and a cancelled panel fails the request.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "station/dot1x/supplicant/PacSteps.h"
#include "station/dot1x/supplicant/PortConfig.h"
#include "station/dot1x/supplicant/RogueApPort.h"
#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

// The port's library objects the answers come from, and its EAP configuration. Once bound the
// objects belong to CredentialRequests, which destroys them when the port is unbound.
struct PortCredentials {
  acObject identity = nullptr;
  acObject tunnelIdentity = nullptr;
  acObject password = nullptr;
  acObject userCert = nullptr;
  acObject machineIdentity = nullptr;
  acObject caCert = nullptr;
  int sessionOption = 0;
  EapConfig eap;
};

// What the answers need of the station around the port.
class CredentialHost {
 public:
  virtual ~CredentialHost() = default;
  // The last connect record's tunnel password, read each time a password is sent.
  virtual std::string TunnelPassword() = 0;
  // Opens the password panel (on the user-interface thread, never on the caller's); `done` is
  // told true after OK (the record then holds the new password), false after Cancel. It may be
  // called from any thread, and after the wait has been given up.
  virtual void OpenPasswordPanel(bool change, std::function<void(bool ok)> done) = 0;
  // The settings switch for EAP-FAST's enhanced inner method.
  virtual bool EapFastEnhancement() = 0;
};

class CredentialRequests {
 public:
  static constexpr size_t kQueueCapacity = 10;

  explicit CredentialRequests(Supplicant& library);
  ~CredentialRequests();
  CredentialRequests(const CredentialRequests&) = delete;
  CredentialRequests& operator=(const CredentialRequests&) = delete;

  // Any may be null: no panel (a request that needs the user fails), no PAC files (no stored
  // PAC, none kept), and rogue access points answered as not reported.
  void SetHost(CredentialHost* host, PacHost* pacs, RogueApPort* rogue);

  void StartCredentialWorker();
  void StopCredentialWorker();

  // The port whose requests are answered, and its credentials (now owned here). Unbind gives up
  // a panel the worker waits for, waits until the worker is done with its request, fails what is
  // still queued, and destroys the port's objects.
  void Bind(int handle, PortCredentials credentials);
  void Unbind();

  // On the library's thread.
  void CredentialCallback(const acCredRequest& request);
  // 0, or -1 when the queue is full or there is no worker (the caller fails the request).
  int QueueCredentialRequest(const acCredRequest& request);

 private:
  struct Entry {
    acCredRequest request;
    bool ready;  // deferred already: the worker may answer it
  };
  struct PanelWait;

  void Worker();
  void Handle(int handle, const PortCredentials& credentials, const acCredRequest& request);
  void AnswerIdentity(int handle, const PortCredentials& c, const acCredRequest& r);
  void AnswerPassword(int handle, const acCredRequest& r);
  void AnswerEapMethods(int handle, const PortCredentials& c, const acCredRequest& r);
  bool AskUser(bool change);
  // Completes after an answer's result: also after AC_ERR_ALREADY_ANSWERED, never after another
  // error (the library's own thread still holds the request).
  void Finish(int handle, uint32_t id, int result);
  void Fail(int handle, uint32_t id) { library_.CredComplete(handle, id); }
  void DeferThenQueue(int handle, const acCredRequest& request);
  void QueueThenDefer(int handle, const acCredRequest& request);
  void MarkReady(uint32_t id);
  void DestroyObjects(PortCredentials& c);

  Supplicant& library_;
  CredentialHost* host_ = nullptr;
  PacHost* pacs_ = nullptr;
  RogueApPort* rogue_ = nullptr;
  NotReportedRogueAp notReported_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<Entry> queue_;
  int handle_ = 0;
  PortCredentials credentials_;
  std::vector<acObject> retiredPasswords_;  // replaced while a direct answer might still use them
  int retries_ = 0;                         // password retries since the session started
  bool stopping_ = false;
  bool busy_ = false;       // the worker handles a request
  bool unbinding_ = false;  // Unbind waits for the worker
  std::shared_ptr<PanelWait> panel_;
  std::thread worker_;
};

}  // namespace kavo9::dot1x
