#pragma once
// The access point's counters as its statistics page shows them: the transmit and receive frame
// counters of the standard statistics record and the two receive counters of the general
// requests, refreshed every 2 seconds while the page is shown, and Reset Counters.

#include <array>
#include <cstdint>
#include <string>

#include "common/adapter/DriverPort.h"

namespace kavo9::softap {

inline constexpr uint32_t kStatisticsRefreshMs = 2000;
inline constexpr size_t kStatisticsRecordSize = 176;

// The lines in the page's order: five transmit lines, then four receive lines.
enum ApCounterLine : size_t {
  kApTxOk,
  kApTxFailAllRetry,
  kApRtsOk,
  kApRtsFail,
  kApTxOkAfterRetry,
  kApRxOk,
  kApRxCrcError,
  kApRxDropped,
  kApRxDuplicate,
  kApCounterLineCount
};
inline constexpr size_t kApTxLineCount = 5;

class ApStatistics {
 public:
  explicit ApStatistics(DriverPort& driver) : driver_(driver) { values_.fill("0"); }

  // Queries the counters; a failed query shows 0 for its values.
  void Refresh();
  // Shows 0 at once and clears the driver's counters.
  void Reset();

  const std::array<std::string, kApCounterLineCount>& Values() const { return values_; }

 private:
  DriverPort& driver_;
  std::array<std::string, kApCounterLineCount> values_;
};

}  // namespace kavo9::softap
