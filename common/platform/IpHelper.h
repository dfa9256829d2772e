#pragma once
// The IP helper: the system's IP interface table and DHCP address release and renewal.
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
};

}  // namespace kavo9
