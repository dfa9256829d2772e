#include "station/shell/tray/StationTrayIcon.h"

namespace kavo9 {

StationTrayIcon::StationTrayIcon(TrayIcon& icon, TextLookup texts)
    : icon_(icon), texts_(std::move(texts)) {}

bool StationTrayIcon::Add(TrayState state) {
  state_ = state;
  tip_ = TrayTipText(state, texts_, {});
  added_ = icon_.Add(IconOf(state), tip_);
  return added_;
}

bool StationTrayIcon::SetTrayState(TrayState state, std::string_view ssid) {
  state_ = state;
  tip_ = TrayTipText(state, texts_, ssid);
  bool shown = icon_.Modify(IconOf(state), tip_);
  if (!shown) {
    icon_.Delete();
    shown = icon_.Add(IconOf(state), tip_);
    added_ = shown;
  }
  if (iconChanged_) iconChanged_(IconOf(state));
  return shown;
}

void StationTrayIcon::Delete() {
  icon_.Delete();
  added_ = false;
}

}  // namespace kavo9
