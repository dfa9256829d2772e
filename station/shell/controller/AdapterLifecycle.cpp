#include "station/shell/controller/AdapterLifecycle.h"

#include <algorithm>
#include <cstdlib>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AdapterKey.h"

namespace kavo9 {
namespace {

constexpr const char* kInstallerKey = "SOFTWARE\\TESMAR\\WLAN\\InstallShield";

}  // namespace

void AdapterLifecycle::AllocateScanBuffers() {
  for (auto& buffer : scanBuffers_) buffer.assign(kScanBufferBytes, 0);
}

void AdapterLifecycle::FreeScanBuffers() {
  for (auto& buffer : scanBuffers_) std::vector<uint8_t>().swap(buffer);
}

void AdapterLifecycle::Discover() {
  c_.state.adapterAvailable = c_.parts.adapter.DiscoverAdapter();
}

void AdapterLifecycle::OnAdapterReady(bool openMainWindow) {
  const ControllerParts& p = c_.parts;
  StationState& state = c_.state;
  tgnKnown_ = -1;  // perhaps another adapter, with a key of its own
  if (p.adapter.WindowsVersionCode() > 7) configTool_.ApplyInstallerChoice();
  ApplyInstallerTxBurstChoice();

  std::string text;
  state.psMode = c_.ReadAdapterText("PSMode", &text) ? uint32_t(std::atoi(text.c_str())) : 0;

  p.adapter.ReadSupportedNetworkTypes();
  p.wps.ClearCredentials();
  if (p.adapter.Identity().isHtFamily) p.region.ReadHtPermissions();

  ForceStationMode();

  state.ieee80211h = c_.ReadAdapterText("IEEE80211H", &text) && std::atoi(text.c_str()) == 1;
  p.softApDefaults.CreateIfMissing();
  {
    // Ticks and tray commands wait while the channel list and the stored channel are corrected.
    const bool wasSelecting = state.selecting;
    state.selecting = true;
    p.region.RefreshChannels();
    p.adapter.ReadDriverVersion();
    state.selecting = wasSelecting;
  }

  // "0" means on; a missing or unreadable value counts as on.
  state.radioOn = !c_.ReadAdapterText("Radio", &text) || text.empty() || text == "0";
  c_.SetDriverValue(OID_VND_RADIO, state.radioOn ? 1 : 0);

  state.configToolState = configTool_.Compute();

  if (!state.ServiceManagesAdapter() && state.sessionActive) {
    if (!p.supplicant.IsRunning()) p.supplicant.Start();
    if (state.radioOn) {
      p.actions.RequestScan();
      if (!state.MaySetProfiles(p.settings) && c_.ReadAdapterText("CurProfile", &text)) {
        p.connect.SetActiveProfileName(text);
      }
      if (!p.wps.TakeOverConnection()) p.connect.ConnectActiveProfile(1);
    }
  } else {
    ReadScanListDirectly();
  }

  if (openMainWindow) window_.open();
  c_.timers.Set(kTimerWpsButton, kWpsButtonPollMs);
}

void AdapterLifecycle::ApplyInstallerTxBurstChoice() {
  std::string text;
  if (c_.ReadAdapterText("RunOnceInitConfigTxBurst", &text)) return;
  uint32_t burst = 0;
  const int chip = c_.parts.adapter.Identity().chipKind;
  if (chip >= 6 && chip <= 9) {
    burst = 1;
  } else if (!ReadMachineDword(*c_.parts.platform.registry, kInstallerKey, "ConfigTxBurstSelect",
                               &burst) ||
             burst > 1) {
    burst = 0;
  }
  std::array<uint32_t, 8> config{};
  // A failed query would send back a record of zeros in place of the adapter's settings, so the
  // driver is only told when its record could be read. The choice counts as applied only once it
  // was sent: otherwise the next adapter-ready routine tries again.
  if (!c_.parts.driver.QueryInformation(OID_VND_STA_CONFIG, config.data(), sizeof config,
                                        nullptr)) {
    return;
  }
  config[0] = burst;
  config[6] = 0;
  c_.parts.driver.SetInformation(OID_VND_STA_CONFIG, config.data(), sizeof config, kSetAttempts);
  c_.WriteAdapterText("TXBurst", std::to_string(burst));
  c_.WriteAdapterText("RunOnceInitConfigTxBurst", std::to_string(burst));
}

void AdapterLifecycle::ForceStationMode() {
  uint32_t mode = kOpModeStation;
  if (!c_.parts.driver.QueryInformation(OID_VND_OP_MODE, &mode, sizeof mode, nullptr) ||
      mode == kOpModeStation) {
    return;
  }
  c_.WriteAdapterText("OpMode", std::to_string(kOpModeStation));
  c_.SetDriverValue(OID_VND_OP_MODE, kOpModeStation);
  c_.parts.platform.launcher->WinExec("\"Pickora.exe\" ICS_DOWN", SW_HIDE);
}

void AdapterLifecycle::ReadScanListDirectly() {
  std::vector<uint8_t>& buffer = scanBuffers_[0];
  std::fill(buffer.begin(), buffer.end(), 0);
  uint32_t bytes = 0;
  if (!c_.parts.driver.QueryInformation(OID_802_11_BSSID_LIST, buffer.data(),
                                        uint32_t(buffer.size()), &bytes)) {
    return;
  }
  scanBuffers_[1] = buffer;
  c_.parts.actions.StoreScanList(scanBuffers_[1].data(), bytes,
                                 c_.parts.platform.loop->UtcFileTime());
}

bool AdapterLifecycle::CheckAdapter() {
  if (!c_.state.adapterAvailable || !c_.parts.driver.IsAdapterPresent()) {
    if (!HandleAdapterLoss()) return false;
  }
  if (adapterWasMissing_) {
    if (c_.parts.supplicant.HasPort()) c_.parts.supplicant.ReleasePorts();
    adapterWasMissing_ = false;
  }
  return true;
}

bool AdapterLifecycle::HandleAdapterLoss() {
  const ControllerParts& p = c_.parts;
  c_.timers.Kill(kTimerTick);
  c_.timers.Kill(kTimerKeyError);
  p.supplicant.ReleasePorts();
  const bool windowWasOpen = p.mainWindow.IsOpen();
  window_.close();
  c_.timers.Kill(kTimerMoreLess);

  p.adapter.ClearRegistryKey();
  Discover();
  c_.timers.Set(kTimerTick, kTickMs);

  if (!c_.state.adapterAvailable) {
    p.tray.ShowNoAdapter();
    // The window the user was looking at went away by itself: say why.
    if (windowWasOpen) p.tray.NotifyAdapterRemoved();
    p.adapter.ClearUsbFlag();
    adapterWasMissing_ = true;
    p.supplicant.ReleasePorts();
    return false;
  }
  p.tray.ShowNotConnected();
  OnAdapterReady(false);
  return true;
}

void AdapterLifecycle::ApplyTGnWiFiTest() {
  if (!c_.parts.adapter.Identity().isHtFamily) return;
  const bool on = c_.parts.settings.IsSettingOn(settings::kTGnWiFiTest);
  // The value is read again only when the machine's registry changed since it was last seen
  // right: a change made outside is put right at the next tick, and an idle tick costs no read.
  Registry& registry = *c_.parts.platform.registry;
  const uint64_t stamp = registry.ChangeStamp(HKEY_LOCAL_MACHINE);
  if (stamp != 0 && stamp == tgnStamp_ && tgnKnown_ == (on ? 1 : 0)) return;
  const std::string_view wanted = on ? "1" : "0";
  std::string current;
  if (!(c_.ReadAdapterText("TGnWifiTest", &current) && current == wanted) &&
      !c_.WriteAdapterText("TGnWifiTest", wanted)) {
    tgnKnown_ = -1;
    return;
  }
  tgnKnown_ = on ? 1 : 0;
  tgnStamp_ = registry.ChangeStamp(HKEY_LOCAL_MACHINE);
}

}  // namespace kavo9
