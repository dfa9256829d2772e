#pragma once
// The supplicant library played by a test: one port (or none), every call recorded by name,
// results and states the test sets, and events the test fires as the library's thread would.

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

class ScriptedSupplicant : public Supplicant {
 public:
  struct Psk {
    std::string passPhrase, ssid;
    std::array<uint8_t, 32> key{};
    bool binary = false;
  };

  // What the test sets.
  int initResult = AC_OK;
  bool hasPort = true;
  std::string portName = "{PORT}";
  std::array<uint8_t, 6> portMac{0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01};
  uint32_t media = 0x0C;  // 802.11 b/g
  int linkState = AC_LINK_DOWN, state = AC_STATE_IDLE, status = AC_STATUS_NONE;
  int associateResult = AC_OK;
  bool ipConnected = true, dhcp = true;
  std::array<uint8_t, 4> address{192, 168, 7, 100};
  // EAP: the library's current method, EAP-FAST's mode, the server's certificate (its fields by
  // number; a name matches a field equal to it, or with `suffix` its end at a label boundary),
  // the server's A-ID and the PAC it provisioned (by part).
  int currentMethod = AC_EAP_MSCHAPV2;
  int fastMode = 0;
  bool chainOk = true, caOk = true;
  std::map<int, std::string> certFields;
  std::vector<uint8_t> serverAid{0xA1, 0xD0};
  std::map<int, std::vector<uint8_t>> provisioned;
  int pacResult = AC_OK;    // of acCredGetEapFASTPac
  uint32_t ccxVersion = 0;  // of the port's attributes

  // What the binding did.
  std::vector<std::string> calls;
  SupplicantEvents* events = nullptr;
  acAssociation association{};
  std::vector<Psk> psks;           // by object, never freed while the test runs
  std::vector<std::string> texts;  // identities and passwords made, in order
  int answerResult = AC_OK;
  int livePsks = 0;
  std::vector<std::string> urls;                          // certificate references made, in order
  std::vector<std::map<int, std::vector<uint8_t>>> pacs;  // PAC objects made, by part
  int liveObjects = 0;  // identities, passwords, certificates and PACs not yet destroyed

