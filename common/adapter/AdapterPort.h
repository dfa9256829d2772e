#pragma once
// The adapter apart from its requests, as a controller's life cycle sees it: the process's
// Windows version, discovery and what it found, the facts read when the adapter becomes ready,
// and the retry queue to drain at the end. Requests go through DriverPort.

#include <cstdint>
#include <filesystem>

#include "common/adapter/AdapterIdentity.h"

namespace kavo9 {

class AdapterPort {
 public:
  virtual ~AdapterPort() = default;

  // Computes the process's WindowsVersionCode from the system's version record.
  virtual void DetectWindowsVersion() = 0;
  virtual int WindowsVersionCode() const = 0;

  // Reads the extra adapter lists of the program's settings file (once, at start; a missing file
  // lists nothing and the built-in tables apply).
  virtual void LoadIniDeviceLists(const std::filesystem::path& settingsFile) = 0;
  // Looks for the adapter (the user may be asked to choose) and publishes what it found. True
  // when a supported adapter whose device opens is present.
  virtual bool DiscoverAdapter() = 0;
  // What discovery found; written by discovery only.
  virtual const AdapterIdentity& Identity() const = 0;
  // The controller forgets the key before it looks for an adapter that went away, and the USB
  // flag when none came back.
  virtual void ClearRegistryKey() = 0;
  virtual void ClearUsbFlag() = 0;

  // Read when the adapter becomes ready: the network types the driver supports (bit n for type n)
  // and its version (major in the high byte; 0 when the query failed).
  virtual void ReadSupportedNetworkTypes() = 0;
  virtual uint32_t NetworkTypesPresent() const = 0;
  bool Supports5GHz() const;
  virtual void ReadDriverVersion() = 0;
  virtual uint16_t DriverVersion() const = 0;

  // Frees every waiting set and stops its timer (the controller calls this when it goes).
  virtual void DrainSetRetryQueue() = 0;
};

}  // namespace kavo9
