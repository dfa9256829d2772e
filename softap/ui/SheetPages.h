#pragma once
// The tabs of the access point's sheet as the wiring hands them over: each with its title's
// string number and a factory; the pages of later versions are stand-ins that say so.

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "softap/record/ApSummary.h"
#include "softap/shell/HostiraStrings.h"

namespace kavo9::softap {

struct SheetPageSpec {
  int titleId = 0;
  std::string fileName;  // what --screenshots calls its picture
  std::function<QWidget*()> create;
};

// A page that is not built yet: its title and a sentence that says so, readable by screen
// readers.
QWidget* CreatePendingPage(const HostiraStrings& strings, int titleId);

// The configuration tab's stand-in: the settings the access point runs with, read-only.
QWidget* CreateSummaryPage(const HostiraStrings& strings, const std::vector<SummaryRow>& rows);

}  // namespace kavo9::softap
