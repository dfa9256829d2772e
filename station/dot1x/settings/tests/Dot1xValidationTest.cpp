#include "station/dot1x/settings/Dot1xValidation.h"

#include <gtest/gtest.h>

namespace kavo9::dot1x {
namespace {

Dot1xPageInput Filled(Dot1xChoices choices) {
  Dot1xPageInput in;
  in.choices = choices;
  in.userId = "alice";
  in.userPassword = "pw";
  in.tunnelId = "alice";
  in.tunnelPassword = "secret";
  return in;
}

std::optional<Dot1xProblem> Key(LangKey key) {
  return Dot1xProblem{key, {}};
}

TEST(Dot1xValidation, TheFirstFailingRuleSpeaks) {
  const Dot1xChoices peap{kPeap, kTunnelMsChapV2};
  const Dot1xChoices peapTls{kPeap, kTunnelTls};
  const Dot1xChoices gtcStatic{kPeap, kTunnelTokenCard, 0, 0, 1};
  const Dot1xChoices gtcSoft{kPeap, kTunnelTokenCard, 0, 0, 0};
  const Dot1xChoices fastStandardSoft{kEapFast, kTunnelTokenCard, 0, 0, 0, false};
  const Dot1xChoices fastTls{kEapFast, kTunnelMsChapV2, 0, kTunnelTls, 1, true};
  const Dot1xChoices md5{kMd5Challenge};
  struct Case {
    const char* name;
    Dot1xChoices choices;
    void (*change)(Dot1xPageInput&);
    std::optional<Dot1xProblem> problem;
  };
  const Case cases[] = {
      {"all filled", peap, [](Dot1xPageInput&) {}, std::nullopt},
      {"no user id", peap, [](Dot1xPageInput& in) { in.userId.clear(); },
       Key(LangKey::IDS_IDREQUIRED)},
      {"no user id comes first", md5,
       [](Dot1xPageInput& in) { in.userId.clear(), in.userPassword.clear(); },
       Key(LangKey::IDS_IDREQUIRED)},
      {"PEAP no tunnel password", peap, [](Dot1xPageInput& in) { in.tunnelPassword.clear(); },
       Key(LangKey::IDS_TUNNELISREQUIRE)},
      {"TTLS no tunnel id",
       {kTtls},
       [](Dot1xPageInput& in) { in.tunnelId.clear(); },
       Key(LangKey::IDS_TUNNELISREQUIRE)},
      {"PEAP TLS needs only the tunnel id", peapTls,
       [](Dot1xPageInput& in) { in.tunnelPassword.clear(); }, std::nullopt},
      {"PEAP TLS no tunnel id", peapTls, [](Dot1xPageInput& in) { in.tunnelId.clear(); },
       Key(LangKey::IDS_IDREQUIRED)},
      {"FAST with TLS provisioning no tunnel id", fastTls,
       [](Dot1xPageInput& in) { in.tunnelId.clear(); }, Key(LangKey::IDS_IDREQUIRED)},
      {"GTC no tunnel id", gtcStatic, [](Dot1xPageInput& in) { in.tunnelId.clear(); },
       Key(LangKey::IDS_CHECKRULE3)},
      {"GTC static no password", gtcStatic, [](Dot1xPageInput& in) { in.tunnelPassword.clear(); },
       Key(LangKey::IDS_TUNNELISREQUIRE)},
      {"GTC soft token no password", gtcSoft, [](Dot1xPageInput& in) { in.tunnelPassword.clear(); },
       std::nullopt},
      {"FAST standard needs the password whatever the mode", fastStandardSoft,
       [](Dot1xPageInput& in) { in.tunnelPassword.clear(); }, Key(LangKey::IDS_TUNNELISREQUIRE)},
      {"MD5 no password", md5, [](Dot1xPageInput& in) { in.userPassword.clear(); },
       Key(LangKey::IDS_CHECKRULE4)},
      {"client certificate not chosen", peap, [](Dot1xPageInput& in) { in.useClientCert = true; },
       Key(LangKey::IDS_CHECKRULE5)},
      {"server check without name",
       {kTls},
       [](Dot1xPageInput& in) { in.useServerCert = true; },
       Key(LangKey::IDS_IDREQUIRED)},
      {"server domain rule", peap,
       [](Dot1xPageInput& in) {
         in.useServerCert = true, in.nameRule = 1, in.serverName = "corp.";
       },
       Dot1xProblem{std::nullopt, kInvalidServerDomain}},
      {"exact rule takes any name", peap,
       [](Dot1xPageInput& in) { in.useServerCert = true, in.serverName = "corp"; }, std::nullopt},
  };
  for (const Case& c : cases) {
    Dot1xPageInput in = Filled(c.choices);
    c.change(in);
    EXPECT_EQ(Validate8021X(in), c.problem) << c.name;
  }
}

TEST(Dot1xValidation, DomainServerNames) {
  const struct {
    const char* name;
    bool valid;
  } cases[] = {{"corp.example", true}, {"a.b.", true},  {"corp.", false},
               {".corp", false},       {"corp", false}, {".", false}};
  for (const auto& c : cases) EXPECT_EQ(IsDomainServerName(c.name), c.valid) << c.name;
}

TEST(Dot1xPageLayout, EapFastKeepsTheTunnelPasswordOpenWithASoftToken) {
  EXPECT_TRUE(LayoutFor({kEapFast, kTunnelTokenCard, 0, 0, 0, false}).tunnelPassword);
}

}  // namespace
}  // namespace kavo9::dot1x
