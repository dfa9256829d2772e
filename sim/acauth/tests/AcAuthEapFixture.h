#pragma once
// The library against the real daemon on the demo machine, with a stand-in for the program's
// side of the credential requests: it answers each request from its settings, the way the
// station utility answers them, and records the requests in the order they came.

#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/AcAuthApi.h"
#include "common/platform/certs/FileCertStore.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "sim/acauth/tests/AcAuthTestSupport.h"
#include "sim/daemon/tests/DaemonTestSupport.h"

extern "C" void Kavo9_BindMachine(const char* machineDir);

namespace kavo9::test {

// How the stand-in program answers.
struct Answers {
  std::string identity = "alice";
  std::string tunnelIdentity = "alice";
  std::vector<std::string> passwords{"Wonderland-1"};  // one per password request; the last repeats
  int outer = AC_EAP_PEAP;
  int inner = AC_EAP_MSCHAPV2;
  int fastSecondInner = AC_EAP_GTC;
  int ttlsInner = AC_TTLS_MSCHAPV2;
  bool checkCa = true;  // the server check names the machine's trusted CA
  std::string dnsName;  // checked against dNSName, domainName, domainNameReversed
  std::string cnName;   // checked against the common name
  bool suffix = false;
  bool userCert = true;
  std::vector<int> provisionModes{2};
  bool defer = false;  // answer every request later, from another thread
  int silentType = 0;  // requests of this type are completed without an answer
  bool disassociateOnRogue = false;
};

struct Program {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<std::pair<int, int>> events;    // kind, state or status
  std::vector<std::pair<int, int>> requests;  // type, level
  std::string notification;
  std::vector<int>
      rogueResults;  // of the rogue access point's answer: disassociate, report, complete
  std::map<int, std::vector<uint8_t>> pac;  // the PAC the program saved
  Answers answers;
  size_t passwordsUsed = 0;
  int handle = 0;
  std::filesystem::path machine;
  std::vector<std::thread> workers;

  ~Program() {
    for (auto& t : workers) t.join();
  }

  static void OnEvent(void* context, int kind) {
    auto* self = static_cast<Program*>(context);
    int value = 0;
    if (kind == AC_PORT_EVENT_STATE) acPortGetState(self->handle, &value);
    if (kind == AC_PORT_EVENT_STATUS) acPortGetStatus(self->handle, &value);
    if (kind == AC_PORT_EVENT_LINK) acPortGetLinkState(self->handle, &value);
    std::lock_guard hold(self->mutex);
    self->events.emplace_back(kind, value);
    self->changed.notify_all();
  }

  static void OnRequest(void* context, const acCredRequest* request) {
    auto* self = static_cast<Program*>(context);
    const acCredRequest r = *request;
    bool defer = false;
    {
      std::lock_guard hold(self->mutex);
      self->requests.emplace_back(int(r.type), int(r.level));
      defer = self->answers.defer;
    }
    if (!defer) return self->Answer(r);
    ASSERT_EQ(acCredDeferred(self->handle, r.id), AC_OK);
    std::lock_guard hold(self->mutex);
    self->workers.emplace_back([self, r] { self->Answer(r); });
  }

  std::string NextPassword() {
    std::lock_guard hold(mutex);
    const auto& list = answers.passwords;
    const std::string p = list.empty() ? "" : list[std::min(passwordsUsed, list.size() - 1)];
    ++passwordsUsed;
    return p;
  }

  std::vector<uint8_t> HashOf(std::string_view store) {
    const auto certs = FileCertStore(machine).Certificates(store);
    return certs.empty() ? std::vector<uint8_t>{} : certs.front().sha1;
  }

  acObject Cert(int kind, std::string_view store) {
    const auto hash = HashOf(store);
    char url[128] = {};
    acObject cert = nullptr;
    if (acCertUrlWin32String(kind, hash.data(), int(hash.size()), url, sizeof url) != AC_OK ||
        acCertCreate(&cert, url) != AC_OK) {
      return nullptr;
    }
    return cert;
  }

  bool ServerTrusted(uint32_t id) {
    int ok = 1, pass = 0;
    if (answers.checkCa) {
      acObject ca = Cert(AC_CERT_KIND_CA, kRootStore);
      ok = ca && acCredServerVerifyCA(handle, id, ca, &pass) == AC_OK && pass;
      if (ca) acCertDestroy(ca);
    }
    if (ok && !answers.dnsName.empty()) {
      bool any = false;
      for (int field : {AC_FIELD_DNS_NAME, AC_FIELD_DOMAIN_NAME, AC_FIELD_DOMAIN_NAME_REVERSED}) {
        pass = 0;
        acCredServerVerifyDomain(handle, id, field, answers.dnsName.c_str(), answers.suffix, &pass);
        any = any || pass;
      }
      ok = any;
    }
    if (ok && !answers.cnName.empty()) {
      pass = 0;
      acCredServerVerifyField(handle, id, AC_FIELD_COMMON_NAME, answers.cnName.c_str(),
                              answers.suffix, &pass);
      ok = pass;
    }
    return ok;
  }

