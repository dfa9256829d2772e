#include "softap/shell/HostiraStrings.h"

#include <algorithm>

#include "softap/shell/HostiraIds.h"

namespace kavo9::softap {
namespace {

constexpr StringEntry kTable[] = {
    {kStrSheetCaption, "Kavo9", "Kavo9"},
    {kStrCardNotReady, "Card or driver not ready", "网卡或驱动程序未就绪"},
    {kStrTipDisconnected, "Norvik Kavo9\nDisconnected", "Norvik Kavo9\n未连接"},
    {kStrTipGood, "Norvik Kavo9\nStatus : Good", "Norvik Kavo9\n状态 : 良好"},
    {kStrTipWeak, "Norvik Kavo9\nStatus : Weak", "Norvik Kavo9\n状态 : 弱"},
    {kStrTipNormal, "Norvik Kavo9\nStatus : Normal", "Norvik Kavo9\n状态 : 一般"},
    {kStrTipNotExist, "Norvik Kavo9\nNot Exist", "Norvik Kavo9\n不存在"},
    {kStrConfigTitle, "Config", "配置"},
    {kStrNotAdministrator, "Soft AP user's account must have 'Administrator' privilege.",
     "Soft AP 用户帐户必须具有“管理员”权限。"},
    {kStrMenuLaunch, "Launch Config Utilities ", "启动配置程序 "},
    {kStrMenuSwitch, "Switch to Station Mode", "切换到站点模式"},
    {kStrMenuExit, "Exit", "退出"},
    {kStrOk, "OK", "确定"},
    {kStrAccessControlTitle, "Access Control", "访问控制"},
    {kStrMacTableTitle, "Mac Table", "MAC 表"},
    {kStrEventLogTitle, "Event Log", "事件日志"},
    {kStrStatisticsTitle, "Statistics", "统计"},
    {kStrHtTitle, "11n Setting", "11n 设置"},
    {kStrAboutTitle, "About", "关于"},
    {kStrNotBuiltYet, "This page comes with a later version of the program.",
     "此页面将在程序的后续版本中提供。"},
    {kStrSummarySsid, "SSID", "SSID"},
    {kStrSummaryMode, "Wireless Mode", "无线模式"},
    {kStrSummaryChannel, "Channel", "信道"},
    {kStrSummaryAuth, "Authentication Type", "认证类型"},
    {kStrSummaryEncryption, "Encryption Type", "加密类型"},
    {kStrSummaryHidden, "Hide SSID", "隐藏 SSID"},
    {kStrSummaryNote,
     "The access point runs with these settings. Editing them comes with a later "
     "version of the program.",
     "接入点正在使用这些设置运行。编辑功能将在程序的后续版本中提供。"},
    {kStrCancel, "Cancel", "取消"},
    {kStrYes, "Yes", "是"},
    {kStrNo, "No", "否"},
    {kStrBaOriginator, "Originator of", "发起方"},
    {kStrBaRecipient, "Recipient of", "接收方"},
    {kStrBaAuto, "Auto", "自动"},
    {kStrBaManual, "Manual", "手动"},
    {kStrBaApply, "APPLY", "应用"},
    {kStrBaOk, "OK", "确定"},
    {kStrBaCaption, "11n Setting", "11n 设置"},
    {kStrBaAddCaption, "Add MPDU Aggregation", "添加 MPDU 聚合"},
    {kStrBaMacColumn, "MAC", "MAC"},
    {kStrBaSelectBssid, "Please select BSSID", "请选择 BSSID"},
    {kStrBaCancel, "CANCEL", "取消"},
    {kStrBaDensity, "MPDU Density", "MPDU 密度"},
    {kStrBaDeleteCaption, "Delete Block Ack", "删除 Block Ack"},
    {kStrBaAmsdu, "A-MSDU", "A-MSDU"},
    {kStrBaSmps, "Spatial Multiplexing Power Save", "空间复用省电"},
    {kStrBaEnable, "Enable", "启用"},
    {kStrBaMpdu, "MPDU Aggregation", "MPDU 聚合"},
    {kStrBaMax3839, "Max: 3839", "最大: 3839"},
    {kStrBaMax7935, "Max: 7935", "最大: 7935"},
    {kStrBaSmEnable, "SM enable", "SM 启用"},
    {kStrBaStaticSmps, "Static SMPS", "静态 SMPS"},
    {kStrBaDynamicSmps, "Dynamic SMPS", "动态 SMPS"},
    {kStrBaAdd, "ADD", "添加"},
    {kStrBaDelete, "DELETE", "删除"},
    {kStrBaDeleteEntry, "DELETE ENTRY", "删除条目"},
    {kStrBaTid, "TID", "TID"},
    {kStrBaWindow, "limit BA window size ", "BA 窗口大小上限 "},
    {kStrBaAvailable, "Available BSSIDs", "可用 BSSID"},
    {kStrBaBssidColumn, "BSSID", "BSSID"},
    {kStrBaBadOriginatorWindow, "The originator window size must be between 1 and 64.",
     "发起方窗口大小必须在 1 到 64 之间。"},
    {kStrAboutDriverVersion, "Driver Version:", "驱动程序版本:"},
    {kStrAboutDate, "Date :", "日期 :"},
    {kStrAboutPhyAddress, "Phy_Address :", "物理地址 :"},
    {kStrAboutUtilityVersion, "Utility Version:", "程序版本:"},
    {kStrAboutEepromVersion, "EEPROM Version:", "EEPROM 版本:"},
    {kStrAboutFirmwareVersion, "Firmware Version:", "固件版本:"},
    {kStrAboutIpAddress, "IP Address :", "IP 地址 :"},
    {kStrAboutSubMask, "Sub Mask :", "子网掩码 :"},
    {kStrAboutGateway, "Default Gateway:", "默认网关:"},
    {kStrAboutWeb, "Web Site", "网站"},
    {kStrBaBadRecipientWindow, "The recipient window size must be between 1 and 64.",
     "接收方窗口大小必须在 1 到 64 之间。"},
};

}  // namespace

bool IsSimplifiedChinese(uint16_t languageId) {
  // Chinese (PRC) and Chinese (Singapore) read the simplified characters.
  return languageId == 0x0804 || languageId == 0x1004;
}

HostiraStrings::HostiraStrings(uint16_t languageId) : chinese_(IsSimplifiedChinese(languageId)) {}

const char* FindStringText(std::span<const StringEntry> table, int id, bool chinese) {
  auto it =
      std::find_if(table.begin(), table.end(), [id](const StringEntry& e) { return e.id == id; });
  if (it == table.end()) return nullptr;
  return chinese ? it->chinese : it->english;
}

std::string HostiraStrings::Text(int id) const {
  const char* text = FindStringText(kTable, id, chinese_);
  if (!text) text = PageStringText(id, chinese_);
  return text ? text : std::string();
}

}  // namespace kavo9::softap
