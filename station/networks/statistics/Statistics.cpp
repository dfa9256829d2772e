#include "station/networks/statistics/Statistics.h"

#include <vector>

#include "common/adapter/RequestCatalogue.h"

namespace kavo9::statistics {
namespace {

constexpr uint32_t kStatisticsRecord = 176;
// Byte offsets of the counters in the record.
constexpr size_t kTransmittedFragments = 8;
constexpr size_t kFailed = 24;
constexpr size_t kRetries = 32;
constexpr size_t kRtsSuccess = 48;
constexpr size_t kRtsFailure = 56;
constexpr size_t kDuplicates = 72;
constexpr size_t kFcsErrors = 96;

int64_t Le64(const uint8_t* record, size_t length, size_t offset) {
  if (offset + 8 > length) return 0;
  uint64_t v = 0;
  for (size_t i = 0; i < 8; ++i) v |= uint64_t(record[offset + i]) << (8 * i);
  return int64_t(v);
}

}  // namespace

FrameCounters ReadFrameCounters(const uint8_t* record, size_t length) {
  return {.transmittedFragments = Le64(record, length, kTransmittedFragments),
          .failed = Le64(record, length, kFailed),
          .retries = Le64(record, length, kRetries),
          .rtsSuccess = Le64(record, length, kRtsSuccess),
          .rtsFailure = Le64(record, length, kRtsFailure),
          .duplicates = Le64(record, length, kDuplicates),
          .fcsErrors = Le64(record, length, kFcsErrors)};
}

Statistics::Statistics(DriverPort& driver, StatisticsLinkPort& link)
    : driver_(driver), link_(link) {
  tx_.fill("0");
  rx_.fill("0");
}

void Statistics::Refresh() {
  std::vector<uint8_t> record(kStatisticsRecord, 0);
  uint32_t returned = 0;
  // A failed query shows zeros: the buffer is cleared first and only what came back is read.
  if (!driver_.QueryInformation(OID_802_11_STATISTICS, record.data(), kStatisticsRecord,
                                &returned)) {
    returned = 0;
  }
  const FrameCounters c = ReadFrameCounters(record.data(), returned);
  tx_[kTxOk] = std::to_string(c.transmittedFragments);
  tx_[kTxOkAfterRetry] = std::to_string(c.retries);
  tx_[kTxFailAllRetry] = std::to_string(c.failed);
  tx_[kRtsOk] = std::to_string(c.rtsSuccess);
  tx_[kRtsFail] = std::to_string(c.rtsFailure);
  // Wrapping like the 64-bit subtraction it is, never undefined.
  tx_[kTxOkNoRetry] =
      std::to_string(int64_t(uint64_t(c.transmittedFragments) - uint64_t(c.retries)));

  uint32_t received = 0, dropped = 0;
  QueryValue(driver_, OID_GEN_RCV_OK, &received);
  QueryValue(driver_, OID_GEN_RCV_NO_BUFFER, &dropped);
  rx_[kRxOk] = std::to_string(received);
  rx_[kRxCrcError] = std::to_string(c.fcsErrors);
  rx_[kRxDropped] = std::to_string(dropped);
  rx_[kRxDuplicate] = std::to_string(c.duplicates);
}

void Statistics::ResetCounter() {
  tx_.fill("0");
  rx_.fill("0");
  driver_.SetInformation(OID_VND_RESET_COUNTERS, nullptr, 0, kSetAttempts);
  link_.ResetLinkByteCounts();
}

}  // namespace kavo9::statistics
