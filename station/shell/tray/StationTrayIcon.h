#pragma once
// The station utility's one notification-area icon: its state, its tip, and keeping it shown
// when the notification area is recreated.

#include <functional>
#include <string>

#include "common/platform/TrayIcon.h"
#include "station/shell/tray/TrayTip.h"

namespace kavo9 {

class StationTrayIcon {
 public:
  StationTrayIcon(TrayIcon& icon, TextLookup texts);

  // Adds the icon in `state` (no adapter, or adapter present and not connected). The added flag
  // tells whether the shell took it.
  bool Add(TrayState state);
  // Shows `state`; `ssid` is the connected network's name for the three signal states. When the
  // shell has lost the icon (a restarted notification area, or none at start) the icon is deleted
  // and added again. True when the icon now shows the state.
  bool SetTrayState(TrayState state, std::string_view ssid = {});
  // Removes the icon (Exit).
  void Delete();

  bool added() const { return added_; }
  TrayState state() const { return state_; }
  const std::string& tip() const { return tip_; }

  // Called with the state's icon after every SetTrayState, so that an open main window can use
  // the same icon.
  void SetIconChangedCallback(std::function<void(uint32_t icon)> callback) {
    iconChanged_ = std::move(callback);
  }

 private:
  TrayIcon& icon_;
  TextLookup texts_;
  bool added_ = false;
  TrayState state_ = TrayState::NoAdapter;
  std::string tip_;
  std::function<void(uint32_t)> iconChanged_;
};

}  // namespace kavo9
