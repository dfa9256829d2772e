#pragma once
// Win32 numbers that keep their meaning across the seam: error codes, registry value types and
// access rights. Only what the programs use is listed.

#include <cstdint>

namespace kavo9 {

// Win32 error codes returned by the seams.
enum : int32_t {
  ERROR_SUCCESS = 0,
  ERROR_FILE_NOT_FOUND = 2,
  ERROR_ACCESS_DENIED = 5,
  ERROR_INVALID_HANDLE = 6,
  ERROR_NOT_ENOUGH_MEMORY = 8,
  ERROR_GEN_FAILURE = 31,
  ERROR_NOT_SUPPORTED = 50,
  ERROR_INVALID_PARAMETER = 87,
  ERROR_INSUFFICIENT_BUFFER = 122,
  ERROR_MORE_DATA = 234,
  ERROR_NO_MORE_ITEMS = 259,
  ERROR_BADDB = 1009,
  ERROR_KEY_DELETED = 1018,
  ERROR_DEVICE_NOT_CONNECTED = 1167,
  RPC_S_NOT_LISTENING = 1715,
  RPC_S_SERVER_TOO_BUSY = 1723,
};

// Registry value types.
enum : uint32_t {
  REG_NONE = 0,
  REG_SZ = 1,
  REG_EXPAND_SZ = 2,
  REG_BINARY = 3,
  REG_DWORD = 4,
  REG_MULTI_SZ = 7,
};

// Registry access rights (only their read/write meaning and the 64-bit view flag matter here).
enum : uint32_t {
  KEY_QUERY_VALUE = 0x0001,
  KEY_SET_VALUE = 0x0002,
  KEY_CREATE_SUB_KEY = 0x0004,
  KEY_ENUMERATE_SUB_KEYS = 0x0008,
  KEY_WOW64_64KEY = 0x0100,
  KEY_WOW64_32KEY = 0x0200,
  KEY_READ = 0x20019,
  KEY_WRITE = 0x20006,
  KEY_ALL_ACCESS = 0xF003F,
};

}  // namespace kavo9
