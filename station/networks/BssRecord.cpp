#include "station/networks/BssRecord.h"

#include <algorithm>

namespace kavo9 {

BssRecordView::BssRecordView(std::span<const uint8_t> bytes) {
  length_ = ReadLe32(bytes, bss::kLength);
  bytes_ = bytes.first(std::min<size_t>(bytes.size(), length_));
}

std::span<const uint8_t> BssRecordView::MacAddress() const {
  if (bytes_.size() < bss::kMacAddress + bss::kMacSize) return {};
  return bytes_.subspan(bss::kMacAddress, bss::kMacSize);
}

std::span<const uint8_t> BssRecordView::Ssid() const {
  if (bytes_.size() < bss::kSsid + bss::kSsidMax) return {};
  return bytes_.subspan(bss::kSsid, std::min<size_t>(SsidLength(), bss::kSsidMax));
}

std::span<const uint8_t> BssRecordView::SupportedRates() const {
  if (bytes_.size() < bss::kSupportedRates + bss::kRatesSize) return {};
  return bytes_.subspan(bss::kSupportedRates, bss::kRatesSize);
}

bool BssRecordView::IsWellFormed() const {
  if (length_ < bss::kMinRecordLength || bytes_.size() < length_) return false;
  return uint64_t(IeLength()) + bss::kIes <= length_;
}

std::span<const uint8_t> BssRecordView::Ies() const {
  if (!IsWellFormed()) return {};
  return bytes_.subspan(bss::kIes, IeLength());
}

uint16_t BssRecordView::BeaconInterval() const {
  // Inside the record and inside its element area: a shorter record has no such field.
  const uint64_t end = bss::kIes + bss::kIeBeaconInterval + 2;
  if (length_ < end || bytes_.size() < end || IeLength() < bss::kIeBeaconInterval + 2) return 0;
  return ReadLe16(bytes_, bss::kIes + bss::kIeBeaconInterval);
}

uint64_t BssRecordView::BssidKey() const {
  uint64_t key = 0;
  for (uint8_t b : MacAddress()) key = key << 8 | b;
  return key;
}

BssListView::Iterator::Iterator(std::span<const uint8_t> buffer, uint32_t count)
    : buffer_(buffer), remaining_(count), offset_(kBssListHeaderSize), done_(false) {
  if (buffer_.size() < kBssListHeaderSize) remaining_ = 0;
  Settle();
}

void BssListView::Iterator::Settle() {
  while (true) {
    if (remaining_ == 0) {
      done_ = true;
      end_ = BssListEnd::Complete;
      return;
    }
    if (buffer_.size() - offset_ < 4) {
      done_ = true;
      end_ = BssListEnd::BufferEnd;
      return;
    }
    const uint32_t length = ReadLe32(buffer_, offset_);
    if (length == 0) {
      done_ = true;
      end_ = BssListEnd::ZeroLength;
      return;
    }
    if (length > buffer_.size() - offset_) {
      done_ = true;
      end_ = BssListEnd::RecordPastEnd;
      return;
    }
    BssRecordView record(buffer_.subspan(offset_, length));
    if (record.IsWellFormed()) {
      current_ = record;
      return;
    }
    // Lengths that do not hold together: drop this record, keep the rest of the list.
    offset_ += length;
    --remaining_;
  }
}

BssListView::Iterator& BssListView::Iterator::operator++() {
  if (done_) return *this;
  offset_ += current_.Length();
  --remaining_;
  Settle();
  return *this;
}

BssListEnd BssListView::Walk() const {
  Iterator it = begin();
  while (!(it == end())) ++it;
  return it.End();
}

}  // namespace kavo9
