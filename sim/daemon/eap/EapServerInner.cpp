// Inside the tunnel: PEAP's and EAP-FAST's inner identity, inner method negotiation, MS-CHAPv2
// (retries and password change) and GTC; TTLS's PAP, CHAP, MS-CHAP, MS-CHAPv2 and EAP-MD5.
#include <algorithm>

#include "sim/daemon/eap/EapServer.h"

namespace kavo9::eap {
namespace {

using nlohmann::json;

constexpr int kFast = 43;
constexpr int kGtc = 6, kMsChapV2 = 26;
constexpr int kTtlsPap = 1, kTtlsChap = 2, kTtlsMsChap = 3, kTtlsMsChapV2 = 4, kTtlsMd5 = 5;
// MS-CHAPv2 failure codes: authentication failure, password expired.
constexpr int kErrorAuthenticationFailure = 691;
constexpr int kErrorPasswordExpired = 648;

std::string Text(const json& m, const char* key) {
  auto it = m.is_object() ? m.find(key) : m.end();
  return it != m.end() && it->is_string() ? it->get<std::string>() : std::string();
}

Bytes HexField(const json& m, const char* key) {
  return FromHex(Text(m, key)).value_or(Bytes{});
}

int IntField(const json& m, const char* key) {
  auto it = m.is_object() ? m.find(key) : m.end();
  return it != m.end() && it->is_number_integer() ? it->get<int>() : -1;
}

}  // namespace

const std::vector<int>& EapServer::InnerList() const {
  return method_ == kFast ? realm_.spec.fastInner : realm_.spec.peapInner;
}

json EapServer::TunnelUp(const json& m) {
  if (Text(m, "tunnel") != "up") return Fail(301);
  step_ = Step::kInnerIdentity;
  return {{"ask", "inner-identity"}, {"mode", method_ == kFast && !provisioning_ ? 1 : 0}};
}

json EapServer::InnerIdentity(const json& m) {
  innerIdentity_ = Text(m, "identity");
  step_ = Step::kInnerMethod;
  if (InnerList().empty()) return Fail(301);
  return {{"ask", "method"}, {"method", InnerList().front()}, {"inner", true}};
}

json EapServer::InnerNegotiate(const json& m) {
  const int wanted = IntField(m, "method");
  const auto& list = InnerList();
  if (std::find(list.begin(), list.end(), wanted) == list.end()) return Fail(301);
  inner_ = wanted;
  failures_ = 0;
  return StartInner();
}

json EapServer::StartInner() {
  if (inner_ == kGtc) {
    step_ = Step::kGtc;
    return {{"ask", "gtc"}, {"prompt", "Password: "}};
  }
  step_ = Step::kMsChapV2;
  challenge_ = RandomBytes(16);
  return {{"ask", "mschapv2"}, {"challenge", Hex(challenge_)}};
}

json EapServer::CheckGtc(const json& m) {
  Dot1xUser* user = FindUser(innerIdentity_);
  if (!user || Text(m, "response") != user->password) return Fail(302);
  return InnerPassed(json::object());
}

json EapServer::CheckMsChapV2(const json& m) {
  Dot1xUser* user = FindUser(innerIdentity_);
  if (!user) return Fail(302);
  const Bytes peer = HexField(m, "peerChallenge");
  const Bytes response = HexField(m, "response");
  if (peer.size() != 16) return Fail(302);
  const std::string name = UserNameOf(innerIdentity_);
  if (m.contains("newPassword")) {
    // A change proves the old password over the same challenges, then uses the new one.
    const std::string fresh = Text(m, "newPassword");
    if (!user->mustChangePassword || fresh.empty() ||
        !SameBytes(HexField(m, "oldResponse"),
                   GenerateNtResponse(challenge_, peer, name, user->password))) {
      return Fail(302);
    }
    user->password = fresh;
    user->mustChangePassword = false;
  }
  if (!SameBytes(response, GenerateNtResponse(challenge_, peer, name, user->password))) {
    challenge_ = RandomBytes(16);
    if (++failures_ >= kMsChapV2Attempts) return Fail(302);
    return {{"ask", "mschapv2"},
            {"challenge", Hex(challenge_)},
            {"failure", kErrorAuthenticationFailure},
            {"retry", true}};
  }
  if (user->mustChangePassword) {
    challenge_ = RandomBytes(16);
    return {
        {"ask", "mschapv2"}, {"challenge", Hex(challenge_)}, {"failure", kErrorPasswordExpired}};
  }
  return InnerPassed(
      {{"authenticatorResponse",
        GenerateAuthenticatorResponse(user->password, response, peer, challenge_, name)}});
}

json EapServer::CheckTtls(const json& m) {
  const int inner = IntField(m, "inner");
  const auto& accepted = realm_.spec.ttlsInner;
  if (std::find(accepted.begin(), accepted.end(), inner) == accepted.end()) return Fail(301);
  innerIdentity_ = Text(m, "identity");
  Dot1xUser* user = FindUser(innerIdentity_);
  if (!user) return Fail(302);
  const Bytes response = HexField(m, "response");
  const std::string name = UserNameOf(innerIdentity_);
  bool ok = false;
  json extra = json::object();
  switch (inner) {
    case kTtlsPap:
      ok = Text(m, "password") == user->password;
      break;
    case kTtlsChap:
    case kTtlsMd5:
      ok = SameBytes(response, Md5Challenge(chapId_, user->password, challenge_));
      break;
    case kTtlsMsChap:
      ok = SameBytes(response, ChallengeResponse(std::span(challenge_).first(8),
                                                 NtPasswordHash(user->password)));
      break;
    case kTtlsMsChapV2: {
      const Bytes peer = HexField(m, "peerChallenge");
      ok = peer.size() == 16 &&
           SameBytes(response, GenerateNtResponse(challenge_, peer, name, user->password));
      if (ok) {
        extra["authenticatorResponse"] =
            GenerateAuthenticatorResponse(user->password, response, peer, challenge_, name);
      }
      break;
    }
    default:
      break;
  }
  return ok ? Succeed(std::move(extra)) : Fail(302);
}

}  // namespace kavo9::eap
