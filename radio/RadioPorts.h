#pragma once
// What the radio settings need from the rest of the program, as small interfaces: the driver
// requests, the registry values they keep, language texts and the settings file. The programs
// bind them to the adapter access, the parameter store, the language object and the settings INI;
// tests bind them to fakes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9::radio {

// Driver requests, in the shape of the adapter access.
class DriverRequests {
 public:
  virtual ~DriverRequests() = default;
  // Reads `oid` into `buffer`; true when the driver answered. The buffer is left as it was on
  // failure, so callers clear it first.
  virtual bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                                uint32_t* bytesReturned) = 0;
  // Writes `length` bytes; failed sets are retried in the background, `attempts` in all.
  virtual bool SetInformation(uint32_t oid, const void* buffer, uint32_t length,
                              uint32_t* bytesReturned, int attempts) = 0;
  // Whether the adapter's device opens.
  virtual bool IsAdapterPresent() = 0;
};

// A DriverRequests over any object with the adapter access's three calls.
template <class Access>
class DriverRequestsOn : public DriverRequests {
 public:
  explicit DriverRequestsOn(Access& access) : access_(access) {}
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                        uint32_t* bytesReturned) override {
    return access_.QueryInformation(oid, buffer, length, bytesReturned);
  }
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, uint32_t* bytesReturned,
                      int attempts) override {
    return access_.SetInformation(oid, buffer, length, bytesReturned, attempts);
  }
  bool IsAdapterPresent() override { return access_.IsAdapterPresent(); }

 private:
  Access& access_;
};

// The registry keys the radio settings use.
enum class RadioKey {
  kAdapter,          // the adapter's parameter key
  kAdapterDefault,   // its subkey "Default" (the station values kept while in access-point mode)
  kTcpipParameters,  // the TCP/IP parameters (see vocabulary/TcpTuning.h for the path and view)
};

// Registry values of those keys. Reads are plain reads; writes and deletes go through the
// parameter store, which may hand them to the privileged service.
class RadioStore {
 public:
  virtual ~RadioStore() = default;
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
bool ReadNumber(RadioStore& store, RadioKey key, std::string_view name, long* value);
bool ReadDword(RadioStore& store, RadioKey key, std::string_view name, uint32_t* value);
bool WriteDecimal(RadioStore& store, RadioKey key, std::string_view name, long value);
bool WriteDword(RadioStore& store, RadioKey key, std::string_view name, uint32_t value);

// Language texts by key ("IDS_AUTO").
class TextSource {
 public:
  virtual ~TextSource() = default;
  virtual std::string Text(std::string_view key) const = 0;
};

// Language texts from any object with a Text(name) call, such as the station's language object.
template <class Language>
class TextSourceOn : public TextSource {
 public:
  explicit TextSourceOn(const Language& language) : language_(language) {}
  std::string Text(std::string_view key) const override { return std::string(language_.Text(key)); }

 private:
  const Language& language_;
};

// The settings INI beside the program, read afresh on each call.
class SettingsSource {
 public:
  virtual ~SettingsSource() = default;
  virtual std::string Read(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const = 0;
};

// The settings of an INI file, read as GetPrivateProfileString reads them.
class ProfileSettings : public SettingsSource {
 public:
  explicit ProfileSettings(std::filesystem::path file) : file_(std::move(file)) {}
  std::string Read(std::string_view section, std::string_view key,
                   std::string_view defaultValue) const override;

 private:
  std::filesystem::path file_;
};

}  // namespace kavo9::radio
