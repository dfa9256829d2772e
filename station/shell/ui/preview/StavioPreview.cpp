// Shows the station utility's windows with a stand-in for the rest of the program.
//
//   Stavio-preview                    the main window and the tray icon, to try by hand
//   Stavio-preview --screenshots DIR  writes PNG pictures of the windows into DIR and ends
// Options: --sso (single sign-on installed), --11n (the 802.11n page switched on), --chinese.

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <cstdio>

#include "common/platform/qt/QtEventLoop.h"
#include "station/shell/mainwindow/StationWindows.h"
#include "station/shell/ui/MainWindowDlg.h"
#include "station/shell/ui/MessageBoxDlg.h"
#include "station/shell/ui/QtTrayIcon.h"
#include "station/shell/ui/Theme.h"
#include "station/shell/ui/preview/PreviewHost.h"

namespace kavo9 {
namespace {

class PreviewWindowsHost : public StationWindowsHost {
 public:
  explicit PreviewWindowsHost(PreviewHost& texts) : texts_(texts) {}
  std::string Text(std::string_view key) const override { return texts_.Text(key); }
  bool Selecting() const override { return selecting_; }
  void SetSelecting(bool selecting) override { selecting_ = selecting; }
  bool AdapterAvailable() const override { return true; }
  bool IsAdapterPresent() override { return true; }
  int ShowMessageBox(const std::string& text) override {
    return kavo9::ShowMessageBox(QString::fromStdString(text),
                                 QString::fromStdString(Text("IDS_OK")));
  }
  bool IsAdministrator() const override { return true; }
  int ConfigToolState() const override { return 1; }
  int WindowsVersionCode() const override { return 8; }
  int ChipCode() const override { return 6; }
  std::filesystem::path ProgramDir() const override { return texts_.ProgramDir(); }
  void EndController() override { QApplication::quit(); }
  void RunCommand(uint32_t) override {}

 private:
  PreviewHost& texts_;
  bool selecting_ = false;
};

bool Save(const QPixmap& picture, const QString& path) {
  bool saved = picture.save(path);
  std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
               qPrintable(path));
  return saved;
}

// Every icon resource on one sheet, at two sizes, to judge them side by side.
QPixmap IconSheet() {
  const int ids[] = {137, 282, 136, 141, 280, 274, 305, 281, 272, 273, 289, 295,
                     302, 303, 300, 301, 298, 131, 159, 160, 162, 132, 161};
  QPixmap sheet(64 * 12, 64 * 3 + 40);
  sheet.fill(QColor("#F8FAFC"));
  QPainter painter(&sheet);
  int i = 0;
  for (int id : ids) {
    QRect cell((i % 12) * 64, (i / 12) * 64, 64, 64);
    painter.fillRect(cell.adjusted(4, 4, -4, -4),
                     id == 302 || id == 303 ? QColor("#1E293B") : QColor("#FFFFFF"));
    ResourceIcon(id).paint(&painter, cell.adjusted(12, 8, -12, -16));
    painter.drawText(cell.adjusted(0, 0, 0, -2), Qt::AlignHCenter | Qt::AlignBottom,
                     QString::number(id));
    ++i;
  }
  for (int image = 0; image < 10; ++image) {
    QRect cell(image * 64, 3 * 64 - 20, 64, 56);
    ListImage(image).paint(&painter, QRect(cell.x() + 24, cell.y() + 8, 16, 16));
    ListImage(image).paint(&painter, QRect(cell.x() + 20, cell.y() + 28, 24, 24));
  }
  return sheet;
}

int WriteScreenshots(const QString& dir, PreviewHost& host) {
  QDir().mkpath(dir);
  bool ok = true;
  {
    CLinkora2007Dlg window(host);
    window.SetWindowIcon(131);
    window.show();
    window.SetExpanded(false);
    ok &= Save(window.grab(), dir + "/mainwindow-collapsed.png");
    window.SetExpanded(true);
    ok &= Save(window.grab(), dir + "/mainwindow-expanded.png");
  }
  {
    PreviewHost wide = host;
    wide.ssoInstalled = true;
    wide.setting11n = true;
    wide.radioOn = false;
    CLinkora2007Dlg window(wide);
    window.show();
    ok &= Save(window.grab(), dir + "/mainwindow-all-pages.png");
  }
  {
    TextLookup texts = [&host](std::string_view key) { return host.Text(key); };
    std::unique_ptr<QMenu> menu(BuildTrayMenu(BuildTrayMenu({true, 1, 8, true}, texts), {}));
    menu->adjustSize();
    menu->setActiveAction(menu->actions().value(0));
    ok &= Save(menu->grab(), dir + "/tray-menu.png");
  }
  {
    CMessageBoxDlg box(QString::fromStdString(host.Text("IDS_GUEST_WARN")),
                       QString::fromStdString(host.Text("IDS_OK")));
    box.show();
    ok &= Save(box.grab(), dir + "/message-box.png");
  }
  ok &= Save(IconSheet(), dir + "/icons.png");
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace kavo9

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  kavo9::ApplyTheme(app);
  QStringList args = app.arguments();
  kavo9::PreviewHost host(args.contains("--chinese"));
  host.ssoInstalled = args.contains("--sso");
  host.setting11n = args.contains("--11n");

  int shots = args.indexOf("--screenshots");
  if (shots >= 0) {
    if (shots + 1 >= args.size()) {
      std::fprintf(stderr, "--screenshots needs a folder\n");
      return 2;
    }
    return kavo9::WriteScreenshots(args[shots + 1], host);
  }

  kavo9::QtEventLoop loop;
  kavo9::PreviewWindowsHost windowsHost(host);
  std::unique_ptr<kavo9::TrayIcon> icon = kavo9::CreateTrayIcon();
  kavo9::StationWindows windows(loop, windowsHost, *icon,
                                [&host] { return std::make_unique<kavo9::CLinkora2007Dlg>(host); });
  windows.Tray().Add(kavo9::TrayState::NotConnected);
  windows.Tray().SetTrayState(kavo9::TrayState::Good, "Preview & Co. 100%");
  windows.OpenMainWindow();
  app.setQuitOnLastWindowClosed(!windows.Tray().added());
  return app.exec();
}
