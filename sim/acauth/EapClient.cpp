// The conversation's loop and the outer methods: identity, method negotiation, MD5-Challenge,
// LEAP (both directions), TLS with the user's certificate, and the end of it.
#include "sim/acauth/EapClient.h"

#include "sim/eap/X509Tools.h"

namespace kavo9::acauth {
namespace {

using nlohmann::json;

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

bool Flag(const json& m, const char* key) {
  auto it = m.is_object() ? m.find(key) : m.end();
  return it != m.end() && it->is_boolean() && it->get<bool>();
}

const json& Member(const json& m, const char* key) {
  static const json kNone;
  auto it = m.is_object() ? m.find(key) : m.end();
  return it != m.end() ? *it : kNone;
}

// An identity or password object made from a fixed-size buffer ends at its first zero byte.
std::string Trimmed(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

EapOutcome EapClient::Run() {
  const auto start = host_.Ask(AC_CRED_SESSION_START, 0, Context());
  if (host_.Stopped()) return {};
  if (!start || !start->sessionOption) {
    End(AC_STATUS_REJECTED);
    return outcome_;
  }
  std::optional<json> message;
  for (int attempt = 0; attempt < kStartAttempts && !message; ++attempt) {
    if (attempt) host_.Pause(kStartRetry);
    if (host_.Stopped()) return {};
    auto answer = daemon_.Ask({{"cmd", "auth"}, {"op", "eap-start"}, {"adapter", link_.port}});
    if (answer && answer->contains("eap") && (*answer)["eap"].is_object())
      message = (*answer)["eap"];
  }
  if (!message) {
    End(AC_STATUS_TIMEOUT);
    return outcome_;
  }
  while (!ended_) {
    if (host_.Stopped()) return {};
    const Reply reply = Handle(*message);
    if (ended_) break;
    message = reply ? Send(*reply) : std::nullopt;
    // The server stopped answering in the middle of the conversation.
    if (!message) End(AC_STATUS_TIMEOUT);
  }
  if (host_.Stopped()) return {};
  return outcome_;
}

std::optional<json> EapClient::Send(const json& message) {
  auto answer =
      daemon_.Ask({{"cmd", "auth"}, {"op", "eap"}, {"adapter", link_.port}, {"eap", message}});
  if (!answer || !answer->contains("eap") || !(*answer)["eap"].is_object()) return std::nullopt;
  return (*answer)["eap"];
}

EapClient::Reply EapClient::End(int status) {
  ended_ = true;
  outcome_.status = status;
  return std::nullopt;
}

CredContext EapClient::Context(const std::string& prompt) const {
  CredContext c;
  c.prompt = prompt;
  c.method[0] = method_[0];
  c.method[1] = method_[1];
  c.fastMode = fastMode_;
  c.serverChain = serverChain_;
  c.aid = aid_;
  return c;
}

std::optional<std::string> EapClient::Password(uint32_t type, uint32_t level,
                                               const std::string& prompt) {
  const auto answer = host_.Ask(type, level, Context(prompt));
  if (!answer || !answer->password) return std::nullopt;
  return Trimmed(*answer->password);
}

EapClient::Reply EapClient::Handle(const json& m) {
  const std::string result = Text(m, "result");
  if (result == "success") return OnSuccess(m);
  if (result == "failure") {
    const int status = IntField(m, "status");
    return End(status == AC_STATUS_REJECTED_HARD ? status : AC_STATUS_REJECTED);
  }
  const std::string ask = Text(m, "ask");
  if (ask == "identity") return OnIdentity(0);
  if (ask == "notification") {
    CredContext c = Context();
    c.notification = Text(m, "text");
    host_.Ask(AC_CRED_NOTIFICATION, method_[0] == AC_EAP_NONE ? 0 : 1, c);
    return json{{"ack", true}};
  }
  if (ask == "method") return OnMethod(m);
  if (ask == "md5") return OnMd5(m);
  if (ask == "leap") return OnLeap(m);
  if (ask == "tls") return OnTls(m);
  if (ask == "tunnel") return OnTunnel(m);
  if (ask == "inner-identity") {
    fastMode_ = IntField(m, "mode", 0) == 1 ? 1 : 0;
    return OnIdentity(1);
  }
  if (ask == "mschapv2") return OnMsChapV2(m);
  if (ask == "gtc") return OnGtc(m);
  if (ask == "fast") return OnFast(m);
  return End(AC_STATUS_REJECTED);
}

EapClient::Reply EapClient::OnIdentity(uint32_t level) {
  const auto answer = host_.Ask(AC_CRED_IDENTITY, level, Context("Identity"));
  if (!answer || !answer->identity) return End(AC_STATUS_REJECTED);
  identity_[level] = Trimmed(*answer->identity);
  return json{{"identity", identity_[level]}};
}

// The server proposes a method; the program names the one it wants (the same, or a NAK for it).
EapClient::Reply EapClient::OnMethod(const json& m) {
  const uint32_t level = Flag(m, "inner") ? 1 : 0;
  CredContext c = Context();
  c.method[level] = IntField(m, "method", AC_EAP_NONE);
  const auto answer = host_.Ask(AC_CRED_EAP_METHODS, level, c);
  if (!answer || !answer->method || !answer->offer) return End(AC_STATUS_REJECTED);
  int method = *answer->method;
  if (method == AC_EAP_NONE || method == AC_EAP_ANY) method = c.method[level];
  method_[level] = method;
  return json{{"method", method}};
}

EapClient::Reply EapClient::OnMd5(const json& m) {
  const auto password = Password(AC_CRED_PASSWORD, 0, "Password");
  if (!password) return End(AC_STATUS_REJECTED);
  const uint8_t id = uint8_t(IntField(m, "id", 0));
  return json{{"response", eap::Hex(eap::Md5Challenge(id, *password, HexField(m, "challenge")))}};
}

EapClient::Reply EapClient::OnLeap(const json& m) {
  const auto password = Password(AC_CRED_PASSWORD, 0, "Password");
  if (!password) return End(AC_STATUS_REJECTED);
  leapPassword_ = *password;
  leapPeerChallenge_ = eap::RandomBytes(8);
  const eap::Bytes response =
      eap::ChallengeResponse(HexField(m, "challenge"), eap::NtPasswordHash(*password));
  return json{{"response", eap::Hex(response)}, {"peerChallenge", eap::Hex(leapPeerChallenge_)}};
}

bool EapClient::ServerTrusted(const json& certificates) {
  serverChain_.clear();
  if (certificates.is_array()) {
    for (const json& c : certificates) {
      if (c.is_string()) serverChain_.push_back(c.get<std::string>());
    }
  }
  if (serverChain_.empty()) return false;
  const auto answer = host_.Ask(AC_CRED_SERVER_CHECK, 0, Context());
  return answer && answer->trusted && *answer->trusted != 0;
}

EapClient::Reply EapClient::OnTls(const json& m) {
  if (!ServerTrusted(Member(m, "certificates"))) return End(AC_STATUS_REJECTED);
  const auto answer = host_.Ask(AC_CRED_USER_CERT, 0, Context());
  if (!answer || answer->userCertPem.empty() || answer->userKeyPem.empty())
    return End(AC_STATUS_REJECTED);
  const auto signature = eap::Sign(answer->userKeyPem, HexField(m, "nonce"));
  if (!signature) return End(AC_STATUS_REJECTED);
  return json{{"certificate", answer->userCertPem}, {"signature", eap::Hex(*signature)}};
}

EapClient::Reply EapClient::OnSuccess(const json& m) {
  if (method_[0] == AC_EAP_LEAP) {
    // The access point must prove it knows the password too; one that cannot is reported.
    const eap::Bytes expected = eap::ChallengeResponse(
        leapPeerChallenge_, eap::HashNtPasswordHash(eap::NtPasswordHash(leapPassword_)));
    if (!eap::SameBytes(HexField(m, "apResponse"), expected)) {
      host_.Ask(AC_CRED_ROGUE_AP, 0, Context());
      return End(AC_STATUS_REJECTED);
    }
  }
  if (!msChapResponse_.empty()) {
    const std::string expected = eap::GenerateAuthenticatorResponse(
        password_, msChapResponse_, msChapPeer_, msChapChallenge_, eap::UserNameOf(identity_[1]));
    if (Text(m, "authenticatorResponse") != expected) return End(AC_STATUS_REJECTED);
  }
  const eap::Bytes msk = HexField(m, "msk");
  if (msk.size() < wpa::kPmkBytes) return End(AC_STATUS_REJECTED);
  if (link_.keyManagement == AC_KM_WPA || link_.keyManagement == AC_KM_WPA2) {
    wpa::Pmk pmk{};
    std::copy_n(msk.begin(), pmk.size(), pmk.begin());
    if (RunPskExchange(daemon_, io_, link_, pmk) != PskOutcome::kDone)
      return End(AC_STATUS_TIMEOUT);
  }
  ended_ = true;
  outcome_.authenticated = true;
  return std::nullopt;
}

}  // namespace kavo9::acauth
