#pragma once
// The one way to the adapter's driver, and what the process knows about the adapter.
//
// One AdapterAccess serves the whole process (the controller owns it). It holds the device path
// that every request opens, the Windows version code, the retry queue of failed sets and the
// identity of the adapter that discovery chose.
//
// Every request opens the device, issues one IOCTL_NDIS_QUERY_GLOBAL_STATS and closes it again;
// no handle stays open between requests. (Underneath, the simulated machine's device client keeps
// one connection per device across requests and gives each request one deadline; see
// SimulatedDeviceIo.) A set is a request whose code carries kSetBit, with the
// value in the output buffer. A set that fails is retried in the background by thread timers of
// the loop, 500 ms apart, until its attempts are used up; nobody is told how a retry went.

#include <cstdint>
#include <string>
#include <vector>

#include "common/adapter/ChipFamilies.h"
#include "common/platform/Platform.h"

namespace kavo9 {

// One set waiting for a retry. The entry owns its copy of the value (empty when the value has no
// bytes) and its timer, whose id identifies the entry when the timer fires.
struct _SET_INFORMATION_DATA {
  uint32_t Oid = 0;  // with kSetBit already or'ed in
  std::vector<uint8_t> Buffer;
  uint32_t BufferLength = 0;
  uint32_t BytesReturned = 0;
  int32_t AttemptsLeft = 0;
  ::kavo9::TimerId TimerId = 0;
};

// Interval between a failed set and each of its retries.
inline constexpr uint32_t kSetRetryIntervalMs = 500;

// What discovery found out about the chosen adapter.
struct AdapterIdentity {
  std::string registryKey;       // below HKEY_LOCAL_MACHINE: "System\...\Class\{...}\0007"
  std::string instanceId;        // NetCfgInstanceId, a GUID in braces (empty before Windows 2000)
  std::string hardwareIdPrefix;  // first 21 upper-case characters of the first hardware id
  int chipKind = -1;             // the utility's family code; -1 before discovery
  AdapterBus bus = AdapterBus::kNone;
  bool isFirstGenerationFamily = false;
  bool isHtFamily = false;  // an 802.11n family on Windows 2000 or later
  int htVariant = 0;        // the soft-AP utility's 802.11n variant 1-3, else 0
};

class AdapterAccess {
 public:
  AdapterAccess(Platform& platform, Utility utility);
  ~AdapterAccess();
  AdapterAccess(const AdapterAccess&) = delete;
  AdapterAccess& operator=(const AdapterAccess&) = delete;

  Platform& platform() const { return platform_; }
  Utility utility() const { return utility_; }

  // Reads `oid` into `buffer`. `bytesReturned` (optional) is set to 0 first, then to the count
  // the driver reports, never more than `length`. True when the device control succeeded. On
  // failure the buffer's content is whatever it was (callers clear it first when they need a
  // defined value).
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length, uint32_t* bytesReturned);
  // A query of a record whose first `fixedPart` bytes must be there: a reply shorter than that
  // counts as a failed query.
  bool QueryRecord(uint32_t oid, void* buffer, uint32_t length, uint32_t fixedPart);

  // Writes `length` bytes of `buffer` to `oid` (with or without kSetBit). `attempts` is the total
  // number of attempts allowed, counting this one; the usual is 3, and 1 for no retry. The result
  // reports this attempt only. The caller's value is never written to: the device sees a copy,
  // which also lets a value held in read-only data through on every system.
  // If the device does not open, nothing is queued.
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, uint32_t* bytesReturned,
                      int attempts);

  // Whether the adapter's device opens (it is closed again at once).
  bool IsAdapterPresent();

  // Computes WindowsVersionCode from the system's version record.
  void DetectWindowsVersion();
  int WindowsVersionCode() const { return windowsVersionCode_; }
  // For tests and tools that fix the system without a version record.
  void SetWindowsVersionCode(int code) { windowsVersionCode_ = code; }

  // Frees every waiting set and stops its timer (the controller calls this when it goes).
  void DrainSetRetryQueue();
  // The retry tick of the thread timer `id`.
  void SetRetryTimerProc(TimerId id);
  const std::vector<_SET_INFORMATION_DATA>& SetRetryQueue() const { return setRetryQueue_; }

  // The adapter. Discovery writes these; everyone else reads them.
  const std::string& AdapterDevicePath() const { return adapterDevicePath_; }
  const AdapterIdentity& identity() const { return identity_; }
  void Publish(std::string devicePath, AdapterIdentity identity);
  // The controller forgets the key before it looks for an adapter that went away.
  void ClearRegistryKey() { identity_.registryKey.clear(); }

  // Read when the adapter becomes ready: the driver version (major in the high byte; 0 when the
  // query failed) and whether the adapter supports the 5 GHz OFDM network type.
  bool ReadDriverVersion();
  uint16_t DriverVersion() const { return driverVersion_; }
  bool ReadSupportedNetworkTypes();
  bool Supports5GHz() const { return supports5GHz_; }
  // Bit n set when network type n (0 to 3) is listed; the soft-AP utility shows the bands by it.
  uint32_t NetworkTypesPresent() const { return networkTypes_; }

 private:
  bool Control(DeviceIo::Handle handle, uint32_t oid, void* buffer, uint32_t length,
               uint32_t* bytesReturned);
  void RemoveEntry(size_t index);

  Platform& platform_;
  Utility utility_;
  std::string adapterDevicePath_;
  int windowsVersionCode_ = 0;
  std::vector<_SET_INFORMATION_DATA> setRetryQueue_;
  AdapterIdentity identity_;
  uint16_t driverVersion_ = 0;
  bool supports5GHz_ = false;
  uint32_t networkTypes_ = 0;
};

}  // namespace kavo9
