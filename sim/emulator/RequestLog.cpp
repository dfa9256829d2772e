#include "sim/emulator/RequestLog.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "common/adapter/RequestCatalogue.h"

namespace kavo9 {

void RequestLog::Add(RequestLogEntry entry) {
  entry.sequence = next_++;
  if (entry.value.size() > kMaxLoggedValue) {
    entry.value.resize(kMaxLoggedValue);
    entry.truncated = true;
  }
  entries_.push_back(std::move(entry));
  while (entries_.size() > capacity_) entries_.pop_front();
}

std::vector<RequestLogEntry> RequestLog::Since(uint64_t from) const {
  std::vector<RequestLogEntry> result;
  if (entries_.empty()) return result;
  uint64_t first = entries_.front().sequence;
  size_t start = from <= first ? 0 : size_t(from - first);
  for (size_t i = start; i < entries_.size(); ++i) result.push_back(entries_[i]);
  return result;
}

nlohmann::json RequestLogEntryToJson(const RequestLogEntry& e) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(e.value.size() * 2);
  for (uint8_t b : e.value) {
    hex += kDigits[b >> 4];
    hex += kDigits[b & 15];
  }
  char code[11];
  std::snprintf(code, sizeof code, "0x%08X", e.code);
  nlohmann::json j = {{"seq", e.sequence},
                      {"timeMs", e.timeMs},
                      {"adapter", e.adapter},
                      {"code", code},
                      {"name", std::string(RequestName(e.code))},
                      {"kind", e.set ? "set" : "query"},
                      {"length", e.length},
                      {"value", hex},
                      {"result", e.result}};
  if (e.truncated) j["truncated"] = true;
  if (!e.process.empty()) j["process"] = e.process;
  return j;
}

}  // namespace kavo9
