#include "radio/wmm/WmmPage.h"

#include <algorithm>
#include <charconv>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "radio/vocabulary/Bytes.h"

namespace kavo9::radio {
namespace {

constexpr TimerId kLinksTimer = 1;
constexpr uint32_t kLinksPeriodMs = 1000;
constexpr uint32_t kSsidRecordSize = 36;
constexpr uint32_t kMaxTimeout = 65535;
constexpr const char* kDefaultTimeout = "60";

// The APSD word: bit 0 power save on, bits 1-4 the access categories, bits 5-6 the driver's own.
constexpr uint32_t kApsdOn = 1, kApsdKeptBits = 0x7E, kApsdAllBits = 0x7F;
constexpr const char* kAcValueNames[kAccessCategoryCount] = {"APSDAC_BE", "APSDAC_BK", "APSDAC_VI",
                                                             "APSDAC_VO"};
constexpr const char* kAcStatusNames[kAccessCategoryCount] = {":AC_BE", ":AC_BK", ":AC_VI",
                                                              ":AC_VO"};
// The DLS entry: time-out, peer, link status, in use.
constexpr size_t kDlsPeerAt = 4, kDlsStatusAt = 10, kDlsInUseAt = 11;

uint32_t AcBit(int category) {
  return 2u << category;
}

bool IsTkipOrAes(uint32_t status) {
  return status == Ndis802_11Encryption2Enabled || status == Ndis802_11Encryption2KeyAbsent ||
         status == Ndis802_11Encryption3Enabled || status == Ndis802_11Encryption3KeyAbsent;
}

std::optional<uint8_t> HexPair(const std::string& text) {
  uint8_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.size() != 2 || error != std::errc() || end != text.data() + 2) return std::nullopt;
  return value;
}

std::optional<uint32_t> TimeoutOf(const std::string& text) {
  uint32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value > kMaxTimeout) return std::nullopt;
  return value;
}

std::array<uint8_t, kDlsEntrySize> Entry(const MacBytes& peer, uint16_t timeout, bool inUse) {
  std::array<uint8_t, kDlsEntrySize> entry{};
  entry[0] = uint8_t(timeout);
  entry[1] = uint8_t(timeout >> 8);
  std::copy(peer.begin(), peer.end(), entry.begin() + kDlsPeerAt);
  entry[kDlsInUseAt] = inUse ? 1 : 0;
  return entry;
}

}  // namespace

std::vector<DirectLinkRow> DecodeDirectLinks(std::span<const uint8_t> table) {
  std::vector<DirectLinkRow> rows;
  for (size_t at = 0; at + kDlsEntrySize <= table.size() && at < kDlsTableSize;
       at += kDlsEntrySize) {
    if (table[at + kDlsInUseAt] != 1 || table[at + kDlsStatusAt] != kDlsLinkUp) continue;
    DirectLinkRow row;
    row.timeout = uint16_t(table[at] | table[at + 1] << 8);
    std::copy_n(table.begin() + at + kDlsPeerAt, 6, row.peer.begin());
    rows.push_back(row);
  }
  return rows;
}

WmmPageModel::WmmPageModel(DriverPort& driver, RadioStorePort& store, const TextPort& texts,
                           WmmPageHost& host, EventLoop& loop)
    : driver_(driver),
      store_(store),
      texts_(texts),
      host_(host),
      timers_(std::make_unique<WindowTimers>(loop, [this](TimerId) { RefreshLinks(); })) {}

WmmPageModel::~WmmPageModel() = default;

void WmmPageModel::Shown() {
  long value = 0;
  if (ReadNumber(store_, RadioKey::kAdapter, "WMMCapable", &value)) values_.wmm = value != 0;
  if (ReadNumber(store_, RadioKey::kAdapter, "APSDCapable", &value)) values_.apsd = value != 0;
  if (ReadNumber(store_, RadioKey::kAdapter, "DLSCapable", &value)) values_.dls = value != 0;
  const uint32_t apsd = QueryApsd();
  for (int c = 0; c < kAccessCategoryCount; ++c) {
    if (apsd & AcBit(c)) values_.ac[size_t(c)] = true;
  }
  timers_->Set(kLinksTimer, kLinksPeriodMs);
}

