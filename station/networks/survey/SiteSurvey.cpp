#include "station/networks/survey/SiteSurvey.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "common/shell/ConfigToolState.h"

#include "common/adapter/RequestCatalogue.h"
#include "station/networks/BssFacts.h"
#include "station/networks/ChannelFrequency.h"

namespace kavo9 {
namespace {

constexpr size_t kConfigurationSize = 32;  // NDIS_802_11_CONFIGURATION
constexpr size_t kConfigurationDsConfig = 12;

bool IsAllZero(const std::array<uint8_t, 6>& mac) {
  return std::all_of(mac.begin(), mac.end(), [](uint8_t b) { return b == 0; });
}

// The profile's SSID matches a row when either is empty or both agree in their first 32 bytes.
bool ProfileSsidMatches(std::string_view profile, std::string_view row) {
  if (profile.empty() || row.empty()) return true;
  return profile.substr(0, 32) == row.substr(0, 32);
}

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kSpace = " \t\r\n\v\f";
  const size_t first = text.find_first_not_of(kSpace);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// At most the 32 bytes an SSID holds. The text comes as UTF-8: a character that does not fit
// whole is left out rather than cut into bytes no network name can carry.
std::string_view FirstSsidBytes(std::string_view text) {
  constexpr size_t kSsidMax = 32;
  if (text.size() <= kSsidMax) return text;
  size_t length = kSsidMax;
  while (length > 0 && (uint8_t(text[length]) & 0xC0) == 0x80) --length;
  return text.substr(0, length);
}

}  // namespace

bool& ShowDbm() {
  static bool showDbm = false;
  return showDbm;
}

SiteSurvey::SiteSurvey(SurveyStationPort& station, DriverPort& driver, SurveyHandOverPort& handOver)
    : station_(station), driver_(driver), handOver_(handOver), snapshot_(kBssListBufferSize, 0) {}

void SiteSurvey::RebuildRows() {
  MergedBssList& merged = station_.Merged();
  SortBssList(merged, sortKey_);
  std::copy_n(merged.Buffer.begin(), std::min(merged.Buffer.size(), snapshot_.size()),
              snapshot_.begin());
  rows_ = BuildRows(snapshot_);
}

void SiteSurvey::RebuildAfterOutsideRead() {
  RebuildRows();
  controls_ = SurveyControls{};
  connectBlock_ = addBlock_ = SurveyBlock::Rebuilding;
}

void SiteSurvey::RestoreSortKey(int sortKey) {
  if (sortKey >= kSortBySsid && sortKey <= kSortBySignal) sortKey_ = sortKey;
}

void SiteSurvey::OnTick() {
  if (rebuildPending_) {
    // A scan still running: the rows, their connected mark and the rescan count wait for its
    // list, so the rows are never redrawn from a list about to be replaced.
    if (station_.ScanPending()) {
      EnablePass();
      return;
    }
    RebuildRows();
    rebuildPending_ = false;
  }

  // A failed query counts as not connected.
  uint32_t mediaStatus = 1;
  if (!driver_.QueryInformation(OID_GEN_MEDIA_CONNECT_STATUS, &mediaStatus, sizeof mediaStatus,
                                nullptr))
    mediaStatus = 1;
  const bool connected = mediaStatus == 0;
  const bool radioOn = station_.RadioOn();
  int connectedRow = -1;

  if (connected && !radioOn) {
    rows_.clear();
  } else if (connected && !IsAllZero(station_.CurrentBssid())) {
    // The snapshot, not the rows, tells whether the network is listed: rows emptied while the
    // radio was off must not set off a scan every tick.
    const std::optional<size_t> offset = FindConnectedRecord();
    if (!offset) station_.RequestScan();
    for (size_t i = 0; offset && i < rows_.size() && connectedRow < 0; ++i)
      if (rows_[i].RecordOffset == *offset) connectedRow = int(i);
  } else if (radioOn) {
    if (rescanTick_ == 0 || rescanTick_ % kRescanEveryTicks == 0) {
      rescanTick_ = 0;
      rebuildPending_ = true;
      station_.RequestScan();
    }
    ++rescanTick_;
  } else {
    rows_.clear();
  }

  for (SiteSurveyRow& row : rows_) row.Connected = 0;
  if (connected && connectedRow >= 0) rows_[size_t(connectedRow)].Connected = 1;
  EnablePass();
}

std::optional<size_t> SiteSurvey::FindConnectedRecord() {
  std::array<uint8_t, kConfigurationSize> configuration{};
  driver_.QueryInformation(OID_802_11_CONFIGURATION, configuration.data(),
                           uint32_t(configuration.size()), nullptr);
  const int32_t channel = ChannelFromFrequency(ReadLe32(configuration, kConfigurationDsConfig));
  const std::array<uint8_t, 6> bssid = station_.CurrentBssid();
  const bool checkSsid = station_.ConnectedThroughProfile();
  const std::string profileSsid = checkSsid ? station_.ActiveProfileSsid() : std::string();
  const BssListView list(snapshot_);
  for (auto it = list.begin(); !(it == list.end()); ++it) {
    const auto mac = it->MacAddress();
    if (mac.size() != 6 || !std::equal(mac.begin(), mac.end(), bssid.begin())) continue;
    if (ChannelFromFrequency(it->DsConfig()) != channel) continue;
    const auto ssid = it->Ssid();
    const std::string_view ssidText(reinterpret_cast<const char*>(ssid.data()), ssid.size());
    if (checkSsid && !ProfileSsidMatches(profileSsid, ssidText)) continue;
    return it.Offset();
  }
  return std::nullopt;
}

SurveyControls SiteSurvey::EnablePass() {
  const bool radioOn = station_.RadioOn();
  SurveyControls c;
  c.RescanAndSort = radioOn && !rebuildPending_;
  SurveyBlock block = SurveyBlock::None;
  if (station_.ConfigToolState() == kConfigToolService) {
    block = SurveyBlock::ServiceManages;
  } else if (!radioOn) {
    block = SurveyBlock::RadioOff;
  } else if (rebuildPending_) {
    block = SurveyBlock::Rebuilding;
  } else if (rows_.empty()) {
    block = SurveyBlock::NoNetworks;
  } else if (!station_.SupplicantAvailable() && selectedSecured_ >= 1 && selectedSecured_ <= 5) {
    block = SurveyBlock::NeedsSupplicant;
  }
  c.Connect = block == SurveyBlock::None;
  c.AddToProfile = c.Connect && station_.MaySetProfiles();
  connectBlock_ = block;
  addBlock_ = block != SurveyBlock::None ? block
              : c.AddToProfile           ? SurveyBlock::None
                                         : SurveyBlock::NotPermitted;
  controls_ = c;
  return c;
}

SurveyStatus SiteSurvey::Status() const {
  if (!station_.RadioOn()) return SurveyStatus::RadioOff;
  if (rebuildPending_ || station_.ScanPending()) return SurveyStatus::Scanning;
  return SurveyStatus::Idle;
}

std::span<const uint8_t> SiteSurvey::RecordOfRow(int row) const {
  if (row < 0 || size_t(row) >= rows_.size()) return {};
  const size_t offset = rows_[size_t(row)].RecordOffset;
  return BssRecordView(std::span<const uint8_t>(snapshot_).subspan(offset)).Bytes();
}

void SiteSurvey::OnListClick(int row) {
  if (row >= 0 && size_t(row) < rows_.size()) selectedSecured_ = rows_[size_t(row)].Secured;
  EnablePass();
}

void SiteSurvey::OnRescan() {
  rebuildPending_ = true;
  station_.RequestScan();
  EnablePass();
}

void SiteSurvey::OnSortClicked(int sortKey) {
  if (sortKey < kSortBySsid || sortKey > kSortBySignal) return;
  // The new order shows at the next tick; the controls stay as they are until then.
  sortKey_ = sortKey;
  rebuildPending_ = true;
}

bool SiteSurvey::SelectRecord(int row) {
  const auto bytes = RecordOfRow(row);
  if (bytes.empty()) return false;
  const BssRecordView record(bytes);
  const BssElementSummary summary = DecodeBssElements(record);
  selection_.Record.assign(bytes.begin(), bytes.end());
  selection_.Authentication = AuthenticationText(summary.Security);
  selection_.Cipher = CipherText(summary.Security);
  selection_.Secured = IsSecured(record, summary.Security);
  selection_.SecurityClass = SecurityClass(selection_.Authentication);
  selectedSecured_ = selection_.SecurityClass;
  return true;
}

void SiteSurvey::OnConnect(int row) {
  handOver_.ClosePeapDialog();
  handOver_.MarkNotThroughProfile();
  selection_.HiddenSsidPath = false;
  if (station_.ConfigToolState() == kConfigToolService) return;
  if (RecordOfRow(row).empty()) {
    handOver_.ShowMessage(LangKey::IDS_NOSELECTEDITEM);
    return;
  }
  if (!EnablePass().Connect) return;
  SelectRecord(row);
  if (!station_.SupplicantAvailable() && selectedSecured_ >= 1 && selectedSecured_ <= 5) return;

  const BssRecordView record(selection_.Record);
  if (record.InfrastructureMode() != 0 && record.SsidLength() == 0) {
    selection_.HiddenSsidPath = true;
    selection_.HiddenSsid.clear();
    handOver_.ShowHiddenSsidDialog();
  } else if (selection_.Secured) {
    handOver_.ShowSecurityEditor(selection_);
  } else {
    handOver_.CompleteConnection(selection_);
  }
}

bool SiteSurvey::OnHiddenSsidOk(std::string_view text) {
  const std::string_view ssid = FirstSsidBytes(Trim(text));
  if (ssid.empty()) {
    handOver_.ShowMessage(LangKey::IDS_HIDDEN_TEXT);
    return false;
  }
  selection_.HiddenSsid.assign(ssid);
  if (selection_.Secured)
    handOver_.ShowSecurityEditor(selection_);
  else
    handOver_.CompleteConnection(selection_);
  return true;
}

void SiteSurvey::OnAddToProfile(int row) {
  if (!SelectRecord(row)) {
    handOver_.ShowMessage(LangKey::IDS_NOSELECTEDITEM);
    return;
  }
  handOver_.OpenProfileEditor(selection_);
}

void SiteSurvey::OnDoubleClick(int row) {
  const auto bytes = RecordOfRow(row);
  if (bytes.empty()) {
    handOver_.ShowMessage(LangKey::IDS_NOSELECTEDITEM);
    return;
  }
  handOver_.ShowApDetail(bytes);
}

}  // namespace kavo9
