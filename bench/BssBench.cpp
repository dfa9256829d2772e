// The list read of a crowded scan: a nearly full 64 KiB driver list of ~190 access points with the
// elements real beacons carry, filtered and merged with the previous list, then one decoded row
// per merged record. Beside it, for scale: a bare bounds-checked walk over the same records and
// elements, and a plain 64 KiB copy.

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "station/networks/BssElementSummary.h"
#include "station/networks/BssFacts.h"
#include "station/networks/BssMerge.h"
#include "station/networks/BssRecordBuilder.h"
#include "station/networks/ChannelFrequency.h"
#include "station/networks/ElementWalk.h"
#include "station/networks/RssiToPercent.h"

namespace kavo9 {
namespace {

using namespace build;

const std::vector<int32_t> kAllowed = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 36, 40, 44, 48};
constexpr uint64_t kNow = 133'000'000'000'000'000ull;

// One access point as a busy office or apartment block shows it: SSID, rates, DS, ERP, extended
// rates, RSN (some with a WPA element too), WMM, HT capabilities and information, extended
// capabilities, and a WPS element on every third one.
Bytes CrowdedRecord(int i) {
  const int channel = 1 + (i * 5) % 11;
  const bool fiveGhz = i % 4 == 0;
  const uint8_t rates[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
  const uint8_t extRates[] = {0x30, 0x48, 0x60, 0x6C};
  const uint8_t wmm[] = {0x01, 0x01, 0x80, 0x00, 0x03, 0xA4, 0x00, 0x00, 0x27, 0xA4,
                         0x00, 0x00, 0x42, 0x43, 0x5E, 0x00, 0x62, 0x32, 0x2F, 0x00};
  HtCapabilities cap;
  cap.Info = 0x19EF;
  cap.AmpduParameters = 0x17;
  cap.McsSet = {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
  HtInformation info;
  info.PrimaryChannel = uint8_t(fiveGhz ? 36 : channel);
  info.Subset1 = 0x05;
  info.Subset2 = 0x0004;
  const std::string ssid = "Office-Net-" + std::to_string(1000 + i);

  BssRecordBuilder b;
  b.Bssid({0x00, 0x1C, 0xF0, uint8_t(i >> 16), uint8_t(i >> 8), uint8_t(i)})
      .Ssid(ssid)
      .Privacy(true)
      .Rssi(-40 - i % 55)
      .NetworkType(fiveGhz ? 2 : 3)
      .FrequencyKhz(fiveGhz ? 5180000 : uint32_t(2407000 + 5000 * channel))
      .WithSsidElement()
      .AddElement(RatesElement(rates))
      .AddElement(DsParameterElement(uint8_t(channel)))
      .AddElement(MakeElement(42, Bytes{0x04}))
      .AddElement(MakeElement(50, Bytes(std::begin(extRates), std::end(extRates))))
      .AddElement(RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherCcmp)));
  if (i % 2) b.AddElement(WpaElement(WpaSuites({kCipherTkip}, {kAkmPsk}, kCipherTkip)));
  b.AddElement(VendorElement(ie::kOuiWifiAlliance, 2, wmm))
      .AddElement(HtCapabilitiesElement(cap))
      .AddElement(HtInformationElement(info))
      .AddElement(MakeElement(127, Bytes{0x01, 0, 0, 0, 0, 0, 0, 0x40}));
  if (i % 3 == 0) {
    const std::vector<WpsAttribute> wps = {WpsU8(0x104A, 0x10),
                                           WpsU8(0x1044, 2),
                                           WpsU8(0x1057, 0),
                                           WpsU8(0x103C, 1),
                                           WpsRaw(0x1047, Bytes(16, uint8_t(i))),
                                           WpsU16(0x1008, 0x0188),
                                           WpsRaw(0x1011, Bytes(12, 'R'))};
    b.AddElement(WpsElement(wps));
  }
  return b.Build();
}

// Records `first` to `last`, as many as fit in the driver's 64 KiB buffer.
Bytes CrowdedList(int first, int last) {
  BssListBuilder list;
  size_t bytes = kBssListHeaderSize;
  for (int i = first; i <= last; ++i) {
    const Bytes record = CrowdedRecord(i);
    if (bytes + record.size() > kBssListBufferSize) break;
    bytes += record.size();
    list.Add(record);
  }
  return list.Build(kBssListBufferSize);
}

struct Row {
  std::string Ssid;
  int32_t Channel;
  int Percent;
  bool Secured, Wps, Ht, OfdmBasic;
  BssElementSummary Elements;
};

struct Scenario {
  // The new scan: 180 networks still there, 20 gone (remembered while space is left), 8 new.
  Bytes driverList = CrowdedList(20, 207);
  MergedBssList previous, merged;
  Bytes fresh = Bytes(kBssListBufferSize);
  std::vector<Row> rows;

