#pragma once
// Handing the adapter from one program to the other, through the registry and the switching
// program: the station values are kept in the adapter key's "Default" subkey while the adapter is
// an access point, the access-point values come from "ApDefault", OpMode (and the driver's
// operating mode) says which program owns the adapter, and TsSwap reloads the driver and starts
// the other program. Both programs use these steps, each in its own order.

#include <functional>
#include <string>
#include <string_view>

#include "common/adapter/DriverPort.h"
#include "common/adapter/DriverValues.h"
#include "common/platform/ProcessLauncher.h"
#include "common/platform/Registry.h"
#include "common/shell/StorePort.h"

namespace kavo9 {

// Which values of a source key a copy takes.
using ValueFilter = std::function<bool(std::string_view name)>;

// Copies the values of HKEY_LOCAL_MACHINE\`source` that `accept` takes into `destination` through
// the store (the advanced area), with the same name, type and data, whatever their size. The copy
// is whole or not at all: at the first failed write the values written so far get back what they
// held (or are removed again when they were new), and the result is false. False also when either
// key cannot be opened.
bool CopyRegistryValues(Registry& registry, StorePort& store, std::string_view source,
                        std::string_view destination, const ValueFilter& accept);

// The values the system and the hand-over own, which no copy of station values writes: the
// adapter's identity and its installation, and the operating mode (each hand-over writes it).
bool IsStationValue(std::string_view name);

// The station values: the adapter key copied into its "Default" subkey, which is created when the
// adapter has none yet (without it nothing could be restored when the adapter comes back).
bool SaveStationValues(Registry& registry, StorePort& store, std::string_view adapterKey);
// "Default" copied back into the adapter key (skipped, false, when there is no such subkey).
bool RestoreStationValues(Registry& registry, StorePort& store, std::string_view adapterKey);
// The record's own values of "ApDefault" copied into the adapter key (skipped, false, when there
// is no such subkey).
bool LoadAccessPointValues(Registry& registry, StorePort& store, std::string_view adapterKey);

// Writes OpMode ("0" or "1") into the adapter key and sets the driver's operating mode.
void SetOperatingMode(StorePort& store, DriverPort& driver, std::string_view adapterKey,
                      OpMode mode);

// The switching program's command lines: to access-point mode (with the adapter's hardware id
// prefix) and back to station mode.
std::string TsSwapCommandLine(OpMode to, std::string_view hardwareIdPrefix = {});
// Starts TsSwap minimised, not waiting for it.
void StartTsSwap(ProcessLauncher& launcher, OpMode to, std::string_view hardwareIdPrefix = {});

}  // namespace kavo9
