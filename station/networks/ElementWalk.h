#pragma once
// Bounded walking of 802.11 information elements (id, length, body). Every header and every body
// is checked against the bytes left before it is read; elements are handed out as views into the
// caller's buffer.

#include <cstddef>
#include <cstdint>
#include <span>

#include "station/networks/BssLayout.h"

namespace kavo9 {

struct Element {
  uint8_t Id = 0;
  std::span<const uint8_t> Body;

  // For vendor elements (221): true when the body starts with this OUI and type byte.
  bool IsVendor(const ie::Oui& oui, uint8_t type) const;
  bool HasOui(const ie::Oui& oui) const;
};

// What a handler made of one element.
enum class ElementParse { Parsed, Unknown, Malformed };

// Reads the element at `offset`. Returns false when its header or its body does not fit in
// `area` (a malformed tail); `element` is then untouched.
bool ReadElementAt(std::span<const uint8_t> area, size_t offset, Element& element);

// Calls `visit(element)` for each element of `area` in order. Returns true when the walk used the
// area exactly; false when it stopped at a header or body that runs past the end.
template <typename Visit>
bool ForEachElement(std::span<const uint8_t> area, Visit&& visit) {
  size_t offset = 0;
  Element element;
  while (offset < area.size()) {
    if (!ReadElementAt(area, offset, element)) return false;
    visit(element);
    offset += 2 + element.Body.size();
  }
  return true;
}

}  // namespace kavo9
