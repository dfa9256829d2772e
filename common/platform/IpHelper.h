#pragma once
// The IP helper: the system's IP interface table, DHCP address release and renewal, and the
// leases of connection sharing's DHCP server.
//
// Interface names have the form "\DEVICE\TCPIP_{GUID}" with the adapter's NetCfgInstanceId.
// Every call may block briefly; the programs call release and renew from a worker thread.

#include <cstdint>
#include <string>
#include <vector>

namespace kavo9 {

struct IpInterface {
  uint32_t index = 0;
  std::string name;  // "\DEVICE\TCPIP_{GUID}"
};

// One adapter's addresses as GetAdaptersInfo lists them.
struct IpAdapterInfo {
  std::string adapterName;  // the NetCfgInstanceId "{GUID}"
  std::string ipAddress;    // dotted text, "0.0.0.0" when there is none
  std::string subnetMask;
  std::string gateway;
  bool dhcpEnabled = true;
  // The adapter's hardware address, as many bytes as the system lists (6 for an Ethernet or
  // 802.11 adapter; empty when it lists none).
  std::vector<uint8_t> address;
};

// One address the DHCP server of connection sharing handed out: to which station, under which
// name the station asked for it.
struct SharingLease {
  std::string mac;   // "02-1D-5A-00-00-11" as the server lists it
  std::string name;  // the host name the station sent (may be empty)
  std::string ip;    // dotted text
};

class IpHelper {
 public:
  virtual ~IpHelper() = default;
  // The interface table (GetInterfaceInfo). False when it cannot be read.
  virtual bool GetInterfaceInfo(std::vector<IpInterface>* interfaces) = 0;
  // The adapters with their addresses (GetAdaptersInfo). False when they cannot be read.
  virtual bool GetAdaptersInfo(std::vector<IpAdapterInfo>* adapters) = 0;
  // Releases or renews the DHCP address of an interface. False on failure.
  virtual bool IpReleaseAddress(const IpInterface& interface) = 0;
  virtual bool IpRenewAddress(const IpInterface& interface) = 0;
  // The leases of connection sharing's DHCP server. False when there is no such server or it
  // cannot be asked; an empty list when sharing is off.
  virtual bool GetSharingLeases(std::vector<SharingLease>* leases) = 0;
};

}  // namespace kavo9
