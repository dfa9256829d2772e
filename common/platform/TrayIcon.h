#pragma once
// The notification-area icon of a program (Shell_NotifyIcon) and the menu it pops up.
//
// One object is one icon. The owner adds it once, modifies its image and tip as its state changes
// and deletes it at exit. The shell may refuse a modification after the notification area was
// recreated (Explorer restarted): the owner then deletes and adds the icon again.
//
// Tips are given as the shell stores them. The notification area reads "&" as a mnemonic mark
// before it shows a tip: "&&&" and "&&" show as one "&", and a lone "&" is not shown.
// `TipDisplayText` gives what the user reads.
//
// Implementations: QtTrayIcon (station/shell/ui) on a desktop with a notification area, and
// RecordingTrayIcon (beside this header) for tests and for desktops without one.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9 {

// Mouse messages the icon reports, as the callback's lParam carries them.
enum : uint32_t { WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204 };

struct TrayMenuItem {
  uint32_t command = 0;  // arrives as WM_COMMAND when chosen
  std::string text;      // "&" marks a mnemonic, "&&" is a literal "&"
  bool operator==(const TrayMenuItem&) const = default;
};

class TrayIcon {
 public:
  using MouseCallback = std::function<void(uint32_t mouseMessage)>;
  using MenuCallback = std::function<void(uint32_t command)>;

  virtual ~TrayIcon() = default;

  // Adds the icon showing image `iconResource` with `tip`. False when the shell refuses (no
  // notification area, or the icon is already there).
  virtual bool Add(uint32_t iconResource, std::string_view tip) = 0;
  // Changes image and tip of the added icon. False when the shell has no such icon any more.
  virtual bool Modify(uint32_t iconResource, std::string_view tip) = 0;
  // Removes the icon. False when it was not there.
  virtual bool Delete() = 0;
  // Shows `items` as a context menu at the cursor. `chosen` gets the command of the picked item,
  // later, on the user-interface thread; it is not called when the menu is dismissed.
  virtual void TrackMenu(std::vector<TrayMenuItem> items, MenuCallback chosen) = 0;
  // Shows a short notice from the icon (a balloon), for something the user did not ask for and
  // would otherwise not see, such as a window closing by itself.
  virtual void ShowBalloon(std::string_view title, std::string_view text) = 0;

  // Where double-clicks and right-button presses on the icon go.
  void SetMouseCallback(MouseCallback callback) { mouse_ = std::move(callback); }

 protected:
  void ReportMouse(uint32_t mouseMessage) {
    if (mouse_) mouse_(mouseMessage);
  }

 private:
  MouseCallback mouse_;
};

// The text a user reads in a tooltip whose stored text is `tip`.
inline std::string TipDisplayText(std::string_view tip) {
  std::string shown;
  for (size_t i = 0; i < tip.size(); ++i) {
    if (tip[i] != '&') {
      shown += tip[i];
    } else if (tip.substr(i, 3) == "&&&") {
      shown += '&';
      i += 2;
    } else if (tip.substr(i, 2) == "&&") {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

}  // namespace kavo9
