#include "station/wps/WpsApList.h"

#include <algorithm>

#include "station/networks/BssElementSummary.h"
#include "station/networks/BssRecord.h"
#include "station/networks/ChannelFrequency.h"
#include "station/wps/WpsCredential.h"

namespace kavo9::wps {
namespace {

constexpr int32_t kLast24GhzChannel = 14;

bool InBand(int32_t channel, uint32_t band) {
  // An unknown channel counts as a 2.4 GHz one.
  const bool fiveGhz = channel > kLast24GhzChannel;
  if (band == 1) return fiveGhz;
  if (band == 0) return !fiveGhz;
  return true;
}

}  // namespace

std::vector<WpsApRow> BuildWpsApList(std::span<const uint8_t> bssList, uint32_t band) {
  std::vector<WpsApRow> rows;
  size_t used = 4;
  for (const BssRecordView& record : BssListView(bssList)) {
    const BssElementSummary summary = DecodeBssElements(record);
    if (!summary.Wps.Present) continue;
    WpsApRow row;
    row.Channel = ChannelFromFrequency(record.DsConfig());
    if (!InBand(row.Channel, band)) continue;
    const auto ssid = record.Ssid();
    row.Ssid.assign(ssid.begin(), ssid.end());
    row.BssidText = MacText(record.MacAddress());
    if (row.Channel != kNoChannel) row.ChannelText = std::to_string(row.Channel);
    const std::string id = WpsFieldText(summary.Wps, WpsInfo::DevicePasswordId);
    if (band != 0 && id != "Unknown") row.IdText = id;
    row.Secured = record.Privacy() != 0 || SecuritySummaryText(summary.Security) != "Unknown;None";
    row.Rssi = record.Rssi();
    const auto bytes = record.Bytes();
    if (used + bytes.size() > kFilteredListBytes) break;
    used += bytes.size();
    row.Record.assign(bytes.begin(), bytes.end());
    rows.push_back(std::move(row));
  }
  return rows;
}

WpsTarget TargetOf(const WpsApRow& row) {
  WpsTarget t;
  const BssRecordView record(row.Record);
  const auto ssid = record.Ssid();
  t.Ssid.assign(ssid.begin(), ssid.end());
  const auto mac = record.MacAddress();
  if (mac.size() == 6) std::copy(mac.begin(), mac.end(), t.Bssid.begin());
  t.Channel = row.Channel > 0 ? uint8_t(row.Channel) : 0;
  return t;
}

}  // namespace kavo9::wps
