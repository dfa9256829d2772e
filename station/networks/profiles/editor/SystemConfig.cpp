#include "station/networks/profiles/editor/SystemConfig.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kavo9::profileeditor {
namespace {

// The number a threshold edit holds (atoi rules: leading digits, 0 without any).
long EditNumber(const std::string& text) {
  return std::strtol(text.c_str(), nullptr, 10);
}

}  // namespace

std::string_view TxPowerText(int index) {
  static constexpr std::array<std::string_view, kTxPowerCount> kTexts = {
      "Auto", "100%", "75 %", "50 %", "25 %", "10 %", "Lowest"};
  return index >= 0 && index < kTxPowerCount ? kTexts[size_t(index)] : "";
}

std::string_view PreambleText(int preamble) {
  return preamble == kPreambleLong ? "Long" : "Auto";
}

void SystemConfig::Reset(std::string name, int powerSave) {
  v_ = SystemConfigValues();
  v_.name = std::move(name);
  v_.powerSave = powerSave != 0 ? kPsm : kCam;
}

void SystemConfig::SetSsid(std::string ssid) {
  if (ssid.size() > kMaxSsid) {
    size_t cut = kMaxSsid;
    // Back to the start of a UTF-8 character.
    while (cut > 0 && (static_cast<unsigned char>(ssid[cut]) & 0xC0) == 0x80) --cut;
    ssid.resize(cut);
  }
  v_.ssid = std::move(ssid);
}

void SystemConfig::SetSsidChoices(std::vector<std::string> ssids) {
  v_.ssidChoices.clear();
  for (std::string& ssid : ssids) {
    if (ssid.empty() || ssid.size() > kMaxSsid) continue;
    if (std::find(v_.ssidChoices.begin(), v_.ssidChoices.end(), ssid) != v_.ssidChoices.end()) {
      continue;
    }
    v_.ssidChoices.push_back(std::move(ssid));
  }
}

void SystemConfig::SetPowerSave(int mode) {
  v_.powerSave = mode != 0 ? kPsm : kCam;
}

void SystemConfig::SetNetworkType(bool infrastructure) {
  v_.infrastructure = infrastructure;
  if (infrastructure) v_.preamble = kPreambleAuto;
}

void SystemConfig::SetTxPower(int index) {
  if (index >= 0 && index < kTxPowerCount) v_.txPower = index;
}

void SystemConfig::SetPreamble(int preamble) {
  // An infrastructure network always uses the automatic preamble.
  if (v_.infrastructure) return;
  v_.preamble = preamble == kPreambleLong ? kPreambleLong : kPreambleAuto;
}

void SystemConfig::SetChannels(const std::vector<int>& allowed) {
  v_.channels.clear();
  for (int channel : allowed) {
    if (channel == 34 || channel == 38 || channel == 42 || channel == 46) continue;
    v_.channels.push_back(channel);
  }
  ChooseChannel(v_.channel);
}

void SystemConfig::ChooseChannel(const std::string& text) {
  const long wanted = EditNumber(text);
  const auto at = std::find(v_.channels.begin(), v_.channels.end(), wanted);
  if (at != v_.channels.end()) {
    v_.channel = std::to_string(*at);
  } else if (!v_.channels.empty()) {
    v_.channel = std::to_string(v_.channels.front());
  } else {
    v_.channel = text;
  }
}

void SystemConfig::SetUseRts(bool on) {
  v_.useRts = on;
  if (!on) v_.rts = kRtsMax;
}

void SystemConfig::SetUseFrag(bool on) {
  v_.useFrag = on;
  if (!on) v_.frag = kFragMax;
}

std::string SystemConfig::TypeRts(const std::string& text) {
  const long value = EditNumber(text);
  if (value > kRtsMax) {
    v_.rts = kRtsMax;
    return std::to_string(kRtsMax);
  }
  v_.rts = int(std::max<long>(value, kRtsMin));
  return text;
}

std::string SystemConfig::TypeFrag(const std::string& text) {
  const long value = EditNumber(text);
  if (value > kFragMax) {
    v_.frag = kFragMax;
    return std::to_string(kFragMax);
  }
  v_.frag = int(std::max<long>(value, kFragMin));
  return text;
}

void SystemConfig::SlideRts(int position) {
  v_.rts = std::clamp(position, kRtsMin, kRtsMax);
}

void SystemConfig::SlideFrag(int position) {
  v_.frag = std::clamp(position, kFragMin, kFragMax);
}

SystemConfigView SystemConfig::View() const {
  return {.channelShown = !v_.infrastructure,
          .powerSaveEnabled = v_.infrastructure,
          .preambleEnabled = !v_.infrastructure,
          .rtsEnabled = v_.useRts,
          .fragEnabled = v_.useFrag};
}

void SystemConfig::Load(const profiles::ProfileValues& stored) {
  if (stored.Has("SSID")) SetSsid(stored.Text("SSID"));
  if (stored.Has("NetworkType")) v_.infrastructure = stored.Number("NetworkType", 1) != 0;
  if (stored.Has("Channel")) v_.channel = std::to_string(stored.Number("Channel", 0));
  if (stored.Has("ProfilePSMode")) SetPowerSave(stored.Number("ProfilePSMode", 0) > 0 ? 1 : 0);
  if (stored.Has("TXPower")) SetTxPower(int(stored.Number("TXPower", 0)));
  if (stored.Has("ACPowerCam")) v_.acPowerCam = int(stored.Number("ACPowerCam", 0));
  if (stored.Has("PreambleType")) {
    v_.preamble = stored.Number("PreambleType", 0) != 0 ? kPreambleAuto : kPreambleLong;
  }
  SetUseRts(false);
  if (stored.Has("UseRts")) v_.useRts = stored.Number("UseRts", 0) != 0;
  if (v_.useRts && stored.Has("RtsThresh")) {
    v_.rts = int(std::clamp<long>(stored.Number("RtsThresh", kRtsMax), kRtsMin, kRtsMax));
  }
  SetUseFrag(false);
  if (stored.Has("UseFrag")) v_.useFrag = stored.Number("UseFrag", 0) != 0;
  if (v_.useFrag && stored.Has("FragThresh")) {
    v_.frag = int(std::clamp<long>(stored.Number("FragThresh", kFragMax), kFragMin, kFragMax));
  }
  SetNetworkType(v_.infrastructure);
}

void SystemConfig::Save(profiles::ProfileValues* stored) const {
  stored->Set("SSID", v_.ssid);
  stored->Set("Channel", v_.channel);
  stored->SetNumber("NetworkType", v_.infrastructure ? 1 : 0);
  stored->SetNumber("PreambleType", v_.preamble == kPreambleLong ? 0 : 2);
  stored->SetNumber("ACPowerCam", v_.acPowerCam);
  stored->SetNumber("ProfilePSMode", v_.powerSave);
  stored->SetNumber("TXPower", v_.txPower);
  stored->SetNumber("UseRts", v_.useRts ? 1 : 0);
  stored->SetNumber("RtsThresh", v_.useRts ? v_.rts : kRtsMax);
  stored->SetNumber("UseFrag", v_.useFrag ? 1 : 0);
  stored->SetNumber("FragThresh", v_.useFrag ? v_.frag : kFragMax);
}

}  // namespace kavo9::profileeditor
