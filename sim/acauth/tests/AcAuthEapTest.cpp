#include "sim/acauth/tests/AcAuthEapFixture.h"

namespace kavo9::test {
namespace {

using Requests = std::vector<std::pair<int, int>>;

TEST_F(AcAuthEapTest, PeapMsChapV2AsksInARealSupplicantsOrderAndOpensThePort) {
  program.answers.cnName = "radius.acme.example";
  ConnectWpa2("ACME-Corp");
  ASSERT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  EXPECT_TRUE(PortOpen());
  std::lock_guard hold(program.mutex);
  EXPECT_EQ(program.requests, (Requests{{AC_CRED_SESSION_START, 0},
                                        {AC_CRED_IDENTITY, 0},
                                        {AC_CRED_NOTIFICATION, 0},
                                        {AC_CRED_EAP_METHODS, 0},
                                        {AC_CRED_SERVER_CHECK, 0},
                                        {AC_CRED_IDENTITY, 1},
                                        {AC_CRED_EAP_METHODS, 1},
                                        {AC_CRED_PASSWORD, 1}}));
  EXPECT_EQ(program.notification, "Welcome to ACME-Corp");
  ASSERT_GE(program.events.size(), 4u);
  EXPECT_EQ(program.events[2], std::make_pair(AC_PORT_EVENT_LINK, AC_LINK_UP));
  EXPECT_EQ(program.events[3], std::make_pair(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATING));
}

TEST_F(AcAuthEapTest, AnswersPutOffToAnotherThreadCompleteTheAuthentication) {
  program.answers.defer = true;
  program.answers.inner = AC_EAP_GTC;
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  EXPECT_TRUE(PortOpen());
}

TEST_F(AcAuthEapTest, TheServerCheckFollowsTheProgramsNameRules) {
  struct Case {
    const char* what;
    std::string dns, cn;
    bool suffix;
    int end;
  };
  const Case cases[] = {
      {"exact DNS name", "radius.acme.example", "", false, AC_STATE_AUTHENTICATED},
      {"the domain of its DC components", "acme.example", "", false, AC_STATE_AUTHENTICATED},
      {"suffix allowed", "example", "", true, AC_STATE_AUTHENTICATED},
      {"suffix not allowed", "example", "", false, AC_STATUS_REJECTED},
      {"suffix off a label boundary", "cme.example", "", true, AC_STATUS_REJECTED},
      {"another server", "evil.example", "", false, AC_STATUS_REJECTED},
      {"common name", "", "RADIUS.acme.example", false, AC_STATE_AUTHENTICATED},
      {"wrong common name", "", "radius.acme", false, AC_STATUS_REJECTED},
  };
  for (const Case& c : cases) {
    program.answers.dnsName = c.dns;
    program.answers.cnName = c.cn;
    program.answers.suffix = c.suffix;
    ConnectWpa2("ACME-Corp");
    EXPECT_EQ(program.WaitForEnd(), c.end) << c.what;
    EXPECT_EQ(PortOpen(), c.end == AC_STATE_AUTHENTICATED) << c.what;
  }
}

TEST_F(AcAuthEapTest, AServerFromAnUnknownCaFailsTheCaCheck) {
  AddNetwork({{"ssid", "Lobby"},
              {"bssid", "00-55-66-77-88-99"},
              {"channel", 6},
              {"signal", -40},
              {"security", "wpa2-enterprise"},
              {"dot1x",
               {{"methods", {"peap"}},
                {"users", {{{"identity", "alice"}, {"password", "Wonderland-1"}}}},
                {"server", {{"commonName", "radius.acme.example"}, {"untrusted", true}}}}}});
  ConnectWpa2("Lobby");
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED);
  program.answers.checkCa = false;  // a program that checks nothing trusts it
  ConnectWpa2("Lobby");
  EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
}

TEST_F(AcAuthEapTest, ARefusedInnerPasswordIsAskedAgainThenRejected) {
  program.answers.passwords = {"wrong", "Wonderland-1"};
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  EXPECT_EQ(program.Types().back(), AC_CRED_PASSWORD_RETRY);

  program.answers.passwords = {"wrong"};
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED_HARD);
  const auto types = program.Types();
  EXPECT_EQ(std::count(types.begin(), types.end(), AC_CRED_PASSWORD_RETRY), 2);
  EXPECT_FALSE(PortOpen());
}

TEST_F(AcAuthEapTest, AnExpiredPasswordIsChangedAndTheNewOneHolds) {
  program.answers.identity = program.answers.tunnelIdentity = "bob";
  program.answers.passwords = {"Builder-2", "Builder-3"};
  ConnectWpa2("ACME-Corp");
  ASSERT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  EXPECT_EQ(program.Types().back(), AC_CRED_PASSWORD_CHANGE);

  program.answers.passwords = {"Builder-3"};
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  EXPECT_EQ(program.Types().back(), AC_CRED_PASSWORD);
}

