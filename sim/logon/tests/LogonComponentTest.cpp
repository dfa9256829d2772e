#include "sim/logon/LogonComponent.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/platform/fake/FakePlatform.h"

namespace kavo9::logon {
namespace {

constexpr const char* kWinlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kSso = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Tesmar";
constexpr const char* kProfile = "System\\Class\\0007\\Profile\\Station\\Office";

// A machine set up for single sign-on with the profile "Office".
struct Machine {
  Machine() {
    Put(kWinlogon, "GinaDLL", "TesmarGina.DLL");
    Put(kSso, "SSOInstall", "1");
    Put(kSso, "SSOEnable", "1");
    Put(kSso, "CurProfile", "Office");
    Put(kSso, "SSOProfilePath", kProfile);
    Put(kSso, "SSOReleaseAegis", "1");
    Put(kProfile, "SSID", "corp");
  }
  void Put(const std::string& path, const char* name, const std::string& text) {
    EXPECT_EQ(RegWriteString(*fake.registry, HKEY_LOCAL_MACHINE, path, name, text), 0);
  }
  std::string Get(const std::string& path, const char* name) {
    std::string text;
    return RegReadString(*fake.registry, HKEY_LOCAL_MACHINE, path, name, &text) == 0 ? text
                                                                                     : "<missing>";
  }
  FakePlatform fake;
};

class LogonComponentTest : public ::testing::Test, public Machine {};

TEST_F(LogonComponentTest, ADomainLogonAuthenticatesAndReportsBack) {
  const LogonOutcome outcome = RunLogon(*fake.registry, {"CORP\\alice", "", false});
  EXPECT_TRUE(outcome.authenticated);
  EXPECT_EQ(Get(kSso, "WinlogonDomain"), "CORP");
  EXPECT_EQ(Get(kSso, "SSOAuthenticationCancelled"), "0");
  EXPECT_EQ(Get(kSso, "SSOReleaseAegis"), "0");
  const std::string session = std::string(kSso) + "\\Session";
  EXPECT_EQ(Get(session, "User"), "alice");
  EXPECT_EQ(Get(session, "Credentials"), "windows-logon");
}

TEST_F(LogonComponentTest, ACancelledAuthenticationIsReported) {
  Put(kSso, "SavedPassword", "2");
  const LogonOutcome outcome = RunLogon(*fake.registry, {"alice", "CORP", true});
  EXPECT_FALSE(outcome.authenticated);
  EXPECT_EQ(Get(kSso, "WinlogonDomain"), "CORP");  // the machine's domain
  EXPECT_EQ(Get(kSso, "SSOAuthenticationCancelled"), "1");
  EXPECT_EQ(Get(std::string(kSso) + "\\Session", "Credentials"), "prompt");
}

TEST_F(LogonComponentTest, WhatKeepsTheComponentOutOfTheLogon) {
  // A local logon forgets the domain of the one before.
  Put(kSso, "WinlogonDomain", "OLD");
  Put(kSso, "SSOEnable", "0");
  EXPECT_FALSE(RunLogon(*fake.registry, {"alice", "", false}).authenticated);
  EXPECT_EQ(Get(kSso, "WinlogonDomain"), "<missing>");
  EXPECT_EQ(Get(kSso, "SSOAuthenticationCancelled"), "<missing>");

  // A profile that is gone cannot authenticate: the utility is told as for a cancel.
  Put(kSso, "SSOEnable", "1");
  Put(kSso, "SSOProfilePath", "System\\Class\\0007\\Profile\\Station\\Gone");
  EXPECT_FALSE(RunLogon(*fake.registry, {"alice", "", false}).authenticated);
  EXPECT_EQ(Get(kSso, "SSOAuthenticationCancelled"), "1");

  // Not the logon library, or not installed: the record is not touched.
  for (auto [path, name, text] :
       {std::tuple{kWinlogon, "GinaDLL", "msgina.dll"}, std::tuple{kSso, "SSOInstall", "0"}}) {
    Machine fresh;
    fresh.Put(path, name, text);
    EXPECT_FALSE(RunLogon(*fresh.fake.registry, {"CORP\\alice", "", false}).authenticated);
    EXPECT_EQ(fresh.Get(kSso, "WinlogonDomain"), "<missing>");
  }
}

}  // namespace
}  // namespace kavo9::logon
