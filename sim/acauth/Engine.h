#pragma once
// The inside of the stand-in supplicant library: its ports (the machine's adapters, as the
// system daemon lists them), the objects the program creates, and the library's own thread that
// watches each started port's link and runs its pre-shared-key exchange; an 802.1X conversation
// runs on a session thread of its own (EngineSession.cpp), since the program may put off its
// answers. Events and credential requests reach the program on those threads, never while the
// engine's lock is held, so a callback may call back into the library.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "common/platform/AcAuthApi.h"
#include "common/platform/simulated/SimulatedDeviceIo.h"
#include "sim/acauth/CredentialDesk.h"
#include "sim/acauth/DaemonLink.h"
#include "sim/acauth/PskExchange.h"

// What an acObject points at.
struct acObject_ {
  enum class Kind { kIdentity, kPassword, kPsk, kCertificate, kPac } kind;
  std::string text;                      // identity or password text; the pass phrase of a PSK;
                                         // a certificate's reference
  std::string ssid;                      // a pass-phrase PSK's salt
  std::optional<kavo9::wpa::Pmk> pmk;    // a binary PSK, or a pass phrase's once derived
  std::string certPem, keyPem;           // a certificate, and its key when the store has it
  std::map<int, kavo9::eap::Bytes> pac;  // a PAC's parts (AC_PAC_...)
};

namespace kavo9::acauth {

class Engine {
 public:
  // How long the access point gets to answer one exchange, and how many it gets before the
  // port reports its time-out.
  static constexpr int kExchangeRetryMs = 1000;
  static constexpr int kExchangeAttempts = 3;
  // How often the link is looked at while waiting for it, and once authenticated.
  static constexpr int kLinkPollMs = 20;
  static constexpr int kIdlePollMs = 1000;

  // How long a deferred credential request may wait for its answer.
  static constexpr std::chrono::milliseconds kAnswerWait{120000};

  explicit Engine(std::filesystem::path machineDir);
  ~Engine();

  const std::filesystem::path& MachineDir() const { return machineDir_; }
  CredentialDesk& Desk() { return desk_; }

  int NextPortName(const char* previous, char* name);
  int PortAttr(const char* name, acPortAttr* attr);
  int Attach(int* handle, const char* name, void* context, acPortEventFn events,
             acCredRequestFn requests);
  int Detach(int handle);

  int SetPsk(int handle, const acObject_* psk);
  int Authorize(int handle);
  int Associate(int handle, const acAssociation& association);
  int Stop(int handle);

  // CCX settings the program gives a port; kept, and read back.
  int SetCcx(int handle, bool on);
  int SetRadioConfig(int handle, uint32_t config);
  int RadioConfig(int handle, uint32_t* config);
  int SetRogueApTimeout(int handle, int seconds);

  int LinkState(int handle, int* state);
  int State(int handle, int* state);
  int Status(int handle, int* status);
  int IpConnected(int handle, int* connected);
  int IpAddress(int handle, uint8_t address[4]);

 private:
  enum class Phase { kIdle, kWaitLink, kExchange, kEap, kAuthenticated, kFailed };
  // One 802.1X conversation's thread and how to stop it.
  struct SessionControl {
    std::atomic<bool> stopped{false};
    std::atomic<bool> finished{false};
    std::mutex mutex;
    std::condition_variable wake;
  };
  struct Session {
    std::shared_ptr<SessionControl> control;
    std::thread thread;
  };
  class PortSession;
  struct Port {
    int handle = 0;
    std::string name, device;
    wpa::Address mac{};
    void* context = nullptr;
    acPortEventFn events = nullptr;
    acCredRequestFn requests = nullptr;
    std::optional<acObject_> psk;
    acAssociation association{};
    Phase phase = Phase::kIdle;
    int state = AC_STATE_IDLE, status = AC_STATUS_NONE, link = AC_LINK_DOWN;
    int attempts = 0;
    uint64_t generation = 0;  // counts associations and stops: a late exchange result is dropped
    std::string bssid;
    uint8_t ip[4] = {};
    std::chrono::steady_clock::time_point due{};
    std::deque<int> pending;                  // event kinds still to deliver
    std::shared_ptr<SessionControl> session;  // the 802.1X conversation under way
    bool ccx = false;
    uint32_t radioConfig = 0;
    int rogueApTimeout = 0;
  };
  struct PortInfo {
    std::string name, device;
    wpa::Address mac{};
    uint32_t media = 0;
  };

  std::vector<PortInfo> ListPorts() const;
  Port* Find(int handle);
  void Run();
  void Step(int handle);
  void StepLink(int handle, const nlohmann::json& link);
  void StepExchange(int handle);
  void Deliver(int handle);
  void Wake();
  // 802.1X (EngineSession.cpp): start a conversation on the port's session thread, stop it.
  void StartSession(Port& port);
  void StopSession(Port& port);
  void RunSession(int handle, uint64_t generation, std::shared_ptr<SessionControl> control,
                  PskLink link);
  void ReapSessions();

  std::filesystem::path machineDir_;
  CredentialDesk desk_;
  DaemonLink daemon_;
  SimulatedDeviceIo io_;
  std::mutex mutex_;
  // Held while a callback runs: Detach waits for it, so no callback outlives its port.
  std::recursive_mutex callbacks_;
  std::condition_variable wake_;
  std::map<int, Port> ports_;
  int nextHandle_ = 1;
  bool stopping_ = false;
  std::vector<Session> sessions_;
  std::thread thread_;
};

}  // namespace kavo9::acauth
