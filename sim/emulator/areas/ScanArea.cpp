#include "sim/emulator/areas/ScanArea.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/ScanRecord.h"
#include "sim/emulator/wire/BssidRecord.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

// The strongest signal the receiver reports.
constexpr int32_t kStrongestDbm = -10;

}  // namespace

std::span<const uint32_t> ScanArea::Codes() const {
  static constexpr uint32_t kCodes[] = {OID_802_11_BSSID_LIST_SCAN, OID_802_11_BSSID_LIST};
  return kCodes;
}

void ScanArea::Load() {
  list_.assign(kBssidListHeaderBytes, 0);
  ctx_.scansCompleted = 0;
  scanning_ = ctx_.radioOn;
  radioWasOn_ = ctx_.radioOn;
  doneMs_ = ctx_.Now() + kScanMs24;
}

void ScanArea::Advance(uint64_t nowMs) {
  // The radio was switched off since the last request: the scan under way is lost.
  if (radioWasOn_ && !ctx_.radioOn) scanning_ = false;
  radioWasOn_ = ctx_.radioOn;
  if (scanning_ && nowMs >= doneMs_) Complete(nowMs);
}

void ScanArea::Complete(uint64_t nowMs) {
  scanning_ = false;
  const uint32_t scan = ++ctx_.scansCompleted;
  list_.assign(kBssidListHeaderBytes, 0);
  uint32_t count = 0;
  if (ctx_.Listening()) {
    const std::vector<int> channels = ctx_.ScanChannels();
    for (const NetworkSpec& n : ctx_.world.networks()) {
      const int32_t rssi = std::min(n.signal + SignalJitter(n.bssid, scan), kStrongestDbm);
      if (rssi < EmulatorContext::kSensitivityDbm) continue;
      if (std::find(channels.begin(), channels.end(), n.channel) == channels.end()) continue;
      const uint64_t tsf = nowMs * 1000 + (uint64_t(n.bssid[5]) << 20);
      const std::vector<uint8_t> record = BuildBssRecord(n, rssi, tsf);
      list_.insert(list_.end(), record.begin(), record.end());
      ++count;
    }
  }
  PutLe32(list_, 0, count);
}

std::optional<int32_t> ScanArea::Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) {
  if (code != OID_802_11_BSSID_LIST) return std::nullopt;
  if (list_.size() > out.size()) return ERROR_INSUFFICIENT_BUFFER;
  std::memcpy(out.data(), list_.data(), list_.size());
  std::fill(out.begin() + long(list_.size()), out.end(), 0);
  *written = uint32_t(list_.size());
  return ERROR_SUCCESS;
}

std::optional<int32_t> ScanArea::Set(uint32_t code, std::span<const uint8_t>) {
  if (code != OID_802_11_BSSID_LIST_SCAN) return std::nullopt;
  if (!scanning_) {
    scanning_ = true;
    const bool with5 = ctx_.spec.band5 && ctx_.radio.Uses5G();
    doneMs_ = ctx_.Now() + (with5 ? kScanMs5 : kScanMs24);
  }
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
