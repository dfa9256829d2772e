#include "station/networks/survey/SurveyRows.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "station/networks/BssFacts.h"
#include "station/networks/ChannelFrequency.h"
#include "station/networks/survey/ApDetail.h"

namespace kavo9 {
namespace {

uint8_t Lower(uint8_t c) {
  return c >= 'A' && c <= 'Z' ? uint8_t(c + 32) : c;
}

struct Entry {
  BssRecordView record;
  uint64_t stamp;
};

}  // namespace

int CompareSsidNoCase(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const uint8_t x = Lower(a[i]), y = Lower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

void SortBssList(MergedBssList& list, int sortKey) {
  std::vector<Entry> entries;
  entries.reserve(list.LastSeen.size());
  size_t index = 0;
  for (const BssRecordView& record : list.View()) {
    if (index == list.LastSeen.size()) break;
    entries.push_back({record, list.LastSeen[index++]});
  }

  switch (sortKey) {
    case kSortBySsid:
      std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return CompareSsidNoCase(a.record.Ssid(), b.record.Ssid()) < 0;
      });
      break;
    case kSortByChannel:
      std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return ChannelFromFrequency(a.record.DsConfig()) <
               ChannelFromFrequency(b.record.DsConfig());
      });
      break;
    case kSortBySignal:
      std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.record.Rssi() > b.record.Rssi();
      });
      break;
    default:
      return;
  }

  // The views point into the list's buffer, so the sorted list is written to a new one.
  std::vector<uint8_t> sorted(list.Buffer.size(), 0);
  size_t offset = kBssListHeaderSize;
  for (size_t i = 0; i < entries.size(); ++i) {
    const auto bytes = entries[i].record.Bytes();
    std::memcpy(sorted.data() + offset, bytes.data(), bytes.size());
    offset += bytes.size();
    list.LastSeen[i] = entries[i].stamp;
  }
  list.LastSeen.resize(entries.size());
  WriteLe32(sorted, 0, uint32_t(entries.size()));
  list.Buffer.swap(sorted);
}

std::vector<SiteSurveyRow> BuildRows(std::span<const uint8_t> snapshot) {
  std::vector<SiteSurveyRow> rows;
  BssListView list(snapshot);
  for (auto it = list.begin(); !(it == list.end()); ++it) {
    const BssRecordView& record = *it;
    const BssElementSummary summary = DecodeBssElements(record);
    const int32_t channel = ChannelFromFrequency(record.DsConfig());
    const auto ssid = record.Ssid();
    SiteSurveyRow row;
    row.InfraMode = int(record.InfrastructureMode());
    row.Ssid.assign(ssid.begin(), ssid.end());
    row.NetworkType = int(record.NetworkTypeInUse());
    row.Channel = channel == kNoChannel ? std::string() : std::to_string(channel);
    row.Secured = IsSecured(record, summary.Security) ? 1 : 0;
    row.Wps = summary.Wps.Present ? 1 : 0;
    row.Ht = summary.Ht.HtInformationPresent() ? 1 : 0;
    // Kept as the driver gave it: wrapping a reading below -100 dBm round to a strong signal
    // would show a network at the edge of range as the best one.
    row.Rssi = record.Rssi();
    row.OfdmBasic = HasOfdmBasicRate(record) ? 1 : 0;
    row.Authentication = AuthenticationText(summary.Security);
    row.Cipher = CipherText(summary.Security);
    if (row.Cipher == "None" && record.Privacy() != 0) row.Cipher = "WEP";
    row.BssidText = MacText(record.MacAddress());
    row.RecordOffset = it.Offset();
    row.Bssid = record.BssidKey();
    rows.push_back(std::move(row));
  }
  return rows;
}

}  // namespace kavo9
