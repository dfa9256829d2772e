#pragma once
// How the windows get their texts: by the language key's name ("IDS_OK"). The language object
// answers; a missing key gives an empty text.

#include <functional>
#include <string>
#include <string_view>

namespace kavo9 {

using TextLookup = std::function<std::string(std::string_view key)>;

}  // namespace kavo9
