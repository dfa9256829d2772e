#include "station/networks/survey/ApDetail.h"

#include <cstdio>

#include "station/networks/BssElementSummary.h"
#include "station/networks/ChannelFrequency.h"
#include "station/networks/RssiToPercent.h"

namespace kavo9 {
namespace {

struct GroupRange {
  std::string_view Title;
  std::vector<size_t> Fields;
};

std::vector<size_t> Span(size_t first, size_t last) {
  std::vector<size_t> fields;
  for (size_t i = first; i <= last; ++i) fields.push_back(i);
  return fields;
}

// The 802.11n tree: each group with the fields shown under it, in the dialog's order.
const std::vector<GroupRange>& HtGroups() {
  static const std::vector<GroupRange> groups = {
      {"Secondary Channel Offset element", {0}}, {"Extended Capabilities information element", {1}},
      {"Neighbor Report element", {2, 3}},       {"HT Capabilities element", {4}},
      {"Supported MCS Set field", Span(23, 26)}, {"HT Capabilities Info", Span(5, 20)},
      {"A-MPDU Parameters", {21, 22}},           {"HT Extended Capabilities", Span(27, 32)},
      {"HT Information element", Span(33, 54)},
  };
  return groups;
}

}  // namespace

Rgb DetailSignalColour(int percent) {
  if (percent <= 34) return {255, 0, 0};
  if (percent <= 69) return {250, 230, 50};
  return {0, 255, 0};
}

std::string MacText(std::span<const uint8_t> mac) {
  if (mac.size() < 6) return {};
  char text[18];
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  return text;
}

std::string SupportedRatesText(std::span<const uint8_t> rates) {
  std::string text;
  for (uint8_t rate : rates) {
    if (rate == 0) break;
    const int halves = rate & 0x7F;
    char item[16];
    if (halves % 2 == 0)
      std::snprintf(item, sizeof item, "%d, ", halves / 2);
    else
      std::snprintf(item, sizeof item, "%.1f, ", halves * 0.5);
    text += item;
  }
  if (text.size() >= 2) text.resize(text.size() - 2);
  return text;
}

ApDetail BuildApDetail(std::span<const uint8_t> bytes) {
  const BssRecordView record(bytes);
  const BssElementSummary summary = DecodeBssElements(record);
  ApDetail detail;

  ApGeneralTab& g = detail.General;
  const auto ssid = record.Ssid();
  g.Ssid.assign(ssid.begin(), ssid.end());
  g.MacAddress = MacText(record.MacAddress());
  g.Authentication = AuthenticationText(summary.Security);
  g.Encryption = CipherText(summary.Security);
  if (g.Encryption == "None" && record.Privacy() != 0) g.Encryption = "WEP";
  const int32_t channel = ChannelFromFrequency(record.DsConfig());
  if (channel != kNoChannel)
    g.Channel =
        std::to_string(channel) + " <--> " + std::to_string(record.DsConfig() / 1000) + " MHz";
  switch (record.InfrastructureMode()) {
    case 1:
      g.NetworkType = "Infrastructure";
      break;
    case 0:
      g.NetworkType = "IBSS";
      break;
    default:
      g.NetworkType = "Unknown";
      break;
  }
  g.BeaconInterval = SummaryPartText(summary, int(BssSummaryPart::BeaconInterval));
  g.SignalPercent = RssiToPercent(record.Rssi());
  g.SupportedRates = SupportedRatesText(record.SupportedRates());

  detail.Wps.Authentication = g.Authentication;
  detail.Wps.Encryption = g.Encryption;
  for (size_t i = 0; i < detail.Wps.Fields.size(); ++i)
    detail.Wps.Fields[i] = WpsFieldText(summary.Wps, i);
  // An unknown device password ID is shown empty.
  if (detail.Wps.Fields[WpsInfo::DevicePasswordId] == "Unknown")
    detail.Wps.Fields[WpsInfo::DevicePasswordId].clear();

  auto flag = [](bool on) { return std::string(on ? "TRUE" : "FALSE"); };
  detail.Ccx = {flag(summary.Ccx.Cckm), flag(summary.Ccx.Cmic), flag(summary.Ccx.Ckip)};

  for (const GroupRange& range : HtGroups()) {
    ApHtGroup group{range.Title, {}};
    for (size_t field : range.Fields)
      group.Fields.emplace_back(HtInfo::kFields[field].Name, HtFieldText(summary.Ht, field));
    detail.Ht.push_back(std::move(group));
  }
  return detail;
}

}  // namespace kavo9
