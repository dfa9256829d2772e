#include "apps/Stavio/wiring/StationActions.h"

#include "radio/vocabulary/Channels.h"
#include "station/shell/controller/CHideDlg.h"

namespace kavo9 {

StationActions::StationActions(EventLoop& loop, DriverRequests& driver,
                               const radio::RadioState& radio)
    : loop_(loop), radio_(radio), queue_(ActionQueueParts{.driver = &driver, .host = this}) {}

void StationActions::StoreScanList(const uint8_t* data, uint32_t length, uint64_t fileTime) {
  queue_.StoreScanList(data, length, fileTime);
  OnListReadOutsideQueue();
}

void StationActions::StartScanWaitTimer(uint32_t periodMs) {
  if (controller_) controller_->StartScanWaitTimer(periodMs);
}

std::vector<int32_t> StationActions::AllowedChannels() {
  const std::vector<int> channels = radio::BuildAllowedChannels(
      {.regionWord = radio_.region.word, .chipKind = radio_.chipKind,
       .wirelessMode = radio_.wirelessMode});
  return {channels.begin(), channels.end()};
}

void StationActions::OnListReadOutsideQueue() {
  if (listRead_) listRead_();
}

}  // namespace kavo9
