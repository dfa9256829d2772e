#pragma once
// The process-wide WPS state: what the WPS page, the controller's WPS timers and a connect share.
// One instance, owned by the WPS part; the page re-reads it.

#include <array>
#include <cstdint>

#include "station/wps/WpsCredential.h"

namespace kavo9::wps {

enum class ConfigMode : uint32_t { kEnrollee = 0, kRegistrar = 1 };
enum class RunMode : int { kNone = 0, kPin = 1, kPbc = 2 };
// Which access points the WPS list shows.
enum BandPreference : uint32_t { kBand24Only = 0, kBand5Only = 1, kBandAll = 2 };
inline constexpr uint32_t kDefaultChannel = 1;

struct WpsState {
  bool WscInUse = false;  // a WPS credential, not a station profile, is the active connection
  ConfigMode Mode = ConfigMode::kEnrollee;
  uint32_t PinCode = 0;
  uint32_t Band = kBandAll;
  RunMode Run = RunMode::kNone;
  bool RunCompleted = false;
  bool Rotate = false;  // connection attempts walk through the credentials in turn
  uint32_t SelectedCredential = 0;
  uint32_t RotationIndex = 0;
  int AutoApIndex = -1;
  std::array<uint8_t, 6> Bssid{};
  uint32_t Channel = kDefaultChannel;
  WpsCredentialTable Table;

  bool Registrar() const { return Mode == ConfigMode::kRegistrar; }
  // Empties the table and forgets the last WPS network.
  void ClearCredentials() {
    Table.Clear();
    Bssid = {};
    Channel = kDefaultChannel;
  }
};

}  // namespace kavo9::wps
