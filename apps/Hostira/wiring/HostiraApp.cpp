#include "apps/Hostira/wiring/HostiraApp.h"

#include "common/ui/MessageBoxDlg.h"
#include "radio/about/ui/CPageAboutDlg.h"
#include "radio/blockack/ui/CPage80211nSettingDlg.h"
#include "softap/access/ui/CAccessControlPage.h"
#include "softap/config/ui/CConfigPage.h"
#include "softap/eventlog/ui/CEventLogPage.h"
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
      radioStore_(platform_, adapter_, store_),
      blockAck_(driver_, radioStore_, *platform_.loop),
      about_(platform_, driver_, adapter_, Utility::kSoftAp),
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
      {kStrAboutTitle, "about-page", [this] { return CreateAboutPage(); }},
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

QWidget* HostiraApp::CreateAboutPage() {
  auto q = [this](int id) { return QString::fromStdString(strings_.Text(id)); };
  AboutTexts texts{.title = q(kStrAboutTitle),
                   .utilityVersion = q(kStrAboutUtilityVersion),
                   .date = q(kStrAboutDate),
                   .driverVersion = q(kStrAboutDriverVersion),
                   .eepromVersion = q(kStrAboutEepromVersion),
                   .firmwareVersion = q(kStrAboutFirmwareVersion),
                   .macAddress = q(kStrAboutPhyAddress),
                   .ipAddress = q(kStrAboutIpAddress),
                   .subnetMask = q(kStrAboutSubMask),
                   .gateway = q(kStrAboutGateway),
                   .web = q(kStrAboutWeb)};
  ProcessLauncher* launcher = platform_.launcher;
  return new CAboutPage(about_, AboutFlavour::kAccessPoint, std::move(texts),
                        [launcher] { launcher->ShellOpen(radio::kVendorWebAddress); });
}

SheetPageSpec HostiraApp::HtPageSpec() {
  return {kStrHtTitle, "11n-setting", [this]() -> QWidget* {
            auto q = [this](int id) { return QString::fromStdString(strings_.Text(id)); };
            BlockAckTexts t{
                .title = q(kStrBaCaption),
                .amsduGroup = q(kStrBaAmsdu),
                .smpsGroup = q(kStrBaSmps),
                .originator = q(kStrBaOriginator),
                .recipient = q(kStrBaRecipient),
                .amsduEnable = q(kStrBaEnable),
                .mpdu = q(kStrBaMpdu),
                .max3839 = q(kStrBaMax3839),
                .max7935 = q(kStrBaMax7935),
                .smEnable = q(kStrBaSmEnable),
                .staticSmps = q(kStrBaStaticSmps),
                .dynamicSmps = q(kStrBaDynamicSmps),
                .manual = q(kStrBaManual),
                .automatic = q(kStrBaAuto),
                .density = q(kStrBaDensity),
                .apply = q(kStrBaApply),
                .add = q(kStrBaAdd),
                .remove = q(kStrBaDelete),
                .removeAll = q(kStrBaDeleteEntry),
                .macColumn = q(kStrBaMacColumn),
                .addCaption = q(kStrBaAddCaption),
                .deleteCaption = q(kStrBaDeleteCaption),
                .tid = q(kStrBaTid),
                .window = q(kStrBaWindow),
                .availableBssids = q(kStrBaAvailable),
                .bssidColumn = q(kStrBaBssidColumn),
                .ok = q(kStrBaOk),
                .cancel = q(kStrBaCancel),
                .noPeer = q(kStrBaSelectBssid),
                .badOriginatorWindow = q(kStrBaBadOriginatorWindow),
                .badRecipientWindow = q(kStrBaBadRecipientWindow),
            };
            auto* page = new CBlockAck(blockAck_, BlockAckFlavour::kAccessPoint, std::move(t), {});
            BlockAckHooks hooks{
                .showMessage =
                    [this, page](const QString& message) {
                      ShowMessageBox(message, QString::fromStdString(strings_.Text(kStrOk)), page);
                    },
                .associatedBssid = {}};
            page->SetHooks(std::move(hooks));
            return page;
          }};
}

}  // namespace kavo9::softap
