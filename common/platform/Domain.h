#pragma once
// The machine's Windows domain: finding a controller of a domain (DsGetDcNameA) and opening a
// file on the network by its UNC path (CreateFileA for reading), which is how a program sees
// whether a controller answers at all.
//
// Both calls may block briefly (the simulated machine asks its system daemon). They are safe to
// call from any thread. Results are Win32 error codes; a handle that was opened must be closed
// with CloseFile, and CloseFile of kNoFile does nothing.

#include <cstdint>
#include <string>
#include <string_view>

namespace kavo9 {

// Flags of DsGetDcName.
inline constexpr uint32_t DS_FORCE_REDISCOVERY = 0x00000001;
inline constexpr uint32_t DS_RETURN_FLAT_NAME = 0x80000000;

// The error codes a domain look-up and a network open give.
enum : uint32_t {
  ERROR_PATH_NOT_FOUND = 3,
  ERROR_BAD_NETPATH = 53,
  ERROR_BAD_NET_NAME = 67,
  ERROR_NO_LOGON_SERVERS = 1311,
  ERROR_ACCOUNT_DISABLED = 1331,
  ERROR_NO_SUCH_DOMAIN = 1355,
  ERROR_ACCOUNT_LOCKED_OUT = 1909,
};

// What DsGetDcName tells of the controller it found.
struct DomainControllerInfo {
  std::string DomainControllerName;     // "\\DC1": the name begins with two backslashes
  std::string DomainControllerAddress;  // "\\10.0.0.2"
  std::string DomainName;               // the flat name with DS_RETURN_FLAT_NAME
};

class Domain {
 public:
  using FileHandle = uintptr_t;
  static constexpr FileHandle kNoFile = 0;

  virtual ~Domain() = default;
  // A controller of `domainName` (no computer name, no domain GUID, no site). ERROR_SUCCESS with
  // `*info` filled, or the error (ERROR_NO_SUCH_DOMAIN when no controller can be found).
  virtual uint32_t DsGetDcName(std::string_view domainName, uint32_t flags,
                               DomainControllerInfo* info) = 0;
  // Opens `path` ("\\DC1\NETLOGON\...") for reading, as an existing file shared for reading.
  // Returns the handle, or kNoFile; `*lastError` is what GetLastError says afterwards (0 when
  // the open succeeded).
  virtual FileHandle OpenNetworkFile(std::string_view path, uint32_t* lastError) = 0;
  virtual void CloseFile(FileHandle file) = 0;
};

}  // namespace kavo9
