#pragma once
// One emulated adapter: the driver's side of the request catalogue. It takes the device control
// IOCTL_NDIS_QUERY_GLOBAL_STATS with a request code as input and the caller's buffer, tells sets
// from queries by the set bit, checks every code by its catalogue length, and answers as the
// driver would, area by area.
//
// How it is built. This core checks a request against the catalogue (code, direction, length),
// fires injected faults, brings every area up to the clock (Advance, in registration order) and
// routes the request to the area registered for its code. An area with no answer for that
// direction returns nullopt; the request is then answered by the last-value store when its code
// is on that store's explicit list (LastValueStore.cpp), and refused with ERROR_NOT_SUPPORTED
// otherwise, so a request nobody models fails loudly.
//
// Adding an area (the soft AP's stations and configuration, the WPS engine, WPA keys and the
// authenticator's port, Block Ack sessions, DLS, register files, the event log ...):
//   1. A class derived from emu::EmulatorArea (EmulatorArea.h) in its own file under
//      sim/emulator/areas/, constructed with the emu::EmulatorContext&. Codes() lists the codes
//      it answers, Load() starts it over from the adapter key, Advance() moves its time-driven
//      state, Query()/Set() answer. State several areas read (the world, the clock, the radio,
//      the operating mode, the association) lives in the context; everything else stays in the
//      area. An area that decides whether a secured network may be joined registers a
//      JoinCheck with the context.
//   2. One registration line, Add<TheArea>(), in RegisterAreas() (AdapterEmulator.cpp), and
//      the file in sim/emulator/CMakeLists.txt.
//   3. Its codes leave the last-value list, if they were on it.
// Each code belongs to one area: a second claim, or a claim of a code the catalogue lacks, is
// ignored and counted (registrationClashes()).
//
// No sockets and no clock of its own: time comes from the injected clock, so tests run it on
// virtual time, and Handle has the shape of FakeDeviceIo's handlers so it runs in-process too.
// Not thread-safe: one caller thread (the daemon's loop, or a test).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "sim/emulator/EmulatorContext.h"
#include "sim/emulator/LastValueStore.h"
#include "sim/emulator/RequestLog.h"
#include "sim/emulator/Scenario.h"
#include "sim/emulator/World.h"
#include "sim/emulator/areas/ApStations.h"
#include "sim/emulator/areas/ScanArea.h"

namespace kavo9 {

namespace emu {
class AccessPointArea;
class WpsArea;
}  // namespace emu

class AdapterEmulator {
 public:
  using Clock = emu::EmulatorContext::Clock;  // milliseconds
  using Handler = std::function<int32_t(uint32_t ioctl, std::span<const uint8_t> in,
                                        std::span<uint8_t> out, uint32_t* bytesReturned)>;
  // The adapter key's values as text (REG_SZ as stored, REG_DWORD in decimal); names compare
  // without regard to case.
  using Parameters = emu::EmulatorContext::Parameters;

  static constexpr uint64_t kScanMs24 = emu::ScanArea::kScanMs24;
  static constexpr uint64_t kScanMs5 = emu::ScanArea::kScanMs5;
  static constexpr int kSensitivityDbm = emu::EmulatorContext::kSensitivityDbm;
  // Bit 0 of the message flags: the driver suspects a wrong WEP key.
  static constexpr uint32_t kMessageKeyError = kMessageFlagKeyError;

  // `world` and `log` (optional) must outlive the emulator.
  AdapterEmulator(AdapterSpec spec, const World& world, Clock clock, RequestLog* log = nullptr);
  ~AdapterEmulator();
  AdapterEmulator(const AdapterEmulator&) = delete;
  AdapterEmulator& operator=(const AdapterEmulator&) = delete;

  // Starts over as a freshly loaded driver that read `parameters` from its key: disconnected,
  // counters at zero, its first scan under way.
  void Load(const Parameters& parameters);

  // One device control. `out` carries a set's value or a query's input and receives a query's
  // answer; `bytesReturned` gets the count written. Returns a Win32 status.
  int32_t Handle(uint32_t ioctl, std::span<const uint8_t> in, std::span<uint8_t> out,
                 uint32_t* bytesReturned);
  Handler AsHandler() {
    return [this](uint32_t ioctl, std::span<const uint8_t> in, std::span<uint8_t> out,
                  uint32_t* count) { return Handle(ioctl, in, out, count); };
  }

