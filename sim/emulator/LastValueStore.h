#pragma once
// The codes the emulated driver only keeps: a set stores its value, a query answers the last
// value set (zeros before the first). This is the one explicit list; every other catalogued code
// that no area answers is refused with ERROR_NOT_SUPPORTED, so a request nobody models fails
// loudly instead of passing as a zero. When an area takes over one of these codes, it leaves
// this list.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace kavo9::emu {

class LastValueStore {
 public:
  // Whether `code` (without the set bit) is on the list.
  static bool Keeps(uint32_t code);
  static std::span<const uint32_t> Codes();

  // Forgets every value and puts back the values a freshly loaded driver reports.
  void Load();

  int32_t Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) const;
  int32_t Set(uint32_t code, std::span<const uint8_t> value);

 private:
  std::map<uint32_t, std::vector<uint8_t>> values_;
};

}  // namespace kavo9::emu
