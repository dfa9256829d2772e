// The security editor of a survey connection: how it is prepared for each kind of network, what
// OK refuses and with which message, and the choices it connects with.

#include "station/dot1x/editor/SecurityEditor.h"

#include <gtest/gtest.h>

#include "station/networks/BssRecordBuilder.h"

namespace kavo9::dot1x {
namespace {

using namespace profileeditor;
using Method = connect::SecurityChoices::Method;
using Cipher = connect::SecurityChoices::Cipher;

SurveySelection Network(const char* ssid, const char* authentication, const char* cipher,
                        int securityClass, bool infrastructure = true) {
  SurveySelection s;
  s.Record = build::BssRecordBuilder()
                 .Ssid(ssid)
                 .Privacy(true)
                 .Infrastructure(infrastructure ? 1 : 0)
                 .WithSsidElement()
                 .Build();
  s.Authentication = authentication;
  s.Cipher = cipher;
  s.Secured = true;
  s.SecurityClass = securityClass;
  return s;
}

class SecurityEditorTest : public ::testing::Test {
 protected:
  SecurityEditorTest() {
    editor.SetHost(
        {.showPanel = [this] { calls.push_back("show"); },
         .returnToPages = [this] { calls.push_back("pages"); },
         .showMessage = [this](LangKey key) { calls.push_back(std::string(LangKeyName(key))); },
         .showText = [this](const std::string& text) { calls.push_back(text); },
         .connect =
             [this](const SurveySelection& s, const connect::SecurityChoices& c) {
               calls.push_back("connect");
               connected = s;
               choices = c;
             },
         .supplicantAvailable = [this] { return supplicant; },
         .windowsVersionCode = [this] { return windows; }});
  }
  bool supplicant = true;
  int windows = 8;
  SecurityEditor editor{nullptr, false};
  std::vector<std::string> calls;
  SurveySelection connected;
  connect::SecurityChoices choices;
};

// Each kind of network opens the editor with its own authentication and cipher.
TEST_F(SecurityEditorTest, ShowPreparesTheNetworksSecurity) {
  const struct {
    const char* name;
    SurveySelection network;
    int windows;
    int authentication, encryption;
    bool dot1xTab;
  } cases[] = {
      {"WPA2-PSK", Network("Apartment 4B", "WPA2-PSK", "AES", 5), 8, kAuthWpa2Psk, kEncAes, false},
      {"WPA-PSK TKIP", Network("linksys", "WPA-PSK", "TKIP", 2), 8, kAuthWpaPsk, kEncTkip, false},
      {"WPA2 on old Windows", Network("x", "WPA2-PSK", "AES", 5), 6, kAuthWpaPsk, kEncAes, false},
      {"WPA2 enterprise", Network("ACME-Corp", "WPA2", "AES", 4), 8, kAuthWpa2, kEncAes, true},
      {"WEP", Network("Hoffmann", "Unknown", "None", 0), 8, kAuthOpen, kEncWep, false},
      {"WPA-None ad hoc", Network("Ben", "WPA-NONE", "TKIP", 3, false), 8, kAuthWpaNone, kEncTkip,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    windows = c.windows;
    calls.clear();
    editor.Show(c.network);
    EXPECT_EQ(calls, std::vector<std::string>{"show"});
    EXPECT_EQ(editor.Auth().Values().authentication, c.authentication);
    EXPECT_EQ(editor.Auth().Values().encryption, c.encryption);
    EXPECT_EQ(editor.Dot1xTabEnabled(), c.dot1xTab);
    EXPECT_EQ(editor.CurrentTab(), SecurityEditorTab::kAuthEncry);
  }
}

TEST_F(SecurityEditorTest, APreSharedKeyNetworkConnectsWithThePassPhrase) {
  editor.Show(Network("Apartment 4B", "WPA2-PSK", "AES", 5));
  editor.Auth().SetPreSharedKey("short");
  EXPECT_EQ(editor.Ok()->tab, SecurityEditorTab::kAuthEncry);
  EXPECT_EQ(calls.back(), "IDS_MSGPSKKEYINVALID");

  editor.Auth().SetPreSharedKey("correct horse battery staple");
  EXPECT_EQ(editor.Ok(), std::nullopt);
  EXPECT_EQ(calls, (std::vector<std::string>{"show", "IDS_MSGPSKKEYINVALID", "pages", "connect"}));
  EXPECT_EQ(editor.Ssid(), "Apartment 4B");
  EXPECT_EQ(choices.method, Method::kWpa2Psk);
  EXPECT_EQ(choices.cipher, Cipher::kAes);
  EXPECT_EQ(choices.passPhrase, "correct horse battery staple");
  EXPECT_FALSE(editor.Pending());
}

// The WEP keys go as the bytes they stand for, and only the default key is checked.
TEST_F(SecurityEditorTest, WepKeysGoAsTheirBytes) {
  editor.Show(Network("Hoffmann", "Unknown", "None", 0));
  editor.Auth().SetKeyText(0, "1A2B3C4D5E");
  editor.Auth().SetKeyForm(1, kKeyAscii);
  editor.Auth().SetKeyText(1, "abcde");
  editor.Auth().SetKeyText(2, "123");  // not a key: sent as none
  ASSERT_EQ(editor.Ok(), std::nullopt);
  EXPECT_EQ(choices.method, Method::kOpen);
  EXPECT_TRUE(choices.wep);
  EXPECT_EQ(choices.defaultKey, 0);
  EXPECT_EQ(choices.wepKeys[0], std::string("\x1A\x2B\x3C\x4D\x5E"));
  EXPECT_EQ(choices.wepKeys[1], "abcde");
  EXPECT_EQ(choices.wepKeys[2], "");
  EXPECT_EQ(choices.wepKeys[3], "");
}

TEST(WepKeyBytes, HexDigitsPairUpOrGiveNothing) {
  EXPECT_EQ(WepKeyBytes("0aFF", kKeyHex), std::string("\x0a\xff", 2));
  EXPECT_EQ(WepKeyBytes("0aF", kKeyHex), "");
  EXPECT_EQ(WepKeyBytes("0g", kKeyHex), "");
  EXPECT_EQ(WepKeyBytes("0g", kKeyAscii), "0g");
  EXPECT_EQ(WepKeyBytes("", kKeyHex), "");
}

// WPA2 with 802.1X: the 802.1X page is checked first, then its settings go with the choices.
TEST_F(SecurityEditorTest, AnEnterpriseNetworkConnectsWithThePagesSettings) {
  editor.Show(Network("ACME-Corp", "WPA2", "AES", 4));
  ASSERT_EQ(editor.Ok()->tab, SecurityEditorTab::kDot1x);
  EXPECT_EQ(calls.back(), "IDS_IDREQUIRED");
  EXPECT_EQ(editor.CurrentTab(), SecurityEditorTab::kDot1x);

  Dot1xPageModel& page = editor.Page();
  page.SetText(Dot1xText::kUserId, "alice");
  page.SetText(Dot1xText::kTunnelId, "alice@acme");
  page.SetText(Dot1xText::kTunnelPassword, "wonderland");
  page.SetUseServerCert(true);
  page.SetText(Dot1xText::kServerName, "corp.");
  page.SetNameRule(1);
  ASSERT_TRUE(editor.Ok());
  EXPECT_EQ(calls.back(), "802.1X - Server Identity has Invalid domain name!");

  page.SetText(Dot1xText::kServerName, "radius.acme.example");
  ASSERT_EQ(editor.Ok(), std::nullopt);
  EXPECT_EQ(calls.back(), "connect");
  EXPECT_EQ(choices.method, Method::kWpa2);
  EXPECT_EQ(choices.cipher, Cipher::kAes);
  EXPECT_EQ(choices.dot1x.AuthenProtocol, kPeap);
  EXPECT_EQ(choices.dot1x.InnerEapType, kEapMsChapV2);
  EXPECT_EQ(choices.dot1x.ID, "alice");
  EXPECT_EQ(choices.dot1x.TunnelID, "alice@acme");
  EXPECT_EQ(choices.dot1x.TunnelPassword, "wonderland");
  EXPECT_EQ(choices.dot1x.UseServerCert, 1);
  EXPECT_EQ(choices.dot1x.NameRule, 1);
  EXPECT_TRUE(choices.dot1x.ServerCertHash.empty());  // any trusted CA
}

TEST_F(SecurityEditorTest, WithoutTheSupplicantThePagesSettingsStayOut) {
  editor.Show(Network("ACME-Corp", "WPA2", "AES", 4));
  editor.Page().SetText(Dot1xText::kUserId, "alice");
  editor.Page().SetText(Dot1xText::kTunnelId, "alice");
  editor.Page().SetText(Dot1xText::kTunnelPassword, "pw");
  supplicant = false;
  ASSERT_EQ(editor.Ok(), std::nullopt);
  EXPECT_EQ(choices.dot1x, Dot1xSettings());
}

// Open authentication with the 802.1X box: the WEP keys go only with MD5-Challenge, which makes
// none of its own.
TEST_F(SecurityEditorTest, OpenWithTheBoxSendsKeysOnlyForMdFive) {
  for (const bool md5 : {false, true}) {
    SCOPED_TRACE(md5);
    editor.Show(Network("Hoffmann", "Unknown", "None", 0));
    editor.Auth().SetUse8021X(true);
    editor.Auth().SetKeyText(0, "1A2B3C4D5E");
    editor.SelectTab(SecurityEditorTab::kDot1x);  // works out the method menu
    ASSERT_EQ(editor.CurrentTab(), SecurityEditorTab::kDot1x);
    editor.Page().SetText(Dot1xText::kUserId, "alice");
    if (md5) {
      editor.Page().ChooseMethod(kMd5Challenge);
      ASSERT_TRUE(editor.Page().MethodIsMd5());
      editor.Page().SetText(Dot1xText::kUserPassword, "pw");
    } else {
      editor.Page().SetText(Dot1xText::kTunnelId, "alice");
      editor.Page().SetText(Dot1xText::kTunnelPassword, "pw");
    }
    ASSERT_EQ(editor.Ok(), std::nullopt);
    EXPECT_TRUE(choices.use8021X);
    EXPECT_TRUE(choices.wep);
    EXPECT_EQ(choices.wepKeys[0].empty(), !md5);
    EXPECT_EQ(choices.dot1x.AuthenProtocol, md5 ? kMd5Challenge : kPeap);
  }
}

TEST_F(SecurityEditorTest, EachShowingStartsAfreshAndCancelConnectsNothing) {
  editor.Show(Network("ACME-Corp", "WPA2", "AES", 4));
  editor.Page().SetText(Dot1xText::kUserId, "alice");
  editor.SelectTab(SecurityEditorTab::kDot1x);
  editor.Cancel();
  EXPECT_EQ(calls, (std::vector<std::string>{"show", "pages"}));
  EXPECT_FALSE(editor.Pending());
  EXPECT_EQ(editor.Ok(), std::nullopt);  // nothing pending: nothing happens
  EXPECT_EQ(calls.size(), 2u);

  editor.Show(Network("Apartment 4B", "WPA2-PSK", "AES", 5));
  EXPECT_TRUE(editor.Page().Values().userId.empty());
  EXPECT_EQ(editor.CurrentTab(), SecurityEditorTab::kAuthEncry);
  editor.SelectTab(SecurityEditorTab::kDot1x);  // the PSK network has no 802.1X tab
  EXPECT_EQ(editor.CurrentTab(), SecurityEditorTab::kAuthEncry);
}

}  // namespace
}  // namespace kavo9::dot1x
