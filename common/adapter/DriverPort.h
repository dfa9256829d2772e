#pragma once
// The one interface to the adapter's driver. Every piece of either program that queries or sets
// a request code takes a DriverPort& and nothing else: the controller, the action queue, the
// pages, the radio settings. The process's real one is AdapterAccess (the device transport with
// its retry queue); the wiring hands the pieces a FaultableDriver in front of it, and tests hand
// them a ScriptedDriver (common/adapter/testing/).
//
// Request codes are the OID_ constants of RequestCatalogue.h; the values they carry are named in
// DriverValues.h. A set is sent with kSetBit or'ed into the code, which the implementation adds:
// callers pass the plain code (a code that already carries the bit is sent as it is).

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace kavo9 {

// The usual number of attempts of a set: this one and two background retries.
inline constexpr int kSetAttempts = 3;

class DriverPort {
 public:
  virtual ~DriverPort() = default;

  // Reads `oid` into `buffer`, at most `length` bytes.
  // - `bytesReturned` may be null; otherwise it is set to 0 first, then to the count the driver
  //   reports, never more than `length`.
  // - Returns true when the driver answered. On failure the buffer holds whatever it held before
  //   (callers that need a defined value clear it first: a failed query reads as zero).
  // - A reply shorter than the record the caller expects is not a failure here; use QueryRecord
  //   when a fixed part must be there.
  virtual bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                                uint32_t* bytesReturned) = 0;

  // Writes `length` bytes of `buffer` (null when the set carries no value, then `length` is 0).
  // - `attempts` is the total number of attempts allowed, counting this one: kSetAttempts
  //   usually, 1 for no retry. A failed attempt is retried in the background, 500 ms apart, until
  //   the attempts are used up; nobody hears how a retry went.
  // - The result reports this attempt only. The caller's value is never written to.
  // - When the adapter's device does not open, nothing is sent or queued.
  virtual bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int attempts) = 0;

  // Whether the adapter's device opens (it is closed again at once).
  virtual bool IsAdapterPresent() = 0;
};

// A query of a record whose first `fixedPart` bytes must be there: a shorter reply counts as a
// failed query.
inline bool QueryRecord(DriverPort& driver, uint32_t oid, void* buffer, uint32_t length,
                        uint32_t fixedPart) {
  uint32_t returned = 0;
  return driver.QueryInformation(oid, buffer, length, &returned) && returned >= fixedPart;
}

// Queries a plain value (a 32-bit number, a fixed record). `*value` is zeroed first, so a failed
// query reads as zero, as everywhere in the programs.
template <typename T>
bool QueryValue(DriverPort& driver, uint32_t oid, T* value) {
  static_assert(std::is_trivially_copyable_v<T>);
  std::memset(static_cast<void*>(value), 0, sizeof(T));
  return driver.QueryInformation(oid, value, sizeof(T), nullptr);
}

// Sets a 32-bit value (or its first `length` bytes, for the one-byte switches).
inline bool SetValue32(DriverPort& driver, uint32_t oid, uint32_t value,
                       int attempts = kSetAttempts, uint32_t length = 4) {
  return driver.SetInformation(oid, &value, length, attempts);
}

}  // namespace kavo9
