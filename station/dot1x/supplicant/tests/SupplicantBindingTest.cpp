#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "station/dot1x/supplicant/SupplicantBinding.h"
#include "station/dot1x/supplicant/testing/ScriptedSupplicant.h"

namespace kavo9::dot1x {
namespace {

class SupplicantBindingTest : public ::testing::Test {
 protected:
  SupplicantBindingTest() {
    driver.Answer(OID_802_3_CURRENT_ADDRESS, library.portMac);
    binding.SetStatusView([this](int index) {
      told.push_back(index);
      shown.push_back(binding.StatusList().Entry(index));
    });
  }

  connect::ConnectRecord PskRecord(std::string pass = "correct horse battery staple") {
    connect::ConnectRecord r;
    r.InfraMode = Ndis802_11Infrastructure;
    r.SetSsid("Apartment 4B");
    r.AuthMode = Ndis802_11AuthModeWPA2PSK;
    r.Encryption = Ndis802_11Encryption3Enabled;
    r.PassPhrase = std::move(pass);
    return r;
  }

  // The library reports the exchange of a good key, one event at a time.
  void Authenticate() {
    library.Fire(AC_PORT_EVENT_STATE, AC_STATE_SEE_STATUS, AC_STATUS_STARTING);
    library.Fire(AC_PORT_EVENT_STATE, AC_STATE_CONNECTING);
    library.linkState = AC_LINK_UP;
    library.Fire(AC_PORT_EVENT_LINK);
    library.Fire(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATING);
    library.Fire(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATED);
  }

  VirtualEventLoop loop;
  ScriptedDriver driver;
  ScriptedSupplicant library;
  StationState state;
  SupplicantBinding binding{{library, driver, loop, state}};
  std::vector<int> told;
  std::vector<std::string> shown;
};

TEST_F(SupplicantBindingTest, StartsTheLibraryAndBindsTheAdaptersPort) {
  binding.Start();
  EXPECT_TRUE(binding.IsRunning());
  EXPECT_TRUE(binding.HasPort());
  EXPECT_EQ(library.Count("Init"), 1);
  binding.Start();  // started and bound: nothing more
  EXPECT_EQ(library.Count("Init"), 1);
  EXPECT_EQ(library.Count("Attach"), 1);
  binding.ReleasePorts();
  EXPECT_FALSE(binding.HasPort());
  EXPECT_EQ(library.Count("Detach"), 1);
  binding.Stop();
  EXPECT_FALSE(binding.IsRunning());
  EXPECT_EQ(library.Count("Exit"), 1);
}

TEST_F(SupplicantBindingTest, NoPortWithoutTheAdaptersAddressOrTheLibrary) {
  library.portMac[5] ^= 1;
  binding.Start();
  EXPECT_TRUE(binding.IsRunning());
  EXPECT_FALSE(binding.HasPort());

  ScriptedSupplicant broken;
  broken.initResult = AC_ERR_FAILED;
  SupplicantBinding other({broken, driver, loop, state});
  other.Start();
  EXPECT_FALSE(other.IsRunning());
  EXPECT_EQ(broken.Count("Attach"), 0);

  state.configToolState = kConfigToolService;
  ScriptedSupplicant idle;
  SupplicantBinding managed({idle, driver, loop, state});
  managed.Start();
  EXPECT_EQ(idle.Count("Init"), 0);
}

TEST_F(SupplicantBindingTest, PassPhraseStartsThePortOnceAndStopFreesForTheNext) {
  binding.Start();
  binding.TakePassPhrase(PskRecord());
  EXPECT_TRUE(binding.Started());
  ASSERT_EQ(library.psks.size(), 1u);
  EXPECT_EQ(library.psks[0].passPhrase, "correct horse battery staple");
  EXPECT_EQ(library.psks[0].ssid, "Apartment 4B");
  EXPECT_EQ(library.association.keyManagement, uint32_t(AC_KM_WPA2_PSK));
  EXPECT_EQ(library.association.cipher, uint32_t(AC_CIPHER_AES));
  // Key, then authentication, then association.
  std::vector<std::string> order;
  for (const auto& c : library.calls) {
    if (c == "CredRsnPsk" || c == "PortAuth" || c == "PortAssociate") order.push_back(c);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"CredRsnPsk", "PortAuth", "PortAssociate"}));
  binding.StartPort();  // already started: the configuration is rebuilt, the port not restarted
  EXPECT_EQ(library.Count("PortAssociate"), 1);
  EXPECT_EQ(library.livePsks, 1);

