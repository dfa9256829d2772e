#pragma once
// The state every area of the emulated driver shares: the adapter and the world it hears, the
// clock, the adapter key as read at load, the radio settings, the operating mode and the radio
// switch, and the association with its message flags. Areas keep everything else themselves.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/adapter/DriverValues.h"
#include "sim/emulator/Scenario.h"
#include "sim/emulator/World.h"
#include "sim/emulator/radio/DriverRadio.h"

namespace kavo9::emu {

// The chip of an adapter as its driver knows it: the chip code that picks its channel tables,
// and whether it is an 802.11n chip.
struct ChipProfile {
  int chipKind = 7;
  bool ht = false;
};
ChipProfile ChipOf(const AdapterSpec& spec);

// What a security area says about joining a network that needs keys: refused, or admitted
// (perhaps with keys that do not decrypt what the network sends).
struct JoinVerdict {
  bool admitted = false;
  bool keyError = false;
  // Admitted to a WPA or WPA2 network: associated, but no data passes until its keys are installed.
  bool portClosed = false;
  // Refused: the link state the driver reports for the failure.
  uint32_t refusal = kLinkAssociationFailed;
};

class EmulatorContext {
 public:
  using Clock = std::function<uint64_t()>;  // milliseconds
  using Parameters = std::map<std::string, std::string>;
  // Nullopt when the check does not know the network's security.
  using JoinCheck = std::function<std::optional<JoinVerdict>(const NetworkSpec&)>;
  // Changes an access point of the world as a registrar configured it; false when refused.
  using Reconfigure = std::function<bool(const MacAddress& bssid, const NetworkSpec& settings)>;

  // Networks weaker than this are out of range.
  static constexpr int kSensitivityDbm = -92;

  EmulatorContext(AdapterSpec adapter, const World& heard, Clock now);

  // Starts over as a freshly loaded driver: parameters, operating mode, radio, no association.
  void Load(const Parameters& values);

  uint64_t Now() const { return clock(); }
  // A value of the adapter key as a 32-bit decimal number; nullopt when missing or unreadable.
  std::optional<uint32_t> Parameter(const char* name) const;

  // Whether the adapter listens to the world as a station: radio on and in station mode.
  bool Listening() const;
  // The channels a scan visits on this adapter, and whether a network is heard on them.
  std::vector<int> ScanChannels() const;
  bool InRange(const NetworkSpec& network, const std::vector<int>& channels) const;

  // A network is joined only when a registered check admits it; an open network no check knows
  // is admitted.
  void AddJoinCheck(JoinCheck check) { joinChecks_.push_back(std::move(check)); }
  JoinVerdict CheckJoin(const NetworkSpec& network) const;

  void Associate(const NetworkSpec& network, bool keyError);
  void Disconnect();
  void SetMessageFlags(uint32_t flags);
  // The receive antennas the driver reports a signal for (1 to 3).
  int Antennas() const;

  const AdapterSpec spec;
  const World& world;
  const Clock clock;
  const ChipProfile chip;
  Parameters parameters;
  DriverRadio radio;
  uint32_t opMode = 0;
  bool radioOn = true;
  // The adapter's radio switch (a slide switch on the card): off silences the radio whatever
  // the software asks, until it is switched on again. Survives a driver reload.
  bool hardwareRadioOn = true;
  uint32_t scansCompleted = 0;
  // The bytes the link carried since the counters were last cleared; the driver reports their
  // low 32 bits, so they wrap as a real driver's do. The counters area moves and clears them.
  uint64_t txBytes = 0;
  uint64_t rxBytes = 0;

  // The association: the network joined, and what the system daemon turns into the driver's
  // events (how often the link came up, how often the message flags changed).
  bool connected = false;
  // The stations associated with the adapter while it is an access point: they carry traffic.
  size_t apStations = 0;
  NetworkSpec network;
  // Data passes on the association: false on a WPA or WPA2 link until its keys are installed.
  bool portOpen = true;
  // The pairwise key the authenticator agreed with the station for this association; installing
  // exactly this key opens the port. Empty until a key exchange proved the station's PMK.
  std::vector<uint8_t> agreedPairwiseKey;
  uint64_t linkUps = 0;
  uint32_t messageFlags = 0;
  uint64_t messageFlagChanges = 0;
  // Who owns the world and lets a registrar run change it; unset: registrar runs change nothing.
  Reconfigure reconfigure;

 private:
  std::vector<JoinCheck> joinChecks_;
};

}  // namespace kavo9::emu