  // Fault injection: the next `count` requests of `code` (query or set) fail with
  // ERROR_GEN_FAILURE. A count of 0 disarms.
  void FailNext(uint32_t code, int count);
  // How many injected failures of `code` have fired.
  int FailuresFired(uint32_t code) const;
  int FailuresArmed(uint32_t code) const;

  // The process the next requests come from, as the request log names it ("" when unknown).
  void SetCaller(std::string process) { caller_ = std::move(process); }

  // Whether an area answers `code` (without the set bit), and how many codes two areas claimed.
  bool HasArea(uint32_t code) const;
  int registrationClashes() const { return clashes_; }

  const AdapterSpec& spec() const { return ctx_.spec; }
  bool connected() const { return ctx_.connected; }
  const NetworkSpec* associatedNetwork() const { return ctx_.connected ? &ctx_.network : nullptr; }
  bool radioOn() const { return ctx_.radioOn; }
  // Data passes on the association (a WPA link: once its agreed pairwise key is installed).
  bool portOpen() const { return ctx_.connected && ctx_.portOpen; }
  // The authenticator proved the station's PMK and agreed `key` with it: the port opens when
  // the station installs that key. Ignored while not associated.
  void AgreePairwiseKey(std::vector<uint8_t> key) {
    if (ctx_.connected) ctx_.agreedPairwiseKey = std::move(key);
  }
  // The 802.1X server accepted the station on an open or WEP network: data passes.
  void OpenPort() {
    if (ctx_.connected) ctx_.portOpen = true;
  }
  // The card's radio switch: off drops the link and silences the radio (link state 2) until it
  // is switched on again; a driver reload does not change it.
  void SetHardwareRadio(bool on);
  bool hardwareRadioOn() const { return ctx_.hardwareRadioOn; }
  // The adapter's WPS push button: the driver reports the press once and runs a push-button
  // session as enrollee.
  void PressWpsButton();
  // Lets a registrar run change the world's access points (the owner of the world decides).
  void SetReconfigure(emu::EmulatorContext::Reconfigure reconfigure);
  uint32_t opMode() const { return ctx_.opMode; }
  uint32_t wirelessMode() const { return uint32_t(ctx_.radio.wirelessMode()); }
  uint32_t countryRegionWord() const { return ctx_.radio.regionWord(); }
  bool scanning() const { return scan_->scanning(); }
  uint64_t requestsHandled() const { return handled_; }
  uint32_t messageFlags() const { return ctx_.messageFlags; }
  // What the system daemon turns into the driver's events: how often the link came up (every
  // association, also one that moves to another BSSID) and how often the message flags changed.
  uint64_t linkUps() const { return ctx_.linkUps; }
  uint64_t messageFlagChanges() const { return ctx_.messageFlagChanges; }

  // The access point while the adapter is in access-point mode (brought up to the clock).
  const emu::ApBss& accessPoint();
  const std::vector<emu::ApStation>& apStations();
  // A station joins the access point, checked as the scenario's are; false with the reason.
  bool JoinStation(const StationSpec& station, std::string* reason);
  bool LeaveStation(const MacAddress& mac);
  bool IdleStation(const MacAddress& mac);
  bool StationMicFailure(const MacAddress& mac);

 private:
  void RegisterAreas();
  template <typename Area>
  Area* Add();
  int32_t Dispatch(const RequestInfo& info, bool set, std::span<const uint8_t> value,
                   std::span<uint8_t> out, uint32_t* count);
  bool TakeArmedFault(uint32_t code);
  void Log(uint32_t code, bool set, std::span<const uint8_t> value, uint32_t length,
           int32_t result);

  emu::EmulatorContext ctx_;
  RequestLog* log_;
  std::string caller_;
  std::vector<std::unique_ptr<emu::EmulatorArea>> areas_;
  // By position in the request catalogue: the area answering the code, or null.
  std::vector<emu::EmulatorArea*> routes_;
  int clashes_ = 0;
  emu::ScanArea* scan_ = nullptr;
  emu::AccessPointArea* ap_ = nullptr;
  emu::WpsArea* wps_ = nullptr;
  emu::LastValueStore store_;
  std::vector<uint8_t> setValue_;  // a set's value, copied before an area may reuse `out`

  std::map<uint32_t, int> failArmed_;
  std::map<uint32_t, int> failFired_;
  uint64_t handled_ = 0;
};

}  // namespace kavo9
