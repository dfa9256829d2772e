#include "station/dot1x/sso/SsoLogon.h"

#include "common/adapter/DriverValues.h"
#include "station/dot1x/sso/tests/SsoFixture.h"

namespace kavo9::sso {
namespace {

using testing::SsoFixture;

class SsoLogonTest : public SsoFixture {
 protected:
  void MediaStatus(uint32_t status) {
    driver.answers[OID_GEN_MEDIA_CONNECT_STATUS] = {uint8_t(status), 0, 0, 0};
  }
  int MediaQueries() const {
    int n = 0;
    for (const DriverRequest& r : driver.log) n += r.oid == OID_GEN_MEDIA_CONNECT_STATUS;
    return n;
  }
  SsoLogonState state;
};

TEST_F(SsoLogonTest, WhatTheComponentReportedDecidesWhetherALogonIsPending) {
  struct Case {
    const char* name;
    const char* enable;     // null: missing
    const char* cancelled;  // null: missing
    bool pending;
    uint32_t settleMs;
    std::optional<std::string> cancelledAfter;
  };
  const Case cases[] = {
      {"cancelled at logon", "1", "1", true, kLogonSettleMs, "1"},
      {"cancelled, other text", "1", "yes", true, kLogonSettleMs, "yes"},
      {"authenticated at logon", "1", "0", false, kLogonSettleMs, "0"},
      {"nothing reported", "1", nullptr, false, 0, std::nullopt},
      {"feature off resets the report", "0", "1", false, 0, "0"},
      {"feature never set", nullptr, "1", false, 0, "1"},
  };
  for (const auto& c : cases) {
    fake.registry->DeleteTree(HKEY_LOCAL_MACHINE, kSsoKey);
    PutSso(kInstallValue, "1");
    if (c.enable) PutSso(kEnableValue, c.enable);
    if (c.cancelled) PutSso(kCancelledValue, c.cancelled);
    SsoLogonState fresh;
    EXPECT_EQ(fresh.ReadSsoLogonState(*fake.registry, store), c.settleMs) << c.name;
    EXPECT_EQ(fresh.LogonPending(), c.pending) << c.name;
    EXPECT_EQ(Sso(kCancelledValue), c.cancelledAfter) << c.name;
  }
}

TEST_F(SsoLogonTest, AKeyThatDoesNotOpenKeepsWhatWasKnown) {
  PutSso(kEnableValue, "1");
  PutSso(kCancelledValue, "1");
  state.ReadSsoLogonState(*fake.registry, store);
  ASSERT_TRUE(state.LogonPending());
  fake.registry->DeleteTree(HKEY_LOCAL_MACHINE, kSsoKey);
  EXPECT_EQ(state.ReadSsoLogonState(*fake.registry, store), 0u);
  EXPECT_TRUE(state.LogonPending());
}

TEST_F(SsoLogonTest, TheConnectionRuleWithoutAPendingLogon) {
  using S = SsoConnectStep;
  struct Case {
    bool supplicant, autoReconnect, installed;
    SsoConnectStep step;
  };
  const Case cases[] = {
      {true, true, true, S::kQueueAndRun},  {false, true, true, S::kRememberOnly},
      {true, false, true, S::kNothing},     {false, false, true, S::kNothing},
      {true, true, false, S::kQueueAndRun}, {false, true, false, S::kQueueAndRun},
      {true, false, false, S::kNothing},    {false, false, false, S::kNothing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(state.ConnectOrWait(driver, {c.supplicant, c.autoReconnect, c.installed}), c.step)
        << c.supplicant << c.autoReconnect << c.installed;
  }
  EXPECT_EQ(MediaQueries(), 0);  // only a pending logon asks the adapter
}

TEST_F(SsoLogonTest, ACancelledLogonLeavesAConnectedAdapterAloneOnceThenConnectsNormally) {
  PutSso(kEnableValue, "1");
  PutSso(kCancelledValue, "1");
  const SsoConnectFacts facts{true, true, true};

  MediaStatus(kMediaConnected);
  state.ReadSsoLogonState(*fake.registry, store);
  EXPECT_EQ(state.ConnectOrWait(driver, facts), SsoConnectStep::kNothing);
  EXPECT_FALSE(state.LogonPending());
  EXPECT_EQ(state.ConnectOrWait(driver, facts), SsoConnectStep::kQueueAndRun);
  EXPECT_EQ(MediaQueries(), 1);

  // Disconnected: joined, but only when the supplicant runs and reconnection is on.
  MediaStatus(kMediaDisconnected);
  const std::pair<SsoConnectFacts, SsoConnectStep> cases[] = {
      {{true, true, true}, SsoConnectStep::kQueueAndRun},
      {{false, true, true}, SsoConnectStep::kNothing},
      {{true, false, true}, SsoConnectStep::kNothing},
  };
  for (const auto& [given, step] : cases) {
    state.ReadSsoLogonState(*fake.registry, store);
    ASSERT_TRUE(state.LogonPending());
    EXPECT_EQ(state.ConnectOrWait(driver, given), step);
  }
  // A media query that fails says nothing: the adapter is left alone.
  driver.refused.insert(OID_GEN_MEDIA_CONNECT_STATUS);
  state.ReadSsoLogonState(*fake.registry, store);
  EXPECT_EQ(state.ConnectOrWait(driver, facts), SsoConnectStep::kNothing);
}

}  // namespace
}  // namespace kavo9::sso
