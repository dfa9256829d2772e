#pragma once
// A notification-area icon that only records what it was asked to do. Tests drive it (clicks,
// menu choices, a notification area that goes away and comes back); programs use it on desktops
// without a notification area, so that they still run.

#include <optional>

#include "common/platform/TrayIcon.h"

namespace kavo9 {

class RecordingTrayIcon : public TrayIcon {
 public:
  // Whether the notification area exists. While false, every call is refused; setting it back to
  // true models a restarted shell that has forgotten the icon.
  void SetShellAvailable(bool available) {
    shellAvailable = available;
    if (!available) added = false;
  }

  bool Add(uint32_t iconResource, std::string_view tip) override {
    ++addCalls;
    if (!shellAvailable || added) return false;
    added = true;
    icon = iconResource;
    this->tip = std::string(tip);
    return true;
  }
  bool Modify(uint32_t iconResource, std::string_view tip) override {
    ++modifyCalls;
    if (!shellAvailable || !added) return false;
    icon = iconResource;
    this->tip = std::string(tip);
    return true;
  }
  bool Delete() override {
    ++deleteCalls;
    if (!shellAvailable || !added) return false;
    added = false;
    return true;
  }
  void TrackMenu(std::vector<TrayMenuItem> items, MenuCallback chosen) override {
    menu = std::move(items);
    menuChosen = std::move(chosen);
  }

  void ShowBalloon(std::string_view title, std::string_view text) override {
    balloons.push_back(std::string(title) + ": " + std::string(text));
  }

  // Test hooks: a mouse message on the icon, and picking an item of the open menu.
  void Click(uint32_t mouseMessage) { ReportMouse(mouseMessage); }
  bool Choose(uint32_t command) {
    if (!menu) return false;
    auto callback = std::move(menuChosen);
    menu.reset();
    if (callback) callback(command);
    return true;
  }

  bool shellAvailable = true;
  bool added = false;
  uint32_t icon = 0;
  std::string tip;
  std::optional<std::vector<TrayMenuItem>> menu;  // the menu last shown and not yet closed
  MenuCallback menuChosen;
  std::vector<std::string> balloons;  // "title: text", in order
  int addCalls = 0;
  int modifyCalls = 0;
  int deleteCalls = 0;
};

}  // namespace kavo9