TEST_F(AcAuthEapTest, TlsProvesTheUsersCertificate) {
  program.answers.outer = AC_EAP_TLS;
  ConnectWpa2("ACME-Corp");
  ASSERT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  EXPECT_EQ(program.Types().back(), AC_CRED_USER_CERT);
  EXPECT_TRUE(PortOpen());

  program.answers.userCert = false;
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED);
}

TEST_F(AcAuthEapTest, TtlsRunsEachInnerMethodsArithmetic) {
  program.answers.outer = AC_EAP_TTLS;
  for (int inner : {AC_TTLS_PAP, AC_TTLS_CHAP, AC_TTLS_MSCHAP, AC_TTLS_MSCHAPV2, AC_TTLS_EAP_MD5}) {
    program.answers.ttlsInner = inner;
    program.answers.passwords = {"Wonderland-1"};
    ConnectWpa2("ACME-Corp");
    EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED) << "inner " << inner;
    std::lock_guard hold(program.mutex);
    EXPECT_EQ(program.requests.back(), std::make_pair(AC_CRED_PASSWORD, 1)) << "inner " << inner;
  }
  program.answers.passwords = {"wrong"};
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED_HARD);
}

TEST_F(AcAuthEapTest, EapFastProvisionsAPacAndThenAuthenticatesWithIt) {
  program.answers.outer = AC_EAP_FAST;
  program.answers.identity = "INITECH\\alice";
  program.answers.passwords = {"Initech-3"};
  ConnectWpa2("Initech-FAST");
  ASSERT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  {
    std::lock_guard hold(program.mutex);
    EXPECT_EQ(program.requests, (Requests{{AC_CRED_SESSION_START, 0},
                                          {AC_CRED_IDENTITY, 0},
                                          {AC_CRED_EAP_METHODS, 0},
                                          {AC_CRED_FAST_PAC, 0},
                                          {AC_CRED_FAST_PROVISION_MODES, 0},
                                          {AC_CRED_FAST_PAC_TYPES, 0},
                                          {AC_CRED_SERVER_CHECK, 0},
                                          {AC_CRED_IDENTITY, 1},
                                          {AC_CRED_EAP_METHODS, 1},
                                          {AC_CRED_PASSWORD, 1},
                                          {AC_CRED_FAST_PAC_SAVE, 0},
                                          {AC_CRED_IDENTITY, 1},
                                          {AC_CRED_EAP_METHODS, 1},
                                          {AC_CRED_PASSWORD, 1}}));
    EXPECT_EQ(std::string(program.pac[AC_PAC_IID].begin(), program.pac[AC_PAC_IID].end()), "alice");
    EXPECT_EQ(program.pac[AC_PAC_KEY].size(), 32u);
    bool provisioned = false;
    for (const auto& e : program.events)
      provisioned = provisioned || e == std::make_pair(AC_PORT_EVENT_STATE, AC_STATE_SEE_STATUS);
    EXPECT_TRUE(provisioned);
  }
  int status = 0;
  acPortGetStatus(program.handle, &status);
  EXPECT_EQ(status, AC_STATUS_NONE);

  ConnectWpa2("Initech-FAST");
  ASSERT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  const auto types = program.Types();
  EXPECT_EQ(std::count(types.begin(), types.end(), AC_CRED_FAST_PAC_SAVE), 0);
  EXPECT_EQ(std::count(types.begin(), types.end(), AC_CRED_FAST_PROVISION_MODES), 0);
  EXPECT_TRUE(PortOpen());
}

TEST_F(AcAuthEapTest, AnExpiredOrRevokedPacIsReportedAndReplaced) {
  for (const auto& [flag, status] :
       {std::make_pair("pacExpired", AC_STATUS_PAC_318), std::make_pair("pacRevoked", 319)}) {
    const std::string ssid = std::string("FAST-") + flag;
    nlohmann::json dot1x = {{"methods", {"fast"}},
                            {"users", {{{"identity", "alice"}, {"password", "Initech-3"}}}}};
    AddNetwork(
        {{"ssid", ssid},
         {"bssid", std::string(flag) == "pacExpired" ? "00-55-66-77-88-01" : "00-55-66-77-88-02"},
         {"channel", 1},
         {"signal", -40},
         {"security", "wpa2-enterprise"},
         {"dot1x", dot1x}});
    program.answers.outer = AC_EAP_FAST;
    program.answers.passwords = {"Initech-3"};
    {
      std::lock_guard hold(program.mutex);
      program.pac.clear();  // a PAC of another server
    }
    ConnectWpa2(ssid);
    ASSERT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED) << flag;
    // The server's settings change: PACs it handed out before now count as expired or revoked.
    ASSERT_EQ(program.pac.count(AC_PAC_OPAQUE), 1u);
    nlohmann::json reply;
    SendDaemonCommand(machine, {{"cmd", "world"}, {"op", "remove"}, {"target", ssid}}, &reply,
                      &error);
    dot1x[flag] = true;
    AddNetwork(
        {{"ssid", ssid},
         {"bssid", std::string(flag) == "pacExpired" ? "00-55-66-77-88-01" : "00-55-66-77-88-02"},
         {"channel", 1},
         {"signal", -40},
         {"security", "wpa2-enterprise"},
         {"dot1x", dot1x}});
    ConnectWpa2(ssid);
    EXPECT_TRUE(program.WaitFor(AC_PORT_EVENT_STATUS, status)) << flag;
    EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED) << flag;
  }
}

