#pragma once
// Reads the values of one registry key as the soft-AP utility does: texts of at most 1024 bytes,
// numbers as decimal text, lists as REG_MULTI_SZ. A value that is missing, of another type or
// unreadable reads as nullopt, so the reader keeps its own default.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/Registry.h"

namespace kavo9::softap {

class ApKeyReader {
 public:
  ApKeyReader(Registry& registry, std::string path) : registry_(registry), path_(std::move(path)) {}

  std::optional<std::string> Text(std::string_view name) const;
  // The text's leading decimal number (atol rules); nullopt when the value is missing.
  std::optional<long> Number(std::string_view name) const;
  long NumberOr(std::string_view name, long fallback) const {
    return Number(name).value_or(fallback);
  }
  std::optional<uint32_t> Dword(std::string_view name) const;
  // The entries of a REG_MULTI_SZ value, in order (an empty list is no entry).
  std::optional<std::vector<std::string>> List(std::string_view name) const;
  bool Has(std::string_view name) const;

  const std::string& path() const { return path_; }

 private:
  std::optional<std::vector<uint8_t>> Raw(std::string_view name, uint32_t* type) const;

  Registry& registry_;
  std::string path_;
};

}  // namespace kavo9::softap
