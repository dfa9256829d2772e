#include "apps/Stavio/wiring/StationApp.h"

#include <QString>

#include "station/shell/ui/MessageBoxDlg.h"

namespace kavo9 {

StationApp::StationApp(StationAppParts parts)
    : platform_(*parts.platform),
      trayIcon_(std::move(parts.trayIcon)),
      settings_(platform_.paths->ExecutablePath()),
      adapter_(platform_, parts.chooser,
               [this](bool selecting) {
                 if (controller_) controller_->SetSelecting(selecting);
               }),
      store_(*platform_.registry, parts.service),
      language_(*platform_.paths, *platform_.system),
      requests_(adapter_),
      radioStore_(platform_, adapter_, store_),
      region_(radio_, adapter_, requests_, radioStore_) {
  actions_ = std::make_unique<StationActions>(*platform_.loop, requests_, radio_);
  pages_ = std::make_unique<StationPages>(StationPagesParts{.platform = &platform_,
                                                            .adapter = &adapter_,
                                                            .requests = &requests_,
                                                            .store = &store_,
                                                            .settings = &settings_,
                                                            .language = &language_,
                                                            .actions = actions_.get(),
                                                            .radio = &radio_,
                                                            .radioStore = &radioStore_});
  windows_ = std::make_unique<StationWindows>(*this, *trayIcon_,
                                              [this] { return pages_->CreateMainWindow(); });

  ControllerParts controllerParts;
  controllerParts.platform = &platform_;
  controllerParts.adapter = &adapter_;
  controllerParts.store = &store_;
  controllerParts.settings = &settings_;
  controllerParts.language = &language_;
  controllerParts.tray = windows_.get();
  controllerParts.mainWindow = windows_.get();
  controllerParts.actions = actions_.get();
  controllerParts.region = &region_;
  controller_ = std::make_unique<CHideDlg>(controllerParts);

  actions_->SetController(controller_.get());
  actions_->SetListReadCallback([this] { pages_->OnListReadOutsideQueue(); });
  pages_->SetController(controller_.get());
  pages_->SetWindows(windows_.get());
}

StationApp::~StationApp() {
  // The controller saves its state and closes the windows while everything it uses still exists.
  controller_.reset();
  windows_.reset();
}

int StationApp::ShowMessageBox(const std::string& text, const std::string& button) {
  return kavo9::ShowMessageBox(QString::fromStdString(text), QString::fromStdString(button));
}

std::filesystem::path StationApp::ProgramDir() const { return platform_.paths->ProgramDir(); }

}  // namespace kavo9
