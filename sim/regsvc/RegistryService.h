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
// Deleting a key needs it to lie strictly below one of them. Everything else is refused, as are
// "." and ".." components, empty components, over-long names and data, unknown value types and
// unknown procedures, each refusal logged and nothing written.

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

class RegistryService {
 public:
  using Log = std::function<void(std::string_view line)>;
  // `registry` must be opened with an administrator's token.
  RegistryService(Registry& registry, Log log);

  // Checks and performs one call; the Win32 status for the reply.
  int32_t Perform(const ServiceRequest& request);

  // Feeds bytes received on a connection: every complete request in `buffer` is answered into
  // `replies` and removed. False when the connection must be closed (its framing is broken).
  bool Receive(std::vector<uint8_t>* buffer, std::vector<uint8_t>* replies);

 private:
  int32_t Refuse(const ServiceRequest& request, std::string_view why);
  // Whether `components` name a key the service may write. `strictlyBelow` asks for a key below
  // a served root rather than the root itself.
  bool IsServed(const std::vector<std::string_view>& components, bool strictlyBelow,
                std::string* why);
  bool IsPresentAdapterInstance(std::string_view guid);

  Registry& registry_;
  Log log_;
};

}  // namespace kavo9
