#pragma once
// The control numbers of the access point's property sheet.

namespace kavo9::softap {

enum : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdTabs = 0x3020,  // the sheet's tab control
};

}  // namespace kavo9::softap
