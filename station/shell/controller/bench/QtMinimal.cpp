// The yardstick for the station utility's start-up: a minimal Qt Widgets program that creates
// its application and one hidden window, enters its event loop and quits at once.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("HideDlg");
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}
