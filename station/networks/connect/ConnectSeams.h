#pragma once
// What connecting reaches outside itself beside the driver: the controller's services, the action
// queue, and the parts of the supplicant and of Wi-Fi Protected Setup a connect touches. The wiring
// gives each; parts not built yet are named null classes of the wiring.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "station/networks/queue/ActionQueueSeams.h"
#include "station/shell/LangKeys.h"
#include "station/shell/controller/DriverEvents.h"

namespace kavo9::connect {

struct ConnectRecord;

// The controller's side of a connect.
class ConnectControllerPort {
 public:
  virtual ~ConnectControllerPort() = default;
  // The WEP watch (the key-error monitor's timer): armed after a WEP join, stopped before the
  // next connect.
  virtual void ArmKeyErrorWatch() = 0;
  virtual void StopKeyErrorWatch() = 0;
  virtual bool KeyErrorWatchArmed() const = 0;
  // Starts the supplicant's authentication (with its status view when the record says so).
  virtual void StartAuthentication(bool withStatusView, bool showStatus) = 0;
  // The summary of the last connect record the driver-event thread filters with.
  virtual void PublishLastConnectRecord(std::optional<ConnectRecordSummary> record,
                                        bool supplicantAvailable) = 0;
  // The country regions were set: read them back from the driver.
  virtual void RereadRegions() = 0;
  virtual void ShowMessage(LangKey key) = 0;
};

// The action queue as producers of connect records use it.
class ConnectQueuePort {
 public:
  virtual ~ConnectQueuePort() = default;
  // Queues one action; true when the caller must run the queue now.
  virtual bool QueueAction(uint32_t kind, std::unique_ptr<ActionPayload> data) = 0;
  virtual void RunActionQueue() = 0;
};

// The supplicant's part of a connect (802.1X, LEAP and pre-shared keys).
class ConnectSupplicantPort {
 public:
  virtual ~ConnectSupplicantPort() = default;
  // Stops the port before a new connect and clears its pre-shared-key mark.
  virtual void StopPortForConnect() = 0;
  // Hands over the record's identities, passwords, certificates and LEAP credentials; may ask the
  // user for what is not stored. False when the user cancelled: the record is dropped.
  virtual bool TakeCredentials(const ConnectRecord& record) = 0;
  // Starts the 802.1X exchange for the record.
  virtual void Start8021X(const ConnectRecord& record) = 0;
  // Hands over the pre-shared pass phrase (WPA-PSK, WPA2-PSK).
  virtual void TakePassPhrase(const ConnectRecord& record) = 0;
};

// Wi-Fi Protected Setup as a connect sees it.
class ConnectWpsPort {
 public:
  virtual ~ConnectWpsPort() = default;
  // A WPS credential is the active connection.
  virtual bool InUse() const = 0;
  virtual void ClearUse() = 0;
  // A registration exchange is running.
  virtual bool ExchangeRunning() const = 0;
  // A connect with disassociation first: the credentials' rotation starts over.
  virtual void MarkRotation() = 0;
  virtual std::array<uint8_t, 6> Bssid() const = 0;
  // The band preference sent as OID_VND_WPS_BAND.
  virtual uint32_t BandPreference() const = 0;
};

// Single sign-on's say in a profile connection: what the logon component reported decides the
// first one after a logon, and an installed component changes how the others wait.
class SignOnConnectPort {
 public:
  enum class Step { kNothing, kQueueAndRun, kRememberOnly };
  virtual ~SignOnConnectPort() = default;
  // Before the profile's record is built. Returns how long the logon component is given before
  // the connection goes on (0: at once).
  virtual uint32_t ReadLogonState() = 0;
  // Runs `then` once after `ms` on the user-interface thread; a later call replaces a waiting one.
  virtual void After(uint32_t ms, std::function<void()> then) = 0;
  // The step for the profile's record; nullopt when single sign-on has no say.
  virtual std::optional<Step> ConnectOrWait(bool supplicantAvailable, bool autoReconnect) = 0;
};

}  // namespace kavo9::connect
