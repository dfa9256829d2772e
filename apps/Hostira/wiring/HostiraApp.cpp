#include "apps/Hostira/wiring/HostiraApp.h"

#include "softap/access/ui/CAccessControlPage.h"
#include "softap/config/ui/CConfigPage.h"
#include "softap/eventlog/ui/CEventLogPage.h"
#include "softap/record/ApSummary.h"
#include "softap/shell/HostiraIds.h"
#include "softap/stations/ui/CMacTablePage.h"
#include "softap/statistics/ui/CStatisticPage.h"

namespace kavo9::softap {

HostiraApp::HostiraApp(HostiraAppParts parts)
    : platform_(*parts.platform),
      trayIcon_(std::move(parts.trayIcon)),
      settings_(platform_.paths->ExecutablePath()),
      strings_(platform_.system->DefaultLanguageId()),
      adapter_(platform_, Utility::kSoftAp, nullptr),
      driver_(adapter_.access()),
      store_(*platform_.registry, parts.service, Utility::kSoftAp),
      sharing_(platform_.libraries),
      sheet_([this] { return new CTsPropSheet(strings_, PageSpecs(), HtPageSpec()); }),
      messages_(strings_) {
  controller_ = std::make_unique<CHideDlg>(
      ApControllerParts{platform_, driver_, adapter_, store_, settings_, strings_, *trayIcon_,
                        sheet_, messages_, sharing_, eventLog_, state_});
}

HostiraApp::~HostiraApp() {
  sheet_.Close();
  controller_.reset();
}

std::vector<SheetPageSpec> HostiraApp::PageSpecs() {
  auto pending = [this](int title) {
    return [this, title] { return CreatePendingPage(strings_, title); };
  };
  return {
      {kStrConfigTitle, "config", [this] { return CreateConfigPage(strings_); }},
      {kStrAccessControlTitle, "access-control",
       [this] { return CreateAccessControlPage(strings_); }},
      {kStrMacTableTitle, "mac-table",
       [this] {
         return new CMacTablePage(strings_, driver_, state_.htCapable, *platform_.loop,
                                  platform_.ipHelper);
       }},
      {kStrEventLogTitle, "event-log", [this] { return new CEventLogPage(strings_, eventLog_); }},
      {kStrStatisticsTitle, "statistics", [this] { return new CStatisticPage(strings_, driver_); }},
      {kStrAboutTitle, "about", pending(kStrAboutTitle)},
  };
}

QWidget* HostiraApp::CreateConfigPage(const HostiraStrings& strings) {
  auto model = std::make_unique<ConfigPageModel>(state_, *platform_.registry, store_, driver_,
                                                 settings_, configHost_);
  model->Create();
  return new CConfigPage(strings, std::move(model),
                         [this](int id) { configHost_.ShowMessage(id); });
}

QWidget* HostiraApp::CreateAccessControlPage(const HostiraStrings& strings) {
  auto model = std::make_unique<AccessControlModel>(state_, *platform_.registry, store_, driver_);
  model->Load();
  return new CAccessControlPage(strings, std::move(model),
                                [this](int id) { configHost_.ShowMessage(id); });
}

SheetPageSpec HostiraApp::HtPageSpec() {
  return {kStrHtTitle, "11n-setting", [this] { return CreatePendingPage(strings_, kStrHtTitle); }};
}

}  // namespace kavo9::softap
