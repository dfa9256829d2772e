#pragma once
// The registry: keys, values and the five predefined roots, with Win32 semantics.
//
// Key and value names are case-insensitive and case-preserving. Subkeys enumerate sorted without
// regard to case; values enumerate in creation order (an overwritten value keeps its place). Data
// is stored byte-exactly: a REG_SZ set with its terminating zero reads back with it. Writes below
// HKEY_LOCAL_MACHINE need an administrator token (ERROR_ACCESS_DENIED otherwise); reads are open
// to all. Every call returns a Win32 error code (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND,
// ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER, ERROR_MORE_DATA, ERROR_NO_MORE_ITEMS, ERROR_BADDB
// for a hive that cannot be read, ERROR_KEY_DELETED for a handle whose key has gone).
//
// A handle allows what its `access` asked for, as on Windows: KEY_QUERY_VALUE to read values,
// KEY_SET_VALUE to set or delete them, KEY_ENUMERATE_SUB_KEYS to list subkeys, KEY_CREATE_SUB_KEY
// to create keys below it (roots allow everything). Opening a key below HKEY_LOCAL_MACHINE with
// any write right fails with ERROR_ACCESS_DENIED for a standard user, as Windows does.
//
// Keys are opened and closed per operation, as the programs do; handles are cheap.
// Limits: a key name (one path component) at most 255 characters, a value name at most 16,383;
// longer names give ERROR_INVALID_PARAMETER. Paths use "\" between components.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/platform/WinTypes.h"

namespace kavo9 {

using HKEY = uintptr_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr HKEY HKEY_USERS = 0x80000003;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;

inline constexpr size_t kMaxKeyNameLength = 255;
inline constexpr size_t kMaxValueNameLength = 16383;

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key below `parent` (a root or an open key). An empty `subKey` opens a new
  // handle to `parent` itself. `access` is KEY_READ, KEY_WRITE, KEY_ALL_ACCESS ...; the view flag
  // KEY_WOW64_64KEY is accepted (the simulated machine has one view).
  virtual int32_t OpenKey(HKEY parent, std::string_view subKey, uint32_t access, HKEY* result) = 0;
  // Opens the key, creating it and any missing keys above it. `created` (optional) tells whether
  // the key was new.
  virtual int32_t CreateKey(HKEY parent, std::string_view subKey, uint32_t access, HKEY* result,
                            bool* created = nullptr) = 0;
  virtual int32_t CloseKey(HKEY key) = 0;

  // Reads a value. `type`, `data` and `length` may each be null. On entry `*length` is the size of
  // `data`; on return it is the value's size. A too-small buffer gives ERROR_MORE_DATA with the
  // needed size in `*length` and nothing copied. An empty `name` is the key's default value.
  virtual int32_t QueryValue(HKEY key, std::string_view name, uint32_t* type, uint8_t* data,
                             uint32_t* length) = 0;
  virtual int32_t SetValue(HKEY key, std::string_view name, uint32_t type, const uint8_t* data,
                           uint32_t length) = 0;
  virtual int32_t DeleteValue(HKEY key, std::string_view name) = 0;
  // Deletes `subKey` of `key` only when it has no subkeys (its values go with it).
  virtual int32_t DeleteKey(HKEY key, std::string_view subKey) = 0;
  // Deletes `subKey` with everything below it; an empty `subKey` deletes everything below `key`
  // but keeps `key` itself.
  virtual int32_t DeleteTree(HKEY key, std::string_view subKey) = 0;

  // Enumerates: `index` from 0 until ERROR_NO_MORE_ITEMS.
  virtual int32_t EnumKey(HKEY key, uint32_t index, std::string* name) = 0;
  virtual int32_t EnumValue(HKEY key, uint32_t index, std::string* name, uint32_t* type,
                            std::vector<uint8_t>* data) = 0;

  // A number that changes whenever the hive of the root `root` is written, by this process or
  // another; the same number twice means nothing in it changed in between. Lets a caller that
  // reads a value at every tick skip the read while nothing changed. 0 when it cannot be told
  // (then the caller reads).
  virtual uint64_t ChangeStamp(HKEY root) = 0;
};

// Closes a key when it leaves scope.
class ScopedKey {
 public:
  explicit ScopedKey(Registry& registry) : registry_(registry) {}
  ~ScopedKey() { Reset(); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  HKEY* operator&() {
    Reset();
    return &key_;
  }
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != 0; }
  void Reset() {
    if (key_ != 0) registry_.CloseKey(key_);
    key_ = 0;
  }

 private:
  Registry& registry_;
  HKEY key_ = 0;
};

// Small helpers over the interface for the common cases. Strings are stored as REG_SZ with their
// terminating zero, as the programs write them.
int32_t RegReadString(Registry& registry, HKEY root, std::string_view path, std::string_view name,
                      std::string* value);
int32_t RegWriteString(Registry& registry, HKEY root, std::string_view path, std::string_view name,
                       std::string_view value);
int32_t RegReadDword(Registry& registry, HKEY root, std::string_view path, std::string_view name,
                     uint32_t* value);
// Text of a REG_SZ/REG_EXPAND_SZ value's bytes: up to the first zero.
std::string RegStringFromBytes(const uint8_t* data, size_t length);
std::vector<uint8_t> RegBytesFromString(std::string_view value);

}  // namespace kavo9
