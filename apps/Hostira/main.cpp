// Hostira, the soft-AP utility: a hidden controller in the notification area that runs the
// adapter as an access point and opens its property sheet on demand.
//
//   Hostira [-S|-s] [--machine DIR] [--screenshots FOLDER]
//
// "-S" (exactly) starts without opening the sheet. With --screenshots the sheet's pages are
// photographed into FOLDER once the access point runs, and Hostira ends. The simulated machine is
// DIR, else $KAVO9_MACHINE, else the user's default machine.

#include <signal.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "apps/Hostira/Screenshots.h"
#include "apps/Hostira/wiring/HostiraApp.h"
#include "common/adapter/RegistryServiceProtocol.h"
#include "common/platform/qt/QtEventLoop.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/shell/CommandLine.h"
#include "common/shell/InstanceMessages.h"
#include "common/shell/TimingLog.h"
#include "common/ui/ProgramStart.h"
#include "common/ui/QtTrayIcon.h"
#include "common/ui/SingleInstance.h"
#include "common/ui/StopSignals.h"
#include "common/ui/Theme.h"
#include "softap/shell/HostiraIds.h"
#include "softap/ui/HostiraIcons.h"

namespace {

kavo9::softap::CHideDlg* g_controller = nullptr;

void ExitController() {
  if (g_controller) g_controller->OnCommand(kavo9::kCmdApExit);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kavo9;
  using namespace kavo9::softap;
  ::signal(SIGPIPE, SIG_IGN);
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);

  const ProgramArguments program = ReadProgramArguments(argc, argv);
  const std::filesystem::path& machine = program.machine;
  const QString& screenshots = program.screenshots;
  const std::string& commandLine = program.commandLine;

  SingleInstance instance(machine);
  if (!instance.Acquire()) {
    instance.NotifyRunning();
    return 0;
  }
  EndOnStopSignals(app, ExitController);

  QtEventLoop loop;
  SimulatedPlatform simulated(machine, loop);
  ApplyTheme(app);
  SocketRegistryServiceClient service(RegistryServiceSocket(machine));
  auto hostira = std::make_unique<HostiraApp>(
      HostiraAppParts{.platform = &simulated.platform(),
                      .service = &service,
                      .trayIcon = CreateTrayIcon([](int id) { return HostiraIcon(id); }, machine)});
  CHideDlg& controller = hostira->Controller();
  g_controller = &controller;
  controller.SetOpenSheetAtStart(OpensMainWindowAtStart(commandLine) && screenshots.isEmpty());
  int result = 0;
  controller.SetOnEnd([&result](int code) {
    result = code == kEndNotAdministrator ? 2 : 0;
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
  });
  controller.SetOnFirstTick([&machine] { NoteTiming(machine, "Hostira", "first-tick"); });

  instance.SetTopWindowTitle([&controller] { return QString::fromStdString(controller.title()); });
  instance.SetHandler([&controller](uint32_t message, uint32_t parameter) {
    if (message == kCmdOpen) controller.OnCommand(kCmdOpen);
    if (message == kMsgTrayCallback) controller.OnTrayCallback(parameter);
  });

  NoteTiming(machine, "Hostira", "start");
  controller.Initialise();
  if (!controller.ended() && !StopRequested()) {
    if (!screenshots.isEmpty()) TakeScreenshotsWhenReady(*hostira, screenshots);
    if (std::getenv("KAVO9_QUIT_WHEN_STARTED")) {
      QTimer::singleShot(0, &app, [] { QCoreApplication::quit(); });
    }
    app.exec();
  }
  g_controller = nullptr;
  hostira.reset();
  return result;
}
