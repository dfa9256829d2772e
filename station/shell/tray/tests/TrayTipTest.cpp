#include <gtest/gtest.h>

#include <map>

#include "common/platform/TrayIcon.h"
#include "station/shell/tray/TrayTip.h"

namespace kavo9 {
namespace {

TEST(SignalTrayState, BandsAndKeyError) {
  struct Case {
    int percent;
    bool keyError;
    TrayState expected;
  } cases[] = {
      {100, false, TrayState::Good},    {71, false, TrayState::Good},
      {70, false, TrayState::Normal},   {41, false, TrayState::Normal},
      {40, false, TrayState::Weak},     {0, false, TrayState::Weak},
      {100, true, TrayState::KeyError},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SignalTrayState(c.percent, c.keyError), c.expected) << c.percent << c.keyError;
  }
}

TEST(FormatWithString, SubstitutesOnlyTheFirstStringAndNothingElse) {
  EXPECT_EQ(FormatWithString("Connected to %s", "Home"), "Connected to Home");
  EXPECT_EQ(FormatWithString("%s 100%%", "x"), "x 100%");
  // A second placeholder or a number placeholder has no argument: it stays as written.
  EXPECT_EQ(FormatWithString("%s and %s, %d", "a"), "a and %s, %d");
  EXPECT_EQ(FormatWithString("no placeholder", "a"), "no placeholder");
  EXPECT_EQ(FormatWithString("trailing %", "a"), "trailing %");
  // The argument itself is never read as a format.
  EXPECT_EQ(FormatWithString("[%s]", "%s%d%%"), "[%s%d%%]");
}

// What the user reads is what the network is called, whatever characters the name has.
TEST(MakeTipText, UserReadsTheOriginalText) {
  const char* texts[] = {"Home", "Tom & Jerry", "100% fast", "%s%d%n",  "a&&b",
                         "&",    "&&&",         "50%&&%",    "R&D 5%%", ""};
  for (const char* text : texts) {
    EXPECT_EQ(TipDisplayText(MakeTipText(text)), text) << text;
  }
}

TEST(MakeTipText, StoredFormAndCut) {
  EXPECT_EQ(MakeTipText("A&B 5%"), "A&&&B 5%");
  std::string longText(200, 'x');
  EXPECT_EQ(MakeTipText(longText).size(), kMaxTipLength);
  // Characters, not bytes: 130 two-byte characters are cut to 127 whole ones.
  std::string umlauts;
  for (int i = 0; i < 130; ++i) umlauts += "\xC3\xA4";
  EXPECT_EQ(MakeTipText(umlauts), umlauts.substr(0, 2 * kMaxTipLength));
  // A name with broken bytes is still cut at the limit and never grows.
  std::string broken(126, 'n');
  broken += "\xE4\xE4\xE4";
  EXPECT_EQ(MakeTipText(broken).size(), 127u);
}

TEST(TrayTipText, EachStateUsesItsText) {
  std::map<std::string, std::string, std::less<>> lang{
      {"IDS_TESMAR_GOOD", "Good: %s"},       {"IDS_TESMAR_NORMAL", "Normal: %s"},
      {"IDS_TESMAR_WEAK", "Weak: %s"},       {"IDS_TESMAR_WEP_ERROR", "Error: %s"},
      {"IDS_WEPERROR", "wrong key?"},        {"IDS_TESMAR_LOST", "Not connected"},
      {"IDS_TESMAR_NOTEXIST", "No adapter"},
  };
  TextLookup texts = [&](std::string_view key) {
    auto it = lang.find(key);
    return it == lang.end() ? std::string() : it->second;
  };
  struct Case {
    TrayState state;
    const char* shown;
  } cases[] = {
      {TrayState::Good, "Good: Caf\xC3\xA9 & Bar 100%"},
      {TrayState::Normal, "Normal: Caf\xC3\xA9 & Bar 100%"},
      {TrayState::Weak, "Weak: Caf\xC3\xA9 & Bar 100%"},
      {TrayState::KeyError, "Error: wrong key?"},
      {TrayState::NotConnected, "Not connected"},
      {TrayState::NoAdapter, "No adapter"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TipDisplayText(TrayTipText(c.state, texts, "Caf\xC3\xA9 & Bar 100%")), c.shown);
  }
  EXPECT_EQ(TrayTipText(TrayState::Weak, texts, std::string_view("Lab\0junk", 8)), "Weak: Lab");
  // Without a language file every text is empty, and so is the tip.
  EXPECT_EQ(TrayTipText(
                TrayState::Good, [](std::string_view) { return std::string(); }, "x"),
            "");
}

}  // namespace
}  // namespace kavo9
