#pragma once
// Networks for the site survey tests, a merged list made of them, and fakes of what the page
// reads and hands over.

#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/RequestCatalogue.h"

#include "common/adapter/DriverValues.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "station/networks/BssMerge.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/survey/SiteSurvey.h"

namespace kavo9::testing {

using build::BssRecordBuilder;
using build::Bytes;

inline BssRecordBuilder Network(uint8_t id, std::string_view ssid, uint32_t khz = 2437000,
                                int32_t rssi = -60) {
  return BssRecordBuilder()
      .Bssid({0x00, 0x1D, 0x5A, 0x00, 0x00, id})
      .Ssid(ssid)
      .FrequencyKhz(khz)
      .Rssi(rssi);
}

// A merged list of these records, stamped 1, 2, 3 ... in order.
inline MergedBssList MergedOf(const std::vector<Bytes>& records) {
  build::BssListBuilder builder;
  for (const Bytes& r : records) builder.Add(r);
  MergedBssList list;
  list.Buffer = builder.Build(kBssListBufferSize);
  for (size_t i = 0; i < records.size(); ++i) list.LastSeen.push_back(i + 1);
  return list;
}

struct FakeStation : SurveyStationPort {
  MergedBssList merged;
  bool scanPending = false;
  int scans = 0;
  bool radioOn = true;
  int configTool = 0;
  bool supplicant = true;
  bool maySetProfiles = true;
  std::array<uint8_t, 6> bssid{};
  bool throughProfile = false;
  std::string profileSsid;
  bool ScanPending() const override { return scanPending; }
  void RequestScan() override { ++scans; }
  MergedBssList& Merged() override { return merged; }
  bool RadioOn() const override { return radioOn; }
  int ConfigToolState() const override { return configTool; }
  bool SupplicantAvailable() const override { return supplicant; }
  bool MaySetProfiles() const override { return maySetProfiles; }
  std::array<uint8_t, 6> CurrentBssid() const override { return bssid; }
  bool ConnectedThroughProfile() const override { return throughProfile; }
  std::string ActiveProfileSsid() const override { return profileSsid; }
};

// The driver as the survey reads it: the media status and the configuration record's frequency.
struct FakeDriver : ScriptedDriver {
  FakeDriver() {
    SetConnected(false);
    SetDsConfig(0);
  }
  void SetConnected(bool connected) {
    AnswerDword(OID_GEN_MEDIA_CONNECT_STATUS, connected ? kMediaConnected : kMediaDisconnected);
  }
  void SetDsConfig(uint32_t khz) {
    std::vector<uint8_t> record(32, 0);
    std::memcpy(record.data() + 12, &khz, 4);
    answers[OID_802_11_CONFIGURATION] = record;
  }
};

struct RecordingHandOver : SurveyHandOverPort {
  std::vector<std::string> calls;
  SurveySelection last;
  void ShowMessage(LangKey key) override { calls.push_back(std::string(LangKeyName(key))); }
  void ClosePeapDialog() override { calls.push_back("close peap"); }
  void MarkNotThroughProfile() override { calls.push_back("not through profile"); }
  void ShowHiddenSsidDialog() override { calls.push_back("hidden"); }
  void ShowSecurityEditor(const SurveySelection& s) override {
    calls.push_back("security editor");
    last = s;
  }
  void CompleteConnection(const SurveySelection& s) override {
    calls.push_back("complete");
    last = s;
  }
  void OpenProfileEditor(const SurveySelection& s) override {
    calls.push_back("profile editor");
    last = s;
  }
  void ShowApDetail(std::span<const uint8_t> record) override {
    calls.push_back("detail " + std::to_string(BssRecordView(record).Rssi()));
  }
};

}  // namespace kavo9::testing
