#pragma once
// Hostira put together: every part constructed and handed to the pieces that use it. Nothing here
// decides anything; the rules live in the libraries.

#include <memory>

#include "common/adapter/Adapter.h"
#include "common/adapter/FaultableDriver.h"
#include "common/platform/TrayIcon.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StoreAccess.h"
#include "radio/RegistryRadioStore.h"
#include "radio/about/AboutInfo.h"
#include "radio/blockack/BlockAckPage.h"
#include "softap/config/ConfigPage.h"
#include "softap/eventlog/EventLog.h"
#include "softap/record/ApRuntimeState.h"
#include "softap/shell/CHideDlg.h"
#include "softap/shell/HostiraStrings.h"
#include "softap/shell/IcsDhcp.h"
#include "softap/ui/QtApSheet.h"

namespace kavo9::softap {

// The configuration page's way to the controller and the message box.
class HostiraConfigHost : public ConfigPageHost {
 public:
  HostiraConfigHost(ApMessagePort& messages, const HostiraStrings& strings,
                    std::unique_ptr<CHideDlg>& controller)
      : messages_(messages), strings_(strings), controller_(controller) {}
  void ShowMessage(int stringId) override { messages_.ShowMessage(strings_.Text(stringId), true); }
  void RunStartupSequence() override {
    if (controller_) controller_->RunStartupSequence(false);
  }

 private:
  ApMessagePort& messages_;
  const HostiraStrings& strings_;
  std::unique_ptr<CHideDlg>& controller_;
};

struct HostiraAppParts {
  Platform* platform = nullptr;
  RegistryServiceClient* service = nullptr;  // may be null
  std::unique_ptr<TrayIcon> trayIcon;        // required
};

class HostiraApp {
 public:
  explicit HostiraApp(HostiraAppParts parts);
  ~HostiraApp();

  CHideDlg& Controller() { return *controller_; }
  QtApSheet& Sheet() { return sheet_; }
  const HostiraStrings& Strings() const { return strings_; }
  const ApRuntimeState& State() const { return state_; }
  FaultableDriver& Driver() { return driver_; }
  TrayIcon& Tray() { return *trayIcon_; }
  kavo9::Platform& MachinePlatform() { return platform_; }
  ApEventLog& EventLog() { return eventLog_; }

  // The sheet's pages in their order, and the 802.11n page.
  std::vector<SheetPageSpec> PageSpecs();
  SheetPageSpec HtPageSpec();
  // The configuration page in the language of `strings`.
  QWidget* CreateConfigPage(const HostiraStrings& strings);
  QWidget* CreateAccessControlPage(const HostiraStrings& strings);

 private:
  QWidget* CreateAboutPage();

  Platform& platform_;
  std::unique_ptr<TrayIcon> trayIcon_;
  SettingsFile settings_;
  HostiraStrings strings_;
  ApRuntimeState state_;
  Adapter adapter_;
  FaultableDriver driver_;
  StoreAccess store_;
  radio::RegistryRadioStore radioStore_;
  radio::BlockAckPageModel blockAck_;
  radio::AboutReader about_;
  IcsDhcp sharing_;
  ApEventLog eventLog_{driver_};
  QtApSheet sheet_;
  QtApMessages messages_;
  std::unique_ptr<CHideDlg> controller_;
  HostiraConfigHost configHost_{messages_, strings_, controller_};
};

}  // namespace kavo9::softap
