#include "sim/regsvc/ServiceLog.h"

#include <algorithm>

namespace kavo9 {

ServiceLog::ServiceLog(std::filesystem::path file, std::ostream* echo, Limits limits, Clock clock,
                       Stamp stamp)
    : file_(std::move(file)),
      echo_(echo),
      limits_(limits),
      clock_(std::move(clock)),
      stamp_(std::move(stamp)),
      tokens_(limits.burst),
      lastMs_(clock_()) {
  std::error_code ec;
  const auto existing = std::filesystem::file_size(file_, ec);
  size_ = ec ? 0 : existing;
  out_.open(file_, std::ios::app);
}

ServiceLog::~ServiceLog() {
  std::lock_guard lock(mutex_);
  if (heldBack_ > 0) Emit(std::to_string(heldBack_) + " more lines were not logged");
}

void ServiceLog::Write(std::string_view line) {
  std::lock_guard lock(mutex_);
  const uint64_t now = clock_();
  tokens_ =
      std::min<double>(limits_.burst, tokens_ + double(now - lastMs_) * limits_.perSecond / 1000.0);
  lastMs_ = now;
  if (tokens_ < 1) {
    ++heldBack_;
    return;
  }
  tokens_ -= 1;
  if (heldBack_ > 0) {
    Emit(std::to_string(heldBack_) + " more lines were not logged (too many at once)");
    heldBack_ = 0;
  }
  Emit(line);
}

void ServiceLog::Emit(std::string_view line) {
  const std::string text = stamp_() + " " + std::string(line) + "\n";
  if (size_ > 0 && size_ + text.size() > limits_.maxFileBytes) {
    out_.close();
    std::filesystem::path older = file_;
    older += ".1";
    std::error_code ec;
    std::filesystem::rename(file_, older, ec);
    out_.open(file_, std::ios::trunc);
    size_ = 0;
  }
  out_ << text << std::flush;
  size_ += text.size();
  if (echo_) *echo_ << "kavo9-regsvc: " << line << "\n" << std::flush;
}

}  // namespace kavo9