void WmmPageModel::Hidden() {
  timers_->Kill(kLinksTimer);
}

WmmEnabling WmmPageModel::Enabling() const {
  const bool wmm = values_.wmm;
  return {.powerSaveLabel = wmm,
          .dlsCheck = wmm,
          .accessCategories = wmm && values_.apsd,
          .directLinks = wmm && values_.dls};
}

std::string WmmPageModel::WmmStatus() const {
  return texts_.Text(values_.wmm ? "IDS_ENABLED" : "IDS_DISABLED");
}

std::string WmmPageModel::PowerSaveStatus() const {
  if (!values_.wmm || !values_.apsd) return texts_.Text("IDS_DISABLED");
  std::string text = texts_.Text("IDS_ENABLED");
  for (int c = 0; c < kAccessCategoryCount; ++c) {
    if (values_.ac[size_t(c)]) text += kAcStatusNames[c];
  }
  return text;
}

std::string WmmPageModel::DirectLinkStatus() const {
  return texts_.Text(values_.wmm && values_.dls ? "IDS_ENABLED" : "IDS_DISABLED");
}

uint32_t WmmPageModel::QueryApsd() {
  uint32_t word = 0;
  QueryValue(driver_, OID_VND_APSD, &word);
  return word;
}

void WmmPageModel::WriteSwitch(std::string_view name, bool on) {
  WriteDecimal(store_, RadioKey::kAdapter, name, on ? 1 : 0);
}

// The adapter leaves and joins the same network again, so that the access point learns the new
// capabilities from the association.
void WmmPageModel::Reassociate() {
  std::array<uint8_t, kSsidRecordSize> ssid{};
  driver_.QueryInformation(OID_802_11_SSID, ssid.data(), kSsidRecordSize, nullptr);
  driver_.SetInformation(OID_802_11_DISASSOCIATE, nullptr, 0, kSetAttempts);
  driver_.SetInformation(OID_802_11_SSID, ssid.data(), kSsidRecordSize, kSetAttempts);
  host_.RefreshCcxControl();
}

void WmmPageModel::OnWmmChanged() {
  if (!values_.wmm) {
    values_.apsd = false;
    values_.dls = false;
    values_.timeout = kDefaultTimeout;
  }
  uint32_t apsd = QueryApsd() & (values_.wmm && values_.apsd ? kApsdAllBits : kApsdKeptBits);
  if (!values_.wmm) {
    WriteSwitch("APSDCapable", false);
    WriteSwitch("DLSCapable", false);
  }
  WriteSwitch("WMMCapable", values_.wmm);
  SetValue32(driver_, OID_VND_APSD, apsd);
  SetValue32(driver_, OID_VND_DLS_CAPABLE, values_.dls ? 1 : 0);
  SetValue32(driver_, OID_VND_WMM_ENABLE, values_.wmm ? 1 : 0, kSetAttempts, 1);
  Reassociate();
  if (host_.RadioOn()) host_.PressSiteSurveyRescan();
}

void WmmPageModel::OnApsdChanged() {
  uint32_t apsd = QueryApsd();
  apsd = values_.apsd ? apsd | kApsdOn : apsd & kApsdKeptBits;
  SetValue32(driver_, OID_VND_APSD, apsd);
  WriteSwitch("APSDCapable", values_.apsd);
}

void WmmPageModel::OnAccessCategoryChanged() {
  uint32_t apsd = kApsdOn;
  for (int c = 0; c < kAccessCategoryCount; ++c) {
    if (values_.ac[size_t(c)]) apsd |= AcBit(c);
  }
  SetValue32(driver_, OID_VND_APSD, apsd);
  for (int c = 0; c < kAccessCategoryCount; ++c)
    WriteSwitch(kAcValueNames[c], values_.ac[size_t(c)]);
  Reassociate();
}

