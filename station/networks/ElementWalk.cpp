#include "station/networks/ElementWalk.h"

#include <algorithm>

namespace kavo9 {

bool Element::HasOui(const ie::Oui& oui) const {
  return Body.size() >= 3 && std::equal(oui.begin(), oui.end(), Body.begin());
}

bool Element::IsVendor(const ie::Oui& oui, uint8_t type) const {
  return Id == ie::kVendorSpecific && Body.size() >= 4 && HasOui(oui) && Body[3] == type;
}

bool ReadElementAt(std::span<const uint8_t> area, size_t offset, Element& element) {
  if (offset > area.size() || area.size() - offset < 2) return false;
  const size_t length = area[offset + 1];
  if (area.size() - offset - 2 < length) return false;
  element.Id = area[offset];
  element.Body = area.subspan(offset + 2, length);
  return true;
}

}  // namespace kavo9
