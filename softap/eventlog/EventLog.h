#pragma once
// The access point's event log: the driver hands out each event once (OID_VND_EVENT_LOG); the
// controller's tick fetches the new ones into a log of the 100 newest, which lives as long as the
// controller; the event-log page lists what it has not listed yet.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/adapter/DriverPort.h"
#include "softap/shell/ApControllerPorts.h"

namespace kavo9::softap {

// The driver's record: file time (8 bytes), station address (6), event code (2).
struct ApEvent {
  uint64_t fileTime = 0;
  std::array<uint8_t, 6> mac{};
  uint16_t code = 0;
};

inline constexpr size_t kEventRecordSize = 16;
inline constexpr size_t kEventBufferSize = 168;  // count, 4 unused bytes, 10 records
inline constexpr size_t kEventsPerQuery = 10;
inline constexpr size_t kMaxLoggedEvents = 100;

// The records of one reply. A reported count above what the buffer holds reads what it holds.
std::vector<ApEvent> DecodeEvents(std::span<const uint8_t> buffer);

// " 00-11-22-33-44-55 associated", "Restart Access Point", empty for an unknown code.
std::string EventRowText(const ApEvent& event);
// "2008 / 05 / 01 - 20 : 00 : 00": the file time moved by `utcOffsetSeconds`.
std::string EventTimeText(uint64_t fileTime, long utcOffsetSeconds);
// The local time zone's offset from UTC at that file time.
long LocalUtcOffset(uint64_t fileTime);

class ApEventLog : public ApEventLogPort {
 public:
  explicit ApEventLog(DriverPort& driver) : driver_(driver) {}

  void ResetDisplayCount() override { shown_ = 0; }
  void FetchNew() override;
  // Appends events, dropping the oldest beyond 100 (what a fetch does with its reply).
  void Take(const std::vector<ApEvent>& events);
  void Clear();

  const std::vector<ApEvent>& events() const { return events_; }
  size_t shown() const { return shown_; }
  void MarkAllShown() { shown_ = events_.size(); }

 private:
  DriverPort& driver_;
  std::vector<ApEvent> events_;
  size_t shown_ = 0;
};

}  // namespace kavo9::softap
