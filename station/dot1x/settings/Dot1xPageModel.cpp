#include "station/dot1x/settings/Dot1xPageModel.h"

#include <algorithm>

namespace kavo9::dot1x {
namespace {

struct NoCertificates : CertStore {
  std::vector<StoredCertificate> Certificates(std::string_view) const override { return {}; }
};

const CertStore& StoreOrNone(const CertStore* certs) {
  static const NoCertificates none;
  return certs ? *certs : none;
}

// A hash longer than the record's buffer is never stored: it could not be a hash we made.
std::vector<uint8_t> Bounded(std::vector<uint8_t> hash) {
  if (hash.size() > kMaxCertHash) hash.clear();
  return hash;
}

bool Has(const std::vector<Dot1xTab>& tabs, Dot1xTab tab) {
  return std::find(tabs.begin(), tabs.end(), tab) != tabs.end();
}

}  // namespace

Dot1xPageModel::Dot1xPageModel(const CertStore* certs, bool enhancedFast, ShortDate date)
    : certs_(certs), date_(std::move(date)) {
  v_.choices.enhancedFast = enhancedFast;
  Reset();
}

void Dot1xPageModel::Reset() {
  const Dot1xChoices kept = v_.choices;
  v_ = Dot1xPageValues();
  v_.choices.enhancedFast = kept.enhancedFast;
  v_.choices.ttls = kept.ttls;  // the TTLS inner choice is the page's own, kept between tasks
  v_.choices.method = kPeap;
  v_.choices.tunnel = kTunnelMsChapV2;
  v_.choices.provisioning = kTunnelMsChapV2;
  client_.Clear();
  server_.Clear();
  ApplyMethodChoice();
  tab_ = Dot1xTab::kIdentity;
}

void Dot1xPageModel::Load(const Dot1xSettings& s) {
  Dot1xChoices& c = v_.choices;
  c.method =
      s.AuthenProtocol >= kPeap && s.AuthenProtocol <= kMd5Challenge ? s.AuthenProtocol : kPeap;
  // An inner type the page does not know leaves the current choice.
  if (s.InnerEapType == kEapMsChapV2 || s.InnerEapType == kEapTlsInner ||
      s.InnerEapType == kEapGenericTokenCard) {
    c.tunnel = TunnelOfEapType(s.InnerEapType);
  }
  if (s.TtlsInnerMethod >= kTtlsChap && s.TtlsInnerMethod <= kTtlsMd5) {
    c.ttls = s.TtlsInnerMethod - kTtlsChap;
  }
  if (s.ProvisioningTunnel == kEapMsChapV2 || s.ProvisioningTunnel == kEapTlsInner ||
      s.ProvisioningTunnel == kEapGenericTokenCard) {
    c.provisioning = TunnelOfEapType(s.ProvisioningTunnel);
  }
  c.passwordMode = s.PasswordMode == 0 ? 0 : 1;
  v_.sessionResumption = s.SessionResumption != 0;
  v_.userId = s.ID.substr(0, kMaxDot1xText);
  v_.userPassword = s.Password.substr(0, kMaxDot1xText);
  v_.tunnelId = s.TunnelID.substr(0, kMaxDot1xText);
  v_.tunnelPassword = s.TunnelPassword.substr(0, kMaxDot1xText);
  v_.domainName = s.DomainName.substr(0, kMaxDot1xText);
  v_.showPassword = false;
  v_.pacPath = s.PACFilePath.substr(0, kMaxPacPath);
  v_.provisionMode = s.ProvisionMode != 0;
  v_.usePac = s.UsePAC != 0;
  v_.useClientCert = s.UseClientCert != 0;
  v_.useSmartCard = s.UseSmartCard != 0 ? 1 : 0;
  v_.useServerCert = s.UseServerCert != 0;
  v_.intermediateCert = s.IntermediateCert != 0;
  v_.nameRule = s.NameRule == 1 ? 1 : 0;
  v_.serverName = s.ServerName.substr(0, kMaxDot1xText);
  client_.Clear();
  server_.Clear();
  ApplyMethodChoice();
  // The stored hashes pick the certificates; a hash the store no longer has selects nothing.
  if (v_.useClientCert) {
    client_.Refresh(StoreOrNone(certs_), false, date_);
    client_.ChooseHash(s.ClientCertHash);
  }
  if (v_.useServerCert) {
    server_.Refresh(StoreOrNone(certs_), true, date_);
    server_.ChooseHash(s.ServerCertHash);
  }
  tab_ = Dot1xTab::kIdentity;
}

void Dot1xPageModel::ApplyMethodChoice() {
  const Dot1xLayout layout = LayoutFor(v_.choices);
  switch (layout.clientCert) {
    case ClientCertRule::kForcedOn:
      v_.useClientCert = true;
      RefreshClient();
      break;
    case ClientCertRule::kUseCleared:
      v_.useClientCert = false;
      break;
    case ClientCertRule::kUseAndServerCleared:
      v_.useClientCert = false;
      v_.useServerCert = false;
      break;
    case ClientCertRule::kOptional:
      break;
  }
  if (!Has(layout.tabs, tab_)) tab_ = Dot1xTab::kIdentity;
}

void Dot1xPageModel::ChooseMethod(int method) {
  if (method < kPeap || method > kMd5Challenge) return;
  if (method == kMd5Challenge && !md5Offered_) return;
  dot1x::ChooseMethod(&v_.choices, method);
  ApplyMethodChoice();
  tab_ = Dot1xTab::kIdentity;
}

void Dot1xPageModel::ChooseTunnel(int tunnel) {
  if (tunnel < kTunnelMsChapV2 || tunnel > kTunnelTokenCard) return;
  v_.choices.tunnel = tunnel;
  ApplyMethodChoice();
  tab_ = Dot1xTab::kIdentity;
}

void Dot1xPageModel::ChooseTtls(int ttls) {
  if (ttls < kTtlsChoiceChap || ttls > kTtlsChoiceMd5) return;
  v_.choices.ttls = ttls;
  ApplyMethodChoice();
  tab_ = Dot1xTab::kIdentity;
}

void Dot1xPageModel::ChooseProvisioning(int provisioning) {
  if (provisioning < kTunnelMsChapV2 || provisioning > kTunnelTokenCard) return;
  v_.choices.provisioning = provisioning;
  ApplyMethodChoice();
  tab_ = Dot1xTab::kIdentity;
}

void Dot1xPageModel::SetText(Dot1xText field, std::string_view text) {
  const std::size_t limit = field == Dot1xText::kPacPath ? kMaxPacPath : kMaxDot1xText;
  std::string value(text.substr(0, limit));
  switch (field) {
    case Dot1xText::kUserId:
      v_.userId = std::move(value);
      break;
    case Dot1xText::kUserPassword:
      v_.userPassword = std::move(value);
      break;
    case Dot1xText::kTunnelId:
      v_.tunnelId = std::move(value);
      break;
    case Dot1xText::kTunnelPassword:
      v_.tunnelPassword = std::move(value);
      break;
    case Dot1xText::kDomainName:
      v_.domainName = std::move(value);
      break;
    case Dot1xText::kServerName:
      v_.serverName = std::move(value);
      break;
    case Dot1xText::kPacPath:
      v_.pacPath = std::move(value);
      break;
  }
}

void Dot1xPageModel::SetPasswordMode(int mode) {
  v_.choices.passwordMode = mode == 0 ? 0 : 1;
  tab_ = Dot1xTab::kIdentity;
}

void Dot1xPageModel::RefreshClient() {
  // The chosen certificate stays chosen across a refresh when the store still has it.
  const std::vector<uint8_t> chosen = client_.ChosenHash();
  client_.Refresh(StoreOrNone(certs_), false, date_);
  if (!chosen.empty()) {
    client_.ChooseHash(chosen);
    if (!client_.ChosenRow()) client_.Choose(0);
  }
}

void Dot1xPageModel::RefreshServer() {
  const std::vector<uint8_t> chosen = server_.ChosenHash();
  server_.Refresh(StoreOrNone(certs_), true, date_);
  if (!chosen.empty()) {
    server_.ChooseHash(chosen);
    if (!server_.ChosenRow()) server_.Choose(0);
  }
}

void Dot1xPageModel::SetUseClientCert(bool on) {
  if (LayoutFor(v_.choices).clientCert != ClientCertRule::kOptional) return;
  v_.useClientCert = on;
  if (on) RefreshClient();
}

void Dot1xPageModel::ChooseClientRow(int row) {
  client_.Choose(row);
}

void Dot1xPageModel::SetUseServerCert(bool on) {
  v_.useServerCert = on;
  if (on) RefreshServer();
}

void Dot1xPageModel::ChooseServerRow(int row) {
  server_.Choose(row);
}

void Dot1xPageModel::SelectTab(Dot1xTab tab) {
  if (Has(LayoutFor(v_.choices).tabs, tab)) tab_ = tab;
}

std::optional<Dot1xProblem> Dot1xPageModel::Validate() const {
  Dot1xPageInput in;
  in.choices = v_.choices;
  in.userId = v_.userId;
  in.userPassword = v_.userPassword;
  in.tunnelId = v_.tunnelId;
  in.tunnelPassword = v_.tunnelPassword;
  in.useClientCert = v_.useClientCert;
  in.clientCertSelected = !client_.ChosenHash().empty();
  in.useServerCert = v_.useServerCert;
  in.serverName = v_.serverName;
  in.nameRule = v_.nameRule;
  return Validate8021X(in);
}

void Dot1xPageModel::Take(Dot1xSettings* s) const {
  const int provisioning = s->ProvisioningTunnel;
  TakeChoices(v_.choices, s);
  // The provisioning method is the EAP-FAST tab's: other methods leave the stored one.
  if (v_.choices.method != kEapFast) s->ProvisioningTunnel = provisioning;
  s->SessionResumption = v_.sessionResumption ? 1 : 0;
  s->ID = v_.userId;
  s->Password = v_.userPassword;
  s->TunnelID = v_.tunnelId;
  s->TunnelPassword = v_.tunnelPassword;
  s->DomainName = v_.domainName;
  s->UseClientCert = v_.useClientCert ? 1 : 0;
  s->UseSmartCard = v_.useSmartCard;
  s->ClientCertHash = Bounded(client_.ChosenHash());
  s->UseServerCert = v_.useServerCert ? 1 : 0;
  s->IntermediateCert = v_.intermediateCert ? 1 : 0;
  s->NameRule = v_.nameRule;
  s->ServerName = v_.serverName;
  s->ServerCertHash = Bounded(server_.ChosenHash());
  s->ProvisionMode = v_.provisionMode ? 1 : 0;
  s->UsePAC = v_.usePac ? 1 : 0;
  s->PACFilePath = v_.pacPath;
}

Dot1xPageView Dot1xPageModel::View() const {
  Dot1xPageView view;
  view.layout = LayoutFor(v_.choices);
  view.md5Offered = md5Offered_;
  view.clientBoxEnabled = view.layout.clientCert == ClientCertRule::kOptional;
  view.clientListEnabled = v_.useClientCert;
  view.serverControlsEnabled = v_.useServerCert;
  view.pacControlsEnabled = v_.usePac;
  return view;
}

}  // namespace kavo9::dot1x
