// The system daemon's authenticator: the access points' side of the 802.1X conversation and of
// the key exchange that opens a WPA or WPA2 link, and what the supplicant library may know of
// the machine's ports.
// The library reaches it over its own control connection, one JSON line per request:
//
//   auth {"op": "ports"}                        the plugged adapters: name (NetCfgInstanceId),
//                                               mac, device path, media bits (802.11 a/b/g/n)
//   auth {"op": "link", "adapter": NAME}        connected, portOpen, ssid, bssid and, once the
//                                               port is open, the address the network hands out
//   auth {"op": "eap-start", "adapter": NAME}   a new 802.1X conversation with the server behind
//                                               the associated network: "eap" is its first
//                                               message, missing while the server does not answer
//   auth {"op": "eap", "adapter": NAME, "eap": MESSAGE}
//                                               the station's next message; "eap" the server's
//                                               (sim/daemon/eap/EapServer.h)
//   auth {"op": "eapol-start", "adapter": NAME, "keyMgmt": 10|11|20|21, "cipher": 3|4}
//                                               the first message of the exchange (ANonce)
//   auth {"op": "eapol", "adapter": NAME, "frame": HEX}
//                                               the station's message 2 or 4; the answer's
//                                               "frame" is message 3, or empty
//
// The access point proves the station's PMK from the MIC of message 2 under the network's own
// pre-shared key or, on an enterprise network, under the PMK its 802.1X server agreed with the
// station (the first 32 bytes of the MSK). An open or WEP network behind an 802.1X server opens
// its port as soon as the server accepts the station. A wrong MIC is dropped without an answer, as
// an access point does: the station waits in vain and no key is ever agreed. After a valid message
// 4 the emulator is told the pairwise key, and the port opens when the station installs exactly
// that key.

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include <nlohmann/json.hpp>

#include "sim/daemon/DaemonAdapter.h"
#include "sim/daemon/DaemonReplies.h"
#include "sim/daemon/eap/EapSessions.h"
#include "sim/eap/EapCrypto.h"
#include "sim/emulator/NetworkAddresses.h"
#include "sim/wpa/EapolKey.h"

namespace kavo9 {
namespace {

using nlohmann::json;

// Library key-management and cipher codes.
constexpr int kKeyMgmtWpa = 10;
constexpr int kKeyMgmtWpaPsk = 11;
constexpr int kKeyMgmtWpa2 = 20;
constexpr int kKeyMgmtWpa2Psk = 21;
constexpr int kCipherTkip = 3;
constexpr int kCipherAes = 4;
// Media bits of a port.
constexpr uint32_t kMedia80211a = 1u << 1;
constexpr uint32_t kMedia80211b = 1u << 2;
constexpr uint32_t kMedia80211g = 1u << 3;
constexpr uint32_t kMedia80211n = 1u << 4;

// Members of a request, read without trusting its shape.
int IntMember(const json& request, const char* key) {
  auto it = request.find(key);
  return it != request.end() && it->is_number_integer() ? it->get<int>() : 0;
}

std::string TextMember(const json& request, const char* key) {
  auto it = request.find(key);
  return it != request.end() && it->is_string() ? it->get<std::string>() : std::string();
}

using daemonreply::Error;
using daemonreply::Ok;

bool IsPersonal(const NetworkSpec& n) {
  return !n.adhoc && (n.security == Security::kWpaPsk || n.security == Security::kWpa2Psk ||
                      n.security == Security::kWpaWpa2Psk);
}

bool IsEnterprise(const NetworkSpec& n) {
  return !n.adhoc &&
         (n.security == Security::kWpaEnterprise || n.security == Security::kWpa2Enterprise ||
          n.security == Security::kWpaWpa2Enterprise);
}

bool KeyMgmtFits(const NetworkSpec& n, int keyMgmt) {
  switch (keyMgmt) {
    case kKeyMgmtWpaPsk:
      return IsPersonal(n) && n.security != Security::kWpa2Psk;
    case kKeyMgmtWpa2Psk:
      return IsPersonal(n) && n.security != Security::kWpaPsk;
    case kKeyMgmtWpa:
      return IsEnterprise(n) && n.security != Security::kWpa2Enterprise;
    case kKeyMgmtWpa2:
      return IsEnterprise(n) && n.security != Security::kWpaEnterprise;
    default:
      return false;
  }
}

// The PMK an 802.1X server agreed with a station, for the association it was agreed on.
struct AgreedPmk {
  MacAddress bssid{};
  wpa::Pmk pmk{};
};

// One exchange in progress on an adapter.
struct Exchange {
  MacAddress bssid{};
  wpa::Nonce aNonce{};
  uint64_t replay = 0;
  uint8_t descriptor = wpa::kDescriptorRsn;
  int version = 2;
  wpa::PairwiseCipher cipher = wpa::PairwiseCipher::kCcmp;
  wpa::Pmk pmk{};
  std::optional<wpa::Ptk> ptk;  // set once message 2 proved the PMK
};

class Authenticator {
 public:
  explicit Authenticator(std::filesystem::path machineDir) : eap_(std::move(machineDir)) {}
  json Start(AdapterEmulator& e, const json& request);
  json Frame(AdapterEmulator& e, const std::string& name, const json& request);
  json EapStart(AdapterEmulator& e);
  json EapStep(AdapterEmulator& e, const json& request);

