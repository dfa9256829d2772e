#pragma once
// The 802.1X authentication server behind a network: one conversation with one station. The two
// ends exchange JSON messages (the daemon carries them: DaemonAuthenticator.cpp); the tunnels of
// PEAP, TTLS and EAP-FAST are modelled — what passes inside is sent as it is — but everything a
// station must prove is computed for real: MD5-Challenge, LEAP's two challenge responses,
// MS-CHAP, MS-CHAPv2 (with its authenticator response, retries and password change), CHAP, PAP
// and GTC compared inside the tunnel, the user certificate of TLS checked against the world's CA
// with a signature over the server's nonce, and EAP-FAST PACs sealed under the server's secret.
//
// Server to station: {"ask": STEP, ...} until {"result": "success", "msk": HEX, ...},
// or {"result": "failure", "status": 301|302}. EAP-FAST provisioning ends with a new "fast" ask
// that carries the PAC ("provisioned": aid, iid, key, opaque, aidInfo, type, lifetime); the
// station then presents that PAC.
//   identity                          -> {"identity": TEXT}
//   notification  text               -> {"ack": true}
//   method  method, inner             -> {"method": TYPE}  (another type is a NAK for it)
//   md5  id, challenge                -> {"response": HEX}
//   leap  challenge                   -> {"response": HEX, "peerChallenge": HEX}
//   tls  certificates, nonce          -> {"certificate": PEM, "signature": HEX}
//   tunnel  certificates[, challenge, chapId]
//                                     -> {"tunnel": "up"} (PEAP, EAP-FAST) or, for TTLS,
//                                        {"inner": 1-5, "identity": TEXT, "password" | "response"
//                                        [, "peerChallenge"]}
//   inner-identity  mode              -> {"identity": TEXT}
//   mschapv2  challenge[, failure 691 retry | 648]
//                                     -> {"peerChallenge": HEX, "response": HEX} or, for 648,
//                                        also {"newPassword": TEXT, "oldResponse": HEX}
//   gtc  prompt                       -> {"response": TEXT}
//   fast  aid, aidInfo, nonce[, pacStatus 318|319]
//                                     -> {"pac": {"opaque": HEX, "proof": HEX}} or
//                                        {"provision": 1 anonymous | 2 authenticated}

#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/eap/EapCrypto.h"
#include "sim/emulator/Scenario.h"

namespace kavo9::eap {

// What outlives a conversation: the server's users (a changed password stays changed), its
// certificate chain, the CA it trusts for user certificates and its EAP-FAST identity and secret.
struct ServerRealm {
  Dot1xSpec spec;
  std::vector<std::string> chainPem;
  std::string caPem;
  Bytes pacSecret;  // 32 bytes
  Bytes aid;        // 16 bytes
  std::string aidInfo;
};

class EapServer {
 public:
  enum class End { kNone, kSuccess, kFailure };
  static constexpr int kMsChapV2Attempts = 3;
  static constexpr int64_t kPacLifetimeSeconds = 90 * 24 * 3600;

  EapServer(ServerRealm& realm, int64_t nowSeconds) : realm_(realm), now_(nowSeconds) {}
  nlohmann::json Start();
  nlohmann::json Receive(const nlohmann::json& message);
  End end() const { return end_; }
  const Bytes& msk() const { return msk_; }

 private:
  enum class Step {
    kIdentity,
    kNotification,
    kMethod,
    kMd5,
    kLeap,
    kTls,
    kTunnel,
    kInnerIdentity,
    kInnerMethod,
    kMsChapV2,
    kGtc,
    kFast,
    kDone,
  };

  nlohmann::json Propose();
  nlohmann::json Negotiate(const nlohmann::json& m);
  nlohmann::json StartMethod();
  nlohmann::json CheckMd5(const nlohmann::json& m);
  nlohmann::json CheckLeap(const nlohmann::json& m);
  nlohmann::json CheckTls(const nlohmann::json& m);
  nlohmann::json TunnelUp(const nlohmann::json& m);
  nlohmann::json CheckTtls(const nlohmann::json& m);
  nlohmann::json InnerIdentity(const nlohmann::json& m);
  nlohmann::json InnerNegotiate(const nlohmann::json& m);
  nlohmann::json StartInner();
  nlohmann::json CheckMsChapV2(const nlohmann::json& m);
  nlohmann::json CheckGtc(const nlohmann::json& m);
  nlohmann::json FastStart(int pacStatus);
  nlohmann::json FastReceive(const nlohmann::json& m);
  nlohmann::json InnerPassed(nlohmann::json extra);
  nlohmann::json Succeed(nlohmann::json extra);
  nlohmann::json Fail(int status);
  const std::vector<int>& InnerList() const;
  Dot1xUser* FindUser(const std::string& identity);

  ServerRealm& realm_;
  int64_t now_;
  Step step_ = Step::kIdentity;
  int method_ = 0;
  int inner_ = 0;
  std::string outerIdentity_, innerIdentity_;
  Bytes challenge_, nonce_;
  uint8_t chapId_ = 0;
  int failures_ = 0;
  bool provisioning_ = false;
  Bytes issued_;  // the opaque of the PAC provisioned in this conversation
  End end_ = End::kNone;
  Bytes msk_;
};

}  // namespace kavo9::eap
