#pragma once
// The program's texts by key ("IDS_OK"): the station utility's language files, or the soft-AP
// utility's own string tables.

#include <string>
#include <string_view>

namespace kavo9 {

class TextPort {
 public:
  virtual ~TextPort() = default;
  // The text of `key`; empty when the program has none for it.
  virtual std::string Text(std::string_view key) const = 0;
};

}  // namespace kavo9
