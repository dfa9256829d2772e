#pragma once
// The tabs of the access point's sheet as the wiring hands them over: each with its title's
// string number and a factory.

#include <QWidget>
#include <functional>
#include <string>

namespace kavo9::softap {

struct SheetPageSpec {
  int titleId = 0;
  std::string fileName;  // what --screenshots calls its picture
  std::function<QWidget*()> create;
};

}  // namespace kavo9::softap
