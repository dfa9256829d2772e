#include "station/dot1x/settings/Dot1xSettings.h"

#include <gtest/gtest.h>

namespace kavo9::dot1x {
namespace {

using profiles::ProfileValues;

TEST(Dot1xStoredForm, TunnelProtocolHoldsTheInnerMethodOfTheOuterOne) {
  const struct {
    int method, inner, ttls;
    const char* tunnelProtocol;
  } cases[] = {
      {kPeap, kEapMsChapV2, kTtlsPap, "26"},
      {kTls, kEapTlsInner, kTtlsPap, "13"},
      {kTtls, kEapMsChapV2, kTtlsPap, "4"},
      {kTtls, kEapGenericTokenCard, kTtlsMd5, "5"},
      {kEapFast, kEapGenericTokenCard, kTtlsChap, "6"},
      {kMd5Challenge, kEapMsChapV2, kTtlsChap, "26"},
  };
  for (const auto& c : cases) {
    Dot1xSettings settings;
    settings.AuthenProtocol = c.method;
    settings.InnerEapType = c.inner;
    settings.TtlsInnerMethod = c.ttls;
    ProfileValues values;
    WriteDot1xSettings(settings, &values);
    EXPECT_EQ(values.Text("TunnelProtocol"), c.tunnelProtocol) << c.method;
    EXPECT_EQ(values.Text("AuthenProtocol"), std::to_string(c.method));
    // Read back, the stored number lands in the field it came from.
    const Dot1xSettings read = ReadDot1xSettings(values);
    EXPECT_EQ(c.method == kTtls ? read.TtlsInnerMethod : read.InnerEapType,
              std::stoi(c.tunnelProtocol));
  }
}

TEST(Dot1xStoredForm, EveryValueRoundTripsAndHashesAreLowerCaseHex) {
  Dot1xSettings settings;
  settings.Use8021X = 1;
  settings.AuthenProtocol = kEapFast;
  settings.InnerEapType = kEapTlsInner;
  settings.ProvisioningTunnel = kEapGenericTokenCard;
  settings.SessionResumption = 1;
  settings.UseClientCert = 1;
  settings.UseServerCert = 1;
  settings.UsePAC = 1;
  settings.ProvisionMode = 0;
  settings.PACFilePath = "C:\\pac\\Work.pac";
  settings.IntermediateCert = 1;
  settings.NameRule = 1;
  settings.ID = "CORP\\alice";
  settings.Password = "p";
  settings.TunnelID = "alice";
  settings.TunnelPassword = "secret";
  settings.ServerName = "radius.example.org";
  settings.DomainName = "CORP";
  settings.PasswordMode = 0;
  settings.ServerCertHash = {0x00, 0x0A, 0xFF, 0x10};
  settings.ClientCertHash = std::vector<uint8_t>(20, 0xAB);
  ProfileValues values;
  WriteDot1xSettings(settings, &values);
  EXPECT_EQ(values.Text("ServerCertData"), "000aff10");
  EXPECT_EQ(values.Text("ServerCertLen"), "4");
  EXPECT_EQ(values.Text("ClientCertLen"), "20");
  EXPECT_EQ(ReadDot1xSettings(values), settings);
  // The certificate source is never stored.
  settings.UseSmartCard = 1;
  ProfileValues again;
  WriteDot1xSettings(settings, &again);
  EXPECT_EQ(ReadDot1xSettings(again).UseSmartCard, 0);
}

TEST(Dot1xStoredForm, MissingValuesKeepTheDefaults) {
  EXPECT_EQ(ReadDot1xSettings(ProfileValues()), Dot1xSettings());
  const Dot1xSettings defaults;
  EXPECT_EQ(defaults.InnerEapType, 26);
  EXPECT_EQ(defaults.TtlsInnerMethod, 3);
  EXPECT_EQ(defaults.ProvisionMode, 1);
  EXPECT_EQ(defaults.PasswordMode, 1);
}

TEST(Dot1xStoredForm, StoredHashLengthsAreBoundedByTheBufferAndTheText) {
  const struct {
    long count;
    std::string text;
    std::size_t bytes;
  } cases[] = {
      {0, "abcd", 0},
      {-5, "abcd", 0},
      {2, "abcd", 2},
      {1, "abcd", 1},
      {10, "abcd", 2},                       // the text holds only two bytes
      {100000, std::string(400, 'a'), 152},  // the buffer holds 152
      {2, "zz00", 0},                        // not hexadecimal: no hash at all
      {2, "ABcd", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CertHashFromText(c.count, c.text).size(), c.bytes) << c.count << " " << c.text;
  }
  EXPECT_EQ(CertHashFromText(2, "ABcd"), (std::vector<uint8_t>{0xAB, 0xCD}));
}

}  // namespace
}  // namespace kavo9::dot1x
