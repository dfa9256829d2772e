#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "station/dot1x/reentry/Reentry.h"
#include "station/dot1x/supplicant/testing/ScriptedSupplicant.h"
#include "station/shell/controller/testing/RecordingParts.h"

namespace kavo9::dot1x {
namespace {

TEST(ReentryView, FieldsAndMessagePerMethod) {
  const struct {
    int reason, method;
    bool entry, password, domain;
    const char* key;
  } cases[] = {
      {1, kPeap, true, true, false, "IDS_INVALID_IDPW"},
      {2, kTls, true, false, false, "IDS_INVALID_IDPW"},
      {1, kEapFast, true, true, true, "IDS_INVALID_IDPW"},
      {1, kLeap, true, true, true, "IDS_INVALID_IDPW"},
      {1, kMd5Challenge, true, true, false, "IDS_INVALID_IDPW"},
      {0, kPeap, false, false, false, "IDS_PEAP_TIMEOUT"},
      {0, kTls, false, false, false, "IDS_TLS_TIMEOUT"},
      {0, kTtls, false, false, false, "IDS_TTLS_TIMEOUT"},
      {0, kEapFast, false, false, false, "IDS_EAP_FAST_TIMEOUT"},
      {0, kMd5Challenge, false, false, false, "IDS_MD5_TIMEOUT"},
      {0, kLeap, false, false, false, "IDS_LEAP_TIMEOUT"},
  };
  for (const auto& c : cases) {
    const ReentryView v = ReentryViewFor(c.reason, c.method);
    EXPECT_EQ(v.entryMode, c.entry) << c.key << c.method;
    EXPECT_EQ(v.identityShown, c.entry) << c.method;
    EXPECT_EQ(v.passwordShown, c.password) << c.method;
    EXPECT_EQ(v.domainShown, c.domain) << c.method;
    EXPECT_EQ(v.messageKey, c.key) << c.method;
  }
}

class ReentryTest : public ::testing::Test {
 protected:
  ReentryTest() {
    driver.Answer(OID_802_3_CURRENT_ADDRESS, library.portMac);
    binding.SetEnvironment(
        {.writeText =
             [this](std::string_view name, std::string_view text, bool profileToo) {
               writes.push_back(std::string(name) + "=" + std::string(text) +
                                (profileToo ? " +" : ""));
             },
         .credentialsChanged =
             [this](const connect::ConnectRecord& r) { changedTo.push_back(r.Dot1x.TunnelID); }});
    binding.SetReentry([this](int reason) { reasons.push_back(reason); }, [] { return false; });
    binding.Start();
  }

  // A connection with `method` the server rejects.
  void Rejected(int method, uint8_t leap = 0) {
    connect::ConnectRecord r;
    r.InfraMode = Ndis802_11Infrastructure;
    r.SetSsid("Corp");
    r.AuthMode = leap ? Ndis802_11AuthModeOpen : Ndis802_11AuthModeWPA2;
    r.Encryption = leap ? Ndis802_11Encryption1Enabled : Ndis802_11Encryption3Enabled;
    r.Use8021X = leap ? 0 : 1;
    r.LeapEnabled = leap;
    r.LeapUserName = "leapy";
    r.Dot1x.AuthenProtocol = method;
    r.Dot1x.ID = "alice";
    r.Dot1x.TunnelPassword = "wrong";
    r.Dot1x.DomainName = "CORP";
    binding.Start8021X(r);
    library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_SEE_STATUS, AC_STATUS_REJECTED_HARD);
    loop.RunPosted();
  }

