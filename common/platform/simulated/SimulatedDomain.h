#pragma once
// The domain on a simulated machine: the system daemon answers from the scenario's "domain"
// block through its control socket:
//   {"cmd":"domain","op":"dc","domain":NAME,"flags":N} -> {"ok":true,"error":CODE,
//        "controller":"\\DC1","address":"\\10.0.0.2","domain":"CORP"}
//   {"cmd":"domain","op":"open","path":"\\DC1\NETLOGON\..."} -> {"ok":true,"error":CODE}
// Without a daemon no controller is found (ERROR_NO_SUCH_DOMAIN) and no network path opens
// (ERROR_BAD_NETPATH). Handles of opened files are kept here; the daemon keeps no file state.

#include <filesystem>
#include <mutex>
#include <set>

#include "common/platform/Domain.h"
#include "common/platform/simulated/SystemServicesClient.h"

namespace kavo9 {

class SimulatedDomain : public Domain {
 public:
  explicit SimulatedDomain(std::filesystem::path machineDir);
  uint32_t DsGetDcName(std::string_view domainName, uint32_t flags,
                       DomainControllerInfo* info) override;
  FileHandle OpenNetworkFile(std::string_view path, uint32_t* lastError) override;
  void CloseFile(FileHandle file) override;

 private:
  DaemonConnection daemon_;
  std::mutex mutex_;
  std::set<FileHandle> open_;
  FileHandle next_ = 1;
};

}  // namespace kavo9
