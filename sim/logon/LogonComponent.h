#pragma once
// The logon component of single sign-on, as a stand-in plays it at a simulated Windows logon.
// The real component is the logon library named by the Winlogon value "GinaDLL"; at logon it
// authenticates the adapter with the single-sign-on profile before the user's session starts.
// The stand-in does what the station utility relies on, with the record the two share:
//
//   - nothing unless "GinaDLL" names the component and "SSOInstall" is "1";
//   - "WinlogonDomain" becomes the domain of the logon (removed for a local logon);
//   - with "SSOEnable" on, it takes the profile "SSOProfilePath" names, with the credentials
//     "SavedPassword" chooses ("0" the logon's, "1" the profile's, else a prompt), keeps what it
//     did in its own subkey "Session", holds the supplicant ("SSOReleaseAegis" "0" until the
//     utility asks for it with "1"), and reports "SSOAuthenticationCancelled": "1" when the user
//     cancelled the authentication, else "0".
//
// Qt-free and over the Registry seam, so it is tested without a machine.

#include <string>
#include <vector>

#include "common/platform/Registry.h"

namespace kavo9::logon {

struct LogonRequest {
  std::string user;     // "alice", or "CORP\alice" with the domain
  std::string domain;   // the machine's domain when `user` names none; empty: a local logon
  bool cancel = false;  // the user cancels the authentication at logon
};

struct LogonOutcome {
  bool authenticated = false;      // the component signed on with the profile
  std::vector<std::string> notes;  // what it did, one line each, for the person at the console
};

// The name of the domain and of the user in `user` ("CORP\alice" -> "CORP", "alice").
void SplitLogonUser(const std::string& user, std::string* domain, std::string* name);

// Runs the component's part of a logon. The registry needs the rights of the logon (the system).
LogonOutcome RunLogon(Registry& registry, const LogonRequest& request);

}  // namespace kavo9::logon
