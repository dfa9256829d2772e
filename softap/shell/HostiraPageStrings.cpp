// The texts of the access point's editing pages, in English and Simplified Chinese.

#include <algorithm>
#include <iterator>

#include "softap/shell/HostiraPageIds.h"
#include "softap/shell/HostiraStrings.h"

namespace kavo9::softap {
namespace {

struct Entry {
  int id;
  const char* english;
  const char* chinese;
};

constexpr Entry kTable[] = {
    {kStrBeaconRange, "The beacon period should be between 20 ~ 1000", "信标周期应介于 20 ~ 1000"},
    {kStrIdleRange, "The idle time should be between  60 ~ 3600", "闲置时间应介于  60 ~ 3600"},
    {kStrBand24, "2.4G", "2.4G"},
    {kStrBand5, "5G", "5G"},
    {kStrKeyInSsid, "Please Key in SSID", "请输入 SSID"},
    {kStrHideSsid, "Hide SSID", "隐藏 SSID"},
    {kStrDefault, "Default", "默认"},
    {kStrNoForwarding, "No forwarding among wireless clients", "无线客户端之间不转发"},
    {kStrApply, "Apply", "应用"},
    {kStrWepKeyLength,
     "Invalid Key Length  -  WEP requires 5 or 13 characters. \n(Note : 1 character is 2 hexa)",
     "密钥长度无效  -  WEP 需要 5 或 13 个字符。\n(注意：1 个字符为 2 个十六进制数)"},
    {kStrPskLength, "Invalid Key Length  -  WPA-PSK requires 8~64 ASCII characters",
     "密钥长度无效  -  WPA-PSK 需要 8~64 个 ASCII 字符"},
    {kStrTxBurst, "Tx BURST", "Tx BURST"},
    {kStrWepNote, "WEP keys: 10 or 26 hexadecimal digits, or 5 or 13 ASCII characters.",
     "WEP 密钥：10 或 26 个十六进制数字，或 5 或 13 个 ASCII 字符。"},
    {kStrAllowBw40, "Allow BW 40 MHz", "允许 40 MHz 带宽"},
    {kStrWirelessModeLabel, "Wireless Mode", "无线模式"},
    {kStrSsidLabel, "SSID", "SSID"},
    {kStrChannelLabel, "Channel", "信道"},
    {kStrUseMac, "USE MAC ADDRESS", "使用 MAC 地址"},
    {kStrSecurityButton, "SECURITY...", "安全设置..."},
    {kStrRegionGroup, "Country Region Code", "国家区域码"},
    {kStrRegion24Label, "11 B/G", "11 B/G"},
    {kStrRegion5Label, "11 A", "11 A"},
    {kStrBeaconLabel, "Beacon Period (ms)", "信标周期 (ms)"},
    {kStrTxPowerLabel, "Transmit Power", "发射功率"},
    {kStrIdleLabel, "Idle time(60 - 3600)(s)", "闲置时间(60 - 3600)(秒)"},
    {kStrTxRateLabel, "TX Rate", "发送速率"},
    {kStrProtectionLabel, "Wireless Protection", "无线保护"},
    {kStrHtGroup, "HT Physical Mode", "HT 物理模式"},
    {kStrGuardLabel, "Guard Interval", "保护间隔"},
    {kStrGuardLong, "Long", "长"},
    {kStrGuardAuto, "Auto", "自动"},
    {kStrStbcLabel, "STBC", "STBC"},
    {kStrStbcNone, "None", "无"},
    {kStrStbcAuto, "Auto", "自动"},
    {kStrMcsLabel, "MCS", "MCS"},
    {kStrHtModeLabel, "Operating Mode", "工作模式"},
    {kStrHtModeMixed, "Mixed Mode", "混合模式"},
    {kStrHtModeGreen, "Green Field", "绿野模式"},
    {kStrExtChannelLabel, "Extension Channel", "扩展信道"},
    {kStrSecurityCaption, "Security Setting", "安全设置"},
    {kStrAuthLabel, "Authentication Type", "认证类型"},
    {kStrEncryptionLabel, "Encryption Type", "加密类型"},
    {kStrPskLabel, "WPA Pre-Shared Key", "WPA 预共享密钥"},
    {kStrRekeyLabel, "WPA Group Rekey Interval", "WPA 组密钥更新间隔"},
    {kStrRekeySeconds, "10 seconds", "10 秒"},
    {kStrRekeyPackets, "Kpackets", "千个数据包"},
    {kStrShowPassword, "Show Password", "显示密码"},
    {kStrKeyLabel, "Key#", "密钥#"},
    {kStrKeyHex, "Hex", "十六进制"},
    {kStrKeyAscii, "ASCII", "ASCII"},
    {kStrConfigDescription, "The access point's network, radio and security settings",
     "接入点的网络、无线和安全设置"},
    {kStrWepKeysGroup, "Wep Key", "WEP 密钥"},
    {kStrMacLabel, "MAC Address", "MAC 地址"},
    {kStrDelete, "Delete", "删除"},
    {kStrRemoveAll, "Remove All", "全部删除"},
    {kStrModify, "Modify", "修改"},
    {kStrAccessPolicy, "Access Policy", "访问策略"},
    {kStrAccessList, "Access List", "访问列表"},
    {kStrAdd, "Add", "添加"},
    {kStrPolicyDisable, "Disable", "禁用"},
    {kStrPolicyDisable + 1, "Allow All", "全部允许"},
    {kStrPolicyDisable + 2, "Reject All", "全部拒绝"},
    {kStrInvalidMac, "Invalid MAC", "无效的 MAC"},
    {kStrMulticastMac, "Multicast MAC Not Accepted", "不接受多播 MAC"},
    {kStrDuplicatedMac, "Duplicated MAC", "MAC 重复"},
    {kStrApErrorCaption, "AP Error Message", "AP 错误信息"},
    {kStrPowerSaveYes, "Yes", "是"},
    {kStrPowerSaveNo, "No", "否"},
    {kStrEditCancel, "Cancel", "取消"},
    {kStrColumnMac, "MAC Address", "MAC 地址"},
    {kStrColumnAid, "AID", "AID"},
    {kStrColumnPowerSave, "Power Saving Mode", "省电模式"},
    {kStrColumnStatus, "Status", "状态"},
    {kStrStationsNone, "No station is associated.", "没有关联的站点。"},
    {kStrAccessDescription, "The stations the access point admits or rejects",
     "接入点允许或拒绝的站点"},
    {kStrStationsDescription, "The stations associated with the access point, every 2 seconds",
     "与接入点关联的站点，每 2 秒刷新"},
    {kStrEventClear, "Clear", "清除"},
    {kStrEventTimeColumn, "Event Time (yy/mm/dd- hh:mm:ss)", "事件时间 (yy/mm/dd- hh:mm:ss)"},
    {kStrEventMessageColumn, "Message", "信息"},
    {kStrEventsNone, "No event has been logged.", "尚未记录任何事件。"},
    {kStrEventsDescription, "What happened at the access point, newest last",
     "接入点发生的事件，最新的在最后"},
    {kStrTxGroup, "Transmit Statistics", "发送统计"},
    {kStrTxOk, "Frames Transmitted Successfully ", "成功发送的帧 "},
    {kStrTxOkAfterRetry, "Frames Transmitted Successfully After Retry", "重试后成功发送的帧"},
    {kStrTxFailAllRetry, "Frames Fail To Receive ACK After All Retries",
     "所有重试后仍未收到 ACK 的帧"},
    {kStrRtsOk, "RTS Frames Successfully Receive CTS", "成功收到 CTS 的 RTS 帧"},
    {kStrRtsFail, "RTS Frames Fail To Receive CTS", "未收到 CTS 的 RTS 帧"},
    {kStrRxGroup, "Receive Statistics", "接收统计"},
    {kStrRxOk, "Frames Received Successfully ", "成功接收的帧 "},
    {kStrRxCrcError, "Frames Received With CRC Error", "CRC 错误的接收帧"},
    {kStrRxDropped, "Frames Dropped Due To Out-of-Resource", "因资源不足而丢弃的帧"},
    {kStrRxDuplicate, "Duplicate Frames Received", "接收的重复帧"},
    {kStrResetCounters, "Reset Counters", "重置计数器"},
    {kStrStatisticsDescription, "The adapter's frame counters, every 2 seconds",
     "网卡的帧计数器，每 2 秒刷新"},
    {kStrClientsTitle, "Clients", "客户端"},
    {kStrClientsDescription,
     "Who is on the access point: name and address from connection sharing, rate, time on",
     "接入点上的客户端：连接共享提供的名称和地址、速率、在线时间"},
    {kStrClientName, "Name", "名称"},
    {kStrClientMac, "MAC Address", "MAC 地址"},
    {kStrClientIp, "IP Address", "IP 地址"},
    {kStrClientRate, "Rate", "速率"},
    {kStrClientConnected, "Connected", "在线时间"},
};

}  // namespace

const char* PageStringText(int id, bool chinese) {
  auto it = std::find_if(std::begin(kTable), std::end(kTable),
                         [id](const Entry& e) { return e.id == id; });
  if (it == std::end(kTable)) return nullptr;
  return chinese ? it->chinese : it->english;
}

}  // namespace kavo9::softap
