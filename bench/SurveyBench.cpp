// The site survey's full refresh on a crowded sky: the driver's list read into the fresh buffer,
// filtered and merged with the remembered networks, the merged list sorted, and the rows built
// (every record decoded once). Also each stage alone, to see where the time goes.
#include <benchmark/benchmark.h>

#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "station/networks/queue/ActionQueue.h"
#include "station/networks/queue/testing/QuietQueueParts.h"
#include "station/networks/survey/CrowdedSky.h"
#include "station/networks/survey/SiteSurvey.h"

namespace kavo9 {
namespace {

const std::vector<int32_t> kAllowed = {1,  2,  3,  4,  5,  6,  7,  8,  9,   10,  11,  12, 13,
                                       36, 40, 44, 48, 52, 56, 60, 64, 100, 116, 149, 157};

// A driver that answers the list query with a crowded sky, and a station around the queue.
struct Bench : DriverPort, ScanCycleHost, SurveyStationPort, SurveyHandOverPort {
  explicit Bench(int networks) {
    for (int round = 0; round < 2; ++round) skies.push_back(build::CrowdedSkyList(networks, round));
  }
  std::vector<std::vector<uint8_t>> skies;
  size_t next = 0;
  uint64_t now = 130'000'000'000'000'000ull;
  QuietQueueParts quiet;
  ActionQueue queue{{*this, *this, quiet, quiet, quiet}};

  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length, uint32_t*) override {
    if (oid != OID_802_11_BSSID_LIST) return false;
    const auto& sky = skies[next++ % skies.size()];
    std::memcpy(buffer, sky.data(), std::min<size_t>(length, sky.size()));
    return true;
  }
  bool SetInformation(uint32_t, const void*, uint32_t, int) override { return true; }
  bool IsAdapterPresent() override { return true; }
  void StartScanWaitTimer(uint32_t) override {}
  void OnListReadOutsideQueue() override {}
  std::vector<int32_t> AllowedChannels() override { return kAllowed; }
  uint64_t UtcFileTime() override { return now += 20'000'000; }  // two seconds a refresh
  bool ScanPending() const override { return false; }
  void RequestScan() override {}
  MergedBssList& Merged() override { return queue.Merged(); }
  bool RadioOn() const override { return true; }
  int ConfigToolState() const override { return 0; }
  bool SupplicantAvailable() const override { return true; }
  bool MaySetProfiles() const override { return true; }
  std::array<uint8_t, 6> CurrentBssid() const override { return {}; }
  bool ConnectedThroughProfile() const override { return false; }
  std::string ActiveProfileSsid() const override { return {}; }
  // The benchmark hands nothing over.
  void ShowMessage(LangKey) override {}
  void ClosePeapDialog() override {}
  void MarkNotThroughProfile() override {}
  void ShowHiddenSsidDialog() override {}
  void ShowSecurityEditor(const SurveySelection&) override {}
  void CompleteConnection(const SurveySelection&) override {}
  void OpenProfileEditor(const SurveySelection&) override {}
  void ShowApDetail(std::span<const uint8_t>) override {}
};

void BM_FullRefresh(benchmark::State& state) {
  Bench bench(int(state.range(0)));
  SiteSurvey survey(bench, bench, bench);
  for (auto _ : state) {
    bench.queue.ReadAndMergeBssList();
    survey.RebuildRows();
    benchmark::DoNotOptimize(survey.Rows().data());
  }
  state.counters["rows"] = double(survey.Rows().size());
}
BENCHMARK(BM_FullRefresh)->Arg(50)->Arg(150)->Arg(250)->Unit(benchmark::kMicrosecond);

void BM_ReadAndMerge(benchmark::State& state) {
  Bench bench(int(state.range(0)));
  for (auto _ : state) {
    bench.queue.ReadAndMergeBssList();
    benchmark::DoNotOptimize(bench.queue.Merged().Buffer.data());
  }
}
BENCHMARK(BM_ReadAndMerge)->Arg(150)->Unit(benchmark::kMicrosecond);

void BM_SortBySsid(benchmark::State& state) {
  Bench bench(int(state.range(0)));
  bench.queue.ReadAndMergeBssList();
  for (auto _ : state) SortBssList(bench.queue.Merged(), kSortBySsid);
}
BENCHMARK(BM_SortBySsid)->Arg(150)->Unit(benchmark::kMicrosecond);

void BM_BuildRows(benchmark::State& state) {
  Bench bench(int(state.range(0)));
  bench.queue.ReadAndMergeBssList();
  for (auto _ : state) benchmark::DoNotOptimize(BuildRows(bench.queue.Merged().Buffer));
}
BENCHMARK(BM_BuildRows)->Arg(150)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kavo9

BENCHMARK_MAIN();
