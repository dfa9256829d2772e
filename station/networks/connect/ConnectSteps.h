#pragma once
// The connect steps: how a queued connect record reaches the driver. One fixed order of set
// requests — disassociate, reload defaults, infrastructure mode, preamble, thresholds,
// authentication, encryption, transmit power, keys, power mode or ad hoc channel, 802.11n and
// radio settings, then the join by BSSID or SSID — and, after a WEP join, the WEP watch. A failed
// step never stops the sequence (the transport retries sets on its own).

#include <cstdint>

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"
#include "common/platform/Registry.h"
#include "radio/RadioState.h"
#include "station/networks/connect/ConnectRecord.h"
#include "station/networks/connect/ConnectSeams.h"
#include "station/networks/queue/ActionQueueSeams.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9::connect {

// The pause between the configuration update and the BSSID join of a WPS connection.
inline constexpr uint32_t kWpsJoinPauseMs = 100;

struct ConnectStepsParts {
  DriverPort& driver;
  EventLoop& loop;
  const AdapterPort& adapter;
  Registry& registry;
  radio::RadioState& radio;
  SupplicantPort& supplicant;
  ConnectSupplicantPort& supplicantConnect;
  CcxPort& ccx;
  ConnectWpsPort& wps;
  ConnectControllerPort& controller;
};

class ConnectSteps : public ConnectStepsPort {
 public:
  explicit ConnectSteps(ConnectStepsParts parts) : p_(parts) {}
  ~ConnectSteps() override;
  ConnectSteps(const ConnectSteps&) = delete;
  ConnectSteps& operator=(const ConnectSteps&) = delete;

  void RunConnectRecord(ActionPayload& record) override;
  void RunConnectSsid(const SsidPayload& ssid) override;
  void RunConnectBssid(const BssidPayload& bssid) override;

  // A WPS join waiting for its pause.
  bool JoinPending() const { return pauseTimer_ != 0; }

 private:
  void Prepare(const ConnectRecord& r);
  void SendSecurity(const ConnectRecord& r);
  bool HandOverToSupplicant(const ConnectRecord& r);
  void SendKeys(const ConnectRecord& r);
  void SendPowerOrChannel(const ConnectRecord& r);
  void SendRadioSettings(const ConnectRecord& r);
  void SendStaConfig(std::array<uint8_t, 32> config);
  void Join(const ConnectRecord& r);
  void UpdateConfiguration(uint32_t frequencyKhz);
  void AfterJoin(bool wepWatch, bool bssidBound);
  void Set32(uint32_t oid, uint32_t value);
  long AdapterNumber(const char* name, long fallback) const;

  ConnectStepsParts p_;
  EventLoop::Handle pauseTimer_ = 0;
};

}  // namespace kavo9::connect