  void Answer(const acCredRequest& r) {
    const uint32_t id = r.id;
    switch (r.type == uint32_t(answers.silentType) ? 0 : r.type) {
      case AC_CRED_SESSION_START:
        acCredSessionStart(handle, id, 1);
        break;
      case AC_CRED_IDENTITY: {
        const std::string text = r.level ? answers.tunnelIdentity : answers.identity;
        acObject identity = nullptr;
        acIdentityCreate(&identity, text.data(), int(text.size()));
        acCredIdentity(handle, id, identity);
        acIdentityDestroy(identity);
        break;
      }
      case AC_CRED_EAP_METHODS: {
        int current = 0, mode = 0;
        acCredGetEapMethod(handle, id, int(r.level), &current);
        acCredGetEapFASTMode(handle, id, &mode);
        int offer = r.level == 0 ? answers.outer : answers.inner;
        if (r.level && answers.outer == AC_EAP_FAST && mode == 1) offer = answers.fastSecondInner;
        acCredEapMethods(handle, id, offer, 1);
        break;
      }
      case AC_CRED_PASSWORD:
      case AC_CRED_PASSWORD_CHANGE:
      case AC_CRED_PASSWORD_RETRY: {
        char prompt[513] = {};
        acCredGetPasswordPrompt(handle, id, prompt, sizeof prompt);
        const std::string text = NextPassword();
        acObject password = nullptr;
        acPasswordCreate(&password, text.data(), int(text.size()));
        acCredPassword(handle, id, password);
        acPasswordDestroy(password);
        break;
      }
      case AC_CRED_SERVER_CHECK:
        acCredServerVerified(handle, id, ServerTrusted(id) ? 1 : 0);
        break;
      case AC_CRED_USER_CERT: {
        acObject cert = answers.userCert ? Cert(AC_CERT_KIND_USER, kPersonalStore) : nullptr;
        acCredUserCert(handle, id, cert);
        if (cert) acCertDestroy(cert);
        break;
      }
      case AC_CRED_NOTIFICATION: {
        char text[257] = {};
        acCredGetEapNotification(handle, id, text, sizeof text);
        std::lock_guard hold(mutex);
        notification = text;
        break;
      }
      case AC_CRED_FAST_PAC: {
        std::map<int, std::vector<uint8_t>> stored;
        {
          std::lock_guard hold(mutex);
          stored = pac;
        }
        if (stored.empty()) {
          acCredEapFASTPac(handle, id, nullptr);
          break;
        }
        acObject object = nullptr;
        acEapFASTPacCreate(&object);
        for (int part : {AC_PAC_KEY, AC_PAC_OPAQUE}) {
          acEapFASTPacSet(object, part, stored[part].data(), int(stored[part].size()));
        }
        acCredEapFASTPac(handle, id, object);
        acEapFASTPacDestroy(object);
        break;
      }
      case AC_CRED_FAST_PAC_TYPES: {
        uint8_t aid[128];
        int length = 0;
        acCredGetEapFASTAID(handle, id, aid, sizeof aid, &length);
        const int types[] = {1};
        acCredEapFASTPacTypes(handle, id, types, 1);
        break;
      }
      case AC_CRED_FAST_PAC_SAVE: {
        std::map<int, std::vector<uint8_t>> saved;
        for (int part : {AC_PAC_AID, AC_PAC_IID, AC_PAC_KEY, AC_PAC_OPAQUE}) {
          std::vector<uint8_t> data(1024);
          int length = 0;
          if (acCredGetEapFASTPac(handle, id, part, data.data(), int(data.size()), &length) ==
              AC_OK) {
            data.resize(size_t(length));
            saved[part] = data;
          }
        }
        std::lock_guard hold(mutex);
        pac = saved;
        break;
      }
      case AC_CRED_TTLS_INNER:
        acCredEapTTLSTunnelMethod(handle, id, answers.ttlsInner);
        break;
      case AC_CRED_ROGUE_AP: {
        // As the station utility answers it: off the access point first, then the report.
        const int off = answers.disassociateOnRogue ? acPortDisassociate(handle) : AC_OK;
        const int report = acCredCcxRogueAP(handle, id, 1);
        const int complete = acCredComplete(handle, id);
        std::lock_guard hold(mutex);
        rogueResults = {off, report, complete};
        changed.notify_all();
        return;
      }
      case AC_CRED_FAST_PROVISION_MODES:
        acCredEapFASTProvisionModes(handle, id, answers.provisionModes.data(),
                                    int(answers.provisionModes.size()));
        break;
      default:
        break;
    }
    acCredComplete(handle, id);
  }