TEST_F(AcAuthEapTest, LeapAndMd5ProveThePasswordOnTheirLinks) {
  program.answers.outer = AC_EAP_LEAP;
  program.answers.identity = "DOCKS\\dockworker";
  program.answers.passwords = {"Forklift-4"};
  Connect("Dockside-LEAP", Ndis802_11AuthModeWPA, Ndis802_11Encryption2Enabled, AC_KM_WPA,
          AC_CIPHER_TKIP);
  EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  EXPECT_TRUE(PortOpen());

  program.answers.outer = AC_EAP_MD5;
  program.answers.identity = "nurse";
  program.answers.passwords = {"Stethoscope-5"};
  Connect("Clinic-MD5", Ndis802_11AuthModeOpen, Ndis802_11EncryptionDisabled, AC_KM_OPEN,
          AC_CIPHER_NONE);
  EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  EXPECT_TRUE(PortOpen());
  EXPECT_EQ(program.Types(), (std::vector<int>{AC_CRED_SESSION_START, AC_CRED_IDENTITY,
                                               AC_CRED_EAP_METHODS, AC_CRED_PASSWORD}));

  program.answers.passwords = {"wrong"};
  Connect("Clinic-MD5", Ndis802_11AuthModeOpen, Ndis802_11EncryptionDisabled, AC_KM_OPEN,
          AC_CIPHER_NONE);
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED_HARD);
  EXPECT_FALSE(PortOpen());
}

TEST_F(AcAuthEapTest, ServerFaultsEndWithTheirStatuses) {
  struct Case {
    const char* bssid;
    nlohmann::json flags;
    int outer;
    int end;
    int requestSeen;
  };
  const Case cases[] = {
      {"00-55-66-77-99-01", {{"serverDown", true}}, AC_EAP_PEAP, AC_STATUS_TIMEOUT, 0},
      {"00-55-66-77-99-02", {{"rejected", true}}, AC_EAP_PEAP, AC_STATUS_REJECTED, 0},
      {"00-55-66-77-99-03", {{"rejected", 302}}, AC_EAP_PEAP, AC_STATUS_REJECTED_HARD, 0},
      {"00-55-66-77-99-04", {{"rogueAp", true}}, AC_EAP_LEAP, AC_STATUS_REJECTED, AC_CRED_ROGUE_AP},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string ssid = "Faulty-" + std::to_string(++n);
    nlohmann::json dot1x = {{"methods", {"peap", "leap"}},
                            {"users", {{{"identity", "alice"}, {"password", "Wonderland-1"}}}}};
    dot1x.update(c.flags);
    AddNetwork({{"ssid", ssid},
                {"bssid", c.bssid},
                {"channel", 1},
                {"signal", -40},
                {"security", "wpa2-enterprise"},
                {"dot1x", dot1x}});
    program.answers.outer = c.outer;
    ConnectWpa2(ssid);
    EXPECT_EQ(program.WaitForEnd(std::chrono::seconds(20)), c.end) << c.flags.dump();
    EXPECT_FALSE(PortOpen()) << c.flags.dump();
    if (c.requestSeen) {
      const auto types = program.Types();
      EXPECT_NE(std::find(types.begin(), types.end(), c.requestSeen), types.end());
    }
  }
}

