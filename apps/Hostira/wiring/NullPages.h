#pragma once
// The parts of the soft-AP utility that are not built yet, each one explicit: the sheet's pages
// of later versions (each a stand-in page that says so). NullPages::
// Names() lists what is still null, and a test keeps that list.

#include <string_view>
#include <vector>

#include "softap/shell/ApControllerPorts.h"

namespace kavo9::softap {

struct NullPages {
  // The parts still null, by the name of the piece that will fill them.
  static std::vector<std::string_view> Names() { return {"htSetting", "about"}; }
};

}  // namespace kavo9::softap
