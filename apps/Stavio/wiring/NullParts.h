#pragma once
// The parts of the station utility that are not built yet, each one explicit class that does
// nothing. The pieces that use them get these by reference like any real part, so nothing is
// silently missing: NullParts::Names() lists what is still null, and a test keeps that list.

#include <string_view>
#include <vector>

#include "station/networks/connect/ConnectSeams.h"
#include "station/networks/profiles/editor/Dot1xTabPort.h"
#include "station/networks/queue/ActionQueueSeams.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9 {

// The editors' 802.1X tab: no method, nothing to check, nothing to take; its tab button stays
// disabled.
struct NullDot1xTab : profileeditor::Dot1xTabPort {
  void Reset8021XPage() override {}
  void Load8021XPage(const profiles::ProfileValues&) override {}
  std::optional<LangKey> Validate8021XPage() override { return std::nullopt; }
  void Take8021XChoices(profiles::ProfileValues*) override {}
  void ApplyMethodChoice() override {}
  bool MethodIsMd5() const override { return false; }
  void ResetMd5ToPeap() override {}
};

struct NullParts {
  NullDot1xTab dot1xTab;

  // The parts still null, by the name of the piece that will fill them.
  static std::vector<std::string_view> Names() { return {"dot1xTab"}; }
};

}  // namespace kavo9
