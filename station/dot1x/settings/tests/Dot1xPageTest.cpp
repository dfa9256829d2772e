#include "station/dot1x/settings/Dot1xPage.h"

#include <gtest/gtest.h>

namespace kavo9::dot1x {
namespace {

using Rule = ClientCertRule;
using Tab = Dot1xTab;

// The identity tab's fields and the certificate boxes for every method and inner choice.
TEST(Dot1xPageLayout, FieldsFollowTheMethodAndInnerChoice) {
  const struct {
    const char* name;
    Dot1xChoices choices;
    bool tunnelButton, userPassword, domain, tunnelId, tunnelPassword, passwordMode;
    Rule clientCert;
  } cases[] = {
      {"PEAP MSCHAPv2",
       {kPeap, kTunnelMsChapV2},
       true,
       false,
       false,
       true,
       true,
       false,
       Rule::kOptional},
      {"PEAP TLS", {kPeap, kTunnelTls}, true, false, false, true, false, false, Rule::kForcedOn},
      {"PEAP GTC",
       {kPeap, kTunnelTokenCard},
       true,
       false,
       false,
       true,
       true,
       true,
       Rule::kOptional},
      {"TLS", {kTls}, false, false, false, false, false, false, Rule::kForcedOn},
      {"TTLS", {kTtls, 0, kTtlsChoicePap}, true, false, false, true, true, false, Rule::kOptional},
      {"FAST standard",
       {kEapFast, kTunnelTokenCard},
       false,
       false,
       true,
       true,
       true,
       true,
       Rule::kUseAndServerCleared},
      {"FAST enhanced MSCHAPv2",
       {kEapFast, kTunnelMsChapV2, 0, kTunnelMsChapV2, 1, true},
       true,
       false,
       true,
       true,
       true,
       false,
       Rule::kUseCleared},
      {"FAST enhanced TLS+TLS",
       {kEapFast, kTunnelTls, 0, kTunnelTls, 1, true},
       true,
       false,
       true,
       true,
       false,
       false,
       Rule::kForcedOn},
      {"FAST enhanced TLS+GTC",
       {kEapFast, kTunnelTls, 0, kTunnelTokenCard, 1, true},
       true,
       false,
       true,
       true,
       true,
       true,
       Rule::kForcedOn},
      {"MD5", {kMd5Challenge}, false, true, false, false, false, false, Rule::kUseCleared},
  };
  for (const auto& c : cases) {
    const Dot1xLayout l = LayoutFor(c.choices);
    EXPECT_EQ(l.tunnelEnabled, c.tunnelButton) << c.name;
    EXPECT_EQ(l.userPassword, c.userPassword) << c.name;
    EXPECT_EQ(l.domainName, c.domain) << c.name;
    EXPECT_EQ(l.tunnelId, c.tunnelId) << c.name;
    EXPECT_EQ(l.tunnelPassword, c.tunnelPassword) << c.name;
    EXPECT_EQ(l.passwordModeShown, c.passwordMode) << c.name;
    EXPECT_EQ(l.clientCert, c.clientCert) << c.name;
    EXPECT_EQ(l.tunnelText.empty(), !l.tunnelEnabled) << c.name;
  }
}

TEST(Dot1xPageLayout, TabsAndTexts) {
  const std::vector<Tab> certificates{Tab::kIdentity, Tab::kClientCert, Tab::kServerCert};
  EXPECT_EQ(LayoutFor({kPeap}).tabs, certificates);
  EXPECT_EQ(LayoutFor({kTls}).tabs, certificates);
  EXPECT_EQ(LayoutFor({kTtls}).tabs, certificates);
  EXPECT_EQ(LayoutFor({kMd5Challenge}).tabs, std::vector<Tab>{Tab::kIdentity});
  EXPECT_EQ(LayoutFor({kEapFast}).tabs, (std::vector<Tab>{Tab::kIdentity, Tab::kEapFast}));
  EXPECT_EQ(LayoutFor({kEapFast, kTunnelMsChapV2, 0, kTunnelTls, 1, true}).tabs,
            (std::vector<Tab>{Tab::kIdentity, Tab::kClientCert, Tab::kServerCert, Tab::kEapFast}));
  EXPECT_FALSE(LayoutFor({kEapFast}).provisioningShown);
  EXPECT_TRUE(LayoutFor({kEapFast, 0, 0, 0, 1, true}).provisionModeEnabled);

  EXPECT_EQ(LayoutFor({kTls}).methodText, "TLS/SmartCard");
  EXPECT_EQ(LayoutFor({kPeap, kTunnelTokenCard}).tunnelText, "Generic Token Card");
  EXPECT_EQ(LayoutFor({kTtls, 0, kTtlsChoiceMd5}).tunnelText, "EAP-MD5");
  EXPECT_EQ(LayoutFor({kTtls, 0, 99}).tunnelText, "");  // a stray choice names nothing
}

TEST(Dot1xPageLayout, ASoftTokenDisablesTheTunnelPassword) {
  EXPECT_FALSE(LayoutFor({kPeap, kTunnelTokenCard, 0, 0, 0}).tunnelPassword);
  EXPECT_TRUE(LayoutFor({kPeap, kTunnelTokenCard, 0, 0, 1}).tunnelPassword);
  // Without a password mode on show, the soft token choice does not matter.
  EXPECT_TRUE(LayoutFor({kPeap, kTunnelMsChapV2, 0, 0, 0}).tunnelPassword);
}

TEST(Dot1xPageChoices, AMethodFromTheMenuResetsItsInnerChoice) {
  Dot1xChoices c{kPeap, kTunnelTls, kTtlsChoicePap};
  ChooseMethod(&c, kTtls);
  EXPECT_EQ(c.ttls, kTtlsChoiceChap);
  ChooseMethod(&c, kEapFast);
  EXPECT_EQ(c.tunnel, kTunnelTokenCard);
  c.enhancedFast = true;
  ChooseMethod(&c, kEapFast);
  EXPECT_EQ(c.tunnel, kTunnelMsChapV2);
  c.tunnel = kTunnelTls;
  ChooseMethod(&c, kPeap);
  EXPECT_EQ(c.tunnel, kTunnelMsChapV2);
}

TEST(Dot1xPageChoices, Md5IsOfferedOnlyWithThe8021XBoxAndAWeakCipher) {
  EXPECT_TRUE(Md5Allowed(true, true, false));
  EXPECT_TRUE(Md5Allowed(true, false, true));
  EXPECT_FALSE(Md5Allowed(true, false, false));
  EXPECT_FALSE(Md5Allowed(false, true, true));
}

TEST(Dot1xPageChoices, ChoicesAndStoredTypesRoundTrip) {
  Dot1xSettings settings;
  settings.AuthenProtocol = kEapFast;
  settings.InnerEapType = kEapGenericTokenCard;
  settings.ProvisioningTunnel = kEapTlsInner;
  settings.TtlsInnerMethod = kTtlsPap;
  settings.PasswordMode = 0;
  const Dot1xChoices choices = ChoicesFrom(settings, true);
  EXPECT_EQ(choices.tunnel, kTunnelTokenCard);
  EXPECT_EQ(choices.provisioning, kTunnelTls);
  EXPECT_EQ(choices.ttls, kTtlsChoicePap);
  Dot1xSettings back;
  TakeChoices(choices, &back);
  EXPECT_EQ(back.AuthenProtocol, settings.AuthenProtocol);
  EXPECT_EQ(back.InnerEapType, settings.InnerEapType);
  EXPECT_EQ(back.ProvisioningTunnel, settings.ProvisioningTunnel);
  EXPECT_EQ(back.TtlsInnerMethod, settings.TtlsInnerMethod);
  EXPECT_EQ(back.PasswordMode, 0);
  // Stored values out of range read as the defaults, not as menu positions past the end.
  settings.AuthenProtocol = 42;
  settings.TtlsInnerMethod = 0;
  settings.InnerEapType = 99;
  const Dot1xChoices odd = ChoicesFrom(settings, false);
  EXPECT_EQ(odd.method, kPeap);
  EXPECT_EQ(odd.ttls, kTtlsChoiceMsChapV2);
  EXPECT_EQ(odd.tunnel, kTunnelMsChapV2);
}

}  // namespace
}  // namespace kavo9::dot1x
