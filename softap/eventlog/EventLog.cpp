#include "softap/eventlog/EventLog.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/EventLoop.h"
#include "softap/stations/StationTable.h"

namespace kavo9::softap {
namespace {

constexpr size_t kRecordsOffset = 8;
constexpr uint64_t kFileTicksPerSecond = 10000000ULL;

enum EventCode : uint16_t {
  kEventRestart = 0,
  kEventAssociated,
  kEventLeft,
  kEventAgedOut,
  kEventCountermeasure,
  kEventWrongPsk,
};

const char* EventMessage(uint16_t code) {
  switch (code) {
    case kEventRestart:
      return "Restart Access Point";
    case kEventAssociated:
      return "associated";
    case kEventLeft:
      return "left this BSS";
    case kEventAgedOut:
      return "was aged-out and removed from this BSS";
    case kEventCountermeasure:
      return "generated active countermeasure";
    case kEventWrongPsk:
      return "associated with invalid PSK password";
    default:
      return nullptr;
  }
}

uint64_t Le(std::span<const uint8_t> bytes, size_t offset, size_t size) {
  uint64_t value = 0;
  for (size_t i = 0; i < size; ++i) value |= uint64_t(bytes[offset + i]) << (8 * i);
  return value;
}

int64_t UnixSeconds(uint64_t fileTime) {
  return (int64_t(fileTime) - int64_t(kFileTimeUnixEpoch)) / int64_t(kFileTicksPerSecond);
}

}  // namespace

std::vector<ApEvent> DecodeEvents(std::span<const uint8_t> buffer) {
  std::vector<ApEvent> events;
  if (buffer.size() < kRecordsOffset) return events;
  const uint64_t reported = Le(buffer, 0, 4);
  const size_t room = (buffer.size() - kRecordsOffset) / kEventRecordSize;
  const size_t count = std::min<uint64_t>(reported, std::min(room, kEventsPerQuery));
  for (size_t i = 0; i < count; ++i) {
    const size_t at = kRecordsOffset + i * kEventRecordSize;
    ApEvent e;
    e.fileTime = Le(buffer, at, 8);
    std::copy_n(buffer.begin() + long(at + 8), 6, e.mac.begin());
    e.code = uint16_t(Le(buffer, at + 14, 2));
    events.push_back(e);
  }
  return events;
}

std::string EventRowText(const ApEvent& event) {
  const char* message = EventMessage(event.code);
  if (!message) return {};
  if (event.code == kEventRestart) return message;
  return " " + MacText(event.mac) + " " + message;
}

std::string EventTimeText(uint64_t fileTime, long utcOffsetSeconds) {
  const time_t seconds = time_t(UnixSeconds(fileTime) + utcOffsetSeconds);
  std::tm t{};
  gmtime_r(&seconds, &t);
  char text[48];
  std::snprintf(text, sizeof text, "%04d / %02d / %02d - %02d : %02d : %02d", t.tm_year + 1900,
                t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

long LocalUtcOffset(uint64_t fileTime) {
  const time_t seconds = time_t(UnixSeconds(fileTime));
  std::tm t{};
  localtime_r(&seconds, &t);
  return t.tm_gmtoff;
}

void ApEventLog::FetchNew() {
  std::array<uint8_t, kEventBufferSize> buffer{};
  uint32_t written = 0;
  if (!driver_.QueryInformation(OID_VND_EVENT_LOG, buffer.data(), uint32_t(buffer.size()),
                                &written)) {
    return;
  }
  Take(DecodeEvents(buffer));
}

void ApEventLog::Take(const std::vector<ApEvent>& events) {
  const size_t total = events_.size() + events.size();
  if (total > kMaxLoggedEvents) {
    const size_t drop = std::min(total - kMaxLoggedEvents, events_.size());
    events_.erase(events_.begin(), events_.begin() + long(drop));
    shown_ = shown_ > drop ? shown_ - drop : 0;
  }
  events_.insert(events_.end(), events.begin(), events.end());
  // A single batch larger than the log keeps its newest.
  if (events_.size() > kMaxLoggedEvents) {
    events_.erase(events_.begin(), events_.end() - long(kMaxLoggedEvents));
  }
}

void ApEventLog::Clear() {
  events_.clear();
  shown_ = 0;
}

}  // namespace kavo9::softap
