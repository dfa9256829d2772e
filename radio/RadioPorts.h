#pragma once
// What the radio settings need from the rest of the program, as small interfaces: the driver
// requests, the registry values they keep, language texts and the settings file. The programs
// bind them to the adapter access, the parameter store, the language object and the settings INI;
// tests bind them to fakes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/DriverPort.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/TextPort.h"

namespace kavo9::radio {

// The registry keys the radio settings use.
enum class RadioKey {
  kAdapter,          // the adapter's parameter key
  kAdapterDefault,   // its subkey "Default" (the station values kept while in access-point mode)
  kTcpipParameters,  // the TCP/IP parameters (see vocabulary/TcpTuning.h for the path and view)
};

// Registry values of those keys. Reads are plain reads; writes and deletes go through the
// parameter store, which may hand them to the privileged service.
class RadioStorePort {
 public:
  virtual ~RadioStorePort() = default;
  // Whether the key opens for reading, or, with `write`, whether writes to it can be made: the key
  // opens with full access, or the parameter store would hand its writes to the privileged
  // service (a standard user whose advanced-settings switch is on). Only when neither holds does
  // the advanced page skip its registry writes.
  virtual bool CanOpen(RadioKey key, bool write) = 0;
  // Reads a value; false when the key or the value is missing.
  virtual bool QueryValue(RadioKey key, std::string_view name, uint32_t* type,
                          std::vector<uint8_t>* data) = 0;
  // Win32 error codes, 0 for success.
  virtual int32_t StoreSetValue(RadioKey key, std::string_view name, uint32_t type,
                                const uint8_t* data, uint32_t length) = 0;
  virtual int32_t StoreDeleteValue(RadioKey key, std::string_view name) = 0;
};

// Numbers are kept as decimal text; these also accept a REG_DWORD. A text that is no number is
// unreadable and leaves `*value` alone.
bool ReadNumber(RadioStorePort& store, RadioKey key, std::string_view name, long* value);
bool ReadDword(RadioStorePort& store, RadioKey key, std::string_view name, uint32_t* value);
bool WriteDecimal(RadioStorePort& store, RadioKey key, std::string_view name, long value);
bool WriteDword(RadioStorePort& store, RadioKey key, std::string_view name, uint32_t value);

}  // namespace kavo9::radio
