#include "radio/AdvancePage.h"

#include <algorithm>
#include <array>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "radio/RadioRequests.h"
#include "radio/RegionRefresh.h"
#include "radio/vocabulary/Rates.h"
#include "radio/vocabulary/TcpTuning.h"
#include "radio/vocabulary/WirelessMode.h"

namespace kavo9::radio {

using namespace advance;

namespace {

constexpr std::string_view kSection = "Advance";

bool Win2000OrLater(int versionCode) {
  return versionCode >= kMinTcpTuningVersionCode;
}

}  // namespace

AdvancePageModel::AdvancePageModel(RadioState& state, DriverPort& driver, RadioStorePort& store,
                                   const TextPort& texts, const SettingsPort& settings,
                                   AdvancePageHost& host, EventLoop& loop,
                                   AdvancePageEnvironment environment)
    : state_(state),
      driver_(driver),
      store_(store),
      texts_(texts),
      settings_(settings),
      host_(host),
      env_(environment),
      timers_(std::make_unique<WindowTimers>(loop, [this](TimerId id) { OnTimer(id); })) {
  for (const auto& c : kControlTexts) controls_[c.control] = {};
  values_.wirelessMode =
      NormaliseWirelessMode(ModeFromBandKey(kPhy24And5G, state_.bands.ht), state_.bands);
}

AdvancePageModel::~AdvancePageModel() = default;

// ---- creation, showing, timers -------------------------------------------------------------

void AdvancePageModel::Create() {
  creating_ = true;
  SetVisible(kQosCheck, false);
  if (!Win2000OrLater(env_.windowsVersionCode)) SetEnabled(kTcpWindowCheck, false);

  modeKeys_ = {kPhy24G};
  if (state_.bands.has5G) {
    modeKeys_.push_back(kPhy5G);
    modeKeys_.push_back(kPhy24And5G);
  }
  region24Texts_ = Region24Texts(state_.chipKind);
  region5Texts_ = Region5Texts(state_.chipKind);

  if (!state_.bands.ht) {
    for (ControlId id : kHtGroupControls) SetVisible(id, false);
  }
  LoadValues();
  if (MustReadFromDriver()) ReadFromDriver();
  ModeChanged(false);

  appliedBandKey_ = BandKeyFromMode(values_.wirelessMode, state_.bands.ht);
  appliedModeKey_ = appliedBandKey_;
  appliedRegion24_ = values_.region24;
  appliedRegion5_ = values_.region5;
  creating_ = false;
}

void AdvancePageModel::Show() {
  LoadValues();
  if (MustReadFromDriver()) ReadFromDriver();
  // The mode may differ from the one the controls were laid out for: a choice left unapplied
  // when the page was hidden, or a change made elsewhere.
  LayOutForMode();
  UpdateVisibility();
  timers_->Set(kTimerVisibility, kVisibilityPeriodMs);
}

void AdvancePageModel::Hide() {
  timers_->Kill(kTimerVisibility);
}

void AdvancePageModel::OnTimer(TimerId id) {
  switch (id) {
    case kTimerVisibility:
      // Picks up edits of the settings file while the page is open.
      UpdateVisibility();
      break;
    case kTimerRescan:
      timers_->Kill(kTimerRescan);
      host_.PressSiteSurveyRescan();
      break;
    case kTimerRequeue:
      timers_->Kill(kTimerRequeue);
      host_.RequeueCurrentConnection();
      break;
  }
  if (changed_) changed_();
}

bool AdvancePageModel::MustReadFromDriver() const {
  return !env_.isAdministrator && !env_.allowStandardUserSetAdvance;
}

// ---- loading --------------------------------------------------------------------------------

void AdvancePageModel::LoadValues() {
  if (Win2000OrLater(env_.windowsVersionCode)) values_.tcpWindow = TcpTuningOn(store_);
  if (!store_.CanOpen(RadioKey::kAdapter, false)) {
    ReadFromDriver();
    return;
  }
  long number = values_.wirelessMode;
  ReadNumber(store_, RadioKey::kAdapter, "WirelessMode", &number);
  values_.wirelessMode =
      ShownBandMode(NormaliseWirelessMode(int(number), state_.bands), state_.bands);
  LoadHtGroup();

  if (ReadNumber(store_, RadioKey::kAdapter, "TXBurst", &number)) values_.txBurst = number != 0;
  if (ReadNumber(store_, RadioKey::kAdapter, "BGProtection", &number)) {
    values_.bgProtection = number >= kBgAuto && number <= kBgOff ? int(number) : kBgAuto;
  }
  if (!state_.region.region24Editable) {
    values_.region24 = Region24(state_.region.word);
  } else if (ReadNumber(store_, RadioKey::kAdapter, "CountryRegion", &number)) {
    values_.region24 = int(number & 0x7F);
  }
  if (!state_.region.region5Editable) {
    values_.region5 = Region5(state_.region.word);
  } else if (ReadNumber(store_, RadioKey::kAdapter, "CountryRegionABand", &number)) {
    values_.region5 = int(number & 0x7F);
  }
  if (ReadNumber(store_, RadioKey::kAdapter, "TransRate", &number)) {
    values_.transRate = number < 0 ? 0 : int(std::min(number, 255L));
  }
  number = 0;
  ReadNumber(store_, RadioKey::kAdapter, "ShowAuthStatus", &number);
  values_.showAuthStatus = number != 0;
  host_.SetSupplicantShowStatus(values_.showAuthStatus);
  uint32_t word = 0;
  values_.ccx = ReadDword(store_, RadioKey::kAdapter, "CCX2Control", &word)
                    ? UnpackCcx2Control(word)
                    : CcxSettings{};
}

void AdvancePageModel::LoadHtGroup() {
  if (!state_.bands.ht) return;
  uint32_t word = 0;
  if (!ReadDword(store_, RadioKey::kAdapter, "TransmitSetting", &word)) return;
  values_.ht = UnpackHtSetting(word);
  if (!Bw40Permitted(values_.wirelessMode, state_.bw40)) values_.ht.width40 = 0;
  state_.htSettingWord = word;
}

void AdvancePageModel::ReadFromDriver() {
  std::array<uint8_t, 4> word{};
  if (driver_.QueryInformation(OID_VND_WIRELESS_MODE, word.data(), 4, nullptr)) {
    state_.wirelessMode = NormaliseWirelessMode(int(ReadLe32(word, 0)), state_.bands);
    values_.wirelessMode = ShownBandMode(state_.wirelessMode, state_.bands);
  }
  std::array<uint8_t, kStaConfigSize> config{};
  if (driver_.QueryInformation(OID_VND_STA_CONFIG, config.data(), kStaConfigSize, nullptr)) {
    StaConfig sta = StaConfig::FromBytes(config);
    values_.txBurst = sta.words[StaConfig::kTxBurst] != 0;
    uint32_t bg = sta.words[StaConfig::kBgProtection];
    values_.bgProtection = bg <= kBgOff ? int(bg) : kBgAuto;
  }
  word = {};
  if (driver_.QueryInformation(OID_VND_COUNTRY_REGION, word.data(), 4, nullptr)) {
    uint32_t region = ReadLe32(word, 0);
    values_.region24 = Region24(region);
    values_.region5 = Region5(region);
  }
  host_.SetSupplicantShowStatus(values_.showAuthStatus);
}

// ---- choices --------------------------------------------------------------------------------

void AdvancePageModel::ChooseWirelessMode(int index) {
  if (index < 0 || index >= int(modeKeys_.size())) return;
  values_.wirelessMode =
      NormaliseWirelessMode(ModeFromBandKey(modeKeys_[index], state_.bands.ht), state_.bands);
  ModeChanged(true);
}

void AdvancePageModel::ChooseRegion24(int index) {
  if (index < 0 || index >= int(region24Texts_.size())) return;
  values_.region24 = index;
  values_.ht.width40 = WidthForRegionChoice(values_.wirelessMode, state_.bw40, RegionText24());
}

void AdvancePageModel::ChooseRegion5(int index) {
  if (index < 0 || index >= int(region5Texts_.size())) return;
  values_.region5 = index;
}

void AdvancePageModel::ChooseBgProtection(int value) {
  if (value >= kBgAuto && value <= kBgOff) values_.bgProtection = value;
}

void AdvancePageModel::ChooseTxRate(int index) {
  if (index >= 0 && index < int(txRateKeys_.size())) values_.transRate = index;
}

void AdvancePageModel::ChooseMcs(int index) {
  auto choices = McsChoices();
  if (index >= 0 && index < int(choices.size())) values_.ht.mcs = uint32_t(choices[index]);
}

std::string AdvancePageModel::RegionText24() const {
  if (values_.region24 < 0 || values_.region24 >= int(region24Texts_.size())) return {};
  return region24Texts_[values_.region24];
}

void AdvancePageModel::ModeChanged(bool warn) {
  if (warn && !creating_ && driver_.IsAdapterPresent()) {
    host_.ShowModelessMessage("IDS_CHANNELCONFLICT");
  }
  LayOutForMode();
  const int mode = values_.wirelessMode;
  if (mode == 1 || mode == 2 || mode == 4) {
    values_.bgProtection = kBgAuto;
    if (values_.transRate >= int(txRateKeys_.size())) values_.transRate = 0;
  }
  UpdateVisibility();
  values_.ht.width40 = WidthForRegionChoice(mode, state_.bw40, RegionText24());
}

void AdvancePageModel::LayOutForMode() {
  const int mode = values_.wirelessMode;
  bool show24 = true;
  bool show5 = false;
  if (mode == 2 || mode == 8) {
    show24 = false;
    show5 = true;
  } else if (mode == 3 || mode == 5) {
    show5 = true;
  } else if (mode == 6 || mode == 7) {
    show24 = Control(kRegion24Combo).visible;
    show5 = Control(kRegion5Combo).visible;
  }
  // Without the 5 GHz band there is no 5 GHz region to choose.
  if (!state_.bands.has5G) show5 = false;
  SetVisible(kRegion24Label, show24);
  SetVisible(kRegion24Combo, show24);
  SetVisible(kRegion5Label, show5);
  SetVisible(kRegion5Combo, show5);

  txRateKeys_ = TxRateEntryKeys(mode);
}

// ---- visibility -----------------------------------------------------------------------------

std::string AdvancePageModel::Setting(std::string_view key) const {
  return settings_.Read(kSection, key, "0");
}

bool AdvancePageModel::HtGroupVisible() const {
  return state_.bands.ht && IsHtMode(values_.wirelessMode) && Setting("HT Setting") == "1";
}

void AdvancePageModel::UpdateVisibility() {
  const bool ht = state_.bands.ht;
  const bool group = HtGroupVisible();
  if (ht) {
    for (ControlId id : kHtGroupControls) SetControl(id, group, true);
    for (ControlId id : {kExtLabel, kExtNoneRadio, kExtAbove, kExtBelow}) SetVisible(id, false);
    if (group) {
      const bool permitted = Bw40Permitted(values_.wirelessMode, state_.bw40);
      SetEnabled(kWidthAuto, permitted);
      if (!permitted) values_.ht.width40 = 0;
    }
  }

  const bool txRateSwitch = Setting("TxRate") == "1";
  const bool txRateShown = txRateSwitch || !ht;
  const bool txRateEnabled = !(txRateSwitch && group);
  SetControl(kTxRateLabel, txRateShown, true);
  SetControl(kTxRateCombo, txRateShown, txRateEnabled);

  const bool bgShown = !ht || Setting("BgProtection") == "1";
  SetVisible(kBgProtectionLabel, bgShown);
  SetVisible(kBgProtectionButton, bgShown);

  const bool e24 = state_.region.region24Editable;
  const bool e5 = state_.region.region5Editable;
  SetEnabled(kRegion24Label, e24);
  SetEnabled(kRegion24Combo, e24);
  SetEnabled(kRegion5Label, e5);
  SetEnabled(kRegion5Combo, e5);
  SetEnabled(kRegionGroup, e24 || e5);
}

void AdvancePageModel::SetControl(int id, bool visible, bool enabled) {
  controls_[id] = {visible, enabled};
}
void AdvancePageModel::SetVisible(int id, bool visible) {
  controls_[id].visible = visible;
}
void AdvancePageModel::SetEnabled(int id, bool enabled) {
  controls_[id].enabled = enabled;
}

ControlState AdvancePageModel::Control(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? ControlState{false, false} : it->second;
}

std::string AdvancePageModel::ControlText(int id) const {
  for (const auto& c : kControlTexts) {
    if (c.control != id) continue;
    if (!c.key.empty()) {
      std::string text = texts_.Text(c.key);
      if (!text.empty()) return text;
    }
    if (id == kBgProtectionButton) return std::string(kBgProtectionTexts[values_.bgProtection]);
    return std::string(c.text);
  }
  return {};
}

std::vector<std::string> AdvancePageModel::WirelessModeEntries() const {
  std::vector<std::string> entries;
  for (auto key : modeKeys_) entries.push_back(texts_.Text(key));
  return entries;
}

int AdvancePageModel::WirelessModeIndex() const {
  auto key = BandKeyFromMode(values_.wirelessMode, state_.bands.ht);
  auto it = std::find(modeKeys_.begin(), modeKeys_.end(), key);
  return it == modeKeys_.end() ? -1 : int(it - modeKeys_.begin());
}

std::vector<std::string> AdvancePageModel::TxRateEntries() const {
  std::vector<std::string> entries;
  for (auto key : txRateKeys_) entries.push_back(texts_.Text(key));
  return entries;
}

int AdvancePageModel::TxRateIndex() const {
  return values_.transRate >= 0 && values_.transRate < int(txRateKeys_.size()) ? values_.transRate
                                                                               : -1;
}

std::vector<std::string> AdvancePageModel::McsEntries() const {
  std::vector<std::string> entries;
  const std::string autoText = texts_.Text("IDS_AUTO");
  for (int mcs : McsChoices())
    entries.push_back(McsText(mcs, autoText.empty() ? "Auto" : autoText));
  return entries;
}

int AdvancePageModel::McsIndex() const {
  auto choices = McsChoices();
  auto it = std::find(choices.begin(), choices.end(), int(values_.ht.mcs));
  return it == choices.end() ? -1 : int(it - choices.begin());
}

// ---- apply ----------------------------------------------------------------------------------

bool AdvancePageModel::BandChanged(std::string_view newKey) const {
  if (appliedBandKey_ == kPhy24And5G) return newKey == kPhy24G || newKey == kPhy5G;
  if (appliedBandKey_ == kPhy24G) return newKey == kPhy5G;
  if (appliedBandKey_ == kPhy5G) return newKey == kPhy24G;
  return false;
}

bool AdvancePageModel::Apply() {
  const HtSetting& chosen = values_.ht;
  if (state_.bands.ht && chosen.greenfield && chosen.shortGuard && chosen.stbc) {
    host_.ShowMessage("IDS_MSG_NOT_AVAIL_COMBO_GI_STBC_GF");
    return false;
  }
  if (std::string_view rule = ValidateCcxSettings(values_.ccx); !rule.empty()) {
    host_.ShowMessage(rule);
    return false;
  }

  const std::string_view modeKey = BandKeyFromMode(values_.wirelessMode, state_.bands.ht);
  const int region24 = values_.region24;
  const int region5 = values_.region5;
  if (BandChanged(modeKey)) {
    driver_.SetInformation(OID_802_11_BSSID_LIST_SCAN, nullptr, 0, kSetAttempts);
  }
  appliedBandKey_ = modeKey;

  // The values as they are stored and sent: the mode is the one the combo shows.
  values_.transRate = TxRateIndex() < 0 ? 0 : values_.transRate;
  const int mode = NormaliseWirelessMode(ModeFromBandKey(modeKey, state_.bands.ht), state_.bands);
  values_.wirelessMode = mode;
  state_.wirelessMode = mode;
  const bool fiveGHz = state_.bands.has5G;
  if (mode == 1 || (mode == 2 && fiveGHz)) values_.bgProtection = kBgAuto;
  if ((mode == 1 && values_.transRate >= 5) || (mode == 2 && fiveGHz && values_.transRate >= 9)) {
    values_.transRate = 0;
  }

  if (state_.bands.ht) {
    HtSetting ht = values_.ht;
    ht.wirelessMode = uint32_t(mode);
    state_.htSettingWord = PackHtSetting(ht);
  }
  WriteRegistry(mode);
  SendToDriver(mode);

  if (modeKey != appliedModeKey_ || region24 != appliedRegion24_ || region5 != appliedRegion5_) {
    if (host_.HasCurrentConnection()) {
      driver_.SetInformation(OID_802_11_DISASSOCIATE, nullptr, 0, kSetAttempts);
      timers_->Set(kTimerRequeue, kRequeueDelayMs);
    }
    timers_->Set(kTimerRescan, kRescanDelayMs);
    appliedModeKey_ = modeKey;
    appliedRegion24_ = region24;
    appliedRegion5_ = region5;
  }
  host_.RadioSettingsChanged();
  return true;
}

void AdvancePageModel::WriteRegistry(int mode) {
  if (!store_.CanOpen(RadioKey::kAdapter, true)) {
    host_.SetSupplicantShowStatus(values_.showAuthStatus);
    return;
  }
  if (Win2000OrLater(env_.windowsVersionCode)) ApplyTcpTuning(store_, values_.tcpWindow);

  const RadioKey key = RadioKey::kAdapter;
  if (!WriteDecimal(store_, key, "ShowAuthStatus", values_.showAuthStatus ? 1 : 0)) {
    values_.showAuthStatus = false;
  }
  host_.SetSupplicantShowStatus(values_.showAuthStatus);
  WriteDecimal(store_, key, "WirelessMode", mode);
  WriteDecimal(store_, key, "TXBurst", values_.txBurst ? 1 : 0);
  WriteDecimal(store_, key, "BGProtection", values_.bgProtection);
  if (state_.region.region24Editable) WriteDecimal(store_, key, "CountryRegion", values_.region24);
  if (state_.region.region5Editable) {
    WriteDecimal(store_, key, "CountryRegionABand", values_.region5);
  }
  if (auto code = AdhocOfdmCode(mode)) WriteDecimal(store_, key, "AdhocOfdm", *code);
  WriteDecimal(store_, key, "TransRate", values_.transRate);
  WriteDword(store_, key, "CCX2Control", PackCcx2Control(values_.ccx));
  if (state_.bands.ht) WriteDword(store_, key, "TransmitSetting", state_.htSettingWord);
}

void AdvancePageModel::SendToDriver(int mode) {
  std::array<uint8_t, 4> modeBytes{};
  WriteLe32(modeBytes, 0, uint32_t(mode));
  driver_.SetInformation(OID_VND_WIRELESS_MODE, modeBytes.data(), 4, kSetAttempts);

  if (state_.bands.ht) SendHtSettingWord(driver_, state_.htSettingWord);
  host_.RefreshCcxControl();

  // The station options: only our words change; the others go back as the driver has them, so
  // without a reply there is nothing safe to send.
  std::array<uint8_t, kStaConfigSize> reply{};
  if (driver_.QueryInformation(OID_VND_STA_CONFIG, reply.data(), kStaConfigSize, nullptr)) {
    const StaConfig reported = StaConfig::FromBytes(reply);
    StaConfig config = reported;
    config.words[StaConfig::kTxBurst] = values_.txBurst ? 1 : 0;
    config.words[StaConfig::kBgProtection] = uint32_t(values_.bgProtection);
    if (auto code = AdhocOfdmCode(mode)) config.words[StaConfig::kAdhocOfdm] = uint32_t(*code);
    config.words[StaConfig::kCleared] = 0;
    if (config != reported) {
      auto bytes = config.ToBytes();
      driver_.SetInformation(OID_VND_STA_CONFIG, bytes.data(), kStaConfigSize, kSetAttempts);
      state_.staConfig = config;
    }
  }

  if (state_.region.region24Editable || state_.region.region5Editable) {
    std::array<uint8_t, 4> region{};
    WriteLe32(region, 0, MakeRegionWord(values_.region24, values_.region5));
    driver_.SetInformation(OID_VND_COUNTRY_REGION, region.data(), 4, kSetAttempts);
    RefreshCountryRegion(state_, driver_, store_);
  }

  SendRates(driver_, mode, values_.transRate, values_.ht.mcs == uint32_t(kMcsAuto));
  host_.RefreshCcxControl();
}

}  // namespace kavo9::radio
