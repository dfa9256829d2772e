#pragma once
// Tray command 32773: the adapter goes to the soft-AP utility. The station values are kept, the
// access-point values loaded, the operating mode switched, and the switching program started;
// this utility then ends.

#include <functional>

#include "station/shell/controller/ConfigTool.h"
#include "station/shell/controller/ControllerContext.h"

namespace kavo9 {

class ModeSwitch {
 public:
  // `endController` runs the Exit steps (main window, icon, timers, the controller's end).
  ModeSwitch(ControllerContext& context, ConfigTool& configTool,
             std::function<void()> endController)
      : c_(context), configTool_(configTool), endController_(std::move(endController)) {}

  void SwitchToAccessPoint();
  // The controller ends for the switch: its destruction must not save the station values again.
  bool endingForApSwitch() const { return endingForApSwitch_; }

 private:
  ControllerContext& c_;
  ConfigTool& configTool_;
  std::function<void()> endController_;
  bool endingForApSwitch_ = false;
};

}  // namespace kavo9
