#include "softap/config/ConfigPage.h"

#include <algorithm>
#include <cstdio>

#include "common/adapter/RequestCatalogue.h"
#include "common/shell/AccessPointRecord.h"
#include "softap/apply/ApDriverRecords.h"
#include "softap/record/ApCodes.h"
#include "softap/record/ApKeyReader.h"

namespace kavo9::softap {
namespace {

// The 5 GHz channels that pair for 40 MHz operation.
constexpr std::pair<int, int> kPairs5[] = {{36, 40},   {44, 48},   {52, 56},   {60, 64},
                                           {100, 104}, {108, 112}, {116, 120}, {124, 128},
                                           {132, 136}, {149, 153}, {157, 161}};
// Channels above this are 5 GHz channels.
constexpr long kLast24Channel = 35;
// The extension channel lies this far from the control channel.
constexpr int kExtOffset = 4;
// Extension codes the access point stores.
constexpr uint32_t kExtAbove = 1;
constexpr uint32_t kExtBelow = 3;
// Two 2.4 GHz channels 4 apart need a region this wide for 40 MHz operation.
constexpr int kMinSpanFor40 = 4;

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

bool ModeIn(uint32_t mode, std::initializer_list<uint32_t> modes) {
  return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

}  // namespace

ConfigPageModel::ConfigPageModel(ApRuntimeState& state, Registry& registry, StorePort& store,
                                 DriverPort& driver, const SettingsPort& settings,
                                 ConfigPageHost& host)
    : state_(state),
      registry_(registry),
      store_(store),
      driver_(driver),
      settings_(settings),
      host_(host) {
  values_.allow40 = state.allowBw40InBgBand;
}

void ConfigPageModel::Create() {
  Load();
  const auto channels = ChannelEntries();
  if (!Contains(channels, values_.channel)) {
    values_.channel = channels.empty() ? "" : channels.front();
  }
  LayOutForBand();
}

uint32_t ConfigPageModel::Mode() const {
  if (values_.band5) return state_.htCapable ? kModeAn : kModeA;
  return state_.htCapable ? kModeBgn : kModeBg;
}

void ConfigPageModel::Load() {
  Mac mac{};
  QueryValue(driver_, OID_802_3_CURRENT_ADDRESS, &mac);
  char text[16];
  std::snprintf(text, sizeof text, "AP%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  macText_ = text;
  lastMacByte_ = mac[5];
  values_.ssid = DefaultAccessPointSsid(mac[5]);

  const ApKeyReader key(registry_, state_.adapterKeyPath);
  if (auto ssid = key.Text("SSID"); ssid && !ssid->empty()) values_.ssid = LimitSsid(*ssid);
  const uint32_t mode =
      NormaliseWirelessMode(key.NumberOr("WirelessMode", long(state_.wirelessMode)),
                            state_.bandASupported, state_.htCapable);
  SetValue32(driver_, OID_VND_WIRELESS_MODE, mode);
  values_.band5 = mode == kModeA || mode == kModeAn;
  values_.channel = ChannelText(int(key.NumberOr("Channel", 1)), state_.japanChannelBase);
  LoadHt(key);
  values_.txRate = int(std::max(0L, key.NumberOr("TransRate", 0)));
  values_.txPower = int(key.NumberOr("TXPower", 0));
  values_.bgProtection = int(key.NumberOr("BGProtection", 0));
  const uint32_t word = state_.countryRegionWord;
  values_.region24 =
      int(state_.region24Editable ? key.NumberOr("CountryRegion", 1) & kRegionCodeBits
                                  : word & kRegionCodeBits);
  values_.region5 =
      int(state_.region5Editable ? key.NumberOr("CountryRegionABand", 0) & kRegionCodeBits
                                 : (word >> kRegion5Shift) & kRegionCodeBits);
  const long preamble = key.NumberOr("PreambleType", 0);
  values_.preamble = preamble > 1 ? 0 : int(preamble);
  values_.beaconPeriod = key.NumberOr("BeaconPeriod", values_.beaconPeriod);
  values_.rtsThreshold = key.NumberOr("RtsThresh", values_.rtsThreshold);
  values_.fragThreshold = key.NumberOr("FragThresh", values_.fragThreshold);
  auto flag = [&key](const char* name, bool fallback) { return key.NumberOr(name, fallback) != 0; };
  values_.txBurst = flag("TXBurst", values_.txBurst);
  values_.turboRate = flag("TurboRate", values_.turboRate);
  values_.noForwarding = flag("NoForwarding", values_.noForwarding);
  values_.hideSsid = flag("HideSSID", values_.hideSsid);
  values_.shortSlot = flag("ShortSlot", values_.shortSlot);
  values_.autoChannel = flag("AutoChannelSelect", values_.autoChannel);
  LoadSecurity(key);
  const long idle = key.NumberOr("IdleTime", kDefaultIdle);
  values_.idleTime = idle < kMinIdle || idle > kMaxIdle ? kDefaultIdle : idle;
}

void ConfigPageModel::LoadHt(const ApKeyReader& key) {
  if (!state_.htCapable) return;
  values_.allow40 = key.NumberOr("AllowBW40Capability", values_.allow40) != 0;
  auto word = key.Dword("TransmitSetting");
  if (!word) return;
  radio::HtSetting ht = radio::UnpackHtSetting(*word);
  const uint32_t mode = Mode();
  if (!state_.allowBw40InBgBand && (mode == kModeAn || mode == kModeBgn)) ht.width40 = 0;
  const long channel = ChannelFromText(values_.channel, state_.japanChannelBase);
  if (ht.extChannel == kExtAbove) {
    values_.extChannel = std::to_string(channel + kExtOffset);
  } else if (ht.extChannel == kExtBelow) {
    values_.extChannel = std::to_string(channel - kExtOffset);
  } else {
    values_.extChannel = kNoExtension;
  }
  ht.wirelessMode = mode;
  values_.ht = ht;
  const auto record = radio::BuildHtPhyRecord(radio::PackHtSetting(ht));
  driver_.SetInformation(OID_VND_HT_PHY_MODE, record.data(), uint32_t(record.size()), kSetAttempts);
}

void ConfigPageModel::LoadSecurity(const ApKeyReader& key) {
  ApSecurity& s = values_.security;
  s.auth = ReadAuthCode(key.NumberOr("AuthenType", kAuthOpen));
  s.encryption = ReadEncryptionCode(key.NumberOr("Encryption", kEncNone));
  s.radiusAddress = ParseRadiusAddress(key.Text("RadiusIP").value_or("")).value_or(0);
  s.radiusPort = key.NumberOr("RadiusPort", 0);
  s.radiusKey = key.Text("RadiusKey").value_or("");
  s.rekeyInterval = key.NumberOr("RekeyInterval", 0);
  s.rekeyMethod = key.NumberOr("RekeyMethod", 0) == 1 ? 1 : 0;
  s.passPhrase = key.Text("WPAPSK").value_or("").substr(0, kMaxPassPhrase);
  const long use = key.NumberOr("WEPKeyUse", 1);
  s.transmitKey = use >= 1 && use <= kWepKeyCount ? int(use - 1) : 0;
  for (int i = 0; i < kWepKeyCount; ++i) {
    const std::string n = std::to_string(i + 1);
    const int type = key.NumberOr("WEPKey" + n + "Type", 0) == 1 ? kKeyTypeAscii : kKeyTypeHex;
    s.keyTypes[size_t(i)] = type;
    s.keys[size_t(i)] = TypedKey(type, key.Text("WEPKey" + n).value_or(""));
  }
}

int ConfigPageModel::Span24() const {
  const auto channels = Channels24(uint32_t(values_.region24));
  return channels.empty() ? 0 : channels.back() - channels.front();
}

bool ConfigPageModel::Allow40Forced() const {
  const uint32_t mode = Mode();
  if (mode != kModeBgn && mode != kModeBg) return false;
  return Span24() < kMinSpanFor40 || values_.channel == "14";
}

bool ConfigPageModel::HtSettingOn() const {
  const SettingKey& k = settings::kHtSetting;
  return settings_.Read(k.section, k.key, k.defaultValue) == "1";
}

ConfigControls ConfigPageModel::Controls() const {
  const uint32_t mode = Mode();
  ConfigControls c;
  auto on = [this](const SettingKey& k) {
    return settings_.Read(k.section, k.key, k.defaultValue) == "1";
  };
  c.band5Offered = state_.bandASupported;
  const bool onlyA = mode == kModeA || mode == kModeAn;
  const bool both = ModeIn(mode, {kModeAbg, 5, 10});
  c.region24Shown = !onlyA;
  c.region5Shown = (onlyA || both) && state_.bandASupported;
  c.region24Enabled = state_.region24Editable;
  c.region5Enabled = state_.region5Editable;
  const bool ht = state_.htCapable;
  c.txRateShown = !ht || on(settings::kTxRate);
  c.protectionShown = !ht || on(settings::kBgProtection);
  c.protectionEnabled = !ModeIn(mode, {kModeB, kModeA, 4, kModeN, 7, kModeAn, 10});
  c.htGroupShown = ht && HtSettingOn() && mode >= 5 && mode <= 10;
  c.allow40Shown = ht && ModeIn(mode, {kModeN, kModeAn, kModeBgn});
  c.allow40Enabled = !Allow40Forced();
  c.allow40Checked = values_.allow40 && !Allow40Forced();
  return c;
}

std::vector<std::string> ConfigPageModel::ChannelEntries() const {
  const uint32_t mode = Mode();
  std::vector<int> channels;
  if (mode == kModeBg || mode == kModeBgn) {
    channels = Channels24(uint32_t(values_.region24));
  } else {
    channels = Channels5(uint32_t(values_.region5), state_.chipKind);
    // 140 and 165 have no partner for 40 MHz operation.
    if (mode == kModeAn && values_.ht.width40) {
      std::erase_if(channels, [](int c) { return c == 140 || c == 165; });
    }
  }
  std::vector<std::string> texts;
  for (int c : channels) texts.push_back(ChannelText(c, state_.japanChannelBase));
  return texts;
}

std::vector<std::string> ConfigPageModel::ExtChannelEntries() const {
  const long channel = ChannelFromText(values_.channel, state_.japanChannelBase);
  if (channel > kLast24Channel) {
    for (const auto& [low, high] : kPairs5) {
      if (channel == low) return {std::to_string(high)};
      if (channel == high) return {std::to_string(low)};
    }
    return {kNoExtension};
  }
  const auto channels = ChannelEntries();
  std::vector<std::string> entries;
  for (long candidate : {channel - kExtOffset, channel + kExtOffset}) {
    const std::string text = std::to_string(candidate);
    if (candidate > 0 && Contains(channels, text)) entries.push_back(text);
  }
  if (entries.empty()) entries.push_back(kNoExtension);
  return entries;
}

void ConfigPageModel::LayOutForBand() {
  if (size_t(values_.txRate) >= CurrentTxRateEntries().size()) values_.txRate = 0;
  RebuildChannels();
}

void ConfigPageModel::RebuildChannels() {
  // The channel is settled before the width, which depends on it (channel 14 has no 40 MHz).
  if (const auto before = ChannelEntries(); !Contains(before, values_.channel)) {
    values_.channel = before.empty() ? "" : before.front();
  }
  if (Mode() == kModeBgn) {
    values_.ht.width40 =
        values_.allow40 && !Allow40Forced() && state_.allowBw40InBgBand && Span24() > 3;
  }
  const auto channels = ChannelEntries();
  if (!Contains(channels, values_.channel)) {
    values_.channel = channels.empty() ? "" : channels.front();
  }
  RebuildExtension();
}

void ConfigPageModel::RebuildExtension() {
  const auto entries = ExtChannelEntries();
  if (!Contains(entries, values_.extChannel)) values_.extChannel = entries.front();
}

void ConfigPageModel::ChooseBand(bool band5) {
  values_.band5 = band5 && state_.bandASupported;
  LayOutForBand();
}

void ConfigPageModel::ChooseChannel(const std::string& text) {
  values_.channel = text;
  RebuildExtension();
}

void ConfigPageModel::ChooseRegion24(int index) {
  values_.region24 = index;
  RebuildChannels();
}

void ConfigPageModel::ChooseRegion5(int index) {
  values_.region5 = index;
  RebuildChannels();
}

void ConfigPageModel::SetAllow40(bool checked) {
  values_.allow40 = checked;
  values_.ht.width40 = checked ? 1 : 0;
  RebuildChannels();
}

void ConfigPageModel::UseMacAddress() {
  values_.ssid = macText_;
}

}  // namespace kavo9::softap
