#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "station/dot1x/supplicant/AuthStatusList.h"
#include "station/dot1x/supplicant/PortConfig.h"
#include "station/networks/connect/RecordBuilders.h"

namespace kavo9::dot1x {
namespace {

constexpr uint32_t kWifi = 0x0C;
const std::string kHex64 = "f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e";

connect::ConnectRecord Record(uint32_t auth, uint32_t encryption, std::string pass = {},
                              uint8_t leap = 0) {
  connect::ConnectRecord r;
  r.InfraMode = Ndis802_11Infrastructure;
  r.SetSsid("Apartment 4B");
  r.AuthMode = auth;
  r.Encryption = encryption;
  r.PassPhrase = std::move(pass);
  r.LeapEnabled = leap;
  return r;
}

TEST(PortConfig, RecordModesBecomeLibraryCodes) {
  struct Case {
    const char* name;
    uint32_t auth, encryption;
    uint8_t leap;
    uint32_t keyManagement, cipher;
  };
  const Case cases[] = {
      {"open WEP", Ndis802_11AuthModeOpen, Ndis802_11Encryption1Enabled, 0, AC_KM_OPEN,
       AC_CIPHER_WEP},
      {"shared", Ndis802_11AuthModeShared, Ndis802_11Encryption1Enabled, 0, AC_KM_SHARED,
       AC_CIPHER_WEP},
      {"open clear", Ndis802_11AuthModeOpen, Ndis802_11EncryptionDisabled, 0, AC_KM_OPEN,
       AC_CIPHER_NONE},
      {"WPA TKIP", Ndis802_11AuthModeWPA, Ndis802_11Encryption2Enabled, 0, AC_KM_WPA,
       AC_CIPHER_TKIP},
      {"WPA-PSK", Ndis802_11AuthModeWPAPSK, Ndis802_11Encryption2Enabled, 0, AC_KM_WPA_PSK,
       AC_CIPHER_TKIP},
      {"WPA2", Ndis802_11AuthModeWPA2, Ndis802_11Encryption3Enabled, 0, AC_KM_WPA2, AC_CIPHER_AES},
      {"WPA2-PSK", Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled, 0, AC_KM_WPA2_PSK,
       AC_CIPHER_AES},
      {"LEAP WEP", Ndis802_11AuthModeOpen, Ndis802_11Encryption1Enabled, 1, AC_KM_OPEN,
       AC_CIPHER_WEP},
      {"LEAP TKIP", Ndis802_11AuthModeOpen, Ndis802_11Encryption2Enabled, 1, AC_KM_WPA,
       AC_CIPHER_TKIP},
      {"LEAP AES", Ndis802_11AuthModeOpen, Ndis802_11Encryption3Enabled, 1, AC_KM_WPA2,
       AC_CIPHER_AES},
  };
  for (const Case& c : cases) {
    const PortConfig config = BuildPortConfig(Record(c.auth, c.encryption, {}, c.leap), kWifi);
    EXPECT_TRUE(config.usesAssociation) << c.name;
    EXPECT_EQ(config.association.keyManagement, c.keyManagement) << c.name;
    EXPECT_EQ(config.association.cipher, c.cipher) << c.name;
    EXPECT_FALSE(config.pskReady) << c.name;
  }
}

TEST(PortConfig, PreSharedKeyIsAPassPhraseOrSixtyFourHexDigits) {
  const auto pass = BuildPortConfig(
      Record(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled, "sunflower42"), kWifi);
  EXPECT_TRUE(pass.pskReady);
  EXPECT_EQ(pass.passPhrase, "sunflower42");
  EXPECT_EQ(pass.ssid, "Apartment 4B");
  EXPECT_FALSE(pass.binaryKey.has_value());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(pass.association.ssid),
                        pass.association.ssidLength),
            "Apartment 4B");

