#include "station/shell/controller/StationLanguage.h"

namespace kavo9 {

std::string StationLanguage::Text(std::string_view key) const {
  auto found = LangKeyFromName(key);
  return found ? language_.Text(*found) : std::string();
}

}  // namespace kavo9
