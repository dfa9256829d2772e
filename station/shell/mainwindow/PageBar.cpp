#include "station/shell/mainwindow/PageBar.h"

namespace kavo9 {

using mainwindow::BarButton;
using mainwindow::kBarButtonCount;

namespace {

size_t At(BarButton button) {
  return static_cast<size_t>(button);
}

}  // namespace

PageBar::PageBar(const PageBarOptions& options) : setting11n_(options.setting11n) {
  std::array<bool, kBarButtonCount> present;
  present.fill(true);
  present[At(BarButton::Sso)] = options.ssoInstalled;
  present[At(BarButton::Dot11n)] = options.setting11n;
  present[At(BarButton::Registers)] = options.registerSetting;
  AssignIndexes(present);
}

PageBar::PageBar(const std::array<bool, kBarButtonCount>& present, bool setting11n)
    : setting11n_(setting11n) {
  AssignIndexes(present);
}

void PageBar::AssignIndexes(const std::array<bool, kBarButtonCount>& present) {
  present_ = present;
  int next = kFirstVisibleIndex;
  for (size_t i = 0; i < kBarButtonCount; ++i) index_[i] = present[i] ? next++ : -1;
}

int PageBar::PresentCount() const {
  int count = 0;
  for (bool present : present_) count += present ? 1 : 0;
  return count;
}

PageBarLayout PageBar::Layout() const {
  PageBarLayout layout;
  int lastSlot = -1;
  for (size_t i = 0; i < kBarButtonCount; ++i) {
    int index = index_[i];
    bool visible = present_[i] && index >= kFirstVisibleIndex && index <= kLastVisibleIndex;
    layout.slot[i] = visible ? index - kFirstVisibleIndex : -1;
    if (visible && layout.slot[i] > lastSlot) lastSlot = layout.slot[i];
  }
  if (PresentCount() > kSlotCount) {
    layout.arrowsShown = true;
    layout.leftEnabled = Index(BarButton::Profile) != kFirstVisibleIndex;
    layout.rightEnabled = Index(BarButton::Help) > kLastVisibleIndex;
  } else {
    for (int slot = lastSlot + 1; slot <= lastSlot + 2 && slot < kSlotCount; ++slot) {
      layout.blankSlots.push_back(slot);
    }
  }
  return layout;
}

bool PageBar::ScrollLeft() {
  PageBarLayout layout = Layout();
  if (!layout.arrowsShown || !layout.leftEnabled) return false;
  for (size_t i = 0; i < kBarButtonCount; ++i) {
    if (present_[i]) index_[i] += 1;
  }
  return true;
}

bool PageBar::ScrollRight() {
  PageBarLayout layout = Layout();
  if (!layout.arrowsShown || !layout.rightEnabled) return false;
  if (!setting11n_ && Index(BarButton::SiteSurvey) == 0) return false;
  for (size_t i = 0; i < kBarButtonCount; ++i) {
    if (present_[i]) index_[i] -= 1;
  }
  return true;
}

bool PageButtonEnabled(BarButton button, const PageBarOptions& options, int configToolState) {
  switch (button) {
    case BarButton::Dot11n:
      return options.setting11n && options.htFamily;
    case BarButton::Profile:
    case BarButton::Wps:
      return configToolState != 2;
    default:
      return true;
  }
}

int PageAfterLayout(int currentPage, bool setting11n) {
  return currentPage == mainwindow::k80211nPageDialog && !setting11n
             ? mainwindow::kSiteSurveyPageDialog
             : currentPage;
}

}  // namespace kavo9
