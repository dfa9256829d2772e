#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "station/dot1x/supplicant/CredentialRequests.h"
#include "station/dot1x/supplicant/testing/ScriptedSupplicant.h"

namespace kavo9::dot1x {
namespace {

using Answers = std::vector<std::string>;

acCredRequest Request(uint32_t id, uint32_t type, uint32_t level = 0) {
  acCredRequest r{};
  r.id = id;
  r.type = type;
  r.level = level;
  return r;
}

acObject Object(uintptr_t n) {
  return reinterpret_cast<acObject>(n);
}

// The station around the port: a stored tunnel password, and a password panel that answers at
// once when told how, or waits for the test.
class PanelHost : public CredentialHost {
 public:
  std::string TunnelPassword() override {
    std::lock_guard hold(lock);
    return tunnelPassword;
  }
  void OpenPasswordPanel(bool change, std::function<void(bool)> done) override {
    std::unique_lock hold(lock);
    opened.push_back(change);
    if (answer) {
      if (*answer) tunnelPassword = typed;
      hold.unlock();
      done(*answer);
      return;
    }
    pending = std::move(done);
    changed.notify_all();
  }
  bool EapFastEnhancement() override { return enhancement; }
  bool WaitForPanel() {
    std::unique_lock hold(lock);
    return changed.wait_for(hold, std::chrono::seconds(5), [this] { return bool(pending); });
  }

  std::mutex lock;
  std::condition_variable changed;
  std::string tunnelPassword = "stored-secret";
  std::string typed = "typed-secret";
  std::optional<bool> answer = true;
  std::vector<bool> opened;
  std::function<void(bool)> pending;
  bool enhancement = false;
};

PortCredentials Peap() {
  PortCredentials c;
  c.eap.outerType = AC_EAP_PEAP;
  c.eap.innerType = AC_EAP_MSCHAPV2;
  return c;
}

PortCredentials Fast(int inner, int second) {
  PortCredentials c;
  c.eap.outerType = AC_EAP_FAST;
  c.eap.innerType = inner;
  c.eap.secondInnerType = second;
  return c;
}

class CredentialRequestsTest : public ::testing::Test {
 protected:
  // The answers to one request made to a freshly bound port, once `count` are in.
  Answers Answer(const PortCredentials& credentials, uint32_t type, uint32_t level, size_t count) {
    ScriptedSupplicant library;
    CredentialRequests requests(library);
    requests.SetHost(&host, nullptr, nullptr);
    requests.StartCredentialWorker();
    requests.Bind(7, credentials);
    requests.CredentialCallback(Request(1, type, level));
    library.WaitForAnswers(count);
    requests.StopCredentialWorker();
    return library.Answers();
  }

