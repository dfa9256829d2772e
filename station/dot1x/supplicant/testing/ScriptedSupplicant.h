#pragma once
// The supplicant library played by a test: one port (or none), every call recorded by name,
// results and states the test sets, and events the test fires as the library's thread would.

#include <chrono>
#include <condition_variable>
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

  // What the binding did.
  std::vector<std::string> calls;
  SupplicantEvents* events = nullptr;
  acAssociation association{};
  std::vector<Psk> psks;           // by object, never freed while the test runs
  std::vector<std::string> texts;  // identities and passwords made, in order
  int answerResult = AC_OK;
  int livePsks = 0;

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
    texts.emplace_back(text);
    *out = reinterpret_cast<acObject>(1000 + texts.size());
    return Record("CreateIdentity", AC_OK);
  }
  int DestroyIdentity(acObject) override { return Record("DestroyIdentity", AC_OK); }
  int CreatePassword(acObject* out, std::string_view text) override {
    texts.emplace_back(text);
    *out = reinterpret_cast<acObject>(1000 + texts.size());
    return Record("CreatePassword", AC_OK);
  }
  int DestroyPassword(acObject) override { return Record("DestroyPassword", AC_OK); }
  int CredComplete(int, uint32_t id) override { return Answer("complete", id, AC_OK); }
  int CredDeferred(int, uint32_t id) override { return Answer("deferred", id, AC_OK); }
  int CredIdentity(int, uint32_t id, acObject) override {
    return Answer("identity", id, answerResult);
  }
  int CredPassword(int, uint32_t id, acObject) override {
    return Answer("password", id, answerResult);
  }
  int CredSessionStart(int, uint32_t id, int) override { return Answer("session", id, AC_OK); }

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
  int Answer(const char* kind, uint32_t id, int result) {
    std::lock_guard hold(answerLock_);
    answers_.push_back(std::string(kind) + " " + std::to_string(id));
    answered_.notify_all();
    return result;
  }
  std::mutex answerLock_;
  std::condition_variable answered_;
  std::vector<std::string> answers_;

  int Record(const char* name, int result) {
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
