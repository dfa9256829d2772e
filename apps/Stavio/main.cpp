// Stavio, the station utility: a hidden controller that lives in the notification area, finds
// the adapter, keeps its connection and opens the main window on demand.
//
//   Stavio [-S|-s] [--machine DIR] [--screenshots FOLDER]
//
// "-S" (exactly) starts without opening the main window. With --screenshots the windows are
// photographed into FOLDER once the adapter is ready and the first scan is in, and Stavio ends.
// The simulated machine is DIR, else $KAVO9_MACHINE, else the user's default machine.

#include <signal.h>

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "apps/Stavio/Screenshots.h"
#include "apps/Stavio/wiring/StationApp.h"
#include "common/adapter/RegistryServiceProtocol.h"
#include "common/adapter/ui/CSelCardDlg.h"
#include "common/platform/qt/QtEventLoop.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/shell/CommandLine.h"
#include "common/shell/TimingLog.h"
#include "common/ui/ProgramStart.h"
#include "common/ui/QtTrayIcon.h"
#include "common/ui/SingleInstance.h"
#include "common/ui/StopSignals.h"
#include "common/ui/Theme.h"
#include "station/shell/ui/MainWindowDlg.h"

namespace {

kavo9::CHideDlg* g_controller = nullptr;

// A stop signal ends the controller as Exit does, so that it saves its state.
void ExitController() {
  if (g_controller) g_controller->OnCommand(kavo9::kCmdExit);
}

// A second instance sends its open command when it finds the main window by its title, else
// the tray's double-click.
void AnswerSecondInstances(kavo9::SingleInstance& instance, kavo9::StationApp& station) {
  using namespace kavo9;
  instance.SetTopWindowTitle([&station] {
    if (auto* window = dynamic_cast<CLinkora2007Dlg*>(station.Windows().MainWindow())) {
      return window->windowTitle();
    }
    return QString::fromStdString(station.Controller().title());
  });
  CHideDlg& controller = station.Controller();
  instance.SetHandler([&controller](uint32_t message, uint32_t parameter) {
    if (message == kCmdOpen) controller.OnCommand(kCmdOpen);
    if (message == kMsgTrayCallback) controller.OnTrayCallback(parameter);
  });
}

int RunEventLoop(QApplication& app, kavo9::StationApp& station, const QString& screenshots) {
  using namespace kavo9;
  if (!screenshots.isEmpty()) TakeScreenshotsWhenReady(station, screenshots);
  // For start-up measurements: end as soon as the event loop runs.
  if (std::getenv("KAVO9_QUIT_WHEN_STARTED")) {
    QTimer::singleShot(0, &app, [] { QCoreApplication::quit(); });
  }
  // For measurements of the open window: lay it out expanded, the link panel showing.
  if (std::getenv("KAVO9_EXPAND_MAIN_WINDOW")) {
    QTimer::singleShot(0, &app, [&station] { station.Windows().SetExpanded(true); });
  }
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kavo9;
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
  DialogAdapterChooser chooser;
  SocketRegistryServiceClient service(RegistryServiceSocket(machine));
  auto station =
      std::make_unique<StationApp>(StationAppParts{.platform = &simulated.platform(),
                                                   .chooser = &chooser,
                                                   .service = &service,
                                                   .trayIcon = CreateTrayIcon({}, machine)});
  CHideDlg& controller = station->Controller();
  g_controller = &controller;
  controller.SetOpenMainWindowAtStart(OpensMainWindowAtStart(commandLine));
  controller.SetOnEnd([] { QCoreApplication::quit(); });
  controller.SetOnFirstTick([&machine] { NoteTiming(machine, "Stavio", "first-tick"); });
  NoteTiming(machine, "Stavio", "start");

  AnswerSecondInstances(instance, *station);

  controller.Initialise();
  // What went wrong with the machine's files (its description, a registry hive) is said once,
  // where the user sees it: a missing adapter would otherwise stay unexplained.
  for (const std::string& problem : simulated.Problems()) {
    if (StopRequested()) break;
    station->ShowMessageBox(problem, station->Text("IDS_OK"));
  }
  // A stop that came during the start-up (in a dialog, during discovery) ends the program here.
  const int result = StopRequested() ? 0 : RunEventLoop(app, *station, screenshots);
  g_controller = nullptr;
  station.reset();
  return result;
}
