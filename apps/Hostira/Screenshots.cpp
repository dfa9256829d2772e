#include "apps/Hostira/Screenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

#include "apps/Hostira/wiring/HostiraApp.h"
#include "common/shell/InstanceMessages.h"
#include "common/ui/QtTrayIcon.h"
#include "radio/blockack/ui/CAddBlockAckDlg.h"
#include "radio/blockack/ui/CPage80211nSettingDlg.h"
#include "softap/access/ui/CAccessControlPage.h"
#include "softap/config/ui/CAuthSecuDlg.h"
#include "softap/shell/HostiraIds.h"
#include "softap/ui/HostiraIcons.h"

namespace kavo9::softap {
namespace {

bool Save(const QPixmap& picture, const QString& path) {
  const bool saved = picture.save(path);
  std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write",
               qPrintable(path));
  return saved;
}

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Every page of one sheet, each as "<page><suffix>.png".
void PhotographSheet(CTsPropSheet& sheet, const QDir& dir, const QString& suffix) {
  sheet.show();
  Settle();
  QTabWidget* tabs = sheet.Tabs();
  std::vector<SheetPageSpec> pages = sheet.Pages();
  if (sheet.HtPageShown()) pages.push_back(sheet.HtPage());
  for (int i = 0; i < tabs->count() && i < int(pages.size()); ++i) {
    tabs->setCurrentIndex(i);
    Settle();
    Save(sheet.grab(),
         dir.filePath(QString::fromStdString(pages[size_t(i)].fileName) + suffix + ".png"));
  }
}

// The tray's icons and menu, the way the user meets them.
void PhotographTray(HostiraApp& app, const QDir& dir) {
  const HostiraStrings& s = app.Strings();
  std::vector<TrayMenuItem> items = {{kCmdOpen, s.Text(kStrMenuLaunch)},
                                     {kCmdSwitchToStation, s.Text(kStrMenuSwitch)},
                                     {kCmdApExit, s.Text(kStrMenuExit)}};
  QMenu* menu = BuildTrayMenu(items, [](uint32_t) {});
  menu->adjustSize();
  menu->show();
  Settle();
  Save(menu->grab(), dir.filePath("tray-menu.png"));
  delete menu;
  const int icons[] = {kIconDisconnected, kIconGood, kIconNormal, kIconWeak, kIconNotExist};
  QPixmap strip(5 * 56, 56);
  strip.fill(QColor("#F8FAFC"));
  QPainter painter(&strip);
  for (int i = 0; i < 5; ++i) HostiraIcon(icons[i]).paint(&painter, QRect(i * 56 + 8, 8, 40, 40));
  painter.end();
  Save(strip, dir.filePath("tray-icons.png"));
}

// The windows a page opens or changes into: the security dialog, a filled access list being
// edited.
void PhotographDialogs(HostiraApp& app, const QDir& dir) {
  ApSecurity security;
  security.auth = kAuthWpa2Psk;
  security.encryption = kEncAes;
  security.passPhrase = "guest pass 2007";
  security.rekeyInterval = 60;
  CAuthSecuDlg dialog(app.Strings(), security, {});
  dialog.show();
  Settle();
  Save(dialog.grab(), dir.filePath("config-security.png"));

  auto* access = qobject_cast<CAccessControlPage*>(app.CreateAccessControlPage(app.Strings()));
  access->Model().SetPolicy(kPolicyRejectListed);
  access->Model().Add("021D5A000013");
  access->Model().Add("0050BA112233");
  access->Render();
  access->resize(600, 360);
  access->show();
  Settle();
  Save(access->grab(), dir.filePath("access-control-list.png"));
  delete access;
}

}  // namespace

void TakeScreenshotsWhenReady(HostiraApp& app, const QString& folder) {
  QTimer::singleShot(0, [&app, folder] {
    QDir dir(folder);
    dir.mkpath(".");
    {
      // The events so far, as the controller's next tick would fetch them.
      app.EventLog().ResetDisplayCount();
      app.EventLog().FetchNew();
      CTsPropSheet sheet(app.Strings(), app.PageSpecs(), app.HtPageSpec());
      PhotographSheet(sheet, dir, "");
      sheet.SetHtPageShown(true);
      sheet.Tabs()->setCurrentIndex(sheet.Tabs()->count() - 1);
      // A refresh of the session lists: the stations that joined have theirs.
      QEventLoop wait;
      QTimer::singleShot(1500, &wait, &QEventLoop::quit);
      wait.exec();
      Settle();
      Save(sheet.grab(), dir.filePath("11n-setting.png"));
      // The add dialog of a manual session, over the page.
      if (auto* page = qobject_cast<CBlockAck*>(sheet.Tabs()->currentWidget())) {
        if (auto* manual = page->findChild<QAbstractButton*>(QStringLiteral("1242"))) {
          manual->click();
        }
        if (auto* add = page->findChild<QAbstractButton*>(QStringLiteral("1136"))) add->click();
        Settle();
        if (CBlockAckPeerDlg* dialog = page->OpenDialog()) {
          Save(dialog->grab(), dir.filePath("11n-add-block-ack.png"));
          dialog->reject();
        }
      }
    }
    {
      const HostiraStrings chinese(0x0804);
      std::vector<SheetPageSpec> pages = app.PageSpecs();
      pages.resize(1);
      pages[0].create = [&chinese, &app] { return app.CreateConfigPage(chinese); };
      CTsPropSheet sheet(chinese, pages, app.HtPageSpec());
      PhotographSheet(sheet, dir, "-zh");
    }
    PhotographDialogs(app, dir);
    PhotographTray(app, dir);
    app.Controller().OnCommand(kCmdApExit);
  });
}

}  // namespace kavo9::softap
