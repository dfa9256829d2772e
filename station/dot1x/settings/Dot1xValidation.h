#pragma once
// The 802.1X page's checks before an editor takes its settings, in the order the user meets
// them; the first that fails is the one message shown.

#include <optional>
#include <string>
#include <string_view>

#include "station/dot1x/settings/Dot1xPage.h"
#include "station/shell/LangKeys.h"

namespace kavo9::dot1x {

// What the page holds when OK is pressed.
struct Dot1xPageInput {
  Dot1xChoices choices;
  std::string userId;
  std::string userPassword;
  std::string tunnelId;
  std::string tunnelPassword;
  bool useClientCert = false;
  bool clientCertSelected = false;
  bool useServerCert = false;
  std::string serverName;
  int nameRule = 0;
};

// A failed check: a language text, or (for the server name's domain) the page's own text.
struct Dot1xProblem {
  std::optional<LangKey> key;
  std::string_view text;
  bool operator==(const Dot1xProblem&) const = default;
};

inline constexpr std::string_view kInvalidServerDomain =
    "802.1X - Server Identity has Invalid domain name!";

std::optional<Dot1xProblem> Validate8021X(const Dot1xPageInput& input);

// Name rule 1 ("domain name must end in"): the server name's first "." is neither missing nor
// its first or last character.
bool IsDomainServerName(std::string_view serverName);

}  // namespace kavo9::dot1x
