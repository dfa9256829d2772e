#include "sim/logon/LogonComponent.h"

#include <strings.h>

namespace kavo9::logon {
namespace {

constexpr const char* kWinlogonKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kSsoKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar";
constexpr const char* kSessionKey =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar\\Session";
constexpr const char* kComponentLibrary = "TesmarGina.DLL";

bool Read(Registry& registry, const char* path, const char* name, std::string* text) {
  return RegReadString(registry, HKEY_LOCAL_MACHINE, path, name, text) == ERROR_SUCCESS;
}

void Write(Registry& registry, const char* path, const char* name, const std::string& text,
           LogonOutcome* outcome) {
  if (RegWriteString(registry, HKEY_LOCAL_MACHINE, path, name, text) != ERROR_SUCCESS) {
    outcome->notes.push_back(std::string("could not write ") + name);
  }
}

void Remove(Registry& registry, const char* path, const char* name) {
  ScopedKey key(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    registry.DeleteValue(key.get(), name);
  }
}

std::string CredentialSource(const std::string& saved) {
  if (saved.empty() || saved == "0") return "windows-logon";
  if (saved == "1") return "profile";
  return "prompt";
}

}  // namespace

void SplitLogonUser(const std::string& user, std::string* domain, std::string* name) {
  const size_t slash = user.find('\\');
  if (slash == std::string::npos) {
    domain->clear();
    *name = user;
    return;
  }
  *domain = user.substr(0, slash);
  *name = user.substr(slash + 1);
}

LogonOutcome RunLogon(Registry& registry, const LogonRequest& request) {
  LogonOutcome outcome;
  std::string gina, install;
  if (!Read(registry, kWinlogonKey, "GinaDLL", &gina) ||
      ::strcasecmp(gina.c_str(), kComponentLibrary) != 0) {
    outcome.notes.push_back("the Windows logon ran: the component is not the logon library");
    return outcome;
  }
  if (!Read(registry, kSsoKey, "SSOInstall", &install) || install != "1") {
    outcome.notes.push_back("single sign-on is not installed");
    return outcome;
  }
  std::string domain, user;
  SplitLogonUser(request.user, &domain, &user);
  if (domain.empty()) domain = request.domain;
  if (domain.empty()) {
    Remove(registry, kSsoKey, "WinlogonDomain");
    outcome.notes.push_back("local logon of " + user);
  } else {
    Write(registry, kSsoKey, "WinlogonDomain", domain, &outcome);
    outcome.notes.push_back("domain logon of " + domain + "\\" + user);
  }

  std::string enable;
  if (!Read(registry, kSsoKey, "SSOEnable", &enable) || enable == "0") {
    outcome.notes.push_back("single sign-on is off: the utility connects after the logon");
    return outcome;
  }
  std::string profile, profilePath, saved, ssid;
  Read(registry, kSsoKey, "CurProfile", &profile);
  Read(registry, kSsoKey, "SavedPassword", &saved);
  const bool found = Read(registry, kSsoKey, "SSOProfilePath", &profilePath) &&
                     Read(registry, profilePath.c_str(), "SSID", &ssid);
  if (profile.empty() || !found) {
    outcome.notes.push_back("no single-sign-on profile to authenticate with");
    Write(registry, kSsoKey, "SSOAuthenticationCancelled", "1", &outcome);
    return outcome;
  }
  const std::string credentials = CredentialSource(saved);
  Write(registry, kSessionKey, "User", user, &outcome);
  Write(registry, kSessionKey, "Profile", profile, &outcome);
  Write(registry, kSessionKey, "Credentials", credentials, &outcome);
  // The component holds the supplicant from now on, until the utility asks for it.
  Write(registry, kSsoKey, "SSOReleaseAegis", "0", &outcome);
  if (request.cancel) {
    Write(registry, kSsoKey, "SSOAuthenticationCancelled", "1", &outcome);
    outcome.notes.push_back("the user cancelled the authentication with profile " + profile);
    return outcome;
  }
  Write(registry, kSsoKey, "SSOAuthenticationCancelled", "0", &outcome);
  outcome.authenticated = true;
  outcome.notes.push_back("authenticated with profile " + profile + " (" + ssid +
                          "), credentials: " + credentials);
  return outcome;
}

}  // namespace kavo9::logon
