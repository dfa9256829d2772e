#pragma once
// The notification-area icon on a Qt desktop.

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <filesystem>
#include <functional>
#include <memory>

#include "common/platform/TrayIcon.h"

class QMenu;
class QWidget;

namespace kavo9 {

class QtTrayIcon : public QObject, public TrayIcon {
  Q_OBJECT
 public:
  // The image of a resource number; each program has its own icons.
  using IconResolver = std::function<QIcon(int resource)>;
  // Without a resolver the icons of common/ui/icons are shown.
  explicit QtTrayIcon(IconResolver icons = {});
  ~QtTrayIcon() override;

  bool Add(uint32_t iconResource, std::string_view tip) override;
  bool Modify(uint32_t iconResource, std::string_view tip) override;
  bool Delete() override;
  void TrackMenu(std::vector<TrayMenuItem> items, MenuCallback chosen) override;
  void ShowBalloon(std::string_view title, std::string_view text) override;

 private:
  QIcon Image(uint32_t resource) const;

  IconResolver icons_;
  QSystemTrayIcon icon_;
  bool added_ = false;
};

// The menu of `items` as the tray shows it; `chosen` gets the picked command.
QMenu* BuildTrayMenu(const std::vector<TrayMenuItem>& items, TrayIcon::MenuCallback chosen,
                     QWidget* parent = nullptr);

// A QtTrayIcon where the desktop has a notification area, otherwise the machine's own (a
// MachineTrayIcon, when `machineDir` is given; else a RecordingTrayIcon) so that the program
// still runs and can be worked from outside (offscreen, or a desktop without one).
std::unique_ptr<TrayIcon> CreateTrayIcon(QtTrayIcon::IconResolver icons = {},
                                         const std::filesystem::path& machineDir = {});

}  // namespace kavo9