  const auto binary = BuildPortConfig(
      Record(Ndis802_11AuthModeWPAPSK, Ndis802_11Encryption2Enabled, kHex64), kWifi);
  ASSERT_TRUE(binary.binaryKey.has_value());
  EXPECT_TRUE(binary.pskReady);
  EXPECT_EQ((*binary.binaryKey)[0], 0xf4);
  EXPECT_EQ((*binary.binaryKey)[31], 0x2e);

  // 64 characters that are not all hexadecimal digits are no key at all.
  const auto garbage = BuildPortConfig(
      Record(Ndis802_11AuthModeWPAPSK, Ndis802_11Encryption2Enabled, std::string(64, 'z')), kWifi);
  EXPECT_FALSE(garbage.pskReady);
  EXPECT_FALSE(
      BuildPortConfig(Record(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled), kWifi)
          .pskReady);
}

TEST(PortConfig, WiredPortIsNotAssociatedAndAdHocIsBssTypeTwo) {
  auto r = Record(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled, "sunflower42");
  const auto wired = BuildPortConfig(r, AC_MEDIA_8023);
  EXPECT_FALSE(wired.usesAssociation);
  EXPECT_FALSE(wired.pskReady);
  r.InfraMode = Ndis802_11IBSS;
  EXPECT_EQ(BuildPortConfig(r, kWifi).bssType, 2u);
}

connect::ConnectRecord EapRecord(int method, int inner = kEapMsChapV2, int second = kEapMsChapV2) {
  connect::ConnectRecord r = Record(Ndis802_11AuthModeWPA2, Ndis802_11Encryption3Enabled);
  r.Use8021X = 1;
  Dot1xSettings& s = r.Dot1x;
  s.AuthenProtocol = method;
  s.InnerEapType = inner;
  s.ProvisioningTunnel = second;
  s.TtlsInnerMethod = inner;
  s.ID = "alice";
  s.Password = "outer-secret";
  s.TunnelID = "alice-inner";
  s.TunnelPassword = "inner-secret";
  s.DomainName = "CORP";
  s.UseClientCert = 1;
  s.ClientCertHash = {0xC1, 0xE7};
  return r;
}

TEST(PortConfig, EachMethodPreloadsWhatItUses) {
  struct Case {
    const char* name;
    int method, inner, second;
    int outer;
    std::string identity, tunnel, password;
    bool certificates;
    int session;  // with session resumption off
  };
  const Case cases[] = {
      {"MD5", kMd5Challenge, 0, 0, AC_EAP_MD5, "alice", "", "outer-secret", false, 0},
      {"TLS", kTls, 0, 0, AC_EAP_TLS, "alice", "", "", true, 0},
      {"TTLS PAP", kTtls, kTtlsPap, 0, AC_EAP_TTLS, "alice", "alice-inner", "inner-secret", true,
       1},
      {"TTLS unknown inner", kTtls, 9, 0, AC_EAP_TTLS, "alice", "", "", true, 0},
      {"PEAP MSCHAPv2", kPeap, kEapMsChapV2, 0, AC_EAP_PEAP, "alice", "alice-inner", "inner-secret",
       true, 1},
      {"PEAP TLS", kPeap, kEapTlsInner, 0, AC_EAP_PEAP, "alice", "alice-inner", "inner-secret",
       true, 1},
      {"PEAP other inner", kPeap, 0, 0, AC_EAP_PEAP, "alice", "", "", true, 0},
      {"FAST second GTC", kEapFast, 0, kEapGenericTokenCard, AC_EAP_FAST, "CORP\\alice",
       "alice-inner", "inner-secret", true, 1},
      {"FAST first MSCHAPv2 only", kEapFast, kEapMsChapV2, 0, AC_EAP_FAST, "CORP\\alice",
       "alice-inner", "inner-secret", true, 0},
      {"FAST no tunnel method", kEapFast, 0, 0, AC_EAP_FAST, "CORP\\alice", "", "", true, 0},
      {"unknown method", 9, 0, 0, AC_EAP_NONE, "alice", "", "", false, 1},
  };
  for (const Case& c : cases) {
    const EapConfig e = BuildPortConfig(EapRecord(c.method, c.inner, c.second), kWifi).eap;
    EXPECT_EQ(e.outerType, c.outer) << c.name;
    EXPECT_EQ(e.identity, c.identity) << c.name;
    EXPECT_EQ(e.identityText, "alice") << c.name;
    EXPECT_EQ(e.tunnelIdentity, c.tunnel) << c.name;
    EXPECT_EQ(e.password, c.password) << c.name;
    EXPECT_EQ(e.userCertHash.empty(), !c.certificates) << c.name;
    EXPECT_EQ(e.sessionOption, c.session) << c.name;
  }
}

