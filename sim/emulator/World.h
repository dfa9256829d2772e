#pragma once
// The radio world around the machine's adapters: the networks in range, each with its band,
// channel, BSSID, SSID, security, WPS, 802.11n settings and signal. Changed by the control tool;
// every change bumps the generation so the adapters' scans see it from their next scan on.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/emulator/Scenario.h"

namespace kavo9 {

class World {
 public:
  World() = default;
  explicit World(std::vector<NetworkSpec> networks, std::vector<StationSpec> stations = {})
      : networks_(std::move(networks)), stations_(std::move(stations)) {}

  const std::vector<NetworkSpec>& networks() const { return networks_; }
  // The stations around that join an access point the adapter runs, when its settings let them.
  const std::vector<StationSpec>& stations() const { return stations_; }
  uint64_t generation() const { return generation_; }

  // Adds a network; false (with `error`) when its BSSID is already in the world.
  bool Add(NetworkSpec network, std::string* error);
  // Removes the network with this BSSID ("00-11-22-33-44-55") or every network with this SSID.
  // Returns how many went.
  int Remove(std::string_view bssidOrSsid);
  // Moves a network's signal (dBm); false when no network has this BSSID.
  bool SetSignal(const MacAddress& bssid, int dbm);
  const NetworkSpec* Find(const MacAddress& bssid) const;
  // Presses or releases the WPS push button of the access point with this BSSID; false when no
  // WPS access point has it.
  bool SetWpsButton(const MacAddress& bssid, bool pressed);
  // The PIN the access point expects: the one a person typed into its settings for an enrollee.
  bool SetWpsPin(const MacAddress& bssid, const std::string& pin);
  // A registrar configured the access point: it takes the SSID, security and key of `settings`
  // and is configured from then on. False when no network has this BSSID.
  bool Reconfigure(const MacAddress& bssid, const NetworkSpec& settings);

 private:
  std::vector<NetworkSpec> networks_;
  std::vector<StationSpec> stations_;
  uint64_t generation_ = 1;
};

}  // namespace kavo9
