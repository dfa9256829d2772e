#pragma once
// The bar of page buttons: which buttons it has, where each one sits, the arrows that scroll it
// and the blank buttons that fill it.
//
// Every present button has a position index; a hidden button has -1. Eight slots show the
// buttons with indexes 1 to 8, left to right; scrolling moves the indexes of the present buttons
// only, so a button scrolled off the left end (index 0 or below) is never taken for a hidden one.
// When more than eight buttons are present, arrows at the two ends scroll the bar by one; otherwise
// two blank, disabled buttons follow the last one.

#include <array>
#include <optional>
#include <vector>

#include "station/shell/mainwindow/MainWindowIds.h"

namespace kavo9 {

struct PageBarOptions {
  bool ssoInstalled = false;     // single sign-on is installed
  bool setting11n = false;       // settings switch "11n Setting" of section "Page"
  bool htFamily = false;         // the adapter is of an 802.11n family
  bool registerSetting = false;  // settings switch "Register Setting" of section "Page"
  bool operator==(const PageBarOptions&) const = default;
};

struct PageBarLayout {
  // The slot (0 to kSlotCount - 1) of each button, or -1 when it waits off the bar or is hidden.
  std::array<int, mainwindow::kBarButtonCount> slot{};
  bool arrowsShown = false;
  bool leftEnabled = false;
  bool rightEnabled = false;
  std::vector<int> blankSlots;  // slots of the blank buttons
};

class PageBar {
 public:
  static constexpr int kSlotCount = 8;
  static constexpr int kFirstVisibleIndex = 1;
  static constexpr int kLastVisibleIndex = 8;

  explicit PageBar(const PageBarOptions& options);
  // A bar with exactly the buttons marked present (for checking the rules on any set).
  PageBar(const std::array<bool, mainwindow::kBarButtonCount>& present, bool setting11n);

  int Index(mainwindow::BarButton button) const {
    return Present(button) ? index_[static_cast<size_t>(button)] : -1;
  }
  bool Present(mainwindow::BarButton button) const { return present_[static_cast<size_t>(button)]; }
  int PresentCount() const;

  PageBarLayout Layout() const;

  // The arrows. Each acts only while its arrow is shown and enabled; the right arrow also needs
  // the 802.11n switch on or the site survey button away from index 0. True when the bar moved.
  bool ScrollLeft();
  bool ScrollRight();

 private:
  void AssignIndexes(const std::array<bool, mainwindow::kBarButtonCount>& present);
  std::array<bool, mainwindow::kBarButtonCount> present_{};
  std::array<int, mainwindow::kBarButtonCount> index_{};
  bool setting11n_ = false;
};

// Whether a button is enabled: the 802.11n button only when its switch is on and the adapter is of
// an 802.11n family (it stays disabled while hidden), the profile and WPS
// buttons only while the Windows wireless service does not manage the adapter (state 2).
bool PageButtonEnabled(mainwindow::BarButton button, const PageBarOptions& options,
                       int configToolState);

// The page to show after the bar was laid out: the site survey instead of the 802.11n page while
// the switch is off; otherwise the current page stays.
int PageAfterLayout(int currentPage, bool setting11n);

}  // namespace kavo9
