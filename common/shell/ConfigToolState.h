#pragma once
// Who configures the adapter's connections, as the station utility's controller, tray menu and
// pages read it.

namespace kavo9 {

enum ConfigToolState : int {
  kConfigToolNone = 0,     // no Windows wireless service in charge (old system, or not running)
  kConfigToolUtility = 1,  // the service runs but leaves this adapter to the utility
  kConfigToolService = 2,  // the service manages this adapter
};

}  // namespace kavo9