  binding.StopPortForConnect();
  EXPECT_FALSE(binding.Started());
  EXPECT_EQ(library.Count("PortStop"), 1);
  binding.TakePassPhrase(PskRecord(std::string(64, 'a')));
  EXPECT_TRUE(library.psks.back().binary);
  EXPECT_EQ(library.livePsks, 1);  // the old key was destroyed
  EXPECT_EQ(library.Count("PortAssociate"), 2);
}

TEST_F(SupplicantBindingTest, EventsBecomeLinesOnTheUserInterfaceThreadThenTheChecksRun) {
  binding.Start();
  binding.TakePassPhrase(PskRecord());
  Authenticate();
  EXPECT_TRUE(shown.empty());  // nothing is written from the library's thread
  loop.RunPosted();
  EXPECT_EQ(shown,
            (std::vector<std::string>{
                "Starting network connection...", "Network is connecting...",
                "Wireless client is authenticated.", "Network Link is connected.",
                "DHCP is Enabled.", "Succeed. IP address is 192.168.7.100.",
                "Detecting IPX Frame Type.", "IPX protocol is not installed on this machine."}));
  EXPECT_TRUE(binding.Authenticated());
  loop.Advance(PostAuthCheck::kEndDelayMs - 1);
  EXPECT_EQ(shown.size(), 8u);
  loop.Advance(1);
  ASSERT_EQ(shown.size(), 9u);
  EXPECT_EQ(shown.back(), kAuthDoneMarker);
  EXPECT_EQ(told.back(), 8);
  EXPECT_EQ(binding.StatusList().Count(), 0);
}

// A further step (the domain controller's check) writes its lines after IPX; the end marker waits
// for it, and a step cancelled with the checks never calls back.
TEST_F(SupplicantBindingTest, AFurtherStepRunsAfterIpxAndTheEndMarkerWaitsForIt) {
  struct Step : PostAuthStep {
    SupplicantBinding* binding = nullptr;
    std::function<void()> done;
    int cancels = 0;
    void Start(std::function<void()> d) override {
      binding->AddAuthStatusLine("Finding Domain Controller - ACME");
      done = std::move(d);
    }
    void Cancel() override { ++cancels; }
  } step;
  step.binding = &binding;
  binding.SetPostAuthStep(&step);
  binding.Start();
  binding.TakePassPhrase(PskRecord());
  Authenticate();
  loop.RunPosted();
  ASSERT_EQ(shown.size(), 9u);
  EXPECT_EQ(shown[7], "IPX protocol is not installed on this machine.");
  EXPECT_EQ(shown[8], "Finding Domain Controller - ACME");
  loop.Advance(10 * PostAuthCheck::kEndDelayMs);
  EXPECT_EQ(shown.size(), 9u);  // no end marker while the step runs
  ASSERT_TRUE(step.done);
  step.done();
  loop.Advance(PostAuthCheck::kEndDelayMs);
  EXPECT_EQ(shown.back(), kAuthDoneMarker);
  binding.SetPostAuthStep(nullptr);
}

