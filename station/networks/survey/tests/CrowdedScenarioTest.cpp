// The crowded-sky scenario through the adapter emulator: a scan, the list read and merge of the
// action queue, and the site survey's rows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/platform/DeviceIo.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "sim/emulator/AdapterEmulator.h"
#include "sim/emulator/Scenario.h"
#include "station/networks/ChannelFrequency.h"
#include "station/networks/queue/ActionQueue.h"
#include "station/networks/queue/testing/QuietQueueParts.h"
#include "station/networks/survey/SurveyColumns.h"
#include "station/networks/survey/tests/SurveyTestSupport.h"

namespace kavo9 {
namespace {

using namespace testing;

struct EmulatedStation : FakeStation, DriverPort, ScanCycleHost {
  EmulatedStation(AdapterEmulator& e, VirtualEventLoop& l) : emulator(e), loop(l) {}
  AdapterEmulator& emulator;
  VirtualEventLoop& loop;
  QuietQueueParts quiet;
  ActionQueue queue{{*this, *this, quiet, quiet, quiet}};

  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length, uint32_t* count) override {
    uint8_t in[4];
    WriteLe32(in, 0, oid);
    uint32_t written = 0;
    const bool ok = emulator.Handle(IOCTL_NDIS_QUERY_GLOBAL_STATS, in,
                                    {static_cast<uint8_t*>(buffer), length}, &written) == 0;
    if (count) *count = written;
    return ok;
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int) override {
    std::vector<uint8_t> value(static_cast<const uint8_t*>(buffer),
                               static_cast<const uint8_t*>(buffer) + length);
    uint8_t in[4];
    WriteLe32(in, 0, oid | kSetBit);
    uint32_t written = 0;
    return emulator.Handle(IOCTL_NDIS_QUERY_GLOBAL_STATS, in, value, &written) == 0;
  }
  bool IsAdapterPresent() override { return true; }
  void StartScanWaitTimer(uint32_t) override {}
  void OnListReadOutsideQueue() override {}
  std::vector<int32_t> AllowedChannels() override {
    std::vector<int32_t> all;
    for (const auto& row : ChannelFrequencyTable) all.push_back(row.Channel);
    return all;
  }
  uint64_t UtcFileTime() override { return loop.UtcFileTime(); }
  bool ScanPending() const override { return queue.ScanPending(); }
  void RequestScan() override { queue.RequestScan(); }
  MergedBssList& Merged() override { return queue.Merged(); }
};

TEST(CrowdedScenario, OneScanFillsTheSurveyWithBothBands) {
  const char* source = std::getenv("KAVO9_SOURCE");
  Scenario scenario;
  std::string error;
  ASSERT_TRUE(LoadScenarioFile(std::string(source ? source : ".") + "/sim/scenarios/crowded.json",
                               &scenario, &error))
      << error;

  World world(scenario.networks);
  VirtualEventLoop loop;
  AdapterEmulator emulator(scenario.adapters[0], world, [&] { return loop.MonotonicMs(); });
  EmulatedStation station(emulator, loop);
  RecordingHandOver handOver;
  SiteSurvey survey(station, station, handOver);

  station.RequestScan();
  ASSERT_TRUE(station.ScanPending());
  loop.Advance(AdapterEmulator::kScanMs5);
  station.queue.OnScanWaitTimer(false);
  survey.RebuildRows();

  const auto& rows = survey.Rows();
  ASSERT_GE(rows.size(), 150u);
  int bandA = 0, bandG = 0, wps = 0, keys = 0, hidden = 0, adhoc = 0, ht = 0;
  for (const SiteSurveyRow& row : rows) {
    bandA += SurveyCellImage(row, kColA) != kNoImage;
    bandG += SurveyCellImage(row, kColG) != kNoImage;
    wps += SurveyCellImage(row, kColSecurity) == kImageWps;
    keys += SurveyCellImage(row, kColSecurity) == kImageKey;
    hidden += row.Ssid.empty();
    adhoc += row.InfraMode == 0;
    ht += row.Ht;
  }
  EXPECT_GE(bandA, 40);
  EXPECT_GE(bandG, 80);
  EXPECT_GE(wps, 20);
  EXPECT_GE(keys, 60);
  EXPECT_GE(hidden, 1);
  EXPECT_GE(adhoc, 1);
  EXPECT_GE(ht, 100);
}

}  // namespace
}  // namespace kavo9
