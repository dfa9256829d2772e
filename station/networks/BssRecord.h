#pragma once
// Bounds-checked views of the driver's BSS list and of one record in it. Views point into the
// caller's buffer and never copy; they stay valid as long as that buffer does.

#include <cstdint>
#include <span>

#include "station/networks/BssLayout.h"

namespace kavo9 {

// One NDIS_WLAN_BSSID_EX record. The view covers at most the record's own `Length` bytes and
// never more than the bytes it was given; a field outside them reads as zero.
class BssRecordView {
 public:
  BssRecordView() = default;
  // `bytes` starts at the record; it may run on past the record (the rest of a list).
  explicit BssRecordView(std::span<const uint8_t> bytes);

  // The record's bytes (clipped to what exists), e.g. to copy it whole.
  std::span<const uint8_t> Bytes() const { return bytes_; }

  uint32_t Length() const { return length_; }
  std::span<const uint8_t> MacAddress() const;  // 6 bytes, or empty when the record is too short
  uint32_t SsidLength() const { return ReadLe32(bytes_, bss::kSsidLength); }
  // The SSID octets: the first `SsidLength` bytes, never more than 32.
  std::span<const uint8_t> Ssid() const;
  uint32_t Privacy() const { return ReadLe32(bytes_, bss::kPrivacy); }
  int32_t Rssi() const { return int32_t(ReadLe32(bytes_, bss::kRssi)); }
  uint32_t NetworkTypeInUse() const { return ReadLe32(bytes_, bss::kNetworkTypeInUse); }
  uint32_t DsConfig() const { return ReadLe32(bytes_, bss::kDsConfig); }
  uint32_t InfrastructureMode() const { return ReadLe32(bytes_, bss::kInfrastructureMode); }
  std::span<const uint8_t> SupportedRates() const;  // 16 bytes, or empty
  uint32_t IeLength() const { return ReadLe32(bytes_, bss::kIes - 4); }

  // True when the record holds its fixed part and its whole element area: Length >= 120,
  // Length >= 116 + IELength, and all Length bytes exist. Lists only ever hand out such records.
  bool IsWellFormed() const;
  // The element area (IELength bytes from offset 116); empty unless the record is well formed.
  std::span<const uint8_t> Ies() const;
  // The beacon interval fixed field (offset 124), 0 when the record does not hold it.
  uint16_t BeaconInterval() const;

  // The BSSID as a number, for quick comparison (0 when the record is too short).
  uint64_t BssidKey() const;

 private:
  std::span<const uint8_t> bytes_;
  uint32_t length_ = 0;
};

// Why a walk over a list ended.
enum class BssListEnd {
  Complete,       // every counted record was visited
  BufferEnd,      // the count promised more records than the buffer holds
  ZeroLength,     // a record declared Length 0 (stepping on would loop forever)
  RecordPastEnd,  // a record's Length runs past the buffer
};

// The list: a 32-bit count and that many records, each stepping by its own Length. Iterating
// yields only well-formed records; a record whose lengths do not hold together is passed over by
// its Length, and the walk stops where it cannot step on safely.
class BssListView {
 public:
  explicit BssListView(std::span<const uint8_t> buffer) : buffer_(buffer) {}

  uint32_t DeclaredCount() const { return ReadLe32(buffer_, 0); }
  std::span<const uint8_t> Buffer() const { return buffer_; }

  class Iterator {
   public:
    using value_type = BssRecordView;
    using difference_type = std::ptrdiff_t;
    Iterator() = default;
    const BssRecordView& operator*() const { return current_; }
    const BssRecordView* operator->() const { return &current_; }
    Iterator& operator++();
    void operator++(int) { ++*this; }
    bool operator==(const Iterator& other) const {
      return done_ == other.done_ && (done_ || offset_ == other.offset_);
    }
    // Offset of the current record in the list buffer.
    size_t Offset() const { return offset_; }
    BssListEnd End() const { return end_; }

   private:
    friend class BssListView;
    Iterator(std::span<const uint8_t> buffer, uint32_t count);
    void Settle();  // moves to the next well-formed record at or after the cursor

    std::span<const uint8_t> buffer_;
    uint32_t remaining_ = 0;  // records still counted, the current one included
    size_t offset_ = 0;
    BssRecordView current_;
    bool done_ = true;
    BssListEnd end_ = BssListEnd::Complete;
  };

  Iterator begin() const { return Iterator(buffer_, DeclaredCount()); }
  Iterator end() const { return Iterator(); }

  // Walks the whole list and tells why it ended.
  BssListEnd Walk() const;

 private:
  std::span<const uint8_t> buffer_;
};

}  // namespace kavo9
