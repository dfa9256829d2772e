#pragma once
// The main window as the controller sees it. The window itself is a Qt dialog; the controller
// only reaches it through this interface.

#include <cstdint>

namespace kavo9 {

class MainWindowView {
 public:
  virtual ~MainWindowView() = default;
  // False once the user has closed the window.
  virtual bool IsOpen() const = 0;
  virtual void SetExpanded(bool expanded) = 0;
  virtual void BringToFront() = 0;
  virtual void SetPanelVisible(int number, bool visible) = 0;
  // Puts the current icon and text on the More/Less button again.
  virtual void RefreshMoreLess() = 0;
  virtual void SetWindowIcon(uint32_t icon) = 0;
  // Enables or disables the profile and WPS buttons.
  virtual void SetConfigToolButtonsEnabled(bool enabled) = 0;
  // Shows the radio state again on the radio button.
  virtual void RefreshRadioControls() = 0;
  virtual void PressFirstPageButton() = 0;
  virtual void Close() = 0;
};

}  // namespace kavo9
