#pragma once
// The EAP-FAST credential between the library and its file: a stored PAC handed to the library
// when it asks for one, the PAC a server provisioned saved to the connection's default file (and
// its path stored with the profile), and the file deleted when the library reports its PAC as
// unusable. All of it runs on the credential worker, except the discard.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "station/dot1x/supplicant/Supplicant.h"

namespace kavo9::dot1x {

class PacHost {
 public:
  virtual ~PacHost() = default;
  // The last connect record's PAC path (a Windows path; empty: none), and replacing it.
  virtual std::string PacPath() = 0;
  virtual void SetPacPath(const std::string& path) = 0;
  // The current connection's default PAC file (a Windows path).
  virtual std::string DefaultPacPath() = 0;
  // "PACFilePath" written under the adapter key and, for a profile connection, the profile's.
  virtual void StorePacPath(const std::string& path) = 0;
  // The file of this system a Windows path names (empty: none).
  virtual std::filesystem::path HostPath(std::string_view windowsPath) = 0;
};

// The server's A-ID is at most this long.
inline constexpr size_t kServerAidRoom = 128;

// Answers a PAC request: the stored PAC when it is the server's and the user's, else none (the
// library provisions one). `outerIdentity` is the port's identity as configured.
void LoadPac(Supplicant& library, PacHost& host, int handle, uint32_t id,
             std::string_view outerIdentity);
// Saves the provisioned PAC and completes the request. A PAC that cannot be read or written
// whole is not kept; the request is completed all the same, so the authentication goes on and
// the next one provisions again.
void SavePac(Supplicant& library, PacHost& host, int handle, uint32_t id);
void DiscardPac(PacHost& host);

}  // namespace kavo9::dot1x