TEST(PortConfig, LeapCarriesItsDomainAndFollowsItsCipher) {
  connect::ConnectRecord r = Record(Ndis802_11AuthModeOpen, Ndis802_11EncryptionDisabled, {}, 1);
  r.Dot1x.AuthenProtocol = kLeap;
  r.Dot1x.ID = "bob";
  r.Dot1x.TunnelPassword = "leap-secret";
  r.Dot1x.SessionResumption = 1;
  const PortConfig config = BuildPortConfig(r, kWifi);
  EXPECT_EQ(config.eap.outerType, AC_EAP_LEAP);
  EXPECT_EQ(config.eap.identity, "bob");  // no domain: no prefix
  EXPECT_EQ(config.eap.password, "leap-secret");
  EXPECT_EQ(config.eap.sessionOption, 0);
  // Without a cipher the key management stays as the authentication mode says.
  EXPECT_EQ(config.association.keyManagement, AC_KM_OPEN);
  EXPECT_EQ(config.association.cipher, AC_CIPHER_NONE);
}

TEST(PortConfig, ServerNameGoesToTheCheckItsRuleNames) {
  connect::ConnectRecord r = EapRecord(kPeap);
  r.Dot1x.UseServerCert = 1;
  r.Dot1x.ServerName = "radius.corp.example";
  r.Dot1x.IntermediateCert = 1;
  r.Dot1x.ServerCertHash = {0xCA};
  EapConfig e = BuildEapConfig(r);
  EXPECT_EQ(e.serverNameForCn, "radius.corp.example");
  EXPECT_TRUE(e.serverNameForDomain.empty());
  EXPECT_EQ(e.verifyChain, 1);
  EXPECT_EQ(e.caCertHash, std::vector<uint8_t>{0xCA});
  r.Dot1x.NameRule = 1;
  e = BuildEapConfig(r);
  EXPECT_EQ(e.serverNameForDomain, "radius.corp.example");
  EXPECT_TRUE(e.serverNameForCn.empty());
  EXPECT_EQ(e.nameRule, 1);
  r.Dot1x.UseServerCert = 0;  // no check asked for: none made
  e = BuildEapConfig(r);
  EXPECT_TRUE(e.serverNameForDomain.empty() && e.caCertHash.empty() && e.verifyChain == 0);
}

