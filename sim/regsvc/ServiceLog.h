#pragma once
// The registry service's log: one line per call it performed or refused, to a file in the
// machine's run folder and to standard error.
//
// A caller can make the service refuse as fast as it can ask, so the log is bounded twice: lines
// may come in a burst and then at a steady rate (those held back are counted, and the count is
// logged with the next line that may come, or when the log closes), and the file is kept under a
// size (past it the file becomes NAME.1, replacing the one before, and a new file begins).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

namespace kavo9 {

class ServiceLog {
 public:
  struct Limits {
    int burst = 200;     // lines at once
    int perSecond = 20;  // lines after the burst
    uint64_t maxFileBytes = 4u << 20;
  };
  // Milliseconds on a monotonic clock, and the time stamp a line is written with.
  using Clock = std::function<uint64_t()>;
  using Stamp = std::function<std::string()>;

  // `echo` (optional) gets every line that is logged too.
  ServiceLog(std::filesystem::path file, std::ostream* echo, Limits limits, Clock clock,
             Stamp stamp);
  // Logs how many lines were held back, if any.
  ~ServiceLog();
  ServiceLog(const ServiceLog&) = delete;
  ServiceLog& operator=(const ServiceLog&) = delete;

  void Write(std::string_view line);

 private:
  void Emit(std::string_view line);

  std::filesystem::path file_;
  std::ostream* echo_;
  Limits limits_;
  Clock clock_;
  Stamp stamp_;
  std::mutex mutex_;
  std::ofstream out_;
  uint64_t size_ = 0;
  double tokens_;
  uint64_t lastMs_;
  uint64_t heldBack_ = 0;
};

}  // namespace kavo9
