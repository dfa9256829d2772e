// Inside the tunnels: TTLS's inner methods, MS-CHAPv2 with its retry and password change, GTC,
// and EAP-FAST's PAC: presented, provisioned and saved.
#include <cstring>

#include "sim/acauth/EapClient.h"

namespace kavo9::acauth {
namespace {

using nlohmann::json;

// MS-CHAPv2 failure codes: authentication failure (a retry is allowed), password expired.
constexpr int kErrorAuthenticationFailure = 691;
constexpr int kErrorPasswordExpired = 648;

std::string Text(const json& m, const char* key) {
  auto it = m.is_object() ? m.find(key) : m.end();
  return it != m.end() && it->is_string() ? it->get<std::string>() : std::string();
}

eap::Bytes HexField(const json& m, const char* key) {
  return eap::FromHex(Text(m, key)).value_or(eap::Bytes{});
}

int IntField(const json& m, const char* key, int fallback = -1) {
  auto it = m.is_object() ? m.find(key) : m.end();
  return it != m.end() && it->is_number_integer() ? it->get<int>() : fallback;
}

eap::Bytes TextBytes(const std::string& text) {
  return eap::Bytes(text.begin(), text.end());
}

eap::Bytes Le32(uint32_t value) {
  eap::Bytes out(4);
  std::memcpy(out.data(), &value, 4);
  return out;
}

}  // namespace

EapClient::Reply EapClient::OnTunnel(const json& m) {
  auto certificates = m.is_object() ? m.find("certificates") : m.end();
  if (certificates == m.end() || !ServerTrusted(*certificates)) return End(AC_STATUS_REJECTED);
  if (method_[0] == AC_EAP_TTLS) return OnTtlsInner(m);
  return json{{"tunnel", "up"}};
}

EapClient::Reply EapClient::OnTtlsInner(const json& m) {
  const auto inner = host_.Ask(AC_CRED_TTLS_INNER, 1, Context());
  if (!inner || !inner->ttlsMethod) return End(AC_STATUS_REJECTED);
  ttlsInner_ = *inner->ttlsMethod;
  if (OnIdentity(1); ended_) return std::nullopt;
  const auto password = Password(AC_CRED_PASSWORD, 1, "Password");
  if (!password) return End(AC_STATUS_REJECTED);
  const eap::Bytes challenge = HexField(m, "challenge");
  const uint8_t chapId = uint8_t(IntField(m, "chapId", 0));
  json reply = {{"inner", ttlsInner_}, {"identity", identity_[1]}};
  switch (ttlsInner_) {
    case AC_TTLS_PAP:
      reply["password"] = *password;
      break;
    case AC_TTLS_CHAP:
    case AC_TTLS_EAP_MD5:
      reply["response"] = eap::Hex(eap::Md5Challenge(chapId, *password, challenge));
      break;
    case AC_TTLS_MSCHAP:
      if (challenge.size() < 8) return End(AC_STATUS_REJECTED);
      reply["response"] = eap::Hex(
          eap::ChallengeResponse(std::span(challenge).first(8), eap::NtPasswordHash(*password)));
      break;
    case AC_TTLS_MSCHAPV2:
      password_ = *password;
      msChapChallenge_ = challenge;
      msChapPeer_ = eap::RandomBytes(16);
      msChapResponse_ =
          eap::GenerateNtResponse(challenge, msChapPeer_, eap::UserNameOf(identity_[1]), *password);
      reply["peerChallenge"] = eap::Hex(msChapPeer_);
      reply["response"] = eap::Hex(msChapResponse_);
      break;
    default:
      return End(AC_STATUS_REJECTED);
  }
  return reply;
}

EapClient::Reply EapClient::OnMsChapV2(const json& m) {
  const int failure = IntField(m, "failure", 0);
  std::optional<std::string> password;
  const std::string old = password_;
  auto retry = m.is_object() ? m.find("retry") : m.end();
  const bool retryAllowed = retry != m.end() && retry->is_boolean() && retry->get<bool>();
  if (failure == kErrorAuthenticationFailure && retryAllowed) {
    password = Password(AC_CRED_PASSWORD_RETRY, 1, "Password");
  } else if (failure == kErrorPasswordExpired) {
    password = Password(AC_CRED_PASSWORD_CHANGE, 1, "New password");
  } else if (failure == 0) {
    password = Password(AC_CRED_PASSWORD, 1, "Password");
  }
  if (!password) return End(failure ? AC_STATUS_REJECTED_HARD : AC_STATUS_REJECTED);
  const std::string name = eap::UserNameOf(identity_[1]);
  password_ = *password;
  msChapChallenge_ = HexField(m, "challenge");
  msChapPeer_ = eap::RandomBytes(16);
  msChapResponse_ = eap::GenerateNtResponse(msChapChallenge_, msChapPeer_, name, password_);
  json reply = {{"peerChallenge", eap::Hex(msChapPeer_)}, {"response", eap::Hex(msChapResponse_)}};
  if (failure == kErrorPasswordExpired) {
    reply["newPassword"] = password_;
    reply["oldResponse"] =
        eap::Hex(eap::GenerateNtResponse(msChapChallenge_, msChapPeer_, name, old));
  }
  return reply;
}

EapClient::Reply EapClient::OnGtc(const json& m) {
  const auto password = Password(AC_CRED_PASSWORD, 1, Text(m, "prompt"));
  if (!password) return End(AC_STATUS_REJECTED);
  return json{{"response", *password}};
}

EapClient::Reply EapClient::OnFast(const json& m) {
  aid_ = HexField(m, "aid");
  const eap::Bytes nonce = HexField(m, "nonce");
  if (const int status = IntField(m, "pacStatus", 0);
      status == AC_STATUS_PAC_318 || status == AC_STATUS_PAC_319) {
    // The server refused the PAC: the program drops its copy, and a new one is provisioned.
    if (++pacRefusals_ > 1) return End(AC_STATUS_REJECTED);
    host_.Tell(AC_STATE_AUTHENTICATING, status, AC_PORT_EVENT_STATUS);
    pac_.clear();
    pacTried_ = true;
  }
  if (m.contains("provisioned") && m["provisioned"].is_object()) {
    const json& p = m["provisioned"];
    pac_ = {{AC_PAC_AID, HexField(p, "aid")},
            {AC_PAC_IID, TextBytes(Text(p, "iid"))},
            {AC_PAC_KEY, HexField(p, "key")},
            {AC_PAC_OPAQUE, HexField(p, "opaque")},
            {AC_PAC_AID_INFO, TextBytes(Text(p, "aidInfo"))},
            {AC_PAC_TYPE, Le32(uint32_t(IntField(p, "type", 1)))},
            {AC_PAC_LIFETIME, Le32(uint32_t(IntField(p, "lifetime", 0)))}};
    host_.Tell(AC_STATE_SEE_STATUS, AC_STATUS_FAST_PROVISIONED, AC_PORT_EVENT_STATE);
    CredContext c = Context();
    c.provisionedPac = pac_;
    host_.Ask(AC_CRED_FAST_PAC_SAVE, 0, c);
    if (host_.Stopped()) return End(AC_STATUS_NONE);
    host_.Tell(AC_STATE_AUTHENTICATING, AC_STATUS_NONE, AC_PORT_EVENT_STATE);
    // Inner methods run again inside the tunnel the new PAC makes.
    msChapResponse_.clear();
  } else if (pac_.empty() && !pacTried_) {
    pacTried_ = true;
    const auto answer = host_.Ask(AC_CRED_FAST_PAC, 0, Context());
    if (answer && answer->pacGiven) pac_ = answer->pac;
  }
  const auto key = pac_.find(AC_PAC_KEY);
  const auto opaque = pac_.find(AC_PAC_OPAQUE);
  if (key != pac_.end() && opaque != pac_.end() && !key->second.empty() &&
      !opaque->second.empty()) {
    return json{{"pac",
                 {{"opaque", eap::Hex(opaque->second)},
                  {"proof", eap::Hex(eap::HmacSha256(key->second, nonce))}}}};
  }
  const auto modes = host_.Ask(AC_CRED_FAST_PROVISION_MODES, 0, Context());
  if (!modes || !modes->provisionModes || modes->provisionModes->empty())
    return End(AC_STATUS_REJECTED);
  const int mode = modes->provisionModes->front();
  host_.Ask(AC_CRED_FAST_PAC_TYPES, 0, Context());
  return json{{"provision", mode}};
}

}  // namespace kavo9::acauth
