#pragma once
// The IPv4 addresses of the simulated machine's networks. Every network, told by its BSSID, has
// a subnet of its own, 192.168.N.0/24, with its access point (the gateway and DHCP server) at .1;
// the adapters that join it get .100 onwards. The adapter emulator reports the access point's
// address as the peer of the link, and the system daemon hands out the adapters' addresses, so
// both sides name the same subnet.

#include <array>
#include <cstdint>
#include <string>

namespace kavo9 {

using Ipv4Address = std::array<uint8_t, 4>;

// The third byte of a network's subnet: 2 to 251, spread by the whole BSSID.
inline uint8_t SubnetOf(const std::array<uint8_t, 6>& bssid) {
  uint32_t h = 2166136261u;
  for (uint8_t b : bssid) h = (h ^ b) * 16777619u;
  return uint8_t(2 + (h >> 8) % 250);
}

inline Ipv4Address GatewayOf(const std::array<uint8_t, 6>& bssid) {
  return {192, 168, SubnetOf(bssid), 1};
}

// The address of the `index`th adapter of the machine on that network.
inline Ipv4Address HostOf(const std::array<uint8_t, 6>& bssid, size_t index) {
  return {192, 168, SubnetOf(bssid), uint8_t(100 + index % 150)};
}

inline std::string DottedText(const Ipv4Address& a) {
  return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
         std::to_string(a[3]);
}

}  // namespace kavo9
