// Feeds arbitrary bytes to the list walk, the element decoder and the merge, as a driver reply
// would arrive. The first two bytes choose the allowed channels and the time step; the rest is
// the list buffer (cut to the driver's 64 KiB).

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "station/networks/BssFacts.h"
#include "station/networks/BssMerge.h"
#include "station/networks/ChannelFrequency.h"

using namespace kavo9;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The merged list must always be a sound list: every counted record well formed, one stamp each.
void CheckSound(const MergedBssList& list) {
  uint32_t walked = 0;
  for (const BssRecordView& record : list.View()) {
    Check(record.IsWellFormed());
    ++walked;
  }
  Check(walked == list.Count());
  Check(list.LastSeen.size() == list.Count());
  Check(list.View().Walk() == BssListEnd::Complete);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t channelMask = data[0];
  const uint8_t step = data[1];
  data += 2;
  size -= 2;

  std::vector<int32_t> allowed;
  for (size_t i = 0; i < 8; ++i) {
    if (channelMask & (1u << i)) allowed.push_back(ChannelFrequencyTable[i * 5].Channel);
  }

  // Decode every record the walk hands out, in every part.
  const std::span<const uint8_t> input(data, std::min(size, kBssListBufferSize));
  for (const BssRecordView& record : BssListView(input)) {
    const auto summary = DecodeBssElements(record);
    for (int part = -1; part <= 5; ++part) (void)SummaryPartText(summary, part);
    (void)HasOfdmBasicRate(record);
    (void)SecurityClass(AuthenticationText(summary.Security));
    (void)IsSecured(record, summary.Security);
  }
  // The decoder must also take a record view over raw bytes that are not a list.
  (void)DecodeElements(BssRecordView(input), 2);

  // Two merges: the input as the fresh list, then the same buffer again later (a failed query).
  static MergedBssList a, b;
  a.LastSeen.clear();
  std::memset(a.Buffer.data(), 0, 4);
  static std::vector<uint8_t> fresh(kBssListBufferSize);
  std::memcpy(fresh.data(), input.data(), input.size());
  std::memset(fresh.data() + input.size(), 0, kBssListBufferSize - input.size());
  const uint64_t now = 130'000'000'000'000'000ull;
  MergeBssList(fresh, allowed, now, a, b);
  CheckSound(b);
  MergeBssList(fresh, allowed, now + uint64_t(step) * 1'000'000, b, a);
  CheckSound(a);
  return 0;
}
