#pragma once
// The station's side of an 802.1X conversation with the daemon's authentication server
// (sim/daemon/eap/EapServer.h has the messages), run on a session thread of its own. It asks the
// program what a real supplicant asks, in the same order: session start, identity, EAP methods,
// the server check once a certificate chain came, user certificate (TLS), TTLS inner method,
// inner identity, password (a retry after a refused inner password, a change when the server
// says it has expired), notification, and for EAP-FAST the PAC, provisioning modes, PAC types
// and PAC save. It computes what the method proves, checks what the server proves back, and on
// success runs the key exchange with the PMK from the MSK on WPA and WPA2 links.

#include <chrono>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "common/platform/DeviceIo.h"
#include "sim/acauth/CredentialDesk.h"
#include "sim/acauth/DaemonLink.h"
#include "sim/acauth/PskExchange.h"

namespace kavo9::acauth {

// What a session needs of the port it runs on.
class SessionHost {
 public:
  virtual ~SessionHost() = default;
  // Raises a request and waits for it; nullopt when it went unanswered or the session stopped.
  virtual std::optional<CredAnswer> Ask(uint32_t type, uint32_t level, CredContext context) = 0;
  // Sets the port's state and status and tells the program with an event of `kind`.
  virtual void Tell(int state, int status, int kind) = 0;
  virtual bool Stopped() const = 0;
  // Waits `ms`, or less when the session is stopped.
  virtual void Pause(std::chrono::milliseconds ms) = 0;
};

struct EapOutcome {
  bool authenticated = false;
  int status = AC_STATUS_NONE;  // why it failed: 301, 302 or 305; none when it was stopped
};

class EapClient {
 public:
  static constexpr int kStartAttempts = 3;
  static constexpr std::chrono::milliseconds kStartRetry{1000};

  EapClient(SessionHost& host, const DaemonLink& daemon, DeviceIo& io, PskLink link)
      : host_(host), daemon_(daemon), io_(io), link_(std::move(link)) {}
  EapOutcome Run();

 private:
  // Each handler answers one message of the server: the reply to send, or nullopt with
  // `outcome_` set when the conversation ends here.
  using Reply = std::optional<nlohmann::json>;
  Reply Handle(const nlohmann::json& m);
  Reply OnIdentity(uint32_t level);
  Reply OnMethod(const nlohmann::json& m);
  Reply OnMd5(const nlohmann::json& m);
  Reply OnLeap(const nlohmann::json& m);
  Reply OnTls(const nlohmann::json& m);
  Reply OnTunnel(const nlohmann::json& m);
  Reply OnTtlsInner(const nlohmann::json& m);
  Reply OnMsChapV2(const nlohmann::json& m);
  Reply OnGtc(const nlohmann::json& m);
  Reply OnFast(const nlohmann::json& m);
  Reply OnSuccess(const nlohmann::json& m);
  bool ServerTrusted(const nlohmann::json& certificates);
  std::optional<std::string> Password(uint32_t type, uint32_t level, const std::string& prompt);
  Reply End(int status);
  CredContext Context(const std::string& prompt = {}) const;
  std::optional<nlohmann::json> Send(const nlohmann::json& message);

  SessionHost& host_;
  const DaemonLink& daemon_;
  DeviceIo& io_;
  PskLink link_;
  EapOutcome outcome_;
  bool ended_ = false;

  int method_[2] = {0, 0};  // the methods agreed, outer and inner
  int ttlsInner_ = 0;
  std::string identity_[2];
  std::string password_;
  std::string leapPassword_;
  eap::Bytes leapPeerChallenge_;
  eap::Bytes msChapChallenge_, msChapPeer_, msChapResponse_;
  std::vector<std::string> serverChain_;
  int fastMode_ = 0;
  eap::Bytes aid_;
  std::map<int, eap::Bytes> pac_;  // the PAC the session presents
  bool pacTried_ = false;
  int pacRefusals_ = 0;
};

}  // namespace kavo9::acauth