TEST(PortConfig, InnerMethodsAndEapFastOptions) {
  // The TTLS choice is told to the library in its own codes.
  EXPECT_EQ(BuildEapConfig(EapRecord(kTtls, kTtlsPap)).ttlsInnerType, AC_TTLS_PAP);
  EXPECT_EQ(BuildEapConfig(EapRecord(kTtls, kTtlsChap)).ttlsInnerType, AC_TTLS_CHAP);
  EXPECT_EQ(BuildEapConfig(EapRecord(kTtls, kTtlsMsChapV2)).ttlsInnerType, AC_TTLS_MSCHAPV2);
  connect::ConnectRecord fast = EapRecord(kEapFast, kEapGenericTokenCard, kEapMsChapV2);
  fast.Dot1x.UsePAC = 1;
  fast.Dot1x.ProvisionMode = 1;
  EapConfig e = BuildEapConfig(fast);
  EXPECT_EQ(e.innerType, kEapGenericTokenCard);
  EXPECT_EQ(e.secondInnerType, kEapMsChapV2);
  EXPECT_EQ(e.pacTypeOption, 1);
  EXPECT_EQ(e.provisionOption, 2);
  fast.Dot1x.UsePAC = 0;
  fast.Dot1x.ProvisionMode = 0;
  e = BuildEapConfig(fast);
  EXPECT_EQ(e.pacTypeOption, 0);
  EXPECT_EQ(e.provisionOption, 1);
  // A pre-shared key or a record without 802.1X has no EAP part.
  EXPECT_EQ(
      BuildPortConfig(
          Record(Ndis802_11AuthModeWPA2PSK, Ndis802_11Encryption3Enabled, "correct horse"), kWifi)
          .eap.outerType,
      AC_EAP_NONE);
  connect::ConnectRecord plain = EapRecord(kPeap);
  plain.Use8021X = 0;
  EXPECT_EQ(BuildEapConfig(plain).outerType, AC_EAP_NONE);
}

TEST(PortConfig, AProfilesEapValuesReachTheRecordWhenTheSupplicantIsThere) {
  profiles::ProfileValues v;
  v.Set("SSID", "Corp");
  v.Set("NetworkType", "1");
  v.Set("AuthenType", "6");
  v.Set("Use8021X", "1");
  v.Set("AuthenProtocol", "2");
  v.Set("TunnelProtocol", "4");
  v.Set("ID", "alice");
  v.Set("TunnelPassword", "inner-secret");
  v.Set("UseClientCert", "0");
  v.Set("ClientCertLen", "1");
  v.Set("ClientCertData", "c1");
  v.Set("UseServerCert", "1");
  v.Set("ServerCertLen", "1");
  v.Set("ServerCertData", "ca");
  ScriptedDriver driver;
  std::optional<int> ofdm;
  connect::ProfileEnvironment env;
  env.supplicantAvailable = true;
  const connect::ConnectRecord r = connect::BuildFromProfile(v, false, env, driver, &ofdm);
  EXPECT_EQ(r.Dot1x.AuthenProtocol, kTtls);
  EXPECT_EQ(r.Dot1x.TtlsInnerMethod, kTtlsPap);
  EXPECT_EQ(r.Dot1x.ID, "alice");
  EXPECT_TRUE(r.Dot1x.ClientCertHash.empty());  // only with its use switch
  EXPECT_EQ(r.Dot1x.ServerCertHash, std::vector<uint8_t>{0xCA});
  EXPECT_EQ(BuildEapConfig(r).password, "inner-secret");

  env.supplicantAvailable = false;
  EXPECT_TRUE(connect::BuildFromProfile(v, false, env, driver, &ofdm).Dot1x.ID.empty());
}

TEST(AuthStatusList, WrapsAfterTwoHundredAndMarksTheEnd) {
  AuthStatusList list;
  for (int i = 0; i < AuthStatusList::kEntries; ++i) {
    EXPECT_EQ(list.Add("line " + std::to_string(i)), i);
  }
  EXPECT_EQ(list.Count(), 0);  // wrapped
  // A list that starts over clears the old lines first.
  EXPECT_EQ(list.Add("again"), 0);
  EXPECT_EQ(list.Entry(0), "again");
  EXPECT_EQ(list.Entry(1), "");
  EXPECT_EQ(list.Add(std::string(400, 'x')), 1);
  EXPECT_EQ(list.Entry(1).size(), AuthStatusList::kEntryChars);
  EXPECT_EQ(list.MarkDone(), 2);
  EXPECT_EQ(list.Entry(2), kAuthDoneMarker);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Entry(-1), "");
  EXPECT_EQ(list.Entry(AuthStatusList::kEntries), "");
}

}  // namespace
}  // namespace kavo9::dot1x
