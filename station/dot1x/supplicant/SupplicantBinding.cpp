#include "station/dot1x/supplicant/SupplicantBinding.h"

#include <cstring>
#include <iterator>

#include "station/dot1x/pac/PacFile.h"

#include "common/adapter/RequestCatalogue.h"

namespace kavo9::dot1x {
namespace {

constexpr int kDebugCategories = 18;
// Reasons for the re-entry of credentials.
constexpr int kTimedOut = 0;
constexpr int kRejected = 1;
constexpr int kRejectedAsked = 2;

}  // namespace

SupplicantBinding::SupplicantBinding(SupplicantBindingParts parts)
    : p_(parts),
      alive_(std::make_shared<SupplicantBinding*>(this)),
      postAuth_(
          parts.library, parts.loop, [this](std::string_view line) { AddAuthStatusLine(line); },
          [this] { FinishChecks(); }),
      ccx_(parts.library),
      requests_(parts.library) {
  requests_.SetHost(this, this, &ccx_);
}

SupplicantBinding::~SupplicantBinding() {
  *alive_ = nullptr;  // tasks still queued for the user-interface thread find nothing
  ShutdownSupplicant();
}

void SupplicantBinding::Start() {
  if (p_.state.ServiceManagesAdapter() || !p_.state.sessionActive) return;
  if (!ready_) ready_ = InitSupplicant();
  if (ready_ && !attached_) AttachSupplicantPort(false);
}

bool SupplicantBinding::InitSupplicant() {
  const int result = p_.library.Init();
  if (result != AC_OK) {
    p_.library.ErrorText(result);  // named and dropped
    return false;
  }
  requests_.StartCredentialWorker();
  return true;
}

bool SupplicantBinding::AttachSupplicantPort(bool /*retry*/) {
  // A retry needs no pause here: the library's port list is read afresh on every call.
  std::array<uint8_t, 6> mac{};
  uint32_t written = 0;
  p_.driver.QueryInformation(OID_802_3_CURRENT_ADDRESS, mac.data(), uint32_t(mac.size()), &written);
  std::lock_guard hold(portLock_);
  std::string name;
  for (std::string previous; p_.library.NextPortName(previous, &name) == AC_OK; previous = name) {
    acPortAttr attr{};
    if (p_.library.PortAttr(name, &attr) != AC_OK) break;
    if (std::memcmp(attr.mac, mac.data(), mac.size()) != 0) continue;
    int handle = 0;
    if (p_.library.Attach(&handle, name, this) != AC_OK) break;
    if (p_.library.PortAttr(name, &attr) != AC_OK) {
      p_.library.Detach(handle);
      break;
    }
    handle_ = handle;
    attributes_ = attr;
    symbolicName_ = name.substr(0, AC_PORT_NAME_BYTES - 1);
    ccx_.Attached(handle, attr.ccxVersion);
    attached_ = true;
    break;
  }
  return attached_;
}

void SupplicantBinding::DestroyConfigObjects() {
  requests_.Unbind();  // the identities, password and certificates go with it
  if (psk_) p_.library.DestroyPsk(psk_);
  psk_ = nullptr;
  config_ = PortConfig{};
}

void SupplicantBinding::ReleaseSupplicantPort() {
  if (!attached_) return;
  pmStop();
  postAuth_.Cancel();
  std::lock_guard hold(portLock_);
  DestroyConfigObjects();
  p_.library.Detach(handle_);
  ccx_.Detached();
  handle_ = 0;
  attached_ = false;
  authenticated_ = false;
}

void SupplicantBinding::ShutdownSupplicant() {
  ReleaseSupplicantPort();
  requests_.StopCredentialWorker();
  if (ready_) p_.library.Exit();
  ready_ = false;
}

void SupplicantBinding::TakeRecord(const connect::ConnectRecord& record) {
  std::lock_guard hold(recordLock_);
  record_ = record.DeepCopy();
  if (record_->LeapEnabled) {
    // LEAP keeps its credentials in fields of its own; the answers read the 802.1X ones.
    connect::ConnectRecord& r = *record_;
    r.Dot1x.ID = r.Dot1x.TunnelID = r.LeapUserName;
    r.Dot1x.Password = r.Dot1x.TunnelPassword = r.LeapPassword;
    r.Dot1x.DomainName = r.LeapDomain;
    r.Dot1x.AuthenProtocol = kLeap;
  }
}

bool SupplicantBinding::TakeCredentials(const connect::ConnectRecord& record) {
  TakeRecord(record);
  return true;
}

void SupplicantBinding::Start8021X(const connect::ConnectRecord& record) {
  TakeRecord(record);
  StartPort();
}

void SupplicantBinding::TakePassPhrase(const connect::ConnectRecord& record) {
  TakeRecord(record);
  StartPort();
}

void SupplicantBinding::StartPort() {
  if (!attached_ || !HasRecord()) return;
  BuildPortConfig();
  pmStart();
}

bool SupplicantBinding::HasRecord() const {
  std::lock_guard hold(recordLock_);
  return record_.has_value();
}

std::optional<connect::ConnectRecord> SupplicantBinding::RecordCopy() const {
  std::lock_guard hold(recordLock_);
  if (!record_) return std::nullopt;
  return record_->DeepCopy();
}

void SupplicantBinding::EditRecord(const std::function<void(connect::ConnectRecord&)>& edit) {
  std::optional<connect::ConnectRecord> changed;
  {
    std::lock_guard hold(recordLock_);
    if (!record_) return;
    edit(*record_);
    changed = record_->DeepCopy();
  }
  if (env_.credentialsChanged) env_.credentialsChanged(*changed);
}

acObject SupplicantBinding::MakeText(bool identity, const std::string& text) {
  if (text.empty()) return nullptr;
  acObject object = nullptr;
  const int made = identity ? p_.library.CreateIdentity(&object, text)
                            : p_.library.CreatePassword(&object, text);
  return made == AC_OK ? object : nullptr;
}

acObject SupplicantBinding::MakeCertificate(int kind, const std::vector<uint8_t>& hash) {
  if (hash.empty()) return nullptr;
  std::string url;
  acObject object = nullptr;
  if (p_.library.CertUrlWin32String(kind, hash, &url) != AC_OK) return nullptr;
  return p_.library.CertCreate(&object, url) == AC_OK ? object : nullptr;
}

void SupplicantBinding::BuildPortConfig() {
  const std::optional<connect::ConnectRecord> record = RecordCopy();
  if (!attached_ || !record) return;
  std::lock_guard hold(portLock_);
  DestroyConfigObjects();
  config_ = dot1x::BuildPortConfig(*record, attributes_.media);
  if (config_.usesAssociation) p_.library.PortDisassociate(handle_);
  if (config_.pskReady) {
    const int made = config_.binaryKey
                         ? p_.library.CreateBinaryPsk(&psk_, *config_.binaryKey)
                         : p_.library.CreatePsk(&psk_, config_.passPhrase, config_.ssid);
    if (made != AC_OK) {
      psk_ = nullptr;
      config_.pskReady = false;
    }
  }
  const EapConfig& eap = config_.eap;
  PortCredentials credentials;
  if (eap.outerType != AC_EAP_NONE) {
    credentials.identity = MakeText(true, eap.identity);
    credentials.tunnelIdentity = MakeText(true, eap.tunnelIdentity);
    credentials.password = MakeText(false, eap.password);
    credentials.userCert = MakeCertificate(AC_CERT_KIND_USER, eap.userCertHash);
    credentials.caCert = MakeCertificate(AC_CERT_KIND_CA, eap.caCertHash);
  }
  credentials.sessionOption = eap.sessionOption;
  credentials.eap = eap;
  requests_.Bind(handle_, std::move(credentials));
  for (int category = 1; category <= kDebugCategories; ++category) {
    p_.library.DebugEnable(category, 1);
  }
  ccx_.Configure(config_.association, record->CcxBytes);
}

int SupplicantBinding::pmStart() {
  std::unique_lock hold(portLock_, std::try_to_lock);
  if (!hold.owns_lock() || !attached_ || started_) return 0;
  int result = AC_OK;
  if (config_.pskReady) {
    result = p_.library.CredRsnPsk(handle_, psk_);
    if (result != AC_OK) return result;
  }
  if (config_.usesAssociation) {
    result = p_.library.PortAuth(handle_);
    if (result == AC_OK) result = p_.library.PortAssociate(handle_, config_.association);
    if (result != AC_OK) p_.library.PortStop(handle_);
  }
  if (result == AC_OK) started_ = true;
  authenticated_ = false;
  return result;
}

bool SupplicantBinding::pmStop() {
  std::lock_guard hold(portLock_);
  started_ = false;
  if (!attached_) return false;
  if (config_.usesAssociation && p_.library.PortDisassociate(handle_) != AC_OK) return false;
  config_.pskReady = false;
  // The library stops the port before it returns: no pause is needed after it.
  return p_.library.PortStop(handle_) == AC_OK;
}

void SupplicantBinding::AddAuthStatusLine(std::string_view text) {
  const int index = status_.Add(text);
  if (view_) view_(index);
}

void SupplicantBinding::OnCredentialRequest(const acCredRequest& request) {
  requests_.CredentialCallback(request);
}

void SupplicantBinding::OnPortEvent(int kind) {
  // On the library's thread: read what the event is about, then hand it to the user-interface
  // thread.
  int value = 0;
  int status = AC_STATUS_NONE;
  int result = AC_OK;
  switch (kind) {
    case AC_PORT_EVENT_LINK:
      result = p_.library.LinkState(handle_, &value);
      break;
    case AC_PORT_EVENT_STATE:
      result = p_.library.State(handle_, &value);
      if (result == AC_OK && value == AC_STATE_SEE_STATUS) {
        result = p_.library.Status(handle_, &status);
      }
      break;
    case AC_PORT_EVENT_STATUS:
      result = p_.library.Status(handle_, &status);
      break;
    default:
      return;
  }
  if (result != AC_OK) return;  // a failing library call ends the event without a line
  std::weak_ptr<SupplicantBinding*> alive = alive_;
  p_.loop.Post([alive, kind, value, status] {
    if (auto self = alive.lock(); self && *self) (*self)->PortEventCallback(kind, value, status);
  });
}

void SupplicantBinding::PortEventCallback(int kind, int state, int status) {
  if (p_.state.ServiceManagesAdapter()) return;
  if (kind == AC_PORT_EVENT_STATE) StateLine(state, status);
  if (kind == AC_PORT_EVENT_STATUS) StatusLine(status);
}

void SupplicantBinding::StateLine(int state, int status) {
  switch (state) {
    case AC_STATE_CONNECTING:
      AddAuthStatusLine("Network is connecting...");
      break;
    case AC_STATE_AUTHENTICATING: {
      static constexpr const char* kAuthenticating[] = {
          "PEAP Authenticating...",     "TLS Authenticating...", "TTLS Authenticating...",
          "EAP-FAST Authenticating...", "MD5 Authenticating...", "LEAP Authenticating..."};
      const std::optional<connect::ConnectRecord> r = RecordCopy();
      if (!r || (!r->Use8021X && !r->LeapEnabled)) break;
      const int choice = MethodChoiceOf(*r);
      if (choice >= 0 && choice < int(std::size(kAuthenticating))) {
        AddAuthStatusLine(kAuthenticating[choice]);
      }
      break;
    }
    case AC_STATE_AUTHENTICATED:
      AddAuthStatusLine("Wireless client is authenticated.");
      authenticated_ = true;
      postAuth_.Start(handle_);
      break;
    case AC_STATE_SEE_STATUS:
      if (status == AC_STATUS_STARTING) AddAuthStatusLine("Starting network connection...");
      if (status == AC_STATUS_FAST_PROVISIONED) {
        AddAuthStatusLine("EAP-FAST Provisioning is successful.");
      }
      break;
    default:
      break;
  }
}

void SupplicantBinding::StatusLine(int status) {
  switch (status) {
    case AC_STATUS_LINK_DOWN:
      AddAuthStatusLine("Network Link is NOT connected.");
      authenticated_ = false;
      break;
    case AC_STATUS_REJECTED:
      AddAuthStatusLine("Authentication failed - Identity or password is invalid.");
      if (genericRejected_ && genericRejected_()) Reentry(kRejectedAsked);
      break;
    case AC_STATUS_REJECTED_HARD:
      AddAuthStatusLine("Authentication failed - Identity or password is invalid.");
      Reentry(kRejected);
      break;
    case AC_STATUS_TIMEOUT:
      AddAuthStatusLine("Authenticating Timeout.");
      Reentry(kTimedOut);
      break;
    case AC_STATUS_PAC_318:
    case AC_STATUS_PAC_319:
      DiscardPac(*this);  // the library will not use the stored PAC again
      break;
    default:
      break;
  }
}

void SupplicantBinding::Reentry(int reason) {
  // A pre-shared key has no credentials to enter again: its failure is the status line alone.
  const std::optional<connect::ConnectRecord> r = RecordCopy();
  if (!r || r->BssidBound == 1 || (!r->Use8021X && !r->LeapEnabled)) return;
  rejectReason_ = reason;
  if (reentry_) reentry_(reason);
}

void SupplicantBinding::FinishChecks() {
  const int index = status_.MarkDone();
  if (view_) view_(index);
}

}  // namespace kavo9::dot1x
