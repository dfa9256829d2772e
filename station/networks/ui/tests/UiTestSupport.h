#pragma once
// A Qt application for the window tests, kept alive to the end of the program.

#include <QApplication>

namespace kavo9::testing {

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "networks_ui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace kavo9::testing
