#pragma once
// What the window tests share: the themed application, and a main-window host that records.

#include <QApplication>
#include <QWidget>

#include "common/platform/fake/FakePlatform.h"
#include "common/ui/Theme.h"
#include "station/shell/mainwindow/MainWindowHost.h"
#include "station/shell/mainwindow/tests/FakeRadioHost.h"

namespace kavo9 {

// The test main's application, dressed in the program's theme.
inline QApplication& TestApp() {
  static QApplication* app = [] {
    auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance());
    ApplyTheme(*existing);
    return existing;
  }();
  return *app;
}

class TestMainWindowHost : public MainWindowHost, public FakeRadioHost {
 public:
  std::string Text(std::string_view key) const override { return "<" + std::string(key) + ">"; }
  std::string FontFaceName() const override { return "Trebuchet MS"; }
  bool SsoInstalled() const override { return ssoInstalled; }
  bool Setting11n() const override { return setting11n; }
  bool RegisterSetting() const override { return registerSetting; }
  bool registerSetting = false;
  bool IsHtFamily() const override { return htFamily; }
  uint16_t DefaultLanguageId() const override { return languageId; }
  std::filesystem::path ProgramDir() const override { return "/opt/kavo9/bin"; }
  ProcessLauncher& Launcher() override { return launcher; }

  bool ssoInstalled = false;
  bool setting11n = false;
  bool htFamily = true;
  uint16_t languageId = 0x0409;
  FakeProcessLauncher launcher;
};

template <typename T = QWidget>
T* Find(const QWidget* root, int number) {
  return root->findChild<T*>(QString::number(number));
}

}  // namespace kavo9
