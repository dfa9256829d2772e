#pragma once
// The parts of the station utility that are not built yet, each one explicit class that does
// nothing. The pieces that use them get these by reference like any real part, so nothing is
// silently missing: NullParts::Names() lists what is still null, and a test keeps that list.

#include <string_view>
#include <vector>

#include "station/networks/connect/ConnectSeams.h"
#include "station/networks/queue/ActionQueueSeams.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9 {

struct NullCcx : CcxPort {
  void RefreshControl() override {}
};

struct NullParts {
  NullCcx ccx;

  // The parts still null, by the name of the piece that will fill them.
  static std::vector<std::string_view> Names() { return {"ccx"}; }
};

}  // namespace kavo9
