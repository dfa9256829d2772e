#pragma once
// The regedit text format, so people can look inside the registry and change it by hand:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Kavo9]
//   @="the default value"
//   "Name"="text"
//   "Count"=dword:0000001f
//   "Blob"=hex:01,02,ff
//   "Path"=hex(2):25,00          REG_EXPAND_SZ; hex(7) REG_MULTI_SZ, hex(N) any other type N
//   "Old"=-                      deletes the value
//   [-HKEY_LOCAL_MACHINE\Software\Old]   deletes the key with everything below it
//
// Data are the registry's bytes, exactly: a REG_SZ is written as "text" only when its bytes are
// printable text with one terminating zero, otherwise as hex(1):, so every value reads back as it
// was. Long hex lines continue on the next line after a "\". Inside quotes, "\\" and "\"" stand
// for a backslash and a quote, and "\n" and "\r" for line breaks in value names (an extension:
// regedit cannot write those). Files are UTF-8; "REGEDIT4" is accepted as the header too.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/platform/Registry.h"

namespace kavo9 {

inline constexpr std::string_view kRegTextHeader = "Windows Registry Editor Version 5.00";

// The roots in the order a whole-registry export lists them.
std::span<const HKEY> RegRoots();
// "HKEY_LOCAL_MACHINE" ...; empty for a value that is not a root.
std::string_view RegRootName(HKEY root);
// Splits "HKEY_LOCAL_MACHINE\Software\X" or "HKLM\Software\X" (root in any case) into the root
// and the path below it ("" for the root itself). False when the text names no root.
bool ParseRegKeyName(std::string_view text, HKEY* root, std::string* path);

// A short text for a registry error: "not found", "access denied" ... with the number.
std::string RegErrorText(int32_t error);

// Appends the header line and a blank line.
void AppendRegTextHeader(std::string* text);
// Appends the section of `root\path` and those of every key below it (depth first, subkeys in
// registry order); key names are written with their stored case. Returns the registry's error
// when the key cannot be read; `text` then holds what was written before.
int32_t ExportRegKey(Registry& registry, HKEY root, std::string_view path, std::string* text);

// Imports a document. Every line is read before anything is written: a malformed document is
// refused as a whole with "line N: what is wrong" in `error`. A write the registry refuses stops
// the import with the line and the registry's error; what came before it stays written.
bool ImportRegText(Registry& registry, std::string_view text, std::string* error);

}  // namespace kavo9
