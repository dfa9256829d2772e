#pragma once
// The scripted driver for tests: it answers queries from a table (or a function), refuses what it
// is told to refuse, and records every request it sees in order. It is a DriverPort for the
// pieces that take one directly (controller, queue, pages, radio), and it can also sit behind the
// fake device I/O, so that the real transport with its retry queue runs in front of it.

#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "common/adapter/DriverPort.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"

namespace kavo9 {

class FakeDeviceIo;

inline constexpr const char* kTestDevicePath = "\\\\.\\{6F1C0A52-7B3D-4E1A-9C2B-1D5A30700001}";

struct DriverRequest {
  bool set = false;
  uint32_t oid = 0;                 // without the set bit
  std::vector<uint8_t> value;       // a set's value; what a query's buffer held when it came in
  int attempts = 1;                 // of a set made through the DriverPort; 1 for device requests
  const uint8_t* buffer = nullptr;  // where the value was handed over
  uint64_t atMs = 0;                // the clock's time, when a clock is given

  // "Q OID_802_11_SSID" or "S OID_802_11_SSID".
  std::string Name() const;
};

class ScriptedDriver : public DriverPort {
 public:
  // Decides a request when set: fills `out`, sets `*count`, returns a Win32 status. `oid` carries
  // kSetBit for sets. Without it, queries answer from `answers` and sets succeed.
  using AnswerFn = std::function<int32_t(uint32_t oid, std::span<uint8_t> out, uint32_t* count)>;

  ScriptedDriver() = default;
  explicit ScriptedDriver(std::function<uint64_t()> clock) : clock_(std::move(clock)) {}
  ~ScriptedDriver() override;
  ScriptedDriver(const ScriptedDriver&) = delete;
  ScriptedDriver& operator=(const ScriptedDriver&) = delete;

  std::map<uint32_t, std::vector<uint8_t>> answers;  // query replies by code
  std::set<uint32_t> refused;                        // codes whose queries and sets fail
  bool refuseQueries = false;
  bool present = true;  // false: every request fails and the device does not open
  AnswerFn answer;
  std::vector<DriverRequest> log;
  std::map<uint32_t, std::vector<uint8_t>> lastSet;  // the value of each code's last set

  // DriverPort.
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                        uint32_t* bytesReturned) override;
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int attempts) override;
  bool IsAdapterPresent() override { return present; }

  // Serves the device `path` of the fake device I/O until unplugged (or destroyed).
  void PlugInto(FakeDeviceIo& io, std::string path = kTestDevicePath);
  void Unplug();

  template <typename T>
  void Answer(uint32_t oid, const T& value) {
    std::vector<uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    answers[oid] = bytes;
  }
  void AnswerDword(uint32_t oid, uint32_t value) { Answer(oid, value); }

  // The log as names, and how often one name occurs in it.
  std::vector<std::string> Names() const;
  size_t Count(const std::string& name) const;
  // The codes of the sets in order.
  std::vector<uint32_t> Sets() const;
  // The last set of `oid` in the log, or null.
  const DriverRequest* LastSet(uint32_t oid) const;

 private:
  int32_t Serve(uint32_t oid, std::span<uint8_t> out, uint32_t* count);

  std::function<uint64_t()> clock_;
  FakeDeviceIo* io_ = nullptr;
  std::string path_;
};

// An answer that refuses everything.
inline int32_t Refuse(uint32_t, std::span<uint8_t>, uint32_t*) {
  return ERROR_GEN_FAILURE;
}

}  // namespace kavo9