TEST_F(SupplicantBindingTest, LinkChecksGiveUpAfterFifteenLooksAndAddressFallsBack) {
  library.ipConnected = false;
  library.address = {};
  binding.Start();
  binding.TakePassPhrase(PskRecord());
  library.Fire(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATED);
  loop.RunPosted();
  loop.Advance(PostAuthCheck::kLinkLookMs * (PostAuthCheck::kLinkLooks - 2));
  EXPECT_EQ(shown.back(), "Wireless client is authenticated.");
  loop.Advance(PostAuthCheck::kLinkLookMs);
  EXPECT_EQ(shown[1], "Network Link is NOT connected.");
  EXPECT_EQ(shown[3], "Network Link is NO IP address.");
  EXPECT_EQ(library.Count("IpDhcpRenew"), 1);
  // A second success while the checks run starts no second run.
  library.Fire(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATED);
  loop.RunPosted();
  EXPECT_EQ(library.Count("IpDhcpRenew"), 1);
}

TEST_F(SupplicantBindingTest, FailuresAndLinkLossAreReported) {
  binding.Start();
  binding.TakePassPhrase(PskRecord("a wrong phrase"));
  library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_SEE_STATUS, AC_STATUS_TIMEOUT);
  library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_SEE_STATUS, AC_STATUS_REJECTED);
  library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_CONNECTING, AC_STATUS_LINK_DOWN);
  loop.RunPosted();
  EXPECT_EQ(shown,
            (std::vector<std::string>{"Authenticating Timeout.",
                                      "Authentication failed - Identity or password is invalid.",
                                      "Network Link is NOT connected."}));
  EXPECT_FALSE(binding.Authenticated());
}

TEST_F(SupplicantBindingTest, WhileTheServiceManagesTheAdapterEventsChangeNothing) {
  binding.Start();
  binding.TakePassPhrase(PskRecord());
  state.configToolState = kConfigToolService;
  Authenticate();
  loop.RunPosted();
  EXPECT_TRUE(shown.empty());
  EXPECT_FALSE(binding.Authenticated());
}

TEST_F(SupplicantBindingTest, EventsQueuedForAGoneBindingAreDropped) {
  auto gone =
      std::make_unique<SupplicantBinding>(SupplicantBindingParts{library, driver, loop, state});
  gone->Start();
  library.Fire(AC_PORT_EVENT_STATE, AC_STATE_CONNECTING);
  gone.reset();
  loop.RunPosted();  // must not reach the destroyed binding
  SUCCEED();
}

namespace kavo9::dot1x {
namespace {

TEST_F(SupplicantBindingTest, RejectionsAndTimeOutsAskForCredentialsOnlyFor8021X) {
  std::vector<int> reasons;
  bool generic = false;
  binding.SetReentry([&](int reason) { reasons.push_back(reason); }, [&] { return generic; });
  binding.Start();
  auto record = PskRecord();
  record.AuthMode = Ndis802_11AuthModeWPA2;
  record.Use8021X = 1;
  binding.Start8021X(record);
  struct Case {
    int status;
    bool generic;
    std::vector<int> reasons;
  };
  const Case cases[] = {{AC_STATUS_REJECTED, false, {}},
                        {AC_STATUS_REJECTED, true, {2}},
                        {AC_STATUS_REJECTED_HARD, false, {1}},
                        {AC_STATUS_TIMEOUT, false, {0}}};
  for (const Case& c : cases) {
    reasons.clear();
    generic = c.generic;
    library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_SEE_STATUS, c.status);
    loop.RunPosted();
    EXPECT_EQ(reasons, c.reasons) << c.status;
  }
  EXPECT_EQ(binding.RejectReason(), 0);

  // A record bound to a BSSID, and a pre-shared key, never ask.
  reasons.clear();
  record.BssidBound = 1;
  binding.StopPortForConnect();
  binding.Start8021X(record);
  library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_SEE_STATUS, AC_STATUS_REJECTED_HARD);
  loop.RunPosted();
  binding.StopPortForConnect();
  binding.TakePassPhrase(PskRecord("a wrong phrase"));
  library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_SEE_STATUS, AC_STATUS_TIMEOUT);
  loop.RunPosted();
  EXPECT_TRUE(reasons.empty());
}

}  // namespace
}  // namespace kavo9::dot1x

