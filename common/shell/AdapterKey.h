#pragma once
// Reading and writing values of the adapter's registry key (and other keys below
// HKEY_LOCAL_MACHINE) the way both programs do: texts read into a 256-byte buffer, numbers kept as
// decimal text, writes through the parameter store.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"

namespace kavo9 {

// A REG_SZ or REG_EXPAND_SZ value of HKEY_LOCAL_MACHINE\`path`, at most 255 characters. False when
// the path is empty, the key or value is missing, or the value is of another type.
bool ReadMachineText(Registry& registry, std::string_view path, std::string_view name,
                     std::string* value);
// A REG_DWORD value of exactly four bytes; `view64` opens the key in the 64-bit view.
bool ReadMachineDword(Registry& registry, std::string_view path, std::string_view name,
                      uint32_t* value, bool view64 = false);
// The decimal text's number (atoi rules: leading digits, 0 when none); false as ReadMachineText.
bool ReadMachineNumber(Registry& registry, std::string_view path, std::string_view name,
                       long* value);

// The subkeys of the adapter key the hand-over between the programs uses.
inline constexpr const char* kStationValuesSubkey = "Default";
inline constexpr const char* kAccessPointValuesSubkey = "ApDefault";
std::string SubkeyPath(std::string_view adapterKey, std::string_view subkey);

}  // namespace kavo9
