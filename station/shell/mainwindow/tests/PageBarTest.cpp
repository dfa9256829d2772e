#include <gtest/gtest.h>

#include "station/shell/mainwindow/PageBar.h"

namespace kavo9 {
namespace {

using mainwindow::BarButton;

// The buttons in slot order, as command numbers.
std::vector<int> Shown(const PageBar& bar) {
  PageBarLayout layout = bar.Layout();
  std::vector<int> shown(PageBar::kSlotCount, 0);
  for (const auto& info : mainwindow::kPageButtons) {
    int slot = layout.slot[static_cast<size_t>(info.button)];
    if (slot >= 0) shown[slot] = info.command;
  }
  for (int slot : layout.blankSlots) shown[slot] = -1;
  return shown;
}

TEST(PageBar, WhichButtonsArePresent) {
  struct Case {
    const char* name;
    PageBarOptions options;
    int count;
    bool sso;
    bool dot11n;
  } cases[] = {
      {"plain", {false, false, true}, 9, false, false},
      {"11n switch off on an 11n adapter", {false, false, true}, 9, false, false},
      {"11n switch on", {false, true, false}, 10, false, true},
      {"sso installed", {true, false, false}, 10, true, false},
      {"sso and 11n", {true, true, true}, 11, true, true},
  };
  for (const auto& c : cases) {
    PageBar bar(c.options);
    EXPECT_EQ(bar.PresentCount(), c.count) << c.name;
    EXPECT_EQ(bar.Present(BarButton::Sso), c.sso) << c.name;
    EXPECT_EQ(bar.Present(BarButton::Dot11n), c.dot11n) << c.name;
    EXPECT_TRUE(bar.Layout().arrowsShown) << c.name;
  }
}

TEST(PageBar, ElevenButtonsScrollThroughAndBack) {
  PageBar bar({true, true, true});
  using V = std::vector<int>;
  EXPECT_EQ(Shown(bar), V({1124, 1125, 1126, 1127, 1278, 1279, 1370, 6251}));
  PageBarLayout layout = bar.Layout();
  EXPECT_FALSE(layout.leftEnabled);
  EXPECT_TRUE(layout.rightEnabled);
  EXPECT_FALSE(bar.ScrollLeft());

  EXPECT_TRUE(bar.ScrollRight());
  EXPECT_TRUE(bar.ScrollRight());
  EXPECT_TRUE(bar.ScrollRight());
  EXPECT_EQ(Shown(bar), V({1127, 1278, 1279, 1370, 6251, 6248, 6252, 6253}));
  layout = bar.Layout();
  EXPECT_TRUE(layout.leftEnabled);
  EXPECT_FALSE(layout.rightEnabled);
  EXPECT_FALSE(bar.ScrollRight()) << "help is already in view";

  // The buttons scrolled off the left end come back: they are not taken for hidden ones.
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(bar.ScrollLeft());
  EXPECT_EQ(bar.Index(BarButton::Profile), 1);
  EXPECT_EQ(Shown(bar), V({1124, 1125, 1126, 1127, 1278, 1279, 1370, 6251}));
}

TEST(PageBar, HiddenButtonsStayHiddenWhileScrolling) {
  PageBar bar({false, false, true});  // nine buttons: help waits off the bar
  EXPECT_EQ(bar.Index(BarButton::Help), 9);
  EXPECT_EQ(bar.Index(BarButton::Sso), -1);
  EXPECT_TRUE(bar.ScrollRight());
  EXPECT_EQ(bar.Index(BarButton::Sso), -1);
  EXPECT_EQ(bar.Index(BarButton::Dot11n), -1);
  EXPECT_EQ(Shown(bar), std::vector<int>({1125, 1126, 1127, 1278, 1279, 6248, 6252, 6253}));
  EXPECT_FALSE(bar.Layout().rightEnabled);
}

TEST(PageBar, FewButtonsGetBlanksInsteadOfArrows) {
  std::array<bool, mainwindow::kBarButtonCount> present{};
  present[static_cast<size_t>(BarButton::Profile)] = true;
  present[static_cast<size_t>(BarButton::SiteSurvey)] = true;
  present[static_cast<size_t>(BarButton::Radio)] = true;
  PageBar bar(present, false);
  PageBarLayout layout = bar.Layout();
  EXPECT_FALSE(layout.arrowsShown);
  EXPECT_EQ(layout.blankSlots, std::vector<int>({3, 4}));
  EXPECT_FALSE(bar.ScrollRight());
  EXPECT_FALSE(bar.ScrollLeft());

  // Seven buttons leave room for one blank only; eight fill the bar.
  present.fill(true);
  present[static_cast<size_t>(BarButton::Sso)] = false;
  present[static_cast<size_t>(BarButton::Dot11n)] = false;
  present[static_cast<size_t>(BarButton::Help)] = false;
  present[static_cast<size_t>(BarButton::Registers)] = false;
  present[static_cast<size_t>(BarButton::About)] = false;
  EXPECT_EQ(PageBar(present, false).Layout().blankSlots, std::vector<int>({7}));
  present[static_cast<size_t>(BarButton::About)] = true;
  EXPECT_TRUE(PageBar(present, false).Layout().blankSlots.empty());
  EXPECT_FALSE(PageBar(present, false).Layout().arrowsShown);
}

TEST(PageButtonEnabled, Rules) {
  PageBarOptions ht{false, true, true};
  PageBarOptions legacy{false, true, false};
  EXPECT_TRUE(PageButtonEnabled(BarButton::Dot11n, ht, 0));
  EXPECT_FALSE(PageButtonEnabled(BarButton::Dot11n, legacy, 0));
  EXPECT_FALSE(PageButtonEnabled(BarButton::Dot11n, {false, false, true}, 0)) << "hidden";
  for (auto button : {BarButton::Profile, BarButton::Wps}) {
    EXPECT_TRUE(PageButtonEnabled(button, ht, 0));
    EXPECT_TRUE(PageButtonEnabled(button, ht, 1));
    EXPECT_FALSE(PageButtonEnabled(button, ht, 2));
  }
  EXPECT_TRUE(PageButtonEnabled(BarButton::SiteSurvey, legacy, 2));
}

TEST(PageAfterLayout, The11nPageGivesWayToTheSiteSurveyWhenItsSwitchIsOff) {
  EXPECT_EQ(PageAfterLayout(3243, false), 144);
  EXPECT_EQ(PageAfterLayout(3243, true), 3243);
  EXPECT_EQ(PageAfterLayout(143, false), 143);
}

}  // namespace
}  // namespace kavo9

namespace kavo9 {
namespace {

TEST(PageBar, TheRegisterButtonComesWithItsSwitchBeforeHelp) {
  using mainwindow::BarButton;
  EXPECT_EQ(PageBar(PageBarOptions{}).Index(BarButton::Registers), -1);
  PageBar bar(PageBarOptions{.registerSetting = true});
  EXPECT_EQ(bar.Index(BarButton::Registers), bar.Index(BarButton::About) + 1);
  EXPECT_EQ(bar.Index(BarButton::Help), bar.Index(BarButton::Registers) + 1);
  EXPECT_EQ(mainwindow::InfoOf(BarButton::Registers).page, mainwindow::kRegisterPageDialog);
}

}  // namespace
}  // namespace kavo9