TEST_F(AcAuthEapTest, ARogueAccessPointIsReportedAfterTheProgramLeftIt) {
  AddNetwork({{"ssid", "Dockside-LEAP"},
              {"bssid", "00-40-96-1E-A9-66"},
              {"channel", 1},
              {"signal", -30},
              {"security", "wpa-enterprise"},
              {"dot1x",
               {{"methods", {"leap"}},
                {"users", {{{"identity", "dockworker"}, {"password", "Forklift-4"}}}},
                {"rogueAp", true}}}});
  program.answers.outer = AC_EAP_LEAP;
  program.answers.identity = "dockworker";
  program.answers.passwords = {"Forklift-4"};
  program.answers.disassociateOnRogue = true;
  Connect("Dockside-LEAP", Ndis802_11AuthModeWPA, Ndis802_11Encryption2Enabled, AC_KM_WPA,
          AC_CIPHER_TKIP);
  std::unique_lock hold(program.mutex);
  ASSERT_TRUE(program.changed.wait_for(hold, std::chrono::seconds(15),
                                       [&] { return !program.rogueResults.empty(); }));
  // The request outlived the disassociation: reported and completed; nothing follows.
  EXPECT_EQ(program.rogueResults, (std::vector<int>{AC_OK, AC_OK, AC_OK}));
  hold.unlock();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  int state = -1;
  acPortGetState(program.handle, &state);
  EXPECT_EQ(state, AC_STATE_IDLE);
  EXPECT_FALSE(PortOpen());
}

TEST_F(AcAuthEapTest, EapFastProvisionsAnonymouslyOrNotAtAll) {
  program.answers.outer = AC_EAP_FAST;
  program.answers.passwords = {"Initech-3"};
  program.answers.provisionModes = {1};
  ConnectWpa2("Initech-FAST");
  ASSERT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  auto types = program.Types();
  EXPECT_EQ(std::count(types.begin(), types.end(), AC_CRED_SERVER_CHECK), 0);
  EXPECT_EQ(std::count(types.begin(), types.end(), AC_CRED_FAST_PAC_SAVE), 1);

  AddNetwork({{"ssid", "FAST-only"},
              {"bssid", "00-55-66-77-88-03"},
              {"channel", 1},
              {"signal", -40},
              {"security", "wpa2-enterprise"},
              {"dot1x",
               {{"methods", {"fast"}},
                {"fastProvisioning", nlohmann::json::array()},
                {"users", {{{"identity", "alice"}, {"password", "Initech-3"}}}}}}});
  {
    std::lock_guard hold(program.mutex);
    program.pac.clear();
  }
  ConnectWpa2("FAST-only");
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED);
}

TEST_F(AcAuthEapTest, ARequestCompletedWithoutItsAnswerFailsTheAuthentication) {
  program.answers.defer = true;
  program.answers.silentType = AC_CRED_PASSWORD;
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED);
  EXPECT_FALSE(PortOpen());
  // An identity of zero bytes (what a program makes of an empty buffer) names nobody.
  program.answers = Answers{};
  program.answers.tunnelIdentity = std::string(128, '\0');
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED_HARD);
}

TEST_F(AcAuthEapTest, ARequestNobodyAnswersFailsTheAuthentication) {
  // A program without a credential callback answers nothing.
  acPortDetach(program.handle);
  char name[AC_PORT_NAME_BYTES] = {};
  ASSERT_EQ(acGetNextPortSymName(nullptr, name), AC_OK);
  ASSERT_EQ(acPortAttach(&program.handle, name, &program, &Program::OnEvent, nullptr), AC_OK);
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATUS_REJECTED);
  EXPECT_FALSE(PortOpen());
}

}  // namespace
}  // namespace kavo9::test

namespace kavo9::test {
namespace {

TEST_F(AcAuthEapTest, TheDaemonRefusesMalformedConversationsAndKeepsServing) {
  const std::string adapter = scenario.adapters[0].instanceId;
  ConnectWpa2("ACME-Corp");
  ASSERT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
  const nlohmann::json bad[] = {
      {{"cmd", "auth"}, {"op", "eap"}, {"adapter", adapter}, {"eap", 5}},
      {{"cmd", "auth"}, {"op", 7}, {"adapter", adapter}},
      {{"cmd", "auth"}, {"op", "eapol-start"}, {"adapter", adapter}, {"keyMgmt", "x"}},
      {{"cmd", "auth"}, {"op", "eapol"}, {"adapter", adapter}, {"frame", 12}},
  };
  for (const auto& request : bad) {
    nlohmann::json reply;
    SendDaemonCommand(machine, request, &reply, &error);
    EXPECT_FALSE(reply.value("ok", true)) << request.dump();
  }
  // A conversation fed nonsense ends in a refusal, and the next one runs as before.
  nlohmann::json reply;
  ASSERT_TRUE(SendDaemonCommand(
      machine, {{"cmd", "auth"}, {"op", "eap-start"}, {"adapter", adapter}}, &reply, &error))
      << error;
  SendDaemonCommand(machine,
                    {{"cmd", "auth"},
                     {"op", "eap"},
                     {"adapter", adapter},
                     {"eap", {{"identity", {1, 2}}, {"method", "peap"}}}},
                    &reply, &error);
  ConnectWpa2("ACME-Corp");
  EXPECT_EQ(program.WaitForEnd(), AC_STATE_AUTHENTICATED);
}

}  // namespace
}  // namespace kavo9::test
