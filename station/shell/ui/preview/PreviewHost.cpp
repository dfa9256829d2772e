#include "station/shell/ui/preview/PreviewHost.h"

#include <QDesktopServices>
#include <QUrl>

#include "common/platform/Paths.h"

namespace kavo9 {

namespace {

using Table = std::map<std::string, std::string, std::less<>>;

const Table& English() {
  static const Table table{
      {"IDS_TESMAR_CONFIG_TITLE", "Kavo9"},
      {"IDS_TAB_PROFILE", "Profile"},
      {"IDS_TAB_SITESURVEY", "Site Survey"},
      {"IDS_TAB_ADVANCE", "Advanced"},
      {"IDS_TAB_STATISTICS", "Statistics"},
      {"IDS_TAB_WMM", "WMM"},
      {"IDS_TAB_WPS", "WPS"},
      {"IDS_TAB_SSO", "SSO"},
      {"IDS_TAB_80211N", "802.11n"},
      {"IDS_TAB_RADIO", "Radio"},
      {"IDS_TAB_ABOUT", "About"},
      {"IDS_BTN_HELP", "Help"},
      {"IDS_BTN_MORE", "More"},
      {"IDS_BTN_LESS", "Less"},
      {"IDS_OK", "OK"},
      {"IDS_LINK_STATUS", "Link Status"},
      {"IDS_TRAY_LAUNCH", "&Open Kavo9"},
      {"IDS_TRAY_EXIT", "E&xit"},
      {"IDS_TRAY_SWITCH_AP_MODE", "Switch to &AP Mode"},
      {"IDS_TRAY_SWITCH_TSCONFIG", "Use Kavo9 as Configuration &Tool"},
      {"IDS_TRAY_SWITCH_ZEROCONFIG", "Use &Windows to Configure the Adapter"},
      {"IDS_TESMAR_GOOD", "Connected to %s: signal good"},
      {"IDS_TESMAR_NORMAL", "Connected to %s: signal fair"},
      {"IDS_TESMAR_WEAK", "Connected to %s: signal weak"},
      {"IDS_TESMAR_WEP_ERROR", "Connected: %s"},
      {"IDS_WEPERROR", "the network key may be wrong"},
      {"IDS_TESMAR_LOST", "Not connected"},
      {"IDS_TESMAR_NOTEXIST", "No wireless adapter found"},
      {"IDS_DRIVER_NOTOK", "The wireless adapter is not ready."},
      {"IDS_GUEST_WARN",
       "You are logged on as a standard user. Some settings can only be changed by an "
       "administrator."},
  };
  return table;
}

const Table& Chinese() {
  static const Table table{
      {"IDS_TESMAR_CONFIG_TITLE", "Kavo9"},
      {"IDS_TAB_PROFILE", "配置文件"},
      {"IDS_TAB_SITESURVEY", "站点测量"},
      {"IDS_TAB_ADVANCE", "高级"},
      {"IDS_TAB_STATISTICS", "统计"},
      {"IDS_TAB_WMM", "WMM"},
      {"IDS_TAB_WPS", "WPS"},
      {"IDS_TAB_SSO", "单一登录"},
      {"IDS_TAB_80211N", "802.11n"},
      {"IDS_TAB_RADIO", "无线电"},
      {"IDS_TAB_ABOUT", "关于"},
      {"IDS_BTN_HELP", "帮助"},
      {"IDS_BTN_MORE", "更多"},
      {"IDS_BTN_LESS", "更少"},
      {"IDS_OK", "确定"},
      {"IDS_LINK_STATUS", "连接状态"},
      {"IDS_TRAY_LAUNCH", "打开 Kavo9(&O)"},
      {"IDS_TRAY_EXIT", "退出(&X)"},
      {"IDS_TRAY_SWITCH_AP_MODE", "切换到 AP 模式(&A)"},
      {"IDS_TRAY_SWITCH_TSCONFIG", "使用 Kavo9 作为配置工具(&T)"},
      {"IDS_TRAY_SWITCH_ZEROCONFIG", "使用 Windows 配置网卡(&W)"},
  };
  return table;
}

}  // namespace

bool PreviewLauncher::ShellOpen(std::string_view file) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(std::string(file))));
}

PreviewHost::PreviewHost(bool chinese) : chinese_(chinese) {}

std::string PreviewHost::Text(std::string_view key) const {
  const Table& table = chinese_ ? Chinese() : English();
  auto it = table.find(key);
  if (it != table.end()) return it->second;
  it = English().find(key);
  return it == English().end() ? std::string() : it->second;
}

std::filesystem::path PreviewHost::ProgramDir() const {
  return CurrentExecutablePath().parent_path();
}

}  // namespace kavo9
