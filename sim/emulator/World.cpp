#include "sim/emulator/World.h"

#include <algorithm>

namespace kavo9 {

bool World::Add(NetworkSpec network, std::string* error) {
  if (Find(network.bssid)) {
    *error = "a network with BSSID " + FormatMac(network.bssid) + " is already in range";
    return false;
  }
  networks_.push_back(std::move(network));
  ++generation_;
  return true;
}

int World::Remove(std::string_view bssidOrSsid) {
  MacAddress bssid{};
  const bool byBssid = ParseMac(bssidOrSsid, &bssid);
  auto gone = std::remove_if(networks_.begin(), networks_.end(), [&](const NetworkSpec& n) {
    return byBssid ? n.bssid == bssid : n.ssid == bssidOrSsid;
  });
  int count = int(networks_.end() - gone);
  networks_.erase(gone, networks_.end());
  if (count) ++generation_;
  return count;
}

bool World::SetSignal(const MacAddress& bssid, int dbm) {
  for (NetworkSpec& n : networks_) {
    if (n.bssid == bssid) {
      n.signal = dbm;
      ++generation_;
      return true;
    }
  }
  return false;
}

bool World::SetWpsButton(const MacAddress& bssid, bool pressed) {
  for (NetworkSpec& n : networks_) {
    if (n.bssid == bssid && n.wps.enabled) {
      n.wps.pushButton = pressed;
      ++generation_;
      return true;
    }
  }
  return false;
}

bool World::SetWpsPin(const MacAddress& bssid, const std::string& pin) {
  for (NetworkSpec& n : networks_) {
    if (n.bssid == bssid && n.wps.enabled) {
      n.wps.pin = pin;
      ++generation_;
      return true;
    }
  }
  return false;
}

bool World::Reconfigure(const MacAddress& bssid, const NetworkSpec& settings) {
  for (NetworkSpec& n : networks_) {
    if (n.bssid == bssid) {
      n.ssid = settings.ssid;
      n.security = settings.security;
      n.tkip = settings.tkip;
      n.aes = settings.aes;
      n.key = settings.key;
      n.wps.state = 2;
      ++generation_;
      return true;
    }
  }
  return false;
}

const NetworkSpec* World::Find(const MacAddress& bssid) const {
  for (const NetworkSpec& n : networks_) {
    if (n.bssid == bssid) return &n;
  }
  return nullptr;
}

}  // namespace kavo9