  PanelHost host;
};

TEST_F(CredentialRequestsTest, EachRequestTypeGetsItsAnswer) {
  PortCredentials stored = Peap();
  stored.identity = Object(1);
  stored.tunnelIdentity = Object(2);
  stored.password = Object(3);
  stored.userCert = Object(4);
  stored.sessionOption = 1;
  stored.eap.ttlsInnerType = AC_TTLS_PAP;
  PortCredentials bare = Peap();
  PortCredentials pacTypeOne = Fast(AC_EAP_GTC, AC_EAP_MSCHAPV2);
  pacTypeOne.eap.pacTypeOption = 1;
  pacTypeOne.eap.provisionOption = 2;
  const struct {
    const char* name;
    const PortCredentials& port;
    uint32_t type, level;
    Answers answers;
  } cases[] = {
      {"session start",
       stored,
       AC_CRED_SESSION_START,
       0,
       {"deferred 1", "session 1 1", "complete 1"}},
      {"outer identity", stored, AC_CRED_IDENTITY, 0, {"identity 1", "complete 1"}},
      {"tunnel identity", stored, AC_CRED_IDENTITY, 1, {"identity 1", "complete 1"}},
      {"no identity: an empty one",
       bare,
       AC_CRED_IDENTITY,
       1,
       {"deferred 1", "identity 1", "complete 1"}},
      {"outer method", stored, AC_CRED_EAP_METHODS, 0, {"methods 1 25 1", "complete 1"}},
      {"inner method", stored, AC_CRED_EAP_METHODS, 1, {"methods 1 26 1", "complete 1"}},
      {"no inner method: the library's",
       Fast(AC_EAP_NONE, AC_EAP_GTC),
       AC_CRED_EAP_METHODS,
       1,
       {"methods 1 26 1", "complete 1"}},
      {"stored password", stored, AC_CRED_PASSWORD, 0, {"password 1", "complete 1"}},
      {"password from the record",
       bare,
       AC_CRED_PASSWORD,
       0,
       {"deferred 1", "password 1", "complete 1"}},
      {"first retry", bare, AC_CRED_PASSWORD_RETRY, 0, {"deferred 1", "password 1", "complete 1"}},
      {"server check", bare, AC_CRED_SERVER_CHECK, 0, {"deferred 1", "verified 1 1", "complete 1"}},
      {"user certificate", stored, AC_CRED_USER_CERT, 0, {"usercert 1 1", "complete 1"}},
      {"notification", stored, AC_CRED_NOTIFICATION, 0, {"complete 1"}},
      {"PAC types {1}", pacTypeOne, AC_CRED_FAST_PAC_TYPES, 0, {"pactypes 1 {1}", "complete 1"}},
      {"PAC types none", bare, AC_CRED_FAST_PAC_TYPES, 0, {"pactypes 1 {}", "complete 1"}},
      {"TTLS inner", stored, AC_CRED_TTLS_INNER, 0, {"ttls 1 1", "complete 1"}},
      {"rogue AP", bare, AC_CRED_ROGUE_AP, 0, {"deferred 1", "rogue 1 0", "complete 1"}},
      {"machine identity: failed", bare, AC_CRED_MACHINE_IDENTITY, 0, {"deferred 1", "complete 1"}},
      {"provisioning {1}",
       pacTypeOne,
       AC_CRED_FAST_PROVISION_MODES,
       0,
       {"modes 1 {1}", "complete 1"}},
      {"provisioning {2}", bare, AC_CRED_FAST_PROVISION_MODES, 0, {"modes 1 {2}", "complete 1"}},
      {"PAC without a store: failed", bare, AC_CRED_FAST_PAC, 0, {"deferred 1", "complete 1"}},
      {"unknown type", stored, 14, 0, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Answer(c.port, c.type, c.level, c.answers.size()), c.answers) << c.name;
  }
}

TEST_F(CredentialRequestsTest, EapFastOffersItsSecondInnerMethodWhenEnhanced) {
  const PortCredentials fast = Fast(AC_EAP_GTC, AC_EAP_MSCHAPV2);
  EXPECT_EQ(Answer(fast, AC_CRED_EAP_METHODS, 1, 2), (Answers{"methods 1 6 1", "complete 1"}));
  host.enhancement = true;
  EXPECT_EQ(Answer(fast, AC_CRED_EAP_METHODS, 1, 2), (Answers{"methods 1 26 1", "complete 1"}));
  EXPECT_EQ(Answer(fast, AC_CRED_EAP_METHODS, 0, 2), (Answers{"methods 1 43 1", "complete 1"}));
}

TEST_F(CredentialRequestsTest, AnErrorEndsTheAnswerButAlreadyAnsweredCompletes) {
  ScriptedSupplicant library;
  CredentialRequests requests(library);
  requests.Bind(7, {.identity = Object(1)});
  library.answerResult = AC_ERR_ALREADY_ANSWERED;
  requests.CredentialCallback(Request(1, AC_CRED_IDENTITY));
  library.answerResult = AC_ERR_FAILED;
  requests.CredentialCallback(Request(2, AC_CRED_IDENTITY));
  // Without a worker the queue takes nothing: the request is failed instead of waiting.
  requests.CredentialCallback(Request(3, AC_CRED_SESSION_START));
  requests.CredentialCallback(Request(4, AC_CRED_PASSWORD_RETRY));
  EXPECT_EQ(library.Answers(), (Answers{"identity 1", "complete 1", "identity 2", "deferred 3",
                                        "complete 3", "complete 4"}));
  requests.Unbind();
  requests.CredentialCallback(Request(9, AC_CRED_IDENTITY));  // no port: nothing
  EXPECT_EQ(library.Answers().size(), 6u);
}

TEST_F(CredentialRequestsTest, ARetryThatFailsAgainAsksTheUser) {
  ScriptedSupplicant library;
  CredentialRequests requests(library);
  requests.SetHost(&host, nullptr, nullptr);
  requests.StartCredentialWorker();
  requests.Bind(7, Peap());
  auto sent = [&](uint32_t id, uint32_t type) {
    requests.CredentialCallback(Request(id, type));
    library.WaitForAnswers(library.Answers().size() + 2);
    return library.texts.empty() ? std::string() : library.texts.back();
  };
  EXPECT_EQ(sent(1, AC_CRED_PASSWORD_RETRY), "stored-secret");
  EXPECT_TRUE(host.opened.empty());
  library.WaitForAnswers(3);
  EXPECT_EQ(sent(2, AC_CRED_PASSWORD_RETRY), "typed-secret");  // the panel asked
  EXPECT_EQ(host.opened, std::vector<bool>{false});
  library.WaitForAnswers(6);
  // Cancelled: the retry fails instead of sending anything.
  host.answer = false;
  const size_t made = library.texts.size();
  requests.CredentialCallback(Request(3, AC_CRED_PASSWORD_RETRY));
  library.WaitForAnswers(8);
  requests.StopCredentialWorker();
  EXPECT_EQ(library.texts.size(), made);
  const Answers answers = library.Answers();
  EXPECT_EQ(Answers(answers.end() - 2, answers.end()), (Answers{"deferred 3", "complete 3"}));
}

TEST_F(CredentialRequestsTest, APasswordChangeWaitsForThePanel) {
  ScriptedSupplicant library;
  CredentialRequests requests(library);
  requests.SetHost(&host, nullptr, nullptr);
  requests.StartCredentialWorker();
  requests.Bind(7, Peap());
  host.answer.reset();
  requests.CredentialCallback(Request(1, AC_CRED_PASSWORD_CHANGE));
  ASSERT_TRUE(host.WaitForPanel());
  EXPECT_EQ(host.opened, std::vector<bool>{true});
  EXPECT_EQ(library.Answers(), Answers{"deferred 1"});
  {
    std::lock_guard hold(host.lock);
    host.tunnelPassword = "changed-secret";
  }
  host.pending(true);
  ASSERT_TRUE(library.WaitForAnswers(3));
  requests.StopCredentialWorker();
  EXPECT_EQ(library.Answers(), (Answers{"deferred 1", "password 1", "complete 1"}));
  EXPECT_EQ(library.texts.back(), "changed-secret");
}

TEST_F(CredentialRequestsTest, AFullQueueFailsAndUnbindingGivesUpThePanel) {
  ScriptedSupplicant library;
  CredentialRequests requests(library);
  requests.SetHost(&host, nullptr, nullptr);
  requests.StartCredentialWorker();
  requests.Bind(7, Peap());
  host.answer.reset();
  requests.CredentialCallback(Request(1, AC_CRED_PASSWORD_CHANGE));
  ASSERT_TRUE(host.WaitForPanel());  // the worker waits for the user
  for (uint32_t id = 2; id <= 12; ++id)
    requests.CredentialCallback(Request(id, AC_CRED_SERVER_CHECK));
  Answers answers = library.Answers();
  ASSERT_EQ(answers.size(), 13u);
  EXPECT_EQ(Answers(answers.end() - 2, answers.end()), (Answers{"deferred 12", "complete 12"}));
  // Unbinding does not wait for the user: the change and everything queued end failed.
  requests.Unbind();
  answers = library.Answers();
  EXPECT_EQ(answers.size(), 13u + 11u);
  EXPECT_EQ(std::count(answers.begin(), answers.end(), "complete 1"), 1);
  EXPECT_EQ(std::count(answers.begin(), answers.end(), "complete 11"), 1);
  host.pending(true);  // a panel that answers late changes nothing
  requests.StopCredentialWorker();
  EXPECT_EQ(library.Answers().size(), answers.size());
}

TEST_F(CredentialRequestsTest, TheBoundObjectsAreDestroyedWithThePort) {
  ScriptedSupplicant library;
  CredentialRequests requests(library);
  requests.SetHost(&host, nullptr, nullptr);
  requests.StartCredentialWorker();
  acObject identity = nullptr, password = nullptr;
  library.CreateIdentity(&identity, "alice");
  library.CreatePassword(&password, "secret");
  PortCredentials c = Peap();
  c.identity = identity;
  c.password = password;
  requests.Bind(7, c);
  requests.CredentialCallback(Request(1, AC_CRED_PASSWORD_RETRY));  // replaces the password
  ASSERT_TRUE(library.WaitForAnswers(3));
  EXPECT_EQ(library.liveObjects, 3);
  requests.Unbind();
  EXPECT_EQ(library.liveObjects, 0);
}

}  // namespace
}  // namespace kavo9::dot1x
