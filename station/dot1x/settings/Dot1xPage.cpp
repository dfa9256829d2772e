#include "station/dot1x/settings/Dot1xPage.h"

namespace kavo9::dot1x {
namespace {

constexpr std::string_view kMethodTexts[] = {"PEAP", "TLS/SmartCard", "TTLS", "EAP-FAST",
                                             "MD5-Challenge"};
constexpr std::string_view kTunnelTexts[] = {"EAP-MSCHAP v2", "EAP-TLS/SmartCard",
                                             "Generic Token Card"};
constexpr std::string_view kTtlsTexts[] = {"CHAP", "MS-CHAP", "MS-CHAP-V2", "PAP", "EAP-MD5"};

template <std::size_t N>
std::string_view TextOf(const std::string_view (&texts)[N], int index) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? texts[index] : std::string_view();
}

void LayOutPeap(const Dot1xChoices& c, Dot1xLayout* l) {
  l->tunnelEnabled = true;
  l->tunnelText = TextOf(kTunnelTexts, c.tunnel);
  l->tunnelId = true;
  l->tunnelPassword = c.tunnel != kTunnelTls;
  l->passwordModeShown = c.tunnel == kTunnelTokenCard;
  l->clientCert = c.tunnel == kTunnelTls ? ClientCertRule::kForcedOn : ClientCertRule::kOptional;
}

void LayOutFast(const Dot1xChoices& c, Dot1xLayout* l) {
  l->domainName = true;
  l->tunnelId = true;
  l->tunnelPassword = true;
  l->passwordModeShown = true;
  l->provisionModeEnabled = c.enhancedFast;
  l->provisioningShown = c.enhancedFast;
  if (!c.enhancedFast) {
    l->clientCert = ClientCertRule::kUseAndServerCleared;
    l->tabs = {Dot1xTab::kIdentity, Dot1xTab::kEapFast};
    return;
  }
  l->tunnelEnabled = true;
  l->tunnelText = TextOf(kTunnelTexts, c.tunnel);
  const bool anyTls = c.tunnel == kTunnelTls || c.provisioning == kTunnelTls;
  l->tunnelPassword = !(c.tunnel == kTunnelTls && c.provisioning == kTunnelTls);
  l->passwordModeShown = c.tunnel == kTunnelTokenCard || c.provisioning == kTunnelTokenCard;
  if (anyTls) {
    l->clientCert = ClientCertRule::kForcedOn;
    l->tabs = {Dot1xTab::kIdentity, Dot1xTab::kClientCert, Dot1xTab::kServerCert,
               Dot1xTab::kEapFast};
  } else {
    // The certificate tabs are hidden, and with them the client certificate's use.
    l->clientCert = ClientCertRule::kUseCleared;
    l->tabs = {Dot1xTab::kIdentity, Dot1xTab::kEapFast};
  }
}

}  // namespace

Dot1xLayout LayoutFor(const Dot1xChoices& c) {
  Dot1xLayout l;
  l.methodText = TextOf(kMethodTexts, c.method);
  l.tabs = {Dot1xTab::kIdentity, Dot1xTab::kClientCert, Dot1xTab::kServerCert};
  switch (c.method) {
    case kTls:
      l.clientCert = ClientCertRule::kForcedOn;
      break;
    case kTtls:
      l.tunnelEnabled = true;
      l.tunnelText = TextOf(kTtlsTexts, c.ttls);
      l.tunnelId = true;
      l.tunnelPassword = true;
      break;
    case kEapFast:
      LayOutFast(c, &l);
      break;
    case kMd5Challenge:
      l.userPassword = true;
      l.clientCert = ClientCertRule::kUseCleared;
      l.tabs = {Dot1xTab::kIdentity};
      break;
    default:
      LayOutPeap(c, &l);
      break;
  }
  // A soft token makes up the password itself. EAP-FAST asks for the tunnel password whatever
  // the password mode, so there the field stays open.
  if (c.method == kPeap && l.passwordModeShown && c.passwordMode == 0) l.tunnelPassword = false;
  return l;
}

void ChooseMethod(Dot1xChoices* choices, int method) {
  choices->method = method;
  if (method == kPeap) choices->tunnel = kTunnelMsChapV2;
  if (method == kTtls) choices->ttls = kTtlsChoiceChap;
  if (method == kEapFast) {
    choices->tunnel = choices->enhancedFast ? kTunnelMsChapV2 : kTunnelTokenCard;
  }
}

bool Md5Allowed(bool dot1xBox, bool openOrSharedAuth, bool noneOrWepEncryption) {
  return dot1xBox && (openOrSharedAuth || noneOrWepEncryption);
}

int EapTypeOfTunnel(int tunnelChoice) {
  switch (tunnelChoice) {
    case kTunnelTls:
      return kEapTlsInner;
    case kTunnelTokenCard:
      return kEapGenericTokenCard;
    default:
      return kEapMsChapV2;
  }
}

int TunnelOfEapType(int eapType) {
  switch (eapType) {
    case kEapTlsInner:
      return kTunnelTls;
    case kEapGenericTokenCard:
      return kTunnelTokenCard;
    default:
      return kTunnelMsChapV2;
  }
}

Dot1xChoices ChoicesFrom(const Dot1xSettings& settings, bool enhancedFast) {
  Dot1xChoices choices;
  choices.enhancedFast = enhancedFast;
  choices.method = settings.AuthenProtocol >= kPeap && settings.AuthenProtocol <= kMd5Challenge
                       ? settings.AuthenProtocol
                       : kPeap;
  choices.tunnel = TunnelOfEapType(settings.InnerEapType);
  choices.provisioning = TunnelOfEapType(settings.ProvisioningTunnel);
  choices.ttls = settings.TtlsInnerMethod >= kTtlsChap && settings.TtlsInnerMethod <= kTtlsMd5
                     ? settings.TtlsInnerMethod - kTtlsChap
                     : kTtlsChoiceMsChapV2;
  choices.passwordMode = settings.PasswordMode == 0 ? 0 : 1;
  return choices;
}

void TakeChoices(const Dot1xChoices& choices, Dot1xSettings* settings) {
  settings->AuthenProtocol = choices.method;
  settings->InnerEapType = EapTypeOfTunnel(choices.tunnel);
  settings->ProvisioningTunnel = EapTypeOfTunnel(choices.provisioning);
  settings->TtlsInnerMethod = choices.ttls + kTtlsChap;
  settings->PasswordMode = choices.passwordMode;
}

}  // namespace kavo9::dot1x
