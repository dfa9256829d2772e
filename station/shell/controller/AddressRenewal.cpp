#include "station/shell/controller/AddressRenewal.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace kavo9 {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::optional<IpInterface> FindInterface(IpHelper& ipHelper, std::string_view name) {
  std::vector<IpInterface> table;
  if (!ipHelper.GetInterfaceInfo(&table)) return std::nullopt;
  for (const IpInterface& entry : table) {
    if (SameName(entry.name, name)) return entry;
  }
  return std::nullopt;
}

}  // namespace

std::string TcpipInterfaceName(std::string_view instanceId) {
  return "\\DEVICE\\TCPIP_" + std::string(instanceId);
}

void RenewAdapterAddress(IpHelper& ipHelper, const std::string& instanceId) {
  if (instanceId.empty()) return;
  std::string name = TcpipInterfaceName(instanceId);
  if (auto found = FindInterface(ipHelper, name)) ipHelper.IpReleaseAddress(*found);
  if (auto found = FindInterface(ipHelper, name)) ipHelper.IpRenewAddress(*found);
}

AddressRenewal::~AddressRenewal() {
  Wait();
}

void AddressRenewal::Start(std::string instanceId) {
  if (!ipHelper_) return;
  Wait();
  worker_ = std::thread(
      [helper = ipHelper_, id = std::move(instanceId)] { RenewAdapterAddress(*helper, id); });
}

void AddressRenewal::Wait() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace kavo9
