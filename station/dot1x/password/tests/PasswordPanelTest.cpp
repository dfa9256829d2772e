#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "station/dot1x/password/PasswordPanel.h"
#include "station/dot1x/supplicant/testing/ScriptedSupplicant.h"

namespace kavo9::dot1x {
namespace {

TEST(PasswordPanel, TextsFollowTheRequestAndTheMethod) {
  const struct {
    bool change;
    int method;
    const char* title;
    const char* identityLabel;
    const char* passwordLabel;
    bool readOnly;
  } cases[] = {
      {true, kPeap, "Enter your new password", "Identity", "Password", true},
      {true, kEapFast, "Enter your new password", "Identity", "Password", true},
      {false, kPeap, "Peap Setting - One Time Password", "Tunnel Identity", "Tunnel Password",
       false},
      {false, kTtls, "Enter your new username and password", "Identity", "Password", false},
      {false, kLeap, "Enter your new username and password", "Identity", "Password", false},
  };
  for (const auto& c : cases) {
    const PasswordPanelView v = PasswordPanelViewFor(c.change, c.method, "alice-inner");
    EXPECT_EQ(v.title, c.title);
    EXPECT_EQ(v.description, std::string("Description : ") + c.title);
    EXPECT_EQ(v.identityLabel, c.identityLabel);
    EXPECT_EQ(v.passwordLabel, c.passwordLabel);
    EXPECT_EQ(v.identityReadOnly, c.readOnly);
    EXPECT_EQ(v.focusPassword, c.change);
    EXPECT_EQ(v.identity, c.change ? "alice-inner" : "");
  }
}

class PasswordPanelTest : public ::testing::Test {
 protected:
  PasswordPanelTest() {
    driver.Answer(OID_802_3_CURRENT_ADDRESS, library.portMac);
    binding.SetEnvironment(
        {.writeText = [this](std::string_view name, std::string_view text, bool profileToo) {
          writes.push_back(std::string(name) + "=" + std::string(text) + (profileToo ? " +" : ""));
        }});
    binding.SetPasswordPanel(
        [this](bool change) {
          opened.push_back(change);
          panel.Open(change);
        },
        [this] { closed = true; });
    binding.Start();
  }

  void Connect(int method) {
    connect::ConnectRecord r;
    r.InfraMode = Ndis802_11Infrastructure;
    r.SetSsid("Corp");
    r.AuthMode = Ndis802_11AuthModeWPA2;
    r.Encryption = Ndis802_11Encryption3Enabled;
    r.Use8021X = 1;
    r.Dot1x.AuthenProtocol = method;
    r.Dot1x.ID = "alice";
    r.Dot1x.TunnelID = "alice-inner";
    r.Dot1x.TunnelPassword = "old-secret";
    binding.Start8021X(r);
  }

  // The worker opens the panel through the event loop: run it until the panel is open.
  bool PanelOpened() {
    for (int i = 0; i < 500 && opened.empty(); ++i) {
      loop.RunPosted();
      if (opened.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return !opened.empty();
  }

  VirtualEventLoop loop;
  ScriptedDriver driver;
  ScriptedSupplicant library;
  StationState state;
  SupplicantBinding binding{{library, driver, loop, state}};
  PasswordPanel panel{binding};
  std::vector<bool> opened;
  std::vector<std::string> writes;
  bool closed = false;
};

TEST_F(PasswordPanelTest, APasswordChangeSendsWhatTheUserTypedAndStoresIt) {
  Connect(kPeap);
  library.Request(5, AC_CRED_PASSWORD_CHANGE);
  ASSERT_TRUE(PanelOpened());
  EXPECT_EQ(opened, std::vector<bool>{true});
  EXPECT_TRUE(panel.PasswordChangeActive());
  EXPECT_EQ(panel.View().identity, "alice-inner");
  panel.Ok("alice-inner", "new-secret");
  ASSERT_TRUE(library.WaitForAnswers(3));
  EXPECT_EQ(library.Answers(),
            (std::vector<std::string>{"deferred 5", "password 5", "complete 5"}));
  EXPECT_EQ(library.texts.back(), "new-secret");
  EXPECT_FALSE(panel.PasswordChangeActive());
  EXPECT_EQ(writes,
            (std::vector<std::string>{"TunnelPassword=new-secret +", "Password=new-secret +"}));
  EXPECT_EQ(binding.RecordCopy()->Dot1x.TunnelPassword, "new-secret");
  EXPECT_EQ(binding.RecordCopy()->Dot1x.ID, "alice");  // PEAP keeps its outer identity
}

TEST_F(PasswordPanelTest, CancelFailsTheRequestAndKeepsEverything) {
  Connect(kEapFast);
  library.Request(5, AC_CRED_PASSWORD_CHANGE);
  ASSERT_TRUE(PanelOpened());
  panel.Cancel();
  ASSERT_TRUE(library.WaitForAnswers(2));
  EXPECT_EQ(library.Answers(), (std::vector<std::string>{"deferred 5", "complete 5"}));
  EXPECT_TRUE(writes.empty());
  EXPECT_EQ(binding.RecordCopy()->Dot1x.TunnelPassword, "old-secret");
}

TEST_F(PasswordPanelTest, EapFastKeepsTheNewCredentialsAsItsOuterOnesToo) {
  Connect(kEapFast);
  library.Request(5, AC_CRED_PASSWORD_RETRY);  // the stored one, once
  ASSERT_TRUE(library.WaitForAnswers(3));
  library.Request(6, AC_CRED_PASSWORD_RETRY);  // failed again: the user is asked
  ASSERT_TRUE(PanelOpened());
  EXPECT_EQ(opened, std::vector<bool>{false});
  EXPECT_EQ(panel.View().title, "Enter your new username and password");
  panel.Ok("carol", "fresh");
  ASSERT_TRUE(library.WaitForAnswers(6));
  const connect::ConnectRecord r = *binding.RecordCopy();
  EXPECT_EQ(r.Dot1x.ID, "carol");
  EXPECT_EQ(r.Dot1x.Password, "fresh");
  EXPECT_EQ(r.Dot1x.TunnelID, "carol");
  EXPECT_EQ(library.texts.back(), "fresh");
}

TEST_F(PasswordPanelTest, ANewConnectionGivesUpTheOpenPanel) {
  Connect(kPeap);
  library.Request(5, AC_CRED_PASSWORD_CHANGE);
  ASSERT_TRUE(PanelOpened());
  binding.ClosePeapDialog();
  EXPECT_TRUE(closed);
  ASSERT_TRUE(library.WaitForAnswers(2));
  EXPECT_EQ(library.Answers(), (std::vector<std::string>{"deferred 5", "complete 5"}));
}

}  // namespace
}  // namespace kavo9::dot1x