  VirtualEventLoop loop;
  ScriptedDriver driver;
  ScriptedSupplicant library;
  StationState state;
  SupplicantBinding binding{{library, driver, loop, state}};
  RecordingConnect connect;
  bool askNextTime = false;
  Reentry reentry{{binding, driver, connect,
                   [](std::string_view name) {
                     return std::string(name == "DriverDesc" ? "Kavo9 Wireless Adapter" : "Office");
                   },
                   [this] { askNextTime = true; }}};
  std::vector<int> reasons;
  std::vector<std::string> writes;
  std::vector<std::string> changedTo;  // the connection's copy of the record, told
};

TEST_F(ReentryTest, NewCredentialsAreCheckedKeptAndTheStationAssociatesAgain) {
  Rejected(kPeap);
  ASSERT_EQ(reasons, std::vector<int>{1});
  const ReentryView v = reentry.Show();
  EXPECT_EQ(v.cardName, "Kavo9 Wireless Adapter");
  EXPECT_EQ(v.profileName, "Office");
  EXPECT_EQ(reentry.Ok("", "x", ""), std::string("Must input Identity"));
  EXPECT_EQ(reentry.Ok("bob", "", ""), std::string("Must input Password"));
  EXPECT_TRUE(writes.empty());
  const int associations = library.Count("PortAssociate");
  EXPECT_EQ(reentry.Ok("bob", "right", "ignored"), std::nullopt);
  EXPECT_TRUE(connect.autoReconnect);
  // Written under both keys; the hidden domain field keeps the stored domain.
  EXPECT_EQ(writes,
            (std::vector<std::string>{"ID=bob +", "TunnelID=bob +", "TunnelPassword=right +"}));
  const connect::ConnectRecord r = *binding.RecordCopy();
  EXPECT_EQ(r.Dot1x.TunnelID, "bob");
  EXPECT_EQ(r.Dot1x.DomainName, "CORP");
  EXPECT_EQ(changedTo, std::vector<std::string>{"bob"});
  // The port starts again with the new password.
  EXPECT_EQ(library.Count("PortAssociate"), associations + 1);
  EXPECT_EQ(library.texts.back(), "right");
  const DriverRequest* ssid = driver.LastSet(OID_802_11_SSID);
  ASSERT_NE(ssid, nullptr);
  EXPECT_EQ(ssid->value.size(), 36u);
  EXPECT_EQ(ssid->value[0], 4);
  EXPECT_EQ(std::string(ssid->value.begin() + 4, ssid->value.begin() + 8), "Corp");
}

TEST_F(ReentryTest, PerMethodWrites) {
  Rejected(kTls);
  reentry.Show();
  EXPECT_EQ(reentry.Ok("bob", "", ""), std::nullopt);  // TLS: no password asked for
  EXPECT_EQ(writes, (std::vector<std::string>{"ID=bob +", "TunnelID=bob +"}));
  writes.clear();
  Rejected(kMd5Challenge);
  reentry.Show();
  reentry.Ok("bob", "md5-secret", "");
  EXPECT_EQ(writes, (std::vector<std::string>{"ID=bob +", "Password=md5-secret +", "TunnelID=bob +",
                                              "TunnelPassword=md5-secret +"}));
  writes.clear();
  Rejected(kLeap, 1);
  const ReentryView v = reentry.Show();
  EXPECT_TRUE(v.domainShown);
  reentry.Ok("bob", "leap-secret", "WORK");
  EXPECT_EQ(writes, (std::vector<std::string>{"LeapUserName=bob +", "LeapPassword=leap-secret +",
                                              "LeapDomainName=WORK +"}));
  EXPECT_EQ(binding.Config().eap.identity, "WORK\\bob");
}

TEST_F(ReentryTest, ATimeOutAsksNothingAndCancelWithdrawsReconnection) {
  Rejected(kTtls);
  library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_SEE_STATUS, AC_STATUS_TIMEOUT);
  loop.RunPosted();
  EXPECT_EQ(binding.RejectReason(), 0);
  const ReentryView v = reentry.Show();
  EXPECT_FALSE(v.entryMode);
  EXPECT_EQ(v.messageKey, "IDS_TTLS_TIMEOUT");
  EXPECT_EQ(reentry.Ok("", "", ""), std::nullopt);
  EXPECT_TRUE(writes.empty());
  EXPECT_NE(driver.LastSet(OID_802_11_SSID), nullptr);
  connect.autoReconnect = true;
  reentry.Cancel();
  EXPECT_FALSE(connect.autoReconnect);
  EXPECT_TRUE(askNextTime);
}

}  // namespace
}  // namespace kavo9::dot1x
