#include "station/dot1x/supplicant/AuthStatusList.h"

namespace kavo9::dot1x {

int AuthStatusList::Add(std::string_view text) {
  std::lock_guard hold(lock_);
  if (count_ == 0) entries_.fill({});
  const int index = count_;
  entries_[size_t(index)] = std::string(text.substr(0, kEntryChars));
  count_ = (count_ + 1) % kEntries;
  return index;
}

int AuthStatusList::MarkDone() {
  std::lock_guard hold(lock_);
  const int index = count_;
  entries_[size_t(index)] = std::string(kAuthDoneMarker);
  count_ = 0;
  return index;
}

std::string AuthStatusList::Entry(int index) const {
  std::lock_guard hold(lock_);
  if (index < 0 || index >= kEntries) return {};
  return entries_[size_t(index)];
}

int AuthStatusList::Count() const {
  std::lock_guard hold(lock_);
  return count_;
}

void AuthStatusList::Clear() {
  std::lock_guard hold(lock_);
  entries_.fill({});
  count_ = 0;
}

}  // namespace kavo9::dot1x