namespace kavo9::dot1x {
namespace {

TEST_F(SupplicantBindingTest, LeapCredentialsAnswerTheLibraryWithTheDomain) {
  binding.Start();
  connect::ConnectRecord r;
  r.InfraMode = Ndis802_11Infrastructure;
  r.SetSsid("ACME-Corp");
  r.Encryption = Ndis802_11Encryption1Enabled;
  r.LeapEnabled = 1;
  r.LeapUserName = "alice";
  r.LeapPassword = "s3cret";
  r.LeapDomain = "ACME";
  binding.Start8021X(r);
  EXPECT_EQ(library.texts, (std::vector<std::string>{"ACME\\alice", "s3cret"}));
  library.Request(5, AC_CRED_IDENTITY);
  library.Request(6, AC_CRED_PASSWORD);
  EXPECT_EQ(library.Answers(),
            (std::vector<std::string>{"identity 5", "complete 5", "password 6", "complete 6"}));
  binding.ReleasePorts();
  EXPECT_EQ(library.Count("DestroyIdentity"), 1);
  EXPECT_EQ(library.Count("DestroyPassword"), 1);
}

}  // namespace
}  // namespace kavo9::dot1x

namespace kavo9::dot1x {
namespace {

connect::ConnectRecord PeapRecord() {
  connect::ConnectRecord r;
  r.InfraMode = Ndis802_11Infrastructure;
  r.SetSsid("Corp");
  r.AuthMode = Ndis802_11AuthModeWPA2;
  r.Encryption = Ndis802_11Encryption3Enabled;
  r.Use8021X = 1;
  r.Dot1x.AuthenProtocol = kPeap;
  r.Dot1x.InnerEapType = kEapMsChapV2;
  r.Dot1x.ID = "alice";
  r.Dot1x.TunnelID = "alice-inner";
  r.Dot1x.TunnelPassword = "inner-secret";
  r.Dot1x.UseServerCert = 1;
  r.Dot1x.ServerName = "radius.corp.example";
  r.Dot1x.ServerCertHash = {0xCA, 0xFE};
  return r;
}

TEST_F(SupplicantBindingTest, AStoredPeapProfileIsAnsweredOnTheLibrarysThreadAlone) {
  binding.Start();
  binding.Start8021X(PeapRecord());
  EXPECT_EQ(library.texts, (std::vector<std::string>{"alice", "alice-inner", "inner-secret"}));
  EXPECT_EQ(library.urls, std::vector<std::string>{"cert:3:cafe"});
  library.Request(1, AC_CRED_IDENTITY, 0);
  library.Request(2, AC_CRED_EAP_METHODS, 0);
  library.Request(3, AC_CRED_IDENTITY, 1);
  library.Request(4, AC_CRED_EAP_METHODS, 1);
  library.Request(5, AC_CRED_PASSWORD, 1);
  EXPECT_EQ(library.Answers(),
            (std::vector<std::string>{"identity 1", "complete 1", "methods 2 25 1", "complete 2",
                                      "identity 3", "complete 3", "methods 4 26 1", "complete 4",
                                      "password 5", "complete 5"}));
  // The server check runs on the worker with the stored name as a common name.
  library.certFields = {{AC_FIELD_COMMON_NAME, "radius.corp.example"}};
  library.Request(6, AC_CRED_SERVER_CHECK);
  ASSERT_TRUE(library.WaitForAnswers(13));
  EXPECT_EQ(library.Answers().at(11), "verified 6 1");
  binding.ReleasePorts();
  EXPECT_EQ(library.liveObjects, 0);
}

TEST_F(SupplicantBindingTest, TheAuthenticatingLineNamesTheMethod) {
  binding.Start();
  const struct {
    int method;
    const char* line;
  } cases[] = {{kPeap, "PEAP Authenticating..."},
               {kTls, "TLS Authenticating..."},
               {kTtls, "TTLS Authenticating..."},
               {kEapFast, "EAP-FAST Authenticating..."},
               {kMd5Challenge, "MD5 Authenticating..."}};
  for (const auto& c : cases) {
    connect::ConnectRecord r = PeapRecord();
    r.Dot1x.AuthenProtocol = c.method;
    binding.Start8021X(r);
    shown.clear();
    library.Fire(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATING);
    loop.RunPosted();
    EXPECT_EQ(shown, std::vector<std::string>{c.line});
    binding.StopPortForConnect();
  }
  binding.TakePassPhrase(PskRecord());
  shown.clear();
  library.Fire(AC_PORT_EVENT_STATE, AC_STATE_AUTHENTICATING);
  loop.RunPosted();
  EXPECT_TRUE(shown.empty());  // a pre-shared key names no method
}

TEST_F(SupplicantBindingTest, AnUnusablePacIsDeletedAndTheSwitchOffersTheSecondInnerMethod) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("kavo9-binding-pac-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  bool enhanced = false;
  binding.SetEnvironment({.eapFastEnhancement = [&] { return enhanced; },
                          .currentProfile = [] { return std::string("Office"); },
                          .hostPath = [&](std::string_view p) { return folder / p; }});
  binding.Start();
  connect::ConnectRecord r = PeapRecord();
  r.Dot1x.AuthenProtocol = kEapFast;
  r.Dot1x.InnerEapType = kEapGenericTokenCard;
  r.Dot1x.ProvisioningTunnel = kEapMsChapV2;
  binding.Start8021X(r);
  library.Request(1, AC_CRED_EAP_METHODS, 1);
  enhanced = true;
  library.Request(2, AC_CRED_EAP_METHODS, 1);
  EXPECT_EQ(library.Answers(), (std::vector<std::string>{"methods 1 6 1", "complete 1",
                                                         "methods 2 26 1", "complete 2"}));

  { std::ofstream(folder / "Office.pac") << "stale"; }
  library.Fire(AC_PORT_EVENT_STATUS, AC_STATE_SEE_STATUS, AC_STATUS_PAC_319);
  loop.RunPosted();
  EXPECT_FALSE(std::filesystem::exists(folder / "Office.pac"));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace kavo9::dot1x

// A CCX port takes its radio options at attach and CCX as the last step of its configuration; a
// rogue access point is reported, and with automatic reconnection the station joins again.
TEST_F(SupplicantBindingTest, ACcxPortReportsARogueAccessPointAndJoinsAgain) {
  library.ccxVersion = 4;
  std::atomic<bool> reconnect = true;
  binding.SetAutoReconnect([&reconnect] { return reconnect.load(); });
  binding.Start();
  EXPECT_EQ(library.Count("CcxRadioCfg"), 2);  // the options, then a zero word
  EXPECT_EQ(binding.RadioConfig(), 7u);
  connect::ConnectRecord record = PskRecord();
  record.CcxBytes = 1;
  binding.TakePassPhrase(record);
  EXPECT_EQ(library.Count("CcxEnable"), 1);
  EXPECT_EQ(library.Count("CcxRogueApTimeout"), 1);
  const int joins = library.Count("PortAssociate");
  library.Request(9, AC_CRED_ROGUE_AP);
  ASSERT_TRUE(library.WaitForAnswers(3));
  EXPECT_EQ(library.Answers(), (std::vector<std::string>{"deferred 9", "rogue 9 1", "complete 9"}));
  // Without automatic reconnection the station stays away. The worker takes one request at a
  // time, so once the second is answered the first's new join has been asked for.
  reconnect = false;
  library.Request(10, AC_CRED_ROGUE_AP);
  ASSERT_TRUE(library.WaitForAnswers(6));
  EXPECT_EQ(library.Count("PortAssociate"), joins + 1);
}

}  // namespace
}  // namespace kavo9::dot1x
