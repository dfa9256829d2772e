#pragma once
// After an 802.1X exchange starts, the adapter's DHCP address is released and renewed on a
// worker thread, so that the address comes from the network just authenticated to. Results are
// not reported.

#include <string>
#include <thread>

#include "common/platform/IpHelper.h"

namespace kavo9 {

// "\DEVICE\TCPIP_{GUID}" for the adapter's NetCfgInstanceId.
std::string TcpipInterfaceName(std::string_view instanceId);

// Finds the interface named for `instanceId`, releases its address, then finds it again and
// renews it. Runs on the calling thread.
void RenewAdapterAddress(IpHelper& ipHelper, const std::string& instanceId);

class AddressRenewal {
 public:
  explicit AddressRenewal(IpHelper* ipHelper) : ipHelper_(ipHelper) {}
  // Waits for a worker still running.
  ~AddressRenewal();
  // Starts a worker (after the previous one ended).
  void Start(std::string instanceId);
  void Wait();

 private:
  IpHelper* ipHelper_;
  std::thread worker_;
};

}  // namespace kavo9