 private:
  const wpa::Pmk* PmkOf(const std::string& adapter, const NetworkSpec& n);
  json Message3(Exchange& x);
  json EapReply(AdapterEmulator& e, const NetworkSpec& n, eap::EapSessions::Reply reply);

  std::map<std::string, Exchange> exchanges_;  // by adapter instance id
  std::map<std::pair<std::string, std::string>, std::optional<wpa::Pmk>> pmks_;
  eap::EapSessions eap_;
  std::map<std::string, AgreedPmk> agreed_;  // by adapter instance id
};

json Authenticator::EapReply(AdapterEmulator& e, const NetworkSpec& n,
                             eap::EapSessions::Reply reply) {
  if (!reply.error.empty()) return Error(reply.error);
  if (reply.msk) {
    if (IsEnterprise(n)) {
      AgreedPmk& agreed = agreed_[e.spec().instanceId];
      agreed.bssid = n.bssid;
      std::copy_n(reply.msk->begin(), agreed.pmk.size(), agreed.pmk.begin());
    } else {
      e.OpenPort();
    }
  }
  json body = json::object();
  if (!reply.message.is_null()) body["eap"] = reply.message;
  return Ok(body);
}

json Authenticator::EapStart(AdapterEmulator& e) {
  const NetworkSpec* n = e.associatedNetwork();
  if (!n) return Error("not associated");
  agreed_.erase(e.spec().instanceId);
  return EapReply(e, *n, eap_.Start(e.spec().instanceId, *n));
}

json Authenticator::EapStep(AdapterEmulator& e, const json& request) {
  const NetworkSpec* n = e.associatedNetwork();
  if (!n) return Error("not associated");
  auto it = request.find("eap");
  if (it == request.end() || !it->is_object()) return Error("no \"eap\" message");
  return EapReply(e, *n, eap_.Step(e.spec().instanceId, *n, *it));
}

const wpa::Pmk* Authenticator::PmkOf(const std::string& adapter, const NetworkSpec& n) {
  if (IsEnterprise(n)) {
    auto agreed = agreed_.find(adapter);
    return agreed != agreed_.end() && agreed->second.bssid == n.bssid ? &agreed->second.pmk
                                                                      : nullptr;
  }
  auto key = std::make_pair(n.ssid, n.key);
  auto it = pmks_.find(key);
  if (it == pmks_.end()) it = pmks_.emplace(key, wpa::PmkFromPreSharedKey(n.key, n.ssid)).first;
  return it->second ? &*it->second : nullptr;
}

json Authenticator::Start(AdapterEmulator& e, const json& request) {
  const NetworkSpec* n = e.associatedNetwork();
  if (!n) return Error("not associated");
  if (!IsPersonal(*n) && !IsEnterprise(*n)) return Error("not a WPA or WPA2 network");
  const int keyMgmt = IntMember(request, "keyMgmt");
  const int cipher = IntMember(request, "cipher");
  if (!KeyMgmtFits(*n, keyMgmt)) return Error("key management does not fit the network");
  const wpa::Pmk* pmk = PmkOf(e.spec().instanceId, *n);
  if (!pmk && IsEnterprise(*n)) return Error("no 802.1X authentication on this association");
  if ((cipher == kCipherTkip && !n->tkip) || (cipher == kCipherAes && !n->aes) ||
      (cipher != kCipherTkip && cipher != kCipherAes)) {
    return Error("cipher does not fit the network");
  }
  Exchange& x = exchanges_[e.spec().instanceId];
  const uint64_t replay = x.replay;
  x = Exchange{};
  x.bssid = n->bssid;
  x.aNonce = wpa::RandomNonce();
  x.replay = replay + 1;
  if (pmk) x.pmk = *pmk;
  x.descriptor = keyMgmt == kKeyMgmtWpa2Psk || keyMgmt == kKeyMgmtWpa2 ? wpa::kDescriptorRsn
                                                                       : wpa::kDescriptorWpa;
  x.version = cipher == kCipherAes ? 2 : 1;
  x.cipher = cipher == kCipherAes ? wpa::PairwiseCipher::kCcmp : wpa::PairwiseCipher::kTkip;
  wpa::EapolKey m1;
  m1.descriptor = x.descriptor;
  m1.info = uint16_t(x.version | wpa::kInfoPairwise | wpa::kInfoAck);
  m1.keyLength = x.cipher == wpa::PairwiseCipher::kCcmp ? 16 : 32;
  m1.replay = x.replay;
  m1.nonce = x.aNonce;
  return Ok({{"frame", eap::Hex(wpa::Encode(m1))}, {"bssid", FormatMac(n->bssid)}});
}

json Authenticator::Message3(Exchange& x) {
  wpa::EapolKey m3;
  m3.descriptor = x.descriptor;
  m3.info = uint16_t(x.version | wpa::kInfoPairwise | wpa::kInfoInstall | wpa::kInfoAck |
                     wpa::kInfoMic | wpa::kInfoSecure);
  m3.keyLength = uint16_t(x.ptk->tk.size());
  m3.replay = ++x.replay;
  m3.nonce = x.aNonce;
  return Ok({{"frame", eap::Hex(wpa::Encode(wpa::WithMic(m3, x.ptk->kck)))}});
}

json Authenticator::Frame(AdapterEmulator& e, const std::string& name, const json& request) {
  auto it = exchanges_.find(name);
  const NetworkSpec* n = e.associatedNetwork();
  if (it == exchanges_.end() || !n || n->bssid != it->second.bssid) {
    return Error("no key exchange on this association");
  }
  Exchange& x = it->second;
  const auto bytes = eap::FromHex(TextMember(request, "frame"));
  const std::optional<wpa::EapolKey> f = bytes ? wpa::Decode(*bytes) : std::nullopt;
  if (!f || f->replay != x.replay || (f->info & wpa::kInfoAck)) return Ok({{"frame", ""}});
  if (!x.ptk) {
    const wpa::Pmk* pmk = IsEnterprise(*n) ? &x.pmk : PmkOf(name, *n);
    if (!pmk) return Ok({{"frame", ""}});
    wpa::Ptk ptk = wpa::DerivePtk(*pmk, n->bssid, e.spec().mac, x.aNonce, f->nonce, x.cipher);
    if (!wpa::MicValid(*f, ptk.kck)) return Ok({{"frame", ""}});  // the station's PMK is wrong
    x.ptk = std::move(ptk);
    return Message3(x);
  }
  if (!wpa::MicValid(*f, x.ptk->kck) || !(f->info & wpa::kInfoSecure)) return Ok({{"frame", ""}});
  e.AgreePairwiseKey(x.ptk->tk);
  exchanges_.erase(it);
  return Ok({{"frame", ""}, {"done", true}});
}

}  // namespace

void SystemDaemon::AddAuthenticatorCommands() {
  auto authenticator = std::make_shared<Authenticator>(layout_.dir);
  AddCommand("auth", [this, authenticator](const json& request) -> json {
    const std::string op = TextMember(request, "op");
    if (op == "ports") {
      json ports = json::array();
      for (const auto& a : adapters_) {
        if (!a->plugged) continue;
        uint32_t media = kMedia80211b | kMedia80211g;
        if (a->spec.band5) media |= kMedia80211a;
        if (emu::ChipOf(a->spec).ht) media |= kMedia80211n;
        ports.push_back({{"name", a->spec.instanceId},
                         {"mac", FormatMac(a->spec.mac)},
                         {"device", "\\\\.\\" + a->spec.instanceId},
                         {"media", media}});
      }
      return Ok({{"ports", ports}});
    }
    std::string error;
    Adapter* adapter = FindAdapter(request, &error);
    if (!adapter) return Error(error);
    if (!adapter->plugged) return Error(adapter->spec.name + " is unplugged");
    AdapterEmulator& e = *adapter->emulator;
    if (op == "link") {
      json link = {{"connected", e.connected()}, {"portOpen", e.portOpen()}};
      if (const NetworkSpec* n = e.associatedNetwork()) {
        link["ssid"] = n->ssid;
        link["bssid"] = FormatMac(n->bssid);
        size_t index = 0;
        while (index < adapters_.size() && adapters_[index].get() != adapter) ++index;
        if (e.portOpen()) link["ip"] = DottedText(HostOf(n->bssid, index));
      }
      return Ok(link);
    }
    if (op == "eapol-start") return authenticator->Start(e, request);
    if (op == "eapol") return authenticator->Frame(e, adapter->spec.instanceId, request);
    if (op == "eap-start") return authenticator->EapStart(e);
    if (op == "eap") return authenticator->EapStep(e, request);
    return Error("auth: unknown op \"" + op +
                 "\" (ports, link, eap-start, eap, eapol-start, eapol)");
  });
}

}  // namespace kavo9
