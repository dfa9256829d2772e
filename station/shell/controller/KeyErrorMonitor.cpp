#include "station/shell/controller/KeyErrorMonitor.h"

#include <array>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"

namespace kavo9 {
namespace {

constexpr uint32_t kStatisticsBytes = 176;
constexpr size_t kTransmittedFragmentsOffset = 8;
constexpr uint32_t kMinFragmentsForKeyError = 10;

}  // namespace

void KeyErrorMonitor::Arm() {
  armed_ = true;
  TakeSample(false);
  c_.timers.Set(kTimerKeyError, kKeyErrorSampleMs);
}

void KeyErrorMonitor::Disarm() {
  armed_ = false;
  c_.timers.Kill(kTimerKeyError);
}

void KeyErrorMonitor::OnSampleTimer() {
  if (armed_) TakeSample(true);
}

void KeyErrorMonitor::OnNotConnected() {
  c_.state.keyError = false;
  c_.timers.Kill(kTimerKeyError);
  if (armed_) {
    TakeSample(false);
    c_.timers.Set(kTimerKeyError, kKeyErrorSampleMs);
  }
}

void KeyErrorMonitor::OnResume() {
  if (armed_) c_.timers.Set(kTimerKeyError, kKeyErrorSampleMs);
}

void KeyErrorMonitor::TakeSample(bool judge) {
  DriverPort& driver = c_.parts.driver;
  std::array<uint8_t, kStatisticsBytes> statistics{};
  driver.QueryInformation(OID_802_11_STATISTICS, statistics.data(), kStatisticsBytes, nullptr);
  uint64_t fragments = 0;
  std::memcpy(&fragments, statistics.data() + kTransmittedFragmentsOffset, sizeof fragments);
  uint32_t received = 0;
  driver.QueryInformation(OID_GEN_RCV_OK, &received, sizeof received, nullptr);

  if (judge) {
    const bool firstGeneration = c_.parts.adapter.Identity().isFirstGenerationFamily;
    const uint64_t sent = fragments - lastFragments_;
    if (received != lastReceived_) {
      if (firstGeneration) c_.state.keyError = false;
      armed_ = false;
      c_.timers.Kill(kTimerKeyError);
    } else if (sent >= kMinFragmentsForKeyError && fragments >= lastFragments_) {
      if (firstGeneration) c_.state.keyError = true;
    }
  }
  lastFragments_ = fragments;
  lastReceived_ = received;
}

void KeyErrorMonitor::OnDriverMessage() {
  if (c_.parts.adapter.Identity().isFirstGenerationFamily) return;
  uint32_t flags = 0;
  if (c_.parts.driver.QueryInformation(OID_VND_MESSAGE_FLAGS, &flags, sizeof flags, nullptr)) {
    c_.state.keyError = (flags & kMessageFlagKeyError) != 0;
  }
}

}  // namespace kavo9
