#include "sim/emulator/areas/CountersArea.h"

#include <algorithm>
#include <vector>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

// NDIS_802_11_STATISTICS: its length, then twelve 64-bit counters from offset 8.
constexpr size_t kStatisticsBytes = 176;
constexpr size_t kFirstCounter = 8;
// Where a freshly loaded driver's byte counters start: a megabyte below the 32-bit wrap.
constexpr uint64_t kByteCounterStart = 0xFFF00000;
constexpr uint64_t kSlotMs = 2000;
// The traffic swells for half a minute, then ebbs for half a minute (slots of two seconds).
constexpr uint64_t kWaveSlots = 30;
// Longer gaps than this are carried at the mean rate instead of slot by slot.
constexpr uint64_t kMaxSlotsWalked = 1800;

// 0 .. 15 .. 0 over a wave, with a little unevenness from slot to slot.
uint64_t Swell(uint64_t slot) {
  const uint64_t phase = slot % kWaveSlots;
  return phase < kWaveSlots / 2 ? phase : kWaveSlots - phase;
}
uint64_t Unevenness(uint64_t slot) {
  uint64_t h = (slot + 1) * 0x9E3779B97F4A7C15ull;
  return (h >> 59);  // 0 .. 31
}

}  // namespace

std::span<const uint32_t> CountersArea::Codes() const {
  static constexpr uint32_t kCodes[] = {OID_802_11_STATISTICS, OID_GEN_RCV_OK,
                                        OID_GEN_RCV_NO_BUFFER, OID_VND_RESET_COUNTERS};
  return kCodes;
}

void CountersArea::Load() {
  lastAdvanceMs_ = ctx_.Now();
  countedMs_ = 0;
  receivedMs_ = 0;
  ctx_.txBytes = kByteCounterStart;
  ctx_.rxBytes = kByteCounterStart;
}

uint64_t CountersArea::TxBytesPerSecond(uint64_t slot) {
  return 20'000 + Swell(slot) * 6'000 + Unevenness(slot) * 300;
}

uint64_t CountersArea::RxBytesPerSecond(uint64_t slot) {
  return 60'000 + Swell(slot) * 30'000 + Unevenness(slot) * 1'500;
}

void CountersArea::CarryTraffic(uint64_t fromMs, uint64_t toMs, bool receiving) {
  if ((toMs - fromMs) / kSlotMs > kMaxSlotsWalked) {
    const uint64_t seconds = (toMs - fromMs) / 1000;
    ctx_.txBytes += seconds * TxBytesPerSecond(kWaveSlots / 4);
    if (receiving) ctx_.rxBytes += seconds * RxBytesPerSecond(kWaveSlots / 4);
    return;
  }
  for (uint64_t t = fromMs; t < toMs;) {
    const uint64_t slot = t / kSlotMs;
    const uint64_t end = std::min(toMs, (slot + 1) * kSlotMs);
    ctx_.txBytes += TxBytesPerSecond(slot) * (end - t) / 1000;
    if (receiving) ctx_.rxBytes += RxBytesPerSecond(slot) * (end - t) / 1000;
    t = end;
  }
}

// Runs after the connection area has dropped a link that left: only a link that held counts, and
// only once its port is open (a WPA link carries nothing before its keys are installed); or an
// access point with stations.
void CountersArea::Advance(uint64_t nowMs) {
  if (((ctx_.connected && ctx_.portOpen) || ctx_.apStations > 0) && nowMs > lastAdvanceMs_) {
    const bool receiving = !(ctx_.messageFlags & kMessageFlagKeyError);
    countedMs_ += nowMs - lastAdvanceMs_;
    if (receiving) receivedMs_ += nowMs - lastAdvanceMs_;
    CarryTraffic(lastAdvanceMs_, nowMs, receiving);
  }
  lastAdvanceMs_ = std::max(lastAdvanceMs_, nowMs);
}

std::vector<uint8_t> CountersArea::Statistics() const {
  std::vector<uint8_t> s(kStatisticsBytes, 0);
  PutLe32(s, 0, uint32_t(kStatisticsBytes));
  const uint64_t ms = countedMs_, rx = receivedMs_;
  const uint64_t counters[] = {
      ms * 18 / 1000,  // transmitted fragments
      ms / 2000,       // multicast transmitted
      ms / 5000,       // failed
      ms * 2 / 1000,   // retries
      ms / 3000,       // multiple retries
      ms / 1000,       // RTS success
      ms / 20000,      // RTS failure
      ms / 6000,       // ACK failure
      ms / 4000,       // duplicates
      rx * 25 / 1000,  // received fragments
      rx * 3 / 1000,   // multicast received
      ms / 1500,       // FCS errors
  };
  for (size_t i = 0; i < std::size(counters); ++i) {
    PutLe32(s, kFirstCounter + 8 * i, uint32_t(counters[i]));
    PutLe32(s, kFirstCounter + 8 * i + 4, uint32_t(counters[i] >> 32));
  }
  return s;
}

std::optional<int32_t> CountersArea::Query(uint32_t code, std::span<uint8_t> out,
                                           uint32_t* written) {
  switch (code) {
    case OID_802_11_STATISTICS:
      return AnswerBytes(out, written, Statistics());
    case OID_GEN_RCV_OK:
      return Answer32(out, written, uint32_t(receivedMs_ * 25 / 1000));
    case OID_GEN_RCV_NO_BUFFER:
      return Answer32(out, written, uint32_t(receivedMs_ / 60000));
    default:
      return std::nullopt;
  }
}

std::optional<int32_t> CountersArea::Set(uint32_t code, std::span<const uint8_t>) {
  if (code != OID_VND_RESET_COUNTERS) return std::nullopt;
  countedMs_ = 0;
  receivedMs_ = 0;
  ctx_.txBytes = 0;
  ctx_.rxBytes = 0;
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
