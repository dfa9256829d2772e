#pragma once
// The privileged registry service: performs the few registry writes a standard user's programs
// need, with administrative rights, and nothing else.
//
// It serves only HKEY_LOCAL_MACHINE and only these keys and what lies below them:
//   - an adapter's driver key, ...\Control\Class\{4D36E972-E325-11CE-BFC1-08002BE10318}\NNNN,
//     which must exist already;
//   - the single-sign-on key, Software\Microsoft\Windows NT\CurrentVersion\Winlogon\Tesmar;
//   - the wireless service's key of one present adapter,
//     Software\Microsoft\WZCSVC\Parameters\Interfaces\{GUID}.
// Deleting a key needs it to lie strictly below one of them; a served key is created only where
// the key above it exists, so no key outside them is ever made. The values that identify the
// adapter to the system (NetCfgInstanceId, DriverDesc, the installation's match values) belong
// to the driver's installation and are never set or deleted. Everything else is refused, as are
// "." and ".." components, empty components, over-long names and data, unknown value types and
// unknown procedures, each refusal logged and nothing written. Performed writes are logged too,
// with the caller's uid and pid.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/RegistryServiceProtocol.h"
#include "common/platform/Registry.h"

namespace kavo9 {

inline constexpr size_t kMaxServicePathLength = 1024;
inline constexpr uint32_t kMaxServiceDataLength = 64 * 1024;

// Who asked: the peer credentials of the caller's connection.
struct ServiceCaller {
  bool known = false;
  uint32_t uid = 0;
  int32_t pid = 0;
};

class RegistryService {
 public:
  using Log = std::function<void(std::string_view line)>;
  // `registry` must be opened with an administrator's token.
  RegistryService(Registry& registry, Log log);

  // Checks and performs one call; the Win32 status for the reply.
  int32_t Perform(const ServiceRequest& request, const ServiceCaller& caller = {});

  // Feeds bytes received on a connection: every complete request in `buffer` is answered into
  // `replies` and removed. False when the connection must be closed (its framing is broken).
  bool Receive(std::vector<uint8_t>* buffer, std::vector<uint8_t>* replies,
               const ServiceCaller& caller = {});

 private:
  int32_t Check(const ServiceRequest& request, const ServiceCaller& caller);
  int32_t Write(const ServiceRequest& request);
  int32_t Refuse(const ServiceRequest& request, const ServiceCaller& caller, std::string_view why);
  // Whether `components` name a key the service may write. `strictlyBelow` asks for a key below
  // a served root rather than the root itself.
  // `identity` is set when the path is an adapter's driver key itself, whose identity values
  // are not the service's to change.
  bool IsServed(const std::vector<std::string_view>& components, bool strictlyBelow, bool* identity,
                std::string* why);
  bool IsPresentAdapterInstance(std::string_view guid);

  Registry& registry_;
  Log log_;
};

}  // namespace kavo9