  // The library's thread tells the port something.
  void Fire(int kind) {
    if (events) events->OnPortEvent(kind);
  }
  void Fire(int kind, int newState, int newStatus = AC_STATUS_NONE) {
    state = newState;
    status = newStatus;
    Fire(kind);
  }
  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& c : calls) n += c == name;
    return n;
  }

  int Init() override { return Record("Init", initResult); }
  void Exit() override { calls.push_back("Exit"); }
  std::string ErrorText(int) override { return "scripted"; }
  int DebugEnable(int, int) override { return AC_OK; }
  int NextPortName(const std::string& previous, std::string* name) override {
    if (!hasPort || !previous.empty()) return AC_ERR_NO_MORE;
    *name = portName;
    return AC_OK;
  }
  int PortAttr(const std::string&, acPortAttr* attr) override {
    *attr = acPortAttr{};
    std::copy(portMac.begin(), portMac.end(), attr->mac);
    attr->media = media;
    attr->ccxVersion = ccxVersion;
    return AC_OK;
  }
  int Attach(int* handle, const std::string&, SupplicantEvents* e) override {
    events = e;
    *handle = 7;
    return Record("Attach", AC_OK);
  }
  int Detach(int) override {
    events = nullptr;
    return Record("Detach", AC_OK);
  }
  int CreatePsk(acObject* out, std::string_view pass, std::string_view ssid) override {
    psks.push_back({std::string(pass), std::string(ssid), {}, false});
    return MakePsk(out);
  }
  int CreateBinaryPsk(acObject* out, const std::array<uint8_t, 32>& key) override {
    psks.push_back({{}, {}, key, true});
    return MakePsk(out);
  }
  int DestroyPsk(acObject) override {
    --livePsks;
    return Record("DestroyPsk", AC_OK);
  }
  int CreateIdentity(acObject* out, std::string_view text) override {
    return MakeText(out, text, "CreateIdentity");
  }
  int DestroyIdentity(acObject) override { return Drop("DestroyIdentity"); }
  int CreatePassword(acObject* out, std::string_view text) override {
    return MakeText(out, text, "CreatePassword");
  }
  int DestroyPassword(acObject) override { return Drop("DestroyPassword"); }
  // The text an identity or password object was made of.
  std::string TextOf(acObject object) {
    std::lock_guard hold(answerLock_);
    const size_t n = reinterpret_cast<uintptr_t>(object) - 1000;
    return n >= 1 && n <= texts.size() ? texts[n - 1] : "?";
  }
  int CredComplete(int, uint32_t id) override { return Answer("complete", id, AC_OK); }
  int CredDeferred(int, uint32_t id) override { return Answer("deferred", id, AC_OK); }
  int CredIdentity(int, uint32_t id, acObject) override {
    return Answer("identity", id, answerResult);
  }
  int CredPassword(int, uint32_t id, acObject) override {
    return Answer("password", id, answerResult);
  }
  int CredSessionStart(int, uint32_t id, int option) override {
    return Answer("session", id, AC_OK, option);
  }
  int CredGetIdentityPrompt(int, uint32_t, std::string* prompt) override {
    *prompt = "Identity:";
    return Record("IdentityPrompt", AC_OK);
  }
  int CredGetPasswordPrompt(int, uint32_t, std::string* prompt) override {
    *prompt = "Password:";
    return Record("PasswordPrompt", AC_OK);
  }
  int CredGetEapMethod(int, uint32_t, int, int* method) override {
    *method = currentMethod;
    return Record("GetEapMethod", AC_OK);
  }
  int CredEapMethods(int, uint32_t id, int method, int offer) override {
    return Answer("methods", id, answerResult, method, offer);
  }
  int CredEapTTLSTunnelMethod(int, uint32_t id, int method) override {
    return Answer("ttls", id, answerResult, method);
  }
  int CredUserCert(int, uint32_t id, acObject cert) override {
    return Answer("usercert", id, answerResult, cert ? 1 : 0);
  }
  int CredMachineIdentity(int, uint32_t id, acObject) override {
    return Answer("machine", id, answerResult);
  }
  int CredGetEapNotification(int, uint32_t, std::string* text) override {
    *text = "Welcome";
    return Record("Notification", answerResult);
  }
  int CredServerVerifyChain(int, uint32_t, int* ok) override {
    *ok = chainOk;
    return Record("VerifyChain", AC_OK);
  }
  int CredServerVerifyCA(int, uint32_t, acObject, int* ok) override {
    *ok = caOk;
    return Record("VerifyCA", AC_OK);
  }
  int CredServerVerifyDomain(int, uint32_t, int field, const std::string& name, int suffix,
                             int* ok) override {
    *ok = Matches(field, name, suffix);
    return Record(("VerifyDomain " + std::to_string(field) + " " + std::to_string(suffix)).c_str(),
                  AC_OK);
  }
  int CredServerVerifyField(int, uint32_t, int field, const std::string& name, int suffix,
                            int* ok) override {
    *ok = Matches(field, name, suffix);
    return Record(("VerifyField " + std::to_string(field) + " " + std::to_string(suffix)).c_str(),
                  AC_OK);
  }
  int CredServerGetField(int, uint32_t, int index, std::string* text) override {
    if (index >= int(certFields.size())) return AC_ERR_NO_MORE_FIELDS;
    *text = std::next(certFields.begin(), index)->second;
    return Record("GetField", AC_OK);
  }
  int CredServerVerified(int, uint32_t id, int trusted) override {
    return Answer("verified", id, AC_OK, trusted);
  }
  int CredGetEapFASTMode(int, uint32_t, int* mode) override {
    *mode = fastMode;
    return Record("FastMode", AC_OK);
  }
  int CredGetEapFASTAID(int, uint32_t, size_t room, std::vector<uint8_t>* aid) override {
    aid->assign(serverAid.begin(), serverAid.begin() + std::min(room, serverAid.size()));
    return Record("FastAid", AC_OK);
  }
  int CredEapFASTPacTypes(int, uint32_t id, std::span<const int> types) override {
    return Answer("pactypes", id, answerResult, List(types));
  }
  int CredEapFASTProvisionModes(int, uint32_t id, std::span<const int> modes) override {
    return Answer("modes", id, answerResult, List(modes));
  }
  int EapFASTPacCreate(acObject* out) override {
    std::lock_guard hold(answerLock_);
    pacs.emplace_back();
    ++liveObjects;
    *out = reinterpret_cast<acObject>(5000 + pacs.size());
    return AC_OK;
  }
  int EapFASTPacSet(acObject pac, int part, std::span<const uint8_t> data) override {
    std::lock_guard hold(answerLock_);
    pacs.at(reinterpret_cast<uintptr_t>(pac) - 5001)[part].assign(data.begin(), data.end());
    return AC_OK;
  }
  int EapFASTPacDestroy(acObject) override { return Drop("PacDestroy"); }
  int CredEapFASTPac(int, uint32_t id, acObject pac) override {
    return Answer("pac", id, AC_OK, pac ? int(reinterpret_cast<uintptr_t>(pac) - 5000) : 0);
  }
  int CredGetEapFASTPac(int, uint32_t, int part, std::span<uint8_t> data, int* length) override {
    const std::vector<uint8_t>& bytes = provisioned[part];
    if (pacResult != AC_OK) return pacResult;
    if (bytes.size() > data.size()) return AC_ERR_ARGUMENT;
    std::copy(bytes.begin(), bytes.end(), data.begin());
    *length = int(bytes.size());
    return AC_OK;
  }
  int CertUrlWin32String(int kind, std::span<const uint8_t> blob, std::string* url) override {
    std::string text = "cert:" + std::to_string(kind) + ":";
    for (uint8_t b : blob) text += "0123456789abcdef"[b >> 4], text += "0123456789abcdef"[b & 15];
    *url = text;
    return AC_OK;
  }
  int CertCreate(acObject* out, const std::string& url) override {
    std::lock_guard hold(answerLock_);
    urls.push_back(url);
    ++liveObjects;
    *out = reinterpret_cast<acObject>(3000 + urls.size());
    return AC_OK;
  }
  int CertGetField(acObject, int, std::string* text) override {
    *text = {};
    return AC_OK;
  }
  int CertDestroy(acObject) override { return Drop("CertDestroy"); }
  int CcxEnable(int, int) override { return Record("CcxEnable", AC_OK); }
  int CcxRadioCfg(int, uint32_t) override { return Record("CcxRadioCfg", AC_OK); }
  int CcxGetRadioCfg(int, uint32_t* config) override {
    *config = 0;
    return Record("CcxGetRadioCfg", AC_OK);
  }
  int CcxRogueApTimeout(int, int) override { return Record("CcxRogueApTimeout", AC_OK); }
  int CredCcxRogueAP(int, uint32_t id, int report) override {
    return Answer("rogue", id, AC_OK, report);
  }

  // The answers to credential requests, "kind id" in order (from any thread), and waiting for
  // the worker's.
  std::vector<std::string> Answers() {
    std::lock_guard hold(answerLock_);
    return answers_;
  }
  bool WaitForAnswers(size_t count) {
    std::unique_lock hold(answerLock_);
    return answered_.wait_for(hold, std::chrono::seconds(5),
                              [&] { return answers_.size() >= count; });
  }
  void Request(uint32_t id, uint32_t type, uint32_t level = 0) {
    acCredRequest r{};
    r.id = id;
    r.type = type;
    r.level = level;
    if (events) events->OnCredentialRequest(r);
  }

  int CredRsnPsk(int, acObject) override { return Record("CredRsnPsk", AC_OK); }
  int PortAuth(int) override { return Record("PortAuth", AC_OK); }
  int PortAssociate(int, const acAssociation& a) override {
    association = a;
    return Record("PortAssociate", associateResult);
  }
  int PortDisassociate(int) override { return Record("PortDisassociate", AC_OK); }
  int PortStop(int) override { return Record("PortStop", AC_OK); }
  int LinkState(int, int* s) override { return Value(s, linkState); }
  int State(int, int* s) override { return Value(s, state); }
  int Status(int, int* s) override { return Value(s, status); }
  int IpIsConnected(int, int* c) override { return Value(c, ipConnected ? 1 : 0); }
  int IpDhcpIsEnabled(int, int* e) override { return Value(e, dhcp ? 1 : 0); }
  int IpGetConfig(int, std::array<uint8_t, 4>* a) override {
    *a = address;
    return AC_OK;
  }
  int IpDhcpRenew(int) override { return Record("IpDhcpRenew", AC_OK); }

 private:
  // "kind id" and the answer's values, as the test reads them.
  template <typename... Values>
  int Answer(const char* kind, uint32_t id, int result, Values... values) {
    std::lock_guard hold(answerLock_);
    std::string line = std::string(kind) + " " + std::to_string(id);
    ((line += " " + Text(values)), ...);
    answers_.push_back(line);
    answered_.notify_all();
    return result;
  }
  static std::string Text(int value) { return std::to_string(value); }
  static std::string Text(const std::string& value) { return value; }
  static std::string List(std::span<const int> values) {
    std::string text = "{";
    for (size_t i = 0; i < values.size(); ++i) text += (i ? "," : "") + std::to_string(values[i]);
    return text + "}";
  }
  bool Matches(int field, const std::string& name, int suffix) const {
    const auto it = certFields.find(field);
    if (it == certFields.end() || name.empty()) return false;
    const std::string& value = it->second;
    if (value == name) return true;
    return suffix && value.size() > name.size() &&
           value.compare(value.size() - name.size(), name.size(), name) == 0 &&
           value[value.size() - name.size() - 1] == '.';
  }
  int MakeText(acObject* out, std::string_view text, const char* call) {
    {
      std::lock_guard hold(answerLock_);
      texts.emplace_back(text);
      ++liveObjects;
      *out = reinterpret_cast<acObject>(1000 + texts.size());
    }
    return Record(call, AC_OK);
  }
  int Drop(const char* call) {
    {
      std::lock_guard hold(answerLock_);
      --liveObjects;
    }
    return Record(call, AC_OK);
  }
  std::mutex answerLock_;
  std::condition_variable answered_;
  std::vector<std::string> answers_;

  int Record(const char* name, int result) {
    std::lock_guard hold(answerLock_);
    calls.push_back(name);
    return result;
  }
  int Value(int* out, int value) {
    *out = value;
    return AC_OK;
  }
  int MakePsk(acObject* out) {
    ++livePsks;
    *out = reinterpret_cast<acObject>(psks.size());
    return Record("CreatePsk", AC_OK);
  }
};

}  // namespace kavo9::dot1x
