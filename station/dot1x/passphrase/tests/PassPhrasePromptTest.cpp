#include <gtest/gtest.h>

#include "station/dot1x/passphrase/PassPhrasePrompt.h"

namespace kavo9::dot1x {
namespace {

using Method = connect::SecurityChoices::Method;
using Cipher = connect::SecurityChoices::Cipher;

SurveySelection Selection(std::string authentication, std::string cipher) {
  SurveySelection s;
  s.Authentication = std::move(authentication);
  s.Cipher = std::move(cipher);
  s.Secured = true;
  s.HiddenSsidPath = true;
  s.HiddenSsid = "Apartment 4B";
  return s;
}

TEST(PassPhrasePrompt, MethodAndCipherFollowTheNetwork) {
  struct Case {
    const char* authentication;
    const char* cipher;
    std::optional<Method> method;
    Cipher expectedCipher;
  };
  const Case cases[] = {
      {"WPA2-PSK", "AES", Method::kWpa2Psk, Cipher::kAes},
      {"WPA-PSK", "TKIP", Method::kWpaPsk, Cipher::kTkip},
      {"WPA-PSK+WPA2-PSK", "TKIP+AES", Method::kWpa2Psk, Cipher::kAes},
      {"WPA-NONE", "TKIP", Method::kWpaNone, Cipher::kTkip},
      {"WPA2", "AES", std::nullopt, Cipher::kNone},
      {"Unknown", "None", std::nullopt, Cipher::kNone},
      {"WPA2-PSK", "None", std::nullopt, Cipher::kNone},
  };
  for (const Case& c : cases) {
    const auto choices = PskChoicesFor(Selection(c.authentication, c.cipher));
    ASSERT_EQ(choices.has_value(), c.method.has_value()) << c.authentication;
    if (!choices) continue;
    EXPECT_EQ(choices->method, *c.method) << c.authentication;
    EXPECT_EQ(choices->cipher, c.expectedCipher) << c.authentication;
  }
}

struct Recorder {
  int panels = 0, returns = 0;
  std::vector<LangKey> messages;
  std::vector<connect::SecurityChoices> connects;
  PassPhrasePrompt::Host Host() {
    return {[this] { ++panels; }, [this] { ++returns; },
            [this](LangKey key) { messages.push_back(key); },
            [this](const SurveySelection&, const connect::SecurityChoices& c) {
              connects.push_back(c);
            }};
  }
};

TEST(PassPhrasePrompt, AKeyConnectsAndAnythingElseIsRefusedWithTheRule) {
  Recorder r;
  PassPhrasePrompt prompt;
  prompt.SetHost(r.Host());
  prompt.Show(Selection("WPA2", "AES"));  // not a pre-shared-key network: no prompt
  EXPECT_EQ(r.panels, 0);
  prompt.Show(Selection("WPA2-PSK", "AES"));
  EXPECT_EQ(r.panels, 1);
  EXPECT_EQ(prompt.Ssid(), "Apartment 4B");
  for (std::string_view bad : {"short", "", "tab\tinside-it"}) {
    EXPECT_FALSE(prompt.Ok(bad)) << bad;
  }
  EXPECT_FALSE(prompt.Ok(std::string(64, 'g')));
  EXPECT_EQ(r.messages.size(), 4u);
  EXPECT_EQ(r.messages[0], LangKey::IDS_MSGPSKKEYINVALID);
  EXPECT_TRUE(r.connects.empty());
  EXPECT_TRUE(prompt.Ok("correct horse battery staple"));
  ASSERT_EQ(r.connects.size(), 1u);
  EXPECT_EQ(r.connects[0].passPhrase, "correct horse battery staple");
  EXPECT_EQ(r.connects[0].method, Method::kWpa2Psk);
  EXPECT_EQ(r.returns, 1);
  EXPECT_FALSE(prompt.Pending());
  EXPECT_FALSE(prompt.Ok("correct horse battery staple"));  // answered once only

  prompt.Show(Selection("WPA-PSK", "TKIP"));
  prompt.Cancel();
  EXPECT_EQ(r.returns, 2);
  EXPECT_EQ(r.connects.size(), 1u);
}

}  // namespace
}  // namespace kavo9::dot1x
