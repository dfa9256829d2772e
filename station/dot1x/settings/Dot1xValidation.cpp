#include "station/dot1x/settings/Dot1xValidation.h"

namespace kavo9::dot1x {
namespace {

Dot1xProblem Key(LangKey key) {
  return {key, {}};
}

// The tunnel checks of rules 2 to 4; nothing for the methods without a tunnel identity.
std::optional<Dot1xProblem> CheckTunnel(const Dot1xPageInput& in) {
  const Dot1xChoices& c = in.choices;
  const bool fast = c.method == kEapFast;
  const bool fastTls = fast && (c.tunnel == kTunnelTls || c.provisioning == kTunnelTls);
  const bool needsBoth =
      (c.method == kPeap && c.tunnel == kTunnelMsChapV2) || c.method == kTtls || (fast && !fastTls);
  if (needsBoth) {
    if (in.tunnelId.empty() || in.tunnelPassword.empty()) {
      return Key(LangKey::IDS_TUNNELISREQUIRE);
    }
  } else if ((c.method == kPeap && c.tunnel == kTunnelTls) || fastTls) {
    if (in.tunnelId.empty()) return Key(LangKey::IDS_IDREQUIRED);
  } else if (c.method == kPeap && c.tunnel == kTunnelTokenCard) {
    if (in.tunnelId.empty()) return Key(LangKey::IDS_CHECKRULE3);
    if (c.passwordMode == 1 && in.tunnelPassword.empty()) {
      return Key(LangKey::IDS_TUNNELISREQUIRE);
    }
  }
  return std::nullopt;
}

}  // namespace

bool IsDomainServerName(std::string_view serverName) {
  const auto dot = serverName.find('.');
  return dot != std::string_view::npos && dot != 0 && dot != serverName.size() - 1;
}

std::optional<Dot1xProblem> Validate8021X(const Dot1xPageInput& in) {
  if (in.userId.empty()) return Key(LangKey::IDS_IDREQUIRED);
  if (auto problem = CheckTunnel(in)) return problem;
  if (in.choices.method == kMd5Challenge && in.userPassword.empty()) {
    return Key(LangKey::IDS_CHECKRULE4);
  }
  if (in.useClientCert && !in.clientCertSelected) return Key(LangKey::IDS_CHECKRULE5);
  if (in.useServerCert) {
    if (in.serverName.empty()) return Key(LangKey::IDS_IDREQUIRED);
    if (in.nameRule == 1 && !IsDomainServerName(in.serverName)) {
      return Dot1xProblem{std::nullopt, kInvalidServerDomain};
    }
  }
  return std::nullopt;
}

}  // namespace kavo9::dot1x
