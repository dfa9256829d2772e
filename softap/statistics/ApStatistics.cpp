#include "softap/statistics/ApStatistics.h"

#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "station/networks/statistics/Statistics.h"

namespace kavo9::softap {

void ApStatistics::Refresh() {
  std::vector<uint8_t> record(kStatisticsRecordSize, 0);
  uint32_t written = 0;
  if (!driver_.QueryInformation(OID_802_11_STATISTICS, record.data(), uint32_t(record.size()),
                                &written)) {
    std::fill(record.begin(), record.end(), 0);
  }
  const statistics::FrameCounters c = statistics::ReadFrameCounters(record.data(), record.size());
  uint32_t rxOk = 0;
  uint32_t rxNoBuffer = 0;
  if (!QueryValue(driver_, OID_GEN_RCV_OK, &rxOk)) rxOk = 0;
  if (!QueryValue(driver_, OID_GEN_RCV_NO_BUFFER, &rxNoBuffer)) rxNoBuffer = 0;
  values_[kApTxOk] = std::to_string(c.transmittedFragments);
  values_[kApTxFailAllRetry] = std::to_string(c.failed);
  values_[kApRtsOk] = std::to_string(c.rtsSuccess);
  values_[kApRtsFail] = std::to_string(c.rtsFailure);
  values_[kApTxOkAfterRetry] = std::to_string(c.retries);
  values_[kApRxOk] = std::to_string(rxOk);
  values_[kApRxCrcError] = std::to_string(c.fcsErrors);
  values_[kApRxDropped] = std::to_string(rxNoBuffer);
  values_[kApRxDuplicate] = std::to_string(c.duplicates);
}

void ApStatistics::Reset() {
  values_.fill("0");
  driver_.SetInformation(OID_VND_RESET_COUNTERS, nullptr, 0, kSetAttempts);
}

}  // namespace kavo9::softap
