#pragma once
// The authentication status list: 200 lines of at most 255 characters, written in a ring, and
// the "OK" marker the post-authentication checks end with (the status view then clears its
// rows). Every read and write takes the list's lock: lines come from the library's threads and
// the user-interface thread alike.

#include <array>
#include <mutex>
#include <string>
#include <string_view>

namespace kavo9::dot1x {

inline constexpr std::string_view kAuthDoneMarker = "OK";

class AuthStatusList {
 public:
  static constexpr int kEntries = 200;
  static constexpr size_t kEntryChars = 255;

  // Writes `text` into the next entry and returns its index; after the last entry the list
  // wraps to the first. A list that is empty (count 0) is cleared first.
  int Add(std::string_view text);
  // Writes the marker into the current entry without advancing and starts over at 0; returns
  // the marker's index.
  int MarkDone();
  std::string Entry(int index) const;
  int Count() const;
  void Clear();

 private:
  mutable std::mutex lock_;
  std::array<std::string, kEntries> entries_;
  int count_ = 0;
};

}  // namespace kavo9::dot1x
