#pragma once
// The statistics page's logic: the driver's frame counters as the transmit and receive tabs show
// them, refreshed every 2 seconds while the page is shown, and Reset Counter, which clears the
// driver's counters and makes the link panel's next throughput sample count from zero.

#include <array>
#include <cstdint>
#include <string>

#include "common/adapter/DriverPort.h"

namespace kavo9::statistics {

inline constexpr uint32_t kRefreshMs = 2000;

enum TxLine : size_t {
  kTxOk,            // TransmittedFragmentCount
  kTxOkAfterRetry,  // RetryCount
  kTxFailAllRetry,  // FailedCount
  kRtsOk,           // RTSSuccessCount
  kRtsFail,         // RTSFailureCount
  kTxOkNoRetry,     // TransmittedFragmentCount - RetryCount
  kTxLineCount
};
enum RxLine : size_t {
  kRxOk,         // OID_GEN_RCV_OK
  kRxCrcError,   // FCSErrorCount
  kRxDropped,    // OID_GEN_RCV_NO_BUFFER
  kRxDuplicate,  // FrameDuplicateCount
  kRxLineCount
};

// The counters of NDIS_802_11_STATISTICS the page shows (signed 64-bit, as the record has them).
struct FrameCounters {
  int64_t transmittedFragments = 0;
  int64_t failed = 0;
  int64_t retries = 0;
  int64_t rtsSuccess = 0;
  int64_t rtsFailure = 0;
  int64_t duplicates = 0;
  int64_t fcsErrors = 0;
};
// Reads the record; every counter the reply does not reach reads 0.
FrameCounters ReadFrameCounters(const uint8_t* record, size_t length);

// The link status panel, as Reset Counter needs it.
class StatisticsLinkPort {
 public:
  virtual ~StatisticsLinkPort() = default;
  // The panel's next throughput sample counts from zero.
  virtual void ResetLinkByteCounts() = 0;
};

class Statistics {
 public:
  Statistics(DriverPort& driver, StatisticsLinkPort& link);

  void Refresh();
  void ResetCounter();

  const std::array<std::string, kTxLineCount>& TxTexts() const { return tx_; }
  const std::array<std::string, kRxLineCount>& RxTexts() const { return rx_; }

 private:
  DriverPort& driver_;
  StatisticsLinkPort& link_;
  std::array<std::string, kTxLineCount> tx_;
  std::array<std::string, kRxLineCount> rx_;
};

}  // namespace kavo9::statistics
