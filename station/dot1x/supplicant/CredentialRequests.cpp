#include "station/dot1x/supplicant/CredentialRequests.h"

#include <cstdio>
#include <optional>

#include "station/dot1x/supplicant/ServerCheck.h"

namespace kavo9::dot1x {

// A password panel the worker waits for. The panel may answer after the wait was given up.
struct CredentialRequests::PanelWait {
  std::mutex lock;
  std::condition_variable answered;
  std::optional<bool> ok;
  bool abandoned = false;

  void Answer(bool value) {
    {
      std::lock_guard hold(lock);
      if (!ok) ok = value;
    }
    answered.notify_all();
  }
  void Abandon() {
    {
      std::lock_guard hold(lock);
      abandoned = true;
    }
    answered.notify_all();
  }
  bool Wait() {
    std::unique_lock hold(lock);
    answered.wait(hold, [this] { return ok.has_value() || abandoned; });
    return ok.value_or(false) && !abandoned;
  }
};

CredentialRequests::CredentialRequests(Supplicant& library)
    : library_(library), notReported_(library) {}

CredentialRequests::~CredentialRequests() {
  StopCredentialWorker();
  Unbind();
}

void CredentialRequests::SetHost(CredentialHost* host, PacHost* pacs, RogueApPort* rogue) {
  std::lock_guard hold(lock_);
  host_ = host;
  pacs_ = pacs;
  rogue_ = rogue;
}

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
    if (panel_) panel_->Abandon();
  }
  changed_.notify_all();
  worker_.join();
  std::lock_guard hold(lock_);
  // What was still queued is failed: no request is left waiting.
  for (const Entry& e : queue_) Fail(handle_, e.request.id);
  queue_.clear();
}

void CredentialRequests::Bind(int handle, PortCredentials credentials) {
  std::lock_guard hold(lock_);
  handle_ = handle;
  credentials_ = std::move(credentials);
  retries_ = 0;
}

void CredentialRequests::Unbind() {
  std::unique_lock hold(lock_);
  if (panel_) panel_->Abandon();
  unbinding_ = true;  // the worker takes nothing more meanwhile
  changed_.wait(hold, [this] { return !busy_; });
  unbinding_ = false;
  for (const Entry& e : queue_) Fail(handle_, e.request.id);
  queue_.clear();
  DestroyObjects(credentials_);
  handle_ = 0;
  credentials_ = PortCredentials{};
}

void CredentialRequests::DestroyObjects(PortCredentials& c) {
  if (c.identity) library_.DestroyIdentity(c.identity);
  if (c.tunnelIdentity) library_.DestroyIdentity(c.tunnelIdentity);
  if (c.password) library_.DestroyPassword(c.password);
  if (c.machineIdentity) library_.DestroyIdentity(c.machineIdentity);
  if (c.userCert) library_.CertDestroy(c.userCert);
  if (c.caCert) library_.CertDestroy(c.caCert);
  for (acObject old : retiredPasswords_) library_.DestroyPassword(old);
  retiredPasswords_.clear();
  c = PortCredentials{};
}

int CredentialRequests::QueueCredentialRequest(const acCredRequest& request) {
  {
    std::lock_guard hold(lock_);
    if (!worker_.joinable() || stopping_ || queue_.size() >= kQueueCapacity) return -1;
    queue_.push_back({request, false});
  }
  return 0;
}

void CredentialRequests::MarkReady(uint32_t id) {
  {
    std::lock_guard hold(lock_);
    for (Entry& e : queue_) {
      if (e.request.id == id) e.ready = true;
    }
  }
  changed_.notify_all();
}

void CredentialRequests::Finish(int handle, uint32_t id, int result) {
  if (result == AC_OK || result == AC_ERR_ALREADY_ANSWERED) library_.CredComplete(handle, id);
}

void CredentialRequests::DeferThenQueue(int handle, const acCredRequest& request) {
  if (library_.CredDeferred(handle, request.id) != AC_OK) return;
  if (QueueCredentialRequest(request) != 0) {
    Fail(handle, request.id);
    return;
  }
  MarkReady(request.id);
}

