#pragma once
// One emulated adapter: the driver's side of the request catalogue. It takes the device control
// IOCTL_NDIS_QUERY_GLOBAL_STATS with a request code as input and the caller's buffer, tells sets
// from queries by the set bit, checks every code by its catalogue length, and answers as the
// driver would: identity and versions, operating mode and radio, connection state, counters that
// move while connected, registers, country region, wireless mode, station options, and the scan
// cycle over the networks of the World in range of its bands, region and mode.
//
// No sockets and no clock of its own: time comes from the injected clock, so tests run it on
// virtual time, and Handle has the shape of FakeDeviceIo's handlers so it runs in-process too.
// Not thread-safe: one caller thread (the daemon's loop, or a test).

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "radio/DriverRadio.h"
#include "sim/emulator/RequestLog.h"
#include "sim/emulator/Scenario.h"
#include "sim/emulator/World.h"

namespace kavo9 {

class AdapterEmulator {
 public:
  using Clock = std::function<uint64_t()>;  // milliseconds
  using Handler = std::function<int32_t(uint32_t ioctl, std::span<const uint8_t> in,
                                        std::span<uint8_t> out, uint32_t* bytesReturned)>;
  // The adapter key's values as text (REG_SZ as stored, REG_DWORD in decimal); names compare
  // without regard to case.
  using Parameters = std::map<std::string, std::string>;

  // A scan of the 2.4 GHz band takes this long; one that includes 5 GHz channels the longer time.
  static constexpr uint64_t kScanMs24 = 1500;
  static constexpr uint64_t kScanMs5 = 3500;
  // Networks weaker than this are out of range.
  static constexpr int kSensitivityDbm = -92;
  static constexpr int kNoiseDbm = -92;

  // `world` and `log` (optional) must outlive the emulator.
  AdapterEmulator(AdapterSpec spec, const World& world, Clock clock, RequestLog* log = nullptr);

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

  const AdapterSpec& spec() const { return spec_; }
  bool connected() const { return connected_; }
  const NetworkSpec* associatedNetwork() const { return connected_ ? &network_ : nullptr; }
  bool radioOn() const { return radioOn_; }
  uint32_t opMode() const { return opMode_; }
  uint32_t wirelessMode() const { return uint32_t(radio_.wirelessMode()); }
  uint32_t countryRegionWord() const { return radio_.regionWord(); }
  bool scanning() const { return scanning_; }
  uint64_t requestsHandled() const { return handled_; }

  // Bit 0 of the message flags: the driver suspects a wrong WEP key (associated with open
  // authentication, yet nothing it receives decrypts).
  static constexpr uint32_t kMessageKeyError = 1;
  uint32_t messageFlags() const { return messageFlags_; }
  // What the system daemon turns into the driver's events: how often the link came up (every
  // association, also one that moves to another BSSID) and how often the message flags changed.
  uint64_t linkUps() const { return linkUps_; }
  uint64_t messageFlagChanges() const { return messageFlagChanges_; }

 private:
  struct ScanResult {
    NetworkSpec network;
    int32_t rssi;
  };

  int32_t Query(uint32_t code, std::span<uint8_t> out, uint32_t* bytes);
  int32_t Set(uint32_t code, std::span<const uint8_t> value);
  void Advance();
  void CompleteScan(uint64_t now);
  std::vector<int> ScanChannels() const;
  bool InRange(const NetworkSpec& network, const std::vector<int>& channels) const;
  bool Join(const std::function<bool(const NetworkSpec&)>& match);
  void Disconnect();
  void SetMessageFlags(uint32_t flags);
  int32_t SetKey(std::span<const uint8_t> value);
  bool WepKeyMatches(const NetworkSpec& network) const;
  uint32_t Value32(uint32_t code, uint32_t missing) const;  // a 32-bit value last set
  int32_t CurrentRssi() const;
  std::vector<uint8_t> Statistics() const;
  uint32_t ReadRegister(uint32_t type, uint32_t offset) const;
  std::optional<uint32_t> Parameter(const char* name) const;
  void Log(uint32_t code, bool set, std::span<const uint8_t> value, uint32_t length,
           int32_t result);

  AdapterSpec spec_;
  const World& world_;
  Clock clock_;
  RequestLog* log_;
  Parameters parameters_;

  uint32_t opMode_ = 0;
  bool radioOn_ = true;
  // Wireless mode, country region, HT settings and rates, kept and answered as the driver does.
  radio::DriverRadio radio_;
  uint32_t infrastructureMode_ = 1;
  std::array<uint32_t, 8> staConfig_{};
  std::array<std::map<uint32_t, uint32_t>, 4> registers_;
  std::map<uint32_t, std::vector<uint8_t>> values_;  // other codes: the last value set
  uint32_t messageFlags_ = 0;
  uint64_t messageFlagChanges_ = 0;
  std::array<std::vector<uint8_t>, 4> wepKeys_;  // by key index; empty when not set
  uint32_t transmitKey_ = 0;

  bool connected_ = false;
  NetworkSpec network_;
  std::string desiredSsid_;
  uint64_t lastAdvanceMs_ = 0;
  uint64_t countedMs_ = 0;   // connected time since the counters were last cleared
  uint64_t receivedMs_ = 0;  // the part of it in which received frames decrypted
  uint64_t linkUps_ = 0;

  bool scanning_ = false;
  uint64_t scanDoneMs_ = 0;
  uint32_t scanCount_ = 0;
  std::vector<ScanResult> scanResults_;
  std::vector<uint8_t> scanList_;  // the encoded list of scanResults_

  std::map<uint32_t, int> failArmed_;
  std::map<uint32_t, int> failFired_;
  uint64_t handled_ = 0;
};

}  // namespace kavo9
