#include "softap/shell/CHideDlg.h"

#include <memory>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/WindowsVersion.h"
#include "common/platform/ServiceControl.h"
#include "common/platform/SessionEvents.h"
#include "common/shell/AdapterKey.h"
#include "common/shell/InstanceMessages.h"
#include "common/shell/ModeHandOver.h"
#include "softap/shell/HostiraIds.h"

namespace kavo9::softap {

// The tray's signal reading: 100 from -40 dBm up, falling by 2 a dB to -80 and by 5 a dB to -84.
int ApSignalPercent(int32_t dbm) {
  if (dbm >= -40) return 100;
  if (dbm >= -80) return 2 * dbm + 180;
  if (dbm >= -84) return 5 * dbm + 420;
  return 0;
}

uint32_t ApSignalIcon(int percent) {
  if (percent > 70) return kIconGood;
  if (percent <= 40) return kIconWeak;
  return kIconNormal;
}

namespace {

int TipFor(uint32_t icon) {
  switch (icon) {
    case kIconGood:
      return kStrTipGood;
    case kIconNormal:
      return kStrTipNormal;
    case kIconWeak:
      return kStrTipWeak;
    case kIconNotExist:
      return kStrTipNotExist;
    default:
      return kStrTipDisconnected;
  }
}

}  // namespace

CHideDlg::CHideDlg(const ApControllerParts& parts)
    : parts_(parts), timers_(*parts.platform.loop, [this](TimerId id) { OnTimer(id); }) {}

CHideDlg::~CHideDlg() {
  timers_.KillAll();
  if (parts_.platform.session) parts_.platform.session->SetPowerCallback(nullptr);
}

bool CHideDlg::Discover() {
  AdapterPort& adapter = parts_.adapter;
  ApRuntimeState& state = parts_.state;
  adapterPresent_ = adapter.DiscoverAdapter();
  const AdapterIdentity& identity = adapter.Identity();
  state.adapterIsUsb = adapterPresent_ && identity.usb();
  state.chipKind = identity.chipKind;
  state.htCapable = adapterPresent_ && identity.isHtFamily;
  state.adapterKeyPath = adapterPresent_ ? identity.registryKey : std::string();
  return adapterPresent_;
}

void CHideDlg::Initialise() {
  const ApControllerParts& p = parts_;
  p.adapter.DetectWindowsVersion();
  const int version = p.adapter.WindowsVersionCode();
  if (version >= 8) p.sharing.Load();

  const bool administrator = IsAdministratorUser(version, *p.platform.token);
  if (version >= 7 && !administrator) {
    p.messages.ShowMessage(p.strings.Text(kStrNotAdministrator), false);
    ended_ = true;
    if (onEnd_) onEnd_(kEndNotAdministrator);
    return;
  }
  p.store.Bind(false, false);
  p.store.SetAdministrator(administrator);
  p.adapter.LoadIniDeviceLists(p.settings.path());

  if (Discover()) RunStartupSequence(openSheetAtStart_);

  icon_ = kIconDisconnected;
  trayIconShown_ = p.tray.Add(icon_, p.strings.Text(kStrTipDisconnected));
  p.tray.SetMouseCallback([this](uint32_t message) { OnTrayCallback(message); });
  timers_.Set(kApTickTimer, kApTickMs);

  if (p.platform.session) {
    EventLoop* loop = p.platform.loop;
    p.platform.session->SetPowerCallback(
        [this, loop](uint32_t event) { loop->Post([this, event] { OnPowerBroadcast(event); }); });
  }
}

void CHideDlg::OpenSheet() {
  const ApControllerParts& p = parts_;
  if (busy_) return;
  if (!adapterPresent_) {
    busy_ = true;
    p.messages.ShowMessage(p.strings.Text(kStrCardNotReady), true);
    busy_ = false;
    return;
  }
  CheckBuildValue();
  if (p.sheet.IsOpen()) {
    p.sheet.BringToForeground();
    return;
  }
  p.eventLog.ResetDisplayCount();
  p.sheet.Create();
  p.sheet.SetIcon(icon_);
  p.sheet.UpdateHtPage(HtPageWanted());
}

void CHideDlg::CheckBuildValue() {
  std::string text;
  if (!ReadMachineText(*parts_.platform.registry, AdapterKey(), "bCheckBuild", &text)) {
    StoreText(parts_.store, AdapterKey(), "bCheckBuild", "0");
  }
}

bool CHideDlg::HtPageWanted() const {
  return parts_.state.htCapable && parts_.settings.IsSettingOn("Page", "11n Setting", "0");
}

void CHideDlg::StopWirelessService() {
  ServiceControl* services = parts_.platform.services;
  uint32_t state = 0;
  if (services && services->QueryStatus(kWirelessConfigService, &state) &&
      state == SERVICE_RUNNING) {
    services->Stop(kWirelessConfigService);
  }
}

void CHideDlg::OnTimer(uint32_t id) {
  if (id != kApTickTimer || ended_) return;
  Tick();
  if (onFirstTick_) {
    auto once = std::move(onFirstTick_);
    onFirstTick_ = nullptr;
    once();
  }
}

void CHideDlg::Tick() {
  const ApControllerParts& p = parts_;
  if (p.state.htCapable && !AdapterKey().empty()) {
    const bool on = p.settings.IsSettingOn("Advance", "TGnWiFiTest", "0");
    StoreText(p.store, AdapterKey(), "TGnWifiTest", on ? "1" : "0");
  }
  if (busy_) return;
  if (!adapterPresent_ || !p.driver.IsAdapterPresent()) {
    HandleAdapterLoss();
    return;
  }
  int32_t rssi = 0;
  if (QueryValue(p.driver, OID_802_11_RSSI, &rssi)) SetIcon(ApSignalIcon(ApSignalPercent(rssi)));
  p.eventLog.FetchNew();
  if (p.sheet.IsOpen()) {
    CheckBuildValue();
    p.sheet.UpdateHtPage(HtPageWanted());
  }
  StopWirelessService();
}

void CHideDlg::HandleAdapterLoss() {
  const ApControllerParts& p = parts_;
  timers_.Kill(kApTickTimer);
  p.sheet.Close();
  p.adapter.ClearRegistryKey();
  const bool found = Discover();
  timers_.Set(kApTickTimer, kApTickMs);
  if (found) {
    SetIcon(kIconDisconnected);
    RunStartupSequence(false);
    if (p.sheet.IsOpen()) p.sheet.UpdateHtPage(HtPageWanted());
  } else {
    SetIcon(kIconNotExist);
    p.adapter.ClearUsbFlag();
    p.state.adapterIsUsb = false;
  }
}

void CHideDlg::SetIcon(uint32_t icon) {
  const ApControllerParts& p = parts_;
  icon_ = icon;
  const std::string tip = p.strings.Text(TipFor(icon));
  if (!p.tray.Modify(icon, tip)) {
    p.tray.Delete();
    trayIconShown_ = p.tray.Add(icon, tip);
  }
  if (p.sheet.IsOpen()) p.sheet.SetIcon(icon);
}

void CHideDlg::OnTrayCallback(uint32_t mouseMessage) {
  if (busy_ || ended_) return;
  if (mouseMessage == WM_LBUTTONDBLCLK) {
    if (adapterPresent_ && parts_.driver.IsAdapterPresent()) OpenSheet();
  } else if (mouseMessage == WM_RBUTTONDOWN) {
    ShowMenu();
  }
}

void CHideDlg::ShowMenu() {
  const HostiraStrings& s = parts_.strings;
  parts_.tray.TrackMenu({{kCmdOpen, s.Text(kStrMenuLaunch)},
                         {kCmdSwitchToStation, s.Text(kStrMenuSwitch)},
                         {kCmdApExit, s.Text(kStrMenuExit)}},
                        [this](uint32_t command) { OnCommand(command); });
}

void CHideDlg::OnCommand(uint32_t command) {
  if (ended_) return;
  switch (command) {
    case kCmdOpen:
      OnTrayCallback(WM_LBUTTONDBLCLK);
      break;
    case kCmdApExit:
      if (!busy_) Exit();
      break;
    case kCmdSwitchToStation:
      if (!busy_) SwitchToStation();
      break;
    default:
      break;
  }
}

void CHideDlg::Exit() {
  const ApControllerParts& p = parts_;
  p.sheet.Close();
  p.tray.Delete();
  trayIconShown_ = false;
  timers_.Kill(kApTickTimer);
  ended_ = true;
  // The controller's window goes: connection sharing stops with it.
  if (p.adapter.WindowsVersionCode() >= 8) p.sharing.DisableAndRelease();
  if (onEnd_) onEnd_(kEndExit);
}

void CHideDlg::SwitchToStation() {
  const ApControllerParts& p = parts_;
  const std::string key = AdapterKey();
  SetOperatingMode(p.store, p.driver, key, kOpModeStation);
  Exit();
  RestoreStationValues(*p.platform.registry, p.store, key);
  StartTsSwap(*p.platform.launcher, kOpModeStation);
}

void CHideDlg::OnPowerBroadcast(uint32_t event) {
  if (ended_) return;
  if (event == PBT_APMSUSPEND) timers_.Kill(kApTickTimer);
  if (event == PBT_APMRESUMESUSPEND) timers_.Set(kApTickTimer, kApTickMs);
}

}  // namespace kavo9::softap