void CredentialRequests::QueueThenDefer(int handle, const acCredRequest& request) {
  if (QueueCredentialRequest(request) != 0) {
    Fail(handle, request.id);
    return;
  }
  // The worker holds the request back until it is deferred, so its answer always comes after.
  library_.CredDeferred(handle, request.id);
  MarkReady(request.id);
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
  const uint32_t id = request.id;
  switch (request.type) {
    case AC_CRED_SESSION_START:
    case AC_CRED_SERVER_CHECK:
      DeferThenQueue(handle, request);
      return;
    case AC_CRED_IDENTITY: {
      const acObject identity = request.level == 0 ? c.identity : c.tunnelIdentity;
      if (identity) {
        Finish(handle, id, library_.CredIdentity(handle, id, identity));
      } else {
        DeferThenQueue(handle, request);
      }
      return;
    }
    case AC_CRED_EAP_METHODS:
      AnswerEapMethods(handle, c, request);
      return;
    case AC_CRED_PASSWORD:
      if (c.password) {
        Finish(handle, id, library_.CredPassword(handle, id, c.password));
        return;
      }
      QueueThenDefer(handle, request);
      return;
    case AC_CRED_PASSWORD_CHANGE:
    case AC_CRED_PASSWORD_RETRY:
    case AC_CRED_FAST_PAC:
    case AC_CRED_FAST_PAC_SAVE:
    case AC_CRED_ROGUE_AP:
      QueueThenDefer(handle, request);
      return;
    case AC_CRED_USER_CERT:
      Finish(handle, id, library_.CredUserCert(handle, id, c.userCert));
      return;
    case AC_CRED_NOTIFICATION: {
      std::string text;  // read, not shown
      Finish(handle, id, library_.CredGetEapNotification(handle, id, &text));
      return;
    }
    case AC_CRED_FAST_PAC_TYPES: {
      std::vector<uint8_t> aid;
      int result = library_.CredGetEapFASTAID(handle, id, kServerAidRoom, &aid);
      static constexpr int kTypeOne[] = {1};
      if (result == AC_OK) {
        result = library_.CredEapFASTPacTypes(
            handle, id,
            c.eap.pacTypeOption == 1 ? std::span<const int>(kTypeOne) : std::span<const int>());
      }
      Finish(handle, id, result);
      return;
    }
    case AC_CRED_TTLS_INNER:
      Finish(handle, id, library_.CredEapTTLSTunnelMethod(handle, id, c.eap.ttlsInnerType));
      return;
    case AC_CRED_MACHINE_IDENTITY:
      if (c.machineIdentity) {
        Finish(handle, id, library_.CredMachineIdentity(handle, id, c.machineIdentity));
        return;
      }
      QueueThenDefer(handle, request);
      return;
    case AC_CRED_FAST_PROVISION_MODES: {
      static constexpr int kAuthenticated[] = {2};
      static constexpr int kUnauthenticated[] = {1};
      const std::span<const int> modes = c.eap.provisionOption == 1
                                             ? std::span<const int>(kAuthenticated)
                                             : std::span<const int>(kUnauthenticated);
      Finish(handle, id, library_.CredEapFASTProvisionModes(handle, id, modes));
      return;
    }
    default:
      return;  // not a request of this port
  }
}

void CredentialRequests::AnswerEapMethods(int handle, const PortCredentials& c,
                                          const acCredRequest& r) {
  int current = AC_EAP_NONE;
  int result = library_.CredGetEapMethod(handle, r.id, int(r.level), &current);
  if (result != AC_OK) return Finish(handle, r.id, result);
  int offered = c.eap.outerType;
  if (r.level != 0) {
    offered = c.eap.innerType;
    if (c.eap.outerType == AC_EAP_FAST) {
      int mode = 0;
      result = library_.CredGetEapFASTMode(handle, r.id, &mode);
      if (result != AC_OK) return Finish(handle, r.id, result);
      const bool enhanced = mode == 1 || (host_ && host_->EapFastEnhancement());
      if (enhanced) offered = c.eap.secondInnerType;
    }
  }
  // Nothing configured for this level: the library's own choice stands.
  if (offered == AC_EAP_NONE || offered == AC_EAP_ANY) offered = current;
  Finish(handle, r.id, library_.CredEapMethods(handle, r.id, offered, 1));
}