  // Waits for an event of `kind` with `value`; false after `limit`.
  bool WaitFor(int kind, int value, std::chrono::seconds limit = std::chrono::seconds(15)) {
    std::unique_lock hold(mutex);
    return changed.wait_for(hold, limit, [&] {
      for (const auto& e : events) {
        if (e.first == kind && e.second == value) return true;
      }
      return false;
    });
  }

  // The end of an authentication: authenticated (state 5) or a failure status.
  int WaitForEnd(std::chrono::seconds limit = std::chrono::seconds(15)) {
    std::unique_lock hold(mutex);
    int end = 0;
    changed.wait_for(hold, limit, [&] {
      for (const auto& e : events) {
        if (e.first == AC_PORT_EVENT_STATE && e.second == AC_STATE_AUTHENTICATED) end = 5;
        if (e.first == AC_PORT_EVENT_STATUS &&
            (e.second == AC_STATUS_REJECTED || e.second == AC_STATUS_REJECTED_HARD ||
             e.second == AC_STATUS_TIMEOUT)) {
          end = e.second;
        }
      }
      return end != 0;
    });
    return end;
  }

  std::vector<int> Types() {
    std::lock_guard hold(mutex);
    std::vector<int> out;
    for (const auto& r : requests) out.push_back(r.first);
    return out;
  }

  void Reset() {
    for (auto& t : workers) t.join();
    workers.clear();
    std::lock_guard hold(mutex);
    events.clear();
    requests.clear();
    passwordsUsed = 0;
  }
};

class AcAuthEapTest : public DaemonTest {
 protected:
  const char* ScenarioName() const override { return "demo.json"; }

  void SetUp() override {
    DaemonTest::SetUp();
    Kavo9_BindMachine(machine.c_str());
    ASSERT_EQ(acInit(nullptr), AC_OK);
    char name[AC_PORT_NAME_BYTES] = {};
    ASSERT_EQ(acGetNextPortSymName(nullptr, name), AC_OK);
    program.machine = machine;
    ASSERT_EQ(acPortAttach(&program.handle, name, &program, &Program::OnEvent, &Program::OnRequest),
              AC_OK);
  }

  void TearDown() override {
    acPortDetach(program.handle);
    acExit();
    DaemonTest::TearDown();
  }

  void Set(uint32_t code, std::vector<uint8_t> value) {
    SimulatedDeviceIo device(machine);
    DeviceIo& io = device;
    const DeviceIo::Handle h = io.Open(DevicePath(0));
    ASSERT_NE(h, DeviceIo::kInvalidHandle);
    uint32_t oid = code | kSetBit, count = 0;
    EXPECT_TRUE(io.Control(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, value.data(),
                           uint32_t(value.size()), &count));
    io.Close(h);
  }

  void Set32(uint32_t code, uint32_t value) {
    std::vector<uint8_t> bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    Set(code, bytes);
  }

  // Joins `ssid` as the station utility does for an 802.1X profile: the driver's authentication
  // and encryption, the library's association, then the SSID.
  void Connect(const std::string& ssid, uint32_t authMode, uint32_t encryption, uint32_t keyMgmt,
               uint32_t cipher) {
    program.Reset();
    acPortStop(program.handle);
    // Off the last network first, so the library cannot take the old link for the new one.
    Set(OID_802_11_DISASSOCIATE, {});
    Set32(OID_802_11_AUTHENTICATION_MODE, authMode);
    Set32(OID_802_11_ENCRYPTION_STATUS, encryption);
    const acAssociation a = acauthtest::Association(ssid, keyMgmt, cipher);
    ASSERT_EQ(acPortAuth(program.handle), AC_OK);
    ASSERT_EQ(acPortAssociate(program.handle, &a), AC_OK);
    Set(OID_802_11_SSID, acauthtest::SsidRecord(ssid));
  }

  void ConnectWpa2(const std::string& ssid) {
    Connect(ssid, Ndis802_11AuthModeWPA2, Ndis802_11Encryption3Enabled, AC_KM_WPA2, AC_CIPHER_AES);
  }

  // Adds a network to the world, as `kavo9-sim world add` does.
  void AddNetwork(const nlohmann::json& network) {
    nlohmann::json reply;
    ASSERT_TRUE(SendDaemonCommand(machine, {{"cmd", "world"}, {"op", "add"}, {"network", network}},
                                  &reply, &error))
        << error << reply.dump();
  }

  bool PortOpen() {
    nlohmann::json reply;
    SendDaemonCommand(
        machine, {{"cmd", "auth"}, {"op", "link"}, {"adapter", scenario.adapters[0].instanceId}},
        &reply, &error);
    return reply.value("portOpen", false);
  }

  Program program;
};

}  // namespace kavo9::test