void WmmPageModel::OnDlsChanged() {
  WriteSwitch("DLSCapable", values_.dls);
  SetValue32(driver_, OID_VND_DLS_CAPABLE, values_.dls ? 1 : 0);
  uint32_t encryption = 0;
  QueryValue(driver_, OID_802_11_ENCRYPTION_STATUS, &encryption);
  if (IsTkipOrAes(encryption)) Reassociate();
}

std::optional<std::string_view> WmmPageModel::Setup() {
  MacBytes peer{};
  for (size_t i = 0; i < peer.size(); ++i) {
    const std::optional<uint8_t> pair = HexPair(values_.mac[i]);
    if (!pair) return "IDS_INVALIDMACADDR";
    peer[i] = *pair;
  }
  MacBytes own{};
  QueryValue(driver_, OID_802_3_CURRENT_ADDRESS, &own);
  const MacBytes broadcast{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  if (peer == MacBytes{} || peer == broadcast || peer == own) return "IDS_INVALIDMACADDR";
  // A direct link joins two stations; a group address names none of them.
  if (peer[0] & 1) return "IDS_NOTACCEPTB";
  const std::optional<uint32_t> timeout = TimeoutOf(values_.timeout);
  if (!timeout) return "IDS_INVALIDTIMEOUT";
  const auto entry = Entry(peer, uint16_t(*timeout), true);
  driver_.SetInformation(OID_VND_DLS_LINKS, entry.data(), kDlsEntrySize, kSetAttempts);
  return std::nullopt;
}

void WmmPageModel::SelectRow(int row) {
  if (row < 0 || size_t(row) >= links_.size()) {
    selected_.reset();
    return;
  }
  selected_ = links_[size_t(row)].peer;
}

void WmmPageModel::ActivateRow(int row) {
  SelectRow(row);
  if (!selected_) return;
  const std::string text = MacAddressText(*selected_);
  for (size_t i = 0; i < values_.mac.size(); ++i) values_.mac[i] = text.substr(3 * i, 2);
  values_.timeout = std::to_string(links_[size_t(row)].timeout);
}

std::optional<std::string_view> WmmPageModel::TearDown() {
  if (!selected_) return "IDS_NOSELECTEDITEM";
  std::array<uint8_t, kDlsTableSize> table{};
  if (!driver_.QueryInformation(OID_VND_DLS_LINKS, table.data(), kDlsTableSize, nullptr)) {
    return std::nullopt;
  }
  for (size_t at = 0; at < kDlsTableSize; at += kDlsEntrySize) {
    if (table[at + kDlsInUseAt] != 1) continue;
    if (!std::equal(selected_->begin(), selected_->end(), table.begin() + at + kDlsPeerAt))
      continue;
    table[at + kDlsInUseAt] = 0;
    driver_.SetInformation(OID_VND_DLS_LINKS, table.data() + at, kDlsEntrySize, kSetAttempts);
    break;
  }
  return std::nullopt;
}

bool WmmPageModel::RefreshLinks() {
  std::vector<uint8_t> table(kDlsTableSize, 0);
  uint32_t returned = 0;
  if (!driver_.QueryInformation(OID_VND_DLS_LINKS, table.data(), kDlsTableSize, &returned)) {
    return false;
  }
  table.resize(returned);
  std::vector<DirectLinkRow> fresh = DecodeDirectLinks(table);
  if (fresh == links_) return false;
  links_ = std::move(fresh);
  if (selected_ && std::none_of(links_.begin(), links_.end(),
                                [this](const DirectLinkRow& r) { return r.peer == *selected_; })) {
    selected_.reset();
  }
  if (changed_) changed_();
  return true;
}

}  // namespace kavo9::radio
