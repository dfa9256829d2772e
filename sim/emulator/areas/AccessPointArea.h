#pragma once
// The access point: once the adapter is in access-point mode (OpMode "1" at load, or the
// operating-mode request), the driver runs a BSS from the adapter key and then from the
// configuration requests the soft-AP utility sends. The BSS's own records (access-point options,
// access control, wireless distribution, RADIUS, rekey) are this area's codes, stored and
// answered; the station table is answered from the stations that joined.
//
// In access-point mode the requests that mean "connect" to a station's driver (SSID,
// authentication, encryption, keys) configure the BSS instead, and the signal is the strongest
// joined station's: the core gives this area first say over them (Intercept) while the mode
// lasts, and routes them as usual otherwise.
//
// Stations: the scenario's (World::stations) join by themselves when the BSS's name, security
// and access control let them, and leave when a change stops them; the control tool's
// (`kavo9-sim ap join|leave`) join once, checked the same way. Stations fall silent and age out
// (`ap idle`) and report message-integrity failures (`ap mic-failure`); every association,
// departure, ageing, failure, wrong pass phrase and restart is an event the driver hands out
// once (OID_VND_EVENT_LOG).

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"
#include "sim/emulator/areas/ApStations.h"

namespace kavo9::emu {

class AccessPointArea : public EmulatorArea {
 public:
  explicit AccessPointArea(EmulatorContext& context) : ctx_(context) {}

  std::span<const uint32_t> Codes() const override;
  void Load() override;
  void Advance(uint64_t nowMs) override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

  // In access-point mode: the answer to one of the station-side requests, or nullopt to route
  // it as usual (after noting what it says about the BSS).
  std::optional<int32_t> Intercept(bool set, uint32_t code, std::span<const uint8_t> value,
                                   std::span<uint8_t> out, uint32_t* written);

  // A station of the control tool asks to join; false with the reason when it may not.
  bool Join(const StationSpec& station, std::string* reason);
  // The station with this address leaves; false when none had joined.
  bool Leave(const MacAddress& mac);
  // The station falls silent and is aged out after the access point's idle time; false when
  // none had joined.
  bool Idle(const MacAddress& mac);
  // The station reports a failed message integrity check; false when none had joined.
  bool MicFailure(const MacAddress& mac);
  // The events not handed out yet.
  size_t PendingEvents() const { return events_.size(); }

  const ApBss& bss() const { return bss_; }
  const std::vector<ApStation>& stations() const { return stations_; }

 private:
  void Start();
  void Stop();
  void Changed() { ++generation_; }
  void Admit();
  std::optional<Pmk> PmkOf(const StationSpec& station);
  std::optional<int32_t> SetKey(bool add, std::span<const uint8_t> value);
  int32_t AnswerMacTable(std::span<uint8_t> out, uint32_t* written) const;
  void AgeOut(uint64_t nowMs);
  bool WrongPassPhrase(const StationSpec& station);
  void Counted() { ctx_.apStations = stations_.size(); }

  EmulatorContext& ctx_;
  ApBss bss_;
  bool started_ = false;
  std::vector<ApStation> stations_;
  ApEventQueue events_;
  std::map<std::string, std::optional<Pmk>> pmks_;  // by SSID and key
  std::map<uint32_t, std::vector<uint8_t>> records_;
  uint64_t generation_ = 1;
  uint64_t admitted_ = 0;  // the generation the stations were last checked against
  uint8_t nextAid_ = 1;
  bool radioOn_ = true;  // as last seen: switching the radio off makes every station leave
};

}  // namespace kavo9::emu
