#include "station/shell/controller/CHideDlg.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/Registry.h"

namespace kavo9 {
namespace {

CHideDlg* g_controller = nullptr;

// Stand-ins for seams the program has not been given.
ActionQueueSeam g_noActions;
ConnectSeam g_noConnect;
SupplicantSeam g_noSupplicant;
WpsSeam g_noWps;
SoftApDefaultsSeam g_noSoftApDefaults;
RegionRefreshSeam g_noRegion;
MainWindowSeam g_noMainWindow;
TrayStateSink g_noTray;
LanguageSeam g_noLanguage;

template <typename T>
T* OrDefault(T* given, T& fallback) {
  return given ? given : &fallback;
}

// The media status the driver reports for a connected adapter.
constexpr uint32_t kMediaConnected = 0;
// The link state that says the radio is off.
constexpr uint32_t kLinkStateRadioOff = 2;
constexpr uint32_t kStatisticsBytes = 176;
constexpr size_t kTransmittedFragmentsOffset = 8;
constexpr uint32_t kMinFragmentsForKeyError = 10;

uint32_t LoadU32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

}  // namespace

CHideDlg::CHideDlg(ControllerParts parts)
    : parts_(parts),
      platform_(*parts.platform),
      adapter_(*parts.adapter),
      store_(*parts.store),
      settings_(*parts.settings),
      timers_(*parts.platform->loop, [this](TimerId id) { OnTimer(id); }),
      self_(std::make_shared<CHideDlg*>(this)) {
  parts_.language = OrDefault(parts.language, g_noLanguage);
  parts_.tray = OrDefault(parts.tray, g_noTray);
  parts_.mainWindow = OrDefault(parts.mainWindow, g_noMainWindow);
  parts_.actions = OrDefault(parts.actions, g_noActions);
  parts_.connect = OrDefault(parts.connect, g_noConnect);
  parts_.supplicant = OrDefault(parts.supplicant, g_noSupplicant);
  parts_.wps = OrDefault(parts.wps, g_noWps);
  parts_.softApDefaults = OrDefault(parts.softApDefaults, g_noSoftApDefaults);
  parts_.region = OrDefault(parts.region, g_noRegion);
  trace_ = std::make_unique<TraceFile>(platform_.paths->FromWindows("C:\\Linkora_test.txt"),
                                       settings_.IsSettingOn(settings::kOpenFile));
  addressRenewal_ = std::make_unique<AddressRenewal>(platform_.ipHelper);
}

CHideDlg::~CHideDlg() {
  if (initialised_) Destroy();
  *self_ = nullptr;
  if (g_controller == this) g_controller = nullptr;
}

CHideDlg* CHideDlg::Instance() { return g_controller; }

void CHideDlg::Post(uint32_t message) {
  std::weak_ptr<CHideDlg*> weak = self_;
  platform_.loop->Post([weak, message] {
    auto self = weak.lock();
    if (!self || !*self) return;
    if (message == kMsgDriverMessage) (*self)->OnDriverMessage();
    if (message == kMsgMediaConnect) (*self)->OnMediaConnect();
  });
}

// ---- Start-up --------------------------------------------------------------------------------

void CHideDlg::Initialise() {
  title_ = "HideDlg";
  g_controller = this;
  initialised_ = true;

  parts_.language->LoadLanguage();

  store_.Bind(settings_.IsSettingOn(settings::kAllowStandardUserSetAdvance),
              settings_.IsSettingOn(settings::kAllowStandardUserSetProfile));

  adapter_.LoadIniDeviceLists([this](std::string_view section, std::string_view key) {
    return settings_.ReadSettingsString(section, key, "");
  });

  for (auto& buffer : scanBuffers_) buffer.assign(kScanBufferBytes, 0);
  lastSsid_.clear();

  adapter_.DetectWindowsVersion();
  const int version = adapter_.WindowsVersionCode();
  wow64_ = false;
  if (version > 9) {
    bool wow64 = false;
    if (platform_.system->IsWow64Process(&wow64)) wow64_ = wow64;
  }
  // Systems without user accounts of their own count everyone as an administrator; elsewhere a
  // token that cannot be read counts as a standard user.
  isAdministrator_ = version <= 6 || platform_.token->IsAdministrator();
  store_.SetAdministrator(isAdministrator_);

  if (!isAdministrator_ && settings_.IsSettingOn(settings::kWarningMessageForGenUser)) {
    parts_.mainWindow->ShowMessageBox("Kavo9", parts_.language->Text("IDS_GUEST_WARN"),
                                      parts_.language->Text("IDS_OK"));
  }

  adapterAvailable_ = adapter_.DiscoverAdapter();
  parts_.connect->SetStartupFlag();

  if (adapterAvailable_) OnAdapterReady(openMainWindowAtStart_);

  timers_.Set(kTimerTick, kTickMs);

  parts_.tray->AddIcon(adapterAvailable_);

  if (platform_.session) {
    std::weak_ptr<CHideDlg*> weak = self_;
    EventLoop* loop = platform_.loop;
    auto post = [weak, loop](auto handler) {
      loop->Post([weak, handler] {
        auto self = weak.lock();
        if (self && *self) handler(**self);
      });
    };
    if (version > 7) {
      sessionRegistered_ = platform_.session->RegisterSessionNotification(
          [post](uint32_t code) { post([code](CHideDlg& c) { c.OnSessionChange(code); }); });
    }
    platform_.session->SetPowerCallback(
        [post](uint32_t event) { post([event](CHideDlg& c) { c.OnPowerBroadcast(event); }); });
  }

  driverEvents_ = std::make_unique<DriverEventManager>(
      platform_.events, *trace_, lastConnectView_, [this](uint32_t m) { Post(m); });
  driverEventsSubscribed_ = driverEvents_->SubscribeDriverEvents();

  parts_.supplicant->ClearTextSlots();
}

// ---- Adapter ready -------------------------------------------------------------------------

void CHideDlg::OnAdapterReady(bool openMainWindow) {
  tgnWiFiTest_.clear();
  if (adapter_.WindowsVersionCode() > 7) ApplyInstallerConfigToolChoice();
  ApplyInstallerTxBurstChoice();

  std::string text;
  psMode_ = ReadAdapterText("PSMode", &text) ? static_cast<uint32_t>(std::atoi(text.c_str())) : 0;

  adapter_.ReadSupportedNetworkTypes();
  parts_.wps->ClearCredentials();
  savedBssid_.fill(0);
  if (adapter_.Facts().isHtFamily) ReadHtPermissions();

  ForceStationMode();

  ieee80211h_ = ReadAdapterText("IEEE80211H", &text) && std::atoi(text.c_str()) == 1;
  parts_.softApDefaults->CreateIfMissing();
  {
    // Ticks and tray commands wait while the channel list and the stored channel are corrected.
    const bool wasSelecting = selecting_;
    selecting_ = true;
    parts_.region->RefreshChannels();
    adapter_.ReadDriverVersion();
    selecting_ = wasSelecting;
  }

  // "0" means on; a missing or unreadable value counts as on.
  radioOn_ = !ReadAdapterText("Radio", &text) || text.empty() || text == "0";
  SetDriverValue(OID_VND_RADIO, radioOn_ ? 1 : 0);

  configToolState_ = ComputeConfigToolState();

  if (configToolState_ != kConfigToolService && sessionActive_) {
    if (!parts_.supplicant->IsRunning()) parts_.supplicant->Start();
    if (radioOn_) {
      parts_.actions->RequestScan();
      const bool mayChangeProfiles =
          isAdministrator_ || settings_.IsSettingOn(settings::kAllowStandardUserSetProfile);
      if (!mayChangeProfiles && ReadAdapterText("CurProfile", &text)) {
        parts_.connect->SetActiveProfileName(text);
      }
      parts_.connect->ConnectActiveProfile(1);
    }
  } else {
    ReadScanListDirectly();
  }

  if (openMainWindow) OpenMainWindow();
  timers_.Set(kTimerWpsButton, kWpsButtonPollMs);
}

void CHideDlg::ApplyInstallerTxBurstChoice() {
  std::string text;
  if (ReadAdapterText("RunOnceInitConfigTxBurst", &text)) return;
  uint32_t burst = 0;
  const int chip = adapter_.Facts().chipKind;
  if (chip >= 6 && chip <= 9) {
    burst = 1;
  } else if (!ReadMachineDword("SOFTWARE\\TESMAR\\WLAN\\InstallShield", "ConfigTxBurstSelect",
                               &burst) ||
             burst > 1) {
    burst = 0;
  }
  std::array<uint32_t, 8> config{};
  // A failed query would send back a record of zeros in place of the adapter's settings, so the
  // driver is only told when its record could be read.
  if (adapter_.QueryInformation(OID_VND_STA_CONFIG, config.data(), sizeof config, nullptr)) {
    config[0] = burst;
    config[6] = 0;
    adapter_.SetInformation(OID_VND_STA_CONFIG, config.data(), sizeof config, 3);
  }
  WriteAdapterText("TXBurst", std::to_string(burst), StorePort::Area::kAdvanced);
  WriteAdapterText("RunOnceInitConfigTxBurst", std::to_string(burst), StorePort::Area::kAdvanced);
}

void CHideDlg::ReadHtPermissions() {
  // EEPROM word 0x36: bit 8 set forbids 40 MHz on 2.4 GHz, bit 9 on 5 GHz. An unprogrammed word
  // (0xFFFF) leaves the permissions as they were.
  constexpr uint32_t kEeprom = 3;
  constexpr uint32_t kHtCapabilityWord = 54;
  for (int pass = 0; pass < 2; ++pass) {
    std::array<uint32_t, 3> record{kEeprom, kHtCapabilityWord, 0};
    if (!adapter_.QueryInformation(OID_VND_REGISTER_ACCESS, record.data(), sizeof record,
                                   nullptr)) {
      continue;
    }
    const uint16_t word = static_cast<uint16_t>(record[2]);
    if (word == 0xFFFF) continue;
    if (pass == 0) bw40Allowed24G_ = (word & 0x100) == 0;
    if (pass == 1) bw40Allowed5G_ = (word & 0x200) == 0;
  }
}

void CHideDlg::ForceStationMode() {
  uint32_t mode = 0;
  if (!adapter_.QueryInformation(OID_VND_OP_MODE, &mode, sizeof mode, nullptr) || mode == 0) {
    return;
  }
  WriteAdapterText("OpMode", "0", StorePort::Area::kAdvanced);
  SetDriverValue(OID_VND_OP_MODE, 0);
  platform_.launcher->WinExec("\"Pickora.exe\" ICS_DOWN", SW_HIDE);
}

void CHideDlg::ReadScanListDirectly() {
  std::vector<uint8_t>& buffer = scanBuffers_[0];
  std::fill(buffer.begin(), buffer.end(), 0);
  uint32_t bytes = 0;
  if (!adapter_.QueryInformation(OID_802_11_BSSID_LIST, buffer.data(),
                                 static_cast<uint32_t>(buffer.size()), &bytes)) {
    return;
  }
  scanBuffers_[1] = buffer;
  parts_.actions->StoreScanList(scanBuffers_[1].data(), bytes, platform_.loop->UtcFileTime());
}

// ---- The tick ------------------------------------------------------------------------------

void CHideDlg::OnTimer(TimerId id) {
  if (id == kTimerMoreLess) {
    parts_.mainWindow->RefreshMoreLess();
    return;
  }
  if (id == kTimerTick) timers_.Set(kTimerTick, kTickMs);
  if (selecting_) return;
  if (!CheckAdapter()) return;

  ApplyTGnWiFiTest();

  if (id == kTimerScanWait) {
    timers_.Kill(kTimerScanWait);
    if (parts_.actions->ScanPending() || parts_.connect->AutoReconnect()) {
      parts_.actions->RunActionQueue();
    }
  }

  if (configToolState_ != kConfigToolService && sessionActive_ &&
      !parts_.supplicant->IsRunning()) {
    parts_.supplicant->Start();
  }
  configToolState_ = ComputeConfigToolState();
  if (parts_.mainWindow->IsOpen()) {
    parts_.mainWindow->EnableConfigPages(configToolState_ != kConfigToolService);
  }

  if (id == kTimerWpsCredentials) {
    parts_.wps->OnTimer(id);
    return;
  }
  if (id == kTimerWpsButton || id == kTimerWpsStatus || id == kTimerWpsScanList) {
    parts_.wps->OnTimer(id);
  }

  // Cleared buffers make a failed query read as "not connected".
  uint32_t media = 1;
  std::array<uint8_t, 6> bssid{};
  std::array<uint8_t, 36> ssid{};
  uint32_t linkState = 0;
  if (!adapter_.QueryInformation(OID_GEN_MEDIA_CONNECT_STATUS, &media, sizeof media, nullptr)) {
    media = 1;
  }
  adapter_.QueryInformation(OID_802_11_BSSID, bssid.data(), sizeof bssid, nullptr);
  tickBssid_ = bssid;
  if (adapter_.QueryInformation(OID_802_11_SSID, ssid.data(), sizeof ssid, nullptr)) {
    const uint32_t length = std::min<uint32_t>(LoadU32(ssid.data()), 32);
    lastSsid_.assign(reinterpret_cast<const char*>(ssid.data() + 4), length);
  }
  adapter_.QueryInformation(OID_VND_LINK_STATE, &linkState, sizeof linkState, nullptr);

  const bool bssidZero = std::all_of(bssid.begin(), bssid.end(), [](uint8_t b) { return b == 0; });
  if (linkState == kLinkStateRadioOff || media != kMediaConnected || bssidZero) {
    parts_.tray->ShowNotConnected();
    keyError_ = false;
    timers_.Kill(kTimerKeyError);
    if (monitorArmed_) {
      TakeKeyErrorSample(false);
      timers_.Set(kTimerKeyError, kKeyErrorSampleMs);
    }
    if (configToolState_ != kConfigToolService && radioOn_ && !parts_.mainWindow->IsOpen() &&
        reconnectTick_ != 0 && reconnectTick_ % 90 == 0) {
      parts_.actions->RequestScan();
    }
    ++reconnectTick_;
  } else {
    if (parts_.connect->HasLastConnectRecord()) {
      parts_.connect->UpdateReconnectTick(&reconnectTick_);
    } else {
      reconnectTick_ = 0;
    }
    if (id == kTimerKeyError && monitorArmed_) TakeKeyErrorSample(true);
    ShowSignalState(lastSsid_);
  }

  uint32_t infrastructure = 0;
  adapter_.QueryInformation(OID_802_11_INFRASTRUCTURE_MODE, &infrastructure,
                            sizeof infrastructure, nullptr);
  if (!ieee80211h_) {
    RunQueueIfWindowAllows(parts_.connect->ReconnectCheck(infrastructure, reconnectTick_));
  }

  if (parts_.mainWindow->IsOpen()) parts_.mainWindow->RefreshRadioControls();
}

bool CHideDlg::CheckAdapter() {
  if (!adapterAvailable_ || !adapter_.IsAdapterPresent()) {
    if (!HandleAdapterLoss()) return false;
  }
  if (adapterWasMissing_) {
    if (parts_.supplicant->HasPort()) parts_.supplicant->ReleasePorts();
    adapterWasMissing_ = false;
  }
  return true;
}

bool CHideDlg::HandleAdapterLoss() {
  timers_.Kill(kTimerTick);
  timers_.Kill(kTimerKeyError);
  parts_.supplicant->ReleasePorts();
  CloseMainWindow();
  timers_.Kill(kTimerMoreLess);

  adapter_.ClearRegistryKey();
  adapterAvailable_ = adapter_.DiscoverAdapter();
  timers_.Set(kTimerTick, kTickMs);

  if (!adapterAvailable_) {
    parts_.tray->ShowNoAdapter();
    adapter_.ClearUsbFlag();
    adapterWasMissing_ = true;
    parts_.supplicant->ReleasePorts();
    return false;
  }
  parts_.tray->ShowNotConnected();
  OnAdapterReady(false);
  return true;
}

void CHideDlg::ApplyTGnWiFiTest() {
  if (!adapter_.Facts().isHtFamily) return;
  const char* wanted = settings_.IsSettingOn(settings::kTGnWiFiTest) ? "1" : "0";
  // Several ticks a second would otherwise each rewrite the same value; the registry is only read
  // again when this adapter's value is not known yet.
  if (tgnWiFiTest_ == wanted) return;
  std::string current;
  if (!(ReadAdapterText("TGnWifiTest", &current) && current == wanted) &&
      !WriteAdapterText("TGnWifiTest", wanted, StorePort::Area::kAdvanced)) {
    return;
  }
  tgnWiFiTest_ = wanted;
}

void CHideDlg::ShowSignalState(const std::string& ssid) {
  if (keyError_) {
    parts_.tray->ShowConnected(0, true, ssid);
    return;
  }
  // The stronger of the two antennas' readings; the second only when the driver answers it.
  int32_t rssi = -100;
  adapter_.QueryInformation(OID_802_11_RSSI, &rssi, sizeof rssi, nullptr);
  int32_t rssi1 = 0;
  if (adapter_.QueryInformation(OID_VND_RSSI1, &rssi1, sizeof rssi1, nullptr)) {
    rssi = std::max(rssi, rssi1);
  }
  parts_.tray->ShowConnected(rssi, keyError_, ssid);
}

void CHideDlg::RunQueueIfWindowAllows(bool queueSaysRun) {
  // A queued record waits while the user is typing a password in the main window.
  if (queueSaysRun && parts_.mainWindow->IsOpen() && !parts_.mainWindow->IsPanelShown(8)) {
    parts_.actions->RunActionQueue();
  }
}

// ---- Key-error monitor ---------------------------------------------------------------------

void CHideDlg::ArmKeyErrorMonitor() {
  monitorArmed_ = true;
  TakeKeyErrorSample(false);
  timers_.Set(kTimerKeyError, kKeyErrorSampleMs);
}

void CHideDlg::TakeKeyErrorSample(bool judge) {
  std::array<uint8_t, kStatisticsBytes> statistics{};
  adapter_.QueryInformation(OID_802_11_STATISTICS, statistics.data(), kStatisticsBytes, nullptr);
  uint64_t fragments = 0;
  std::memcpy(&fragments, statistics.data() + kTransmittedFragmentsOffset, sizeof fragments);
  uint32_t received = 0;
  adapter_.QueryInformation(OID_GEN_RCV_OK, &received, sizeof received, nullptr);

  if (judge) {
    const bool firstGeneration = adapter_.Facts().isFirstGenerationFamily;
    const uint64_t sent = fragments - lastFragments_;
    if (received != lastReceived_) {
      if (firstGeneration) keyError_ = false;
      monitorArmed_ = false;
      timers_.Kill(kTimerKeyError);
    } else if (sent >= kMinFragmentsForKeyError && fragments >= lastFragments_) {
      if (firstGeneration) keyError_ = true;
    }
  }
  lastFragments_ = fragments;
  lastReceived_ = received;
}

void CHideDlg::OnDriverMessage() {
  if (adapter_.Facts().isFirstGenerationFamily) return;
  uint32_t flags = 0;
  if (adapter_.QueryInformation(OID_VND_MESSAGE_FLAGS, &flags, sizeof flags, nullptr)) {
    keyError_ = (flags & 1) != 0;
  }
}

void CHideDlg::OnMediaConnect() { parts_.actions->RefreshScanList(); }

void CHideDlg::PublishLastConnectRecord(std::optional<ConnectRecordSummary> record,
                                        bool supplicantAvailable) {
  lastConnectView_.Publish(record, supplicantAvailable);
}

// ---- Main window ---------------------------------------------------------------------------

void CHideDlg::OpenMainWindow() {
  if (selecting_) return;
  if (!adapterAvailable_) {
    selecting_ = true;
    parts_.mainWindow->ShowMessageBox("Kavo9", parts_.language->Text("IDS_DRIVER_NOTOK"),
                                      parts_.language->Text("IDS_OK"));
    selecting_ = false;
    return;
  }
  if (!parts_.mainWindow->IsOpen() && !parts_.mainWindow->Create()) return;
  timers_.Set(kTimerMoreLess, kMoreLessMs);
  parts_.mainWindow->SetExpanded(false);
  parts_.mainWindow->BringToForeground();
}

void CHideDlg::CloseMainWindow() {
  if (closingMainWindow_ || !parts_.mainWindow->IsOpen()) return;
  closingMainWindow_ = true;
  parts_.mainWindow->Close();
  closingMainWindow_ = false;
}

void CHideDlg::OnCommand(uint32_t command) {
  switch (command) {
    case kCmdOpen:
      if (!selecting_ && adapterAvailable_ && adapter_.IsAdapterPresent()) OpenMainWindow();
      break;
    case kCmdExit:
      CloseController();
      break;
    case kCmdSwitchToAp:
      if (!selecting_) SwitchToAccessPoint();
      break;
    case kCmdThisUtilityIsTool:
      if (!selecting_) MakeThisUtilityTheTool();
      break;
    case kCmdWindowsServiceIsTool:
      if (!selecting_) MakeWindowsServiceTheTool();
      break;
    default:
      break;
  }
}

void CHideDlg::OnTrayCallback(uint32_t mouseMessage) {
  if (selecting_) return;
  if (mouseMessage == 0x0203) OnCommand(kCmdOpen);
  if (mouseMessage == 0x0204) parts_.tray->ShowContextMenu();
}

void CHideDlg::CloseController() {
  if (selecting_ || ended_) return;
  CloseMainWindow();
  timers_.Kill(kTimerMoreLess);
  // The icon keeps its own added flag: one the shell refused at start may have been added by a
  // later state change, and must go too.
  parts_.tray->RemoveIcon();
  for (TimerId id = 0; id <= 9; ++id) timers_.Kill(id);
  ended_ = true;
  if (onEnd_) onEnd_();
}

// ---- Session and power ---------------------------------------------------------------------

void CHideDlg::OnSessionChange(uint32_t wtsCode) {
  switch (wtsCode) {
    case WTS_CONSOLE_CONNECT:
      sessionActive_ = true;
      consoleDisconnected_ = false;
      break;
    case WTS_CONSOLE_DISCONNECT:
      consoleDisconnected_ = true;
      break;
    case WTS_SESSION_LOCK:
      sessionActive_ = false;
      parts_.supplicant->ReleasePorts();
      break;
    case WTS_SESSION_UNLOCK:
      if (consoleDisconnected_) {
        sessionActive_ = false;
        consoleDisconnected_ = false;
      } else {
        sessionActive_ = true;
      }
      break;
    default:
      break;
  }
}

void CHideDlg::OnPowerBroadcast(uint32_t powerEvent) {
  if (powerEvent == PBT_APMSUSPEND) {
    for (TimerId id = 0; id <= 9; ++id) timers_.Kill(id);
    resumeHandled_ = false;
    return;
  }
  if (powerEvent != PBT_APMRESUMEAUTOMATIC && powerEvent != PBT_APMRESUMESUSPEND) return;
  // A wake-up the user caused is announced twice (automatic resume, then resume from suspend);
  // the last connect record is queued again once per wake-up, not once per announcement.
  if (ended_ || resumeHandled_) return;
  resumeHandled_ = true;
  timers_.Set(kTimerTick, kTickMs);
  timers_.Set(kTimerScanWait, kScanWaitAfterResumeMs);
  if (monitorArmed_) timers_.Set(kTimerKeyError, kKeyErrorSampleMs);
  if (!parts_.supplicant->HasPort() && configToolState_ != kConfigToolService) {
    parts_.supplicant->Start();
  }
  if (parts_.connect->HasLastConnectRecord() && radioOn_) {
    RunQueueIfWindowAllows(parts_.connect->RequeueLastRecord());
  }
}

// ---- Authentication start ------------------------------------------------------------------

void CHideDlg::StartAuthentication(bool withStatusView, bool showStatus) {
  if (!parts_.supplicant->HasPort()) return;
  if (withStatusView) {
    if (!showStatus) return;
    std::string text;
    if (ReadAdapterText("ShowAuthStatus", &text) && text == "1") {
      parts_.mainWindow->ShowPanel(5);
      parts_.mainWindow->SetExpanded(true);
    }
  }
  parts_.supplicant->StartPort();
  std::string instanceId;
  ReadAdapterText("NetCfgInstanceId", &instanceId);
  addressRenewal_->Start(instanceId);
}

// ---- Destruction ---------------------------------------------------------------------------

void CHideDlg::Destroy() {
  initialised_ = false;
  if (!endingForApSwitch_) SaveStationValues();
  for (auto& buffer : scanBuffers_) std::vector<uint8_t>().swap(buffer);
  uint8_t off = 0;
  adapter_.SetInformation(OID_VND_WPS_CONNECT, &off, 1, 3);
  SetDriverValue(OID_VND_PROFILE_KIND_FLAG, 0);
  if (sessionRegistered_ && platform_.session) platform_.session->UnregisterSessionNotification();
  sessionRegistered_ = false;
  if (platform_.session) platform_.session->SetPowerCallback(nullptr);
  if (driverEvents_) driverEvents_->UnsubscribeDriverEvents();
  addressRenewal_->Wait();
  parts_.actions->FreeAll();
  adapter_.DrainSetRetryQueue();
  parts_.connect->FreeLastConnectRecord();
  store_.Release();
}

// ---- Registry helpers ----------------------------------------------------------------------

bool CHideDlg::ReadAdapterText(std::string_view name, std::string* value) const {
  const std::string& key = adapter_.Facts().registryKey;
  if (key.empty()) return false;
  Registry& registry = *platform_.registry;
  ScopedKey handle(registry);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, key, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  uint8_t data[256] = {};
  uint32_t length = sizeof data - 1;
  uint32_t type = 0;
  if (registry.QueryValue(handle.get(), name, &type, data, &length) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  value->assign(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<char*>(data), length));
  return true;
}

bool CHideDlg::WriteAdapterText(std::string_view name, std::string_view text,
                                StorePort::Area area) {
  const std::string& key = adapter_.Facts().registryKey;
  if (key.empty()) return false;
  std::string data(text);
  return store_.SetValue(key, name, REG_SZ, reinterpret_cast<const uint8_t*>(data.c_str()),
                         static_cast<uint32_t>(data.size() + 1), area) == ERROR_SUCCESS;
}

bool CHideDlg::ReadMachineDword(std::string_view path, std::string_view name, uint32_t* value,
                                bool view64) const {
  Registry& registry = *platform_.registry;
  ScopedKey handle(registry);
  const uint32_t access = KEY_READ | (view64 ? uint32_t{KEY_WOW64_64KEY} : 0u);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, access, &handle) != ERROR_SUCCESS) return false;
  uint32_t type = 0;
  uint32_t data = 0;
  uint32_t length = sizeof data;
  if (registry.QueryValue(handle.get(), name, &type, reinterpret_cast<uint8_t*>(&data), &length) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || length != sizeof data) {
    return false;
  }
  *value = data;
  return true;
}

bool CHideDlg::SetDriverValue(uint32_t oid, uint32_t value, uint32_t length) {
  return adapter_.SetInformation(oid, &value, length, 3);
}

}  // namespace kavo9
