#pragma once
// The log of every request the emulated adapters received: time, adapter, code, query or set,
// length, value bytes and result. Entries are numbered from 1 without gaps; the oldest go once
// the log holds its capacity, so a long-running daemon keeps a bounded memory.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace kavo9 {

struct RequestLogEntry {
  uint64_t sequence = 0;
  uint64_t timeMs = 0;  // the emulator clock's milliseconds
  std::string adapter;
  std::string process;  // the name of the process that sent it, when the daemon knows it
  uint32_t code = 0;    // without the set bit
  bool set = false;
  uint32_t length = 0;         // the caller's buffer length
  std::vector<uint8_t> value;  // a set's value, a query's answer (at most kMaxLoggedValue bytes)
  bool truncated = false;
  int32_t result = 0;  // Win32 status
};

class RequestLog {
 public:
  static constexpr size_t kMaxLoggedValue = 512;

  explicit RequestLog(size_t capacity = 50'000) : capacity_(capacity) {}

  void Add(RequestLogEntry entry);
  // Entries with a sequence number of at least `from`, oldest first.
  std::vector<RequestLogEntry> Since(uint64_t from) const;
  uint64_t LastSequence() const { return next_ - 1; }
  size_t size() const { return entries_.size(); }

 private:
  size_t capacity_;
  std::deque<RequestLogEntry> entries_;
  uint64_t next_ = 1;
};

// One entry as the JSON object `kavo9-sim requests` prints: the code's catalogue name, "query" or
// "set", the value as hexadecimal text.
nlohmann::json RequestLogEntryToJson(const RequestLogEntry& entry);

}  // namespace kavo9