void CredentialRequests::Worker() {
  std::unique_lock hold(lock_);
  for (;;) {
    changed_.wait(hold, [this] {
      return stopping_ || (!unbinding_ && !queue_.empty() && queue_.front().ready);
    });
    if (stopping_) return;
    const acCredRequest request = queue_.front().request;
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
    case AC_CRED_SESSION_START: {
      {
        std::lock_guard hold(lock_);
        retries_ = 0;
      }
      const int result = library_.CredSessionStart(handle, r.id, c.sessionOption);
      (void)result;
      Fail(handle, r.id);  // completes: with the answer when it was taken
      return;
    }
    case AC_CRED_IDENTITY:
      return AnswerIdentity(handle, c, r);
    case AC_CRED_PASSWORD:
    case AC_CRED_PASSWORD_CHANGE:
    case AC_CRED_PASSWORD_RETRY:
      return AnswerPassword(handle, r);
    case AC_CRED_SERVER_CHECK:
      CheckServer(library_, handle, r.id,
                  {c.eap.verifyChain, c.caCert, c.eap.serverNameForDomain, c.eap.serverNameForCn,
                   c.eap.nameRule});
      return;
    case AC_CRED_FAST_PAC:
      if (!pacs_) break;
      return LoadPac(library_, *pacs_, handle, r.id, c.eap.identityText);
    case AC_CRED_FAST_PAC_SAVE:
      if (!pacs_) break;
      return SavePac(library_, *pacs_, handle, r.id);
    case AC_CRED_ROGUE_AP: {
      RogueApPort& port = rogue_ ? *rogue_ : notReported_;
      port.AnswerRogueApRequest(handle, r);  // it completes the request
      return;
    }
    case AC_CRED_MACHINE_IDENTITY:
      break;  // none is ever configured
    default:
      std::printf("*** UI request type %d not handled ***\n", int(r.type));
      std::fflush(stdout);
      break;
  }
  Fail(handle, r.id);
}

void CredentialRequests::AnswerIdentity(int handle, const PortCredentials& c,
                                        const acCredRequest& r) {
  std::string prompt;
  library_.CredGetIdentityPrompt(handle, r.id, &prompt);
  const acObject stored = r.level == 0 ? c.identity : c.tunnelIdentity;
  if (stored) {
    library_.CredIdentity(handle, r.id, stored);
    library_.CredComplete(handle, r.id);
    return;
  }
  // Nothing stored: an empty identity, which the server refuses in its own words.
  acObject empty = nullptr;
  if (library_.CreateIdentity(&empty, {}) == AC_OK) {
    library_.CredIdentity(handle, r.id, empty);
  }
  library_.CredComplete(handle, r.id);
  if (empty) library_.DestroyIdentity(empty);
}

bool CredentialRequests::AskUser(bool change) {
  auto wait = std::make_shared<PanelWait>();
  CredentialHost* host = nullptr;
  {
    std::lock_guard hold(lock_);
    if (stopping_ || !host_) return false;
    host = host_;
    panel_ = wait;
  }
  host->OpenPasswordPanel(change, [wait](bool ok) { wait->Answer(ok); });
  const bool ok = wait->Wait();
  std::lock_guard hold(lock_);
  if (panel_ == wait) panel_.reset();
  return ok;
}

void CredentialRequests::AnswerPassword(int handle, const acCredRequest& r) {
  std::string prompt;
  library_.CredGetPasswordPrompt(handle, r.id, &prompt);
  bool ask = r.type == AC_CRED_PASSWORD_CHANGE;
  if (r.type == AC_CRED_PASSWORD_RETRY) {
    std::lock_guard hold(lock_);
    // The stored password is sent once more; when that fails too, only the user can help.
    ask = retries_++ > 0;
  }
  if (!host_) return Fail(handle, r.id);
  if (!ask && host_->TunnelPassword().empty()) ask = true;  // nothing stored to send
  if (ask && !AskUser(r.type == AC_CRED_PASSWORD_CHANGE)) return Fail(handle, r.id);

  acObject fresh = nullptr;
  if (library_.CreatePassword(&fresh, host_->TunnelPassword()) != AC_OK) {
    return Fail(handle, r.id);
  }
  {
    std::lock_guard hold(lock_);
    if (handle_ == handle) {
      if (credentials_.password) retiredPasswords_.push_back(credentials_.password);
      credentials_.password = fresh;
    } else {
      retiredPasswords_.push_back(fresh);  // the port went meanwhile: destroyed with the rest
    }
  }
  library_.CredPassword(handle, r.id, fresh);
  library_.CredComplete(handle, r.id);
}

}  // namespace kavo9::dot1x