  Scenario() {
    Bytes first = CrowdedList(0, 199);
    MergedBssList empty;
    MergeBssList(first, kAllowed, kNow - 3 * 10'000'000ull, empty, previous);
    rows.reserve(kMaxBssStamps);
  }

  void ReadDecodeMergeRows() {
    std::memcpy(fresh.data(), driverList.data(), kBssListBufferSize);  // the query's copy-out
    MergeBssList(fresh, kAllowed, kNow, previous, merged);
    rows.clear();
    for (const BssRecordView& record : merged.View()) {
      Row& row = rows.emplace_back();
      const auto ssid = record.Ssid();
      row.Ssid.assign(ssid.begin(), ssid.end());
      row.Channel = ChannelFromFrequency(record.DsConfig());
      row.Percent = RssiToPercent(record.Rssi());
      row.Elements = DecodeBssElements(record);
      row.Secured = IsSecured(record, row.Elements.Security);
      row.Wps = row.Elements.Wps.Present;
      row.Ht = row.Elements.Ht.HtInformationPresent();
      row.OfdmBasic = HasOfdmBasicRate(record);
    }
  }
};

void BM_DecodeMergeRows(benchmark::State& state) {
  Scenario s;
  for (auto _ : state) {
    s.ReadDecodeMergeRows();
    benchmark::DoNotOptimize(s.rows.data());
  }
  state.counters["records"] = double(s.merged.Count());
  state.counters["fresh"] = double(ReadLe32(s.fresh, 0));
}
BENCHMARK(BM_DecodeMergeRows)->Unit(benchmark::kMicrosecond);

void BM_MergeOnly(benchmark::State& state) {
  Scenario s;
  for (auto _ : state) {
    std::memcpy(s.fresh.data(), s.driverList.data(), kBssListBufferSize);
    MergeBssList(s.fresh, kAllowed, kNow, s.previous, s.merged);
    benchmark::DoNotOptimize(s.merged.Buffer.data());
  }
}
BENCHMARK(BM_MergeOnly)->Unit(benchmark::kMicrosecond);

void BM_DecodeOnly(benchmark::State& state) {
  Scenario s;
  s.ReadDecodeMergeRows();
  for (auto _ : state) {
    for (const BssRecordView& record : s.merged.View()) {
      auto summary = DecodeBssElements(record);
      benchmark::DoNotOptimize(summary);
    }
  }
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMicrosecond);

// The floor: every record and every element header visited with the same bounds checks, nothing
// decoded.
void BM_BareWalk(benchmark::State& state) {
  Scenario s;
  for (auto _ : state) {
    uint64_t sum = 0;
    for (const BssRecordView& record : BssListView(s.driverList)) {
      sum += record.DsConfig();
      ForEachElement(record.Ies().subspan(bss::kIeFixedSize),
                     [&](const Element& e) { sum += e.Id + e.Body.size(); });
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_BareWalk)->Unit(benchmark::kMicrosecond);

void BM_Memcpy64K(benchmark::State& state) {
  Scenario s;
  for (auto _ : state) {
    std::memcpy(s.fresh.data(), s.driverList.data(), kBssListBufferSize);
    benchmark::DoNotOptimize(s.fresh.data());
  }
}
BENCHMARK(BM_Memcpy64K)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kavo9

BENCHMARK_MAIN();
