#include "common/ui/QtTrayIcon.h"

#include <QCursor>
#include <QMenu>

#include "common/platform/RecordingTrayIcon.h"
#include "common/ui/MachineTrayIcon.h"
#include "common/ui/Theme.h"
#include "station/shell/tray/TrayMenu.h"

namespace kavo9 {

QtTrayIcon::QtTrayIcon(IconResolver icons) : icons_(std::move(icons)) {
  connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
    if (why == QSystemTrayIcon::DoubleClick) {
      ReportMouse(WM_LBUTTONDBLCLK);
    } else if (why == QSystemTrayIcon::Context) {
      ReportMouse(WM_RBUTTONDOWN);
    }
  });
}

QIcon QtTrayIcon::Image(uint32_t resource) const {
  return icons_ ? icons_(int(resource)) : ResourceIcon(int(resource));
}

QtTrayIcon::~QtTrayIcon() {
  icon_.hide();
}

bool QtTrayIcon::Add(uint32_t iconResource, std::string_view tip) {
  if (added_ || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
  icon_.setIcon(Image(iconResource));
  icon_.setToolTip(QString::fromStdString(TipDisplayText(tip)));
  icon_.show();
  added_ = true;
  return true;
}

bool QtTrayIcon::Modify(uint32_t iconResource, std::string_view tip) {
  if (!added_ || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
  icon_.setIcon(Image(iconResource));
  icon_.setToolTip(QString::fromStdString(TipDisplayText(tip)));
  return true;
}

bool QtTrayIcon::Delete() {
  if (!added_) return false;
  icon_.hide();
  added_ = false;
  return true;
}

void QtTrayIcon::TrackMenu(std::vector<TrayMenuItem> items, MenuCallback chosen) {
  QMenu* menu = BuildTrayMenu(items, std::move(chosen));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(QCursor::pos());
}

void QtTrayIcon::ShowBalloon(std::string_view title, std::string_view text) {
  if (!added_) return;
  icon_.showMessage(QString::fromUtf8(title.data(), qsizetype(title.size())),
                    QString::fromUtf8(text.data(), qsizetype(text.size())),
                    QSystemTrayIcon::Information);
}

QMenu* BuildTrayMenu(const std::vector<TrayMenuItem>& items, TrayIcon::MenuCallback chosen,
                     QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName(QStringLiteral("trayMenu"));
  for (const auto& item : items) {
    if (item.command == kTrayExit && !menu->isEmpty()) menu->addSeparator();
    QAction* action = menu->addAction(QString::fromStdString(item.text));
    action->setObjectName(QString::number(item.command));
    QObject::connect(action, &QAction::triggered, menu, [chosen, command = item.command] {
      if (chosen) chosen(command);
    });
  }
  return menu;
}

std::unique_ptr<TrayIcon> CreateTrayIcon(QtTrayIcon::IconResolver icons,
                                         const std::filesystem::path& machineDir) {
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    return std::make_unique<QtTrayIcon>(std::move(icons));
  }
  if (!machineDir.empty()) return std::make_unique<MachineTrayIcon>(machineDir);
  return std::make_unique<RecordingTrayIcon>();
}

}  // namespace kavo9
