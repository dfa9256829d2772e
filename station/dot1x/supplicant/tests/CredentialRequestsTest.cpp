#include <gtest/gtest.h>

#include "common/adapter/DriverValues.h"
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

TEST(CredentialRequests, StoredCredentialsAreAnsweredAtOnceOnTheLibrarysThread) {
  ScriptedSupplicant library;
  CredentialRequests requests(library);  // no worker: nothing may need one
  requests.Bind(7, {.identity = Object(1), .tunnelIdentity = Object(2), .password = Object(3)});
  requests.CredentialCallback(Request(1, AC_CRED_IDENTITY, 0));
  requests.CredentialCallback(Request(2, AC_CRED_IDENTITY, 1));
  requests.CredentialCallback(Request(3, AC_CRED_PASSWORD));
  EXPECT_EQ(library.Answers(), (Answers{"identity 1", "complete 1", "identity 2", "complete 2",
                                        "password 3", "complete 3"}));
}

TEST(CredentialRequests, WhatIsNotStoredEndsAnsweredByTheWorker) {
  ScriptedSupplicant library;
  CredentialRequests requests(library);
  requests.StartCredentialWorker();
  requests.Bind(7, {.sessionOption = 1});
  const struct {
    uint32_t type;
    Answers answers;
  } cases[] = {
      {AC_CRED_SESSION_START, {"deferred 1", "session 1", "complete 1"}},
      {AC_CRED_IDENTITY, {"deferred 1", "identity 1", "complete 1"}},  // an empty identity
      {AC_CRED_PASSWORD, {"deferred 1", "complete 1"}},                // failed: none stored
      {AC_CRED_PASSWORD_RETRY, {"deferred 1", "complete 1"}},          // never the same again
      {AC_CRED_PASSWORD_CHANGE, {"deferred 1", "complete 1"}},
      {AC_CRED_MACHINE_IDENTITY, {"deferred 1", "complete 1"}},  // failed, not left waiting
      {AC_CRED_SERVER_CHECK, {"complete 1"}},                    // not served: failed at once
  };
  for (const auto& c : cases) {
    ScriptedSupplicant fresh;
    CredentialRequests each(fresh);
    each.StartCredentialWorker();
    each.Bind(7, {.sessionOption = 1});
    each.CredentialCallback(Request(1, c.type));
    ASSERT_TRUE(fresh.WaitForAnswers(c.answers.size())) << c.type;
    each.Unbind();  // waits for the worker
    EXPECT_EQ(fresh.Answers(), c.answers) << c.type;
  }
  requests.Unbind();
  requests.CredentialCallback(Request(9, AC_CRED_IDENTITY));  // no port: nothing
  EXPECT_TRUE(library.Answers().empty());
}

TEST(CredentialRequests, AlreadyAnsweredStillCompletesAndAFullQueueFails) {
  ScriptedSupplicant library;
  library.answerResult = AC_ERR_ALREADY_ANSWERED;
  CredentialRequests requests(library);
  requests.Bind(7, {.identity = Object(1)});
  requests.CredentialCallback(Request(1, AC_CRED_IDENTITY));
  library.answerResult = AC_ERR_FAILED;
  requests.CredentialCallback(Request(2, AC_CRED_IDENTITY));
  // Without a worker the queue takes nothing: the request is failed instead of waiting.
  requests.CredentialCallback(Request(3, AC_CRED_SESSION_START));
  EXPECT_EQ(library.Answers(),
            (Answers{"identity 1", "complete 1", "identity 2", "deferred 3", "complete 3"}));
  EXPECT_EQ(requests.QueueCredentialRequest(Request(4, AC_CRED_SESSION_START)), -1);
}

}  // namespace
}  // namespace kavo9::dot1x
