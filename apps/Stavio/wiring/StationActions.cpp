#include "apps/Stavio/wiring/StationActions.h"

#include "station/shell/controller/CHideDlg.h"

namespace kavo9 {

StationActions::StationActions(EventLoop& loop, DriverPort& driver,
                               const radio::AdapterRadio& radio, ConnectStepsPort& connect,
                               LastConnectRecordPort& lastRecord, WpsScanPort& wps)
    : loop_(loop), radio_(radio), queue_({driver, *this, connect, lastRecord, wps}) {}

void StationActions::StoreScanList(const uint8_t* data, uint32_t length, uint64_t fileTime) {
  queue_.StoreScanList(data, length, fileTime);
  OnListReadOutsideQueue();
}

void StationActions::StartScanWaitTimer(uint32_t periodMs) {
  if (controller_) controller_->StartScanWaitTimer(periodMs);
}

std::vector<int32_t> StationActions::AllowedChannels() {
  const std::vector<int> channels = radio_.AllowedChannels();
  return {channels.begin(), channels.end()};
}

void StationActions::OnListReadOutsideQueue() {
  if (listRead_) listRead_();
}

}  // namespace kavo9
