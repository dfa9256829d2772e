#pragma once
// The More/Less button: whether the lower frame is shown, and the button's face for each state.

#include <string_view>

#include "station/shell/mainwindow/MainWindowIds.h"

namespace kavo9 {

struct MoreLessFace {
  int icon;
  std::string_view textKey;
};

class ExpandState {
 public:
  bool expanded() const { return expanded_; }
  // The button's click: flips the state.
  void Toggle() { expanded_ = !expanded_; }
  // Lays out as wanted, the same way a click does.
  void SetExpanded(bool expanded) {
    expanded_ = !expanded;
    Toggle();
  }
  // Expanded shows "Less" (the frame can be folded away), collapsed shows "More".
  MoreLessFace Face() const {
    return expanded_ ? MoreLessFace{mainwindow::kLessIcon, "IDS_BTN_LESS"}
                     : MoreLessFace{mainwindow::kMoreIcon, "IDS_BTN_MORE"};
  }

 private:
  bool expanded_ = false;
};

// The window's height: down to the lower frame's bottom edge when expanded, otherwise 2 pixels
// below the More/Less button.
inline int WindowHeight(bool expanded, int moreLessBottom, int lowerFrameBottom) {
  return expanded ? lowerFrameBottom : moreLessBottom + 2;
}

}  // namespace kavo9
