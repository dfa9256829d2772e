#include "station/dot1x/reentry/Reentry.h"

#include <iterator>

#include "common/adapter/RequestCatalogue.h"

namespace kavo9::dot1x {
namespace {

constexpr const char* kTimeoutKeys[] = {"IDS_PEAP_TIMEOUT", "IDS_TLS_TIMEOUT",
                                        "IDS_TTLS_TIMEOUT", "IDS_EAP_FAST_TIMEOUT",
                                        "IDS_MD5_TIMEOUT",  "IDS_LEAP_TIMEOUT"};

}  // namespace

ReentryView ReentryViewFor(int rejectReason, int methodChoice) {
  ReentryView v;
  v.entryMode = rejectReason == 1 || rejectReason == 2;
  if (v.entryMode) {
    v.messageKey = "IDS_INVALID_IDPW";
    v.identityShown = true;
    v.passwordShown = methodChoice != kTls;
    v.domainShown = methodChoice == kEapFast || methodChoice == kLeap;
  } else if (methodChoice >= 0 && methodChoice < int(std::size(kTimeoutKeys))) {
    v.messageKey = kTimeoutKeys[methodChoice];
  }
  return v;
}

ReentryView Reentry::Show() {
  const std::optional<connect::ConnectRecord> record = p_.binding.RecordCopy();
  const int method = record ? MethodChoiceOf(*record) : kPeap;
  view_ = ReentryViewFor(p_.binding.RejectReason(), method);
  if (p_.adapterText) {
    view_.cardName = p_.adapterText("DriverDesc");
    if (record && record->BssidBound != 1) view_.profileName = p_.adapterText("CurProfile");
  }
  return view_;
}

std::optional<std::string> Reentry::Ok(std::string_view identity, std::string_view password,
                                       std::string_view domain) {
  if (view_.entryMode) {
    if (identity.empty()) return std::string(kMustInputIdentity);
    if (view_.passwordShown && password.empty()) return std::string(kMustInputPassword);
  }
  p_.binding.ClearAuthenticated();
  p_.connect.SetAutoReconnect(true);
  const std::optional<connect::ConnectRecord> record = p_.binding.RecordCopy();
  const int method = record ? MethodChoiceOf(*record) : kPeap;
  if (view_.entryMode) Keep(method, identity, password, domain);
  if (const std::optional<connect::ConnectRecord> now = p_.binding.RecordCopy()) {
    // The record's SSID as NDIS_802_11_SSID: the station associates again with it.
    p_.driver.SetInformation(OID_802_11_SSID, now->Ssid.data(), uint32_t(now->Ssid.size()),
                             kSetAttempts);
  }
  return std::nullopt;
}

void Reentry::Keep(int method, std::string_view identity, std::string_view password,
                   std::string_view domain) {
  // A hidden field keeps nothing: TLS authenticates with its certificate.
  const std::string pass = view_.passwordShown ? std::string(password) : std::string();
  const std::string dom = view_.domainShown ? std::string(domain) : std::string();
  p_.binding.EditRecord([&](connect::ConnectRecord& r) {
    r.Dot1x.ID = r.Dot1x.TunnelID = std::string(identity);
    if (view_.passwordShown) r.Dot1x.TunnelPassword = pass;
    if (method == kMd5Challenge) r.Dot1x.Password = pass;
    if (view_.domainShown) r.Dot1x.DomainName = dom;
    if (method == kLeap) {
      r.LeapUserName = std::string(identity);
      r.LeapPassword = pass;
      r.LeapDomain = dom;
    }
  });
  const auto& write = p_.binding.Environment().writeText;
  if (method == kLeap) {
    if (write) {
      write("LeapUserName", identity, true);
      write("LeapPassword", pass, true);
      write("LeapDomainName", dom, true);
    }
  } else if (write) {
    write("ID", identity, true);
    if (method == kMd5Challenge) write("Password", pass, true);
    write("TunnelID", identity, true);
    if (view_.passwordShown) write("TunnelPassword", pass, true);
    if (view_.domainShown) write("DomainName", dom, true);
  }
  // The port is configured again from the new credentials before it starts.
  p_.binding.pmStop();
  p_.binding.StartPort();
}

void Reentry::Cancel() {
  p_.connect.SetAutoReconnect(false);
  if (p_.askCredentialsNextTime) p_.askCredentialsNextTime();
}

}  // namespace kavo9::dot1x
