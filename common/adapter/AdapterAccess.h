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

#include "common/adapter/AdapterIdentity.h"
#include "common/adapter/ChipFamilies.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Platform.h"

namespace kavo9 {

// One set waiting for a retry (the driver interface's _SET_INFORMATION_DATA; a leading underscore
// and capital are reserved in C++). The entry owns its copy of the value (empty when the value has
// no bytes) and its timer, whose id identifies the entry when the timer fires.
struct SetInformationData {
  uint32_t Oid = 0;  // with kSetBit already or'ed in
  std::vector<uint8_t> Buffer;
  uint32_t BufferLength = 0;
  uint32_t BytesReturned = 0;
  int32_t AttemptsLeft = 0;
  ::kavo9::TimerId TimerId = 0;
};

// Interval between a failed set and each of its retries.
inline constexpr uint32_t kSetRetryIntervalMs = 500;

class AdapterAccess : public DriverPort {
 public:
  AdapterAccess(Platform& platform, Utility utility);
  ~AdapterAccess() override;
  AdapterAccess(const AdapterAccess&) = delete;
  AdapterAccess& operator=(const AdapterAccess&) = delete;

  Platform& platform() const { return platform_; }
  Utility utility() const { return utility_; }

  // DriverPort: every request opens the device, issues one IOCTL_NDIS_QUERY_GLOBAL_STATS and
  // closes it again (the simulated device client keeps one connection per device underneath).
  bool QueryInformation(uint32_t oid, void* buffer, uint32_t length,
                        uint32_t* bytesReturned) override;
  bool SetInformation(uint32_t oid, const void* buffer, uint32_t length, int attempts) override;
  bool IsAdapterPresent() override;

  // Computes WindowsVersionCode from the system's version record.
  void DetectWindowsVersion();
  int WindowsVersionCode() const { return windowsVersionCode_; }
  // For tests and tools that fix the system without a version record.
  void SetWindowsVersionCode(int code) { windowsVersionCode_ = code; }

  // Frees every waiting set and stops its timer (the controller calls this when it goes).
  void DrainSetRetryQueue();
  // The retry tick of the thread timer `id`.
  void SetRetryTimerProc(TimerId id);
  const std::vector<SetInformationData>& SetRetryQueue() const { return setRetryQueue_; }

  // The adapter. Discovery writes these; everyone else reads them.
  const std::string& AdapterDevicePath() const { return adapterDevicePath_; }
  const AdapterIdentity& identity() const { return identity_; }
  void Publish(std::string devicePath, AdapterIdentity identity);
  // The controller forgets the key before it looks for an adapter that went away.
  void ClearRegistryKey() { identity_.registryKey.clear(); }
  // No adapter came back: it is no longer known to be on the USB bus.
  void ClearUsbFlag() { identity_.bus = AdapterBus::kNone; }

  // Read when the adapter becomes ready: the driver version (major in the high byte; 0 when the
  // query failed) and whether the adapter supports the 5 GHz OFDM network type.
  bool ReadDriverVersion();
  uint16_t DriverVersion() const { return driverVersion_; }
  bool ReadSupportedNetworkTypes();
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
  std::vector<SetInformationData> setRetryQueue_;
  AdapterIdentity identity_;
  uint16_t driverVersion_ = 0;
  uint32_t networkTypes_ = 0;
};

}  // namespace kavo9
