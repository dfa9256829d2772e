#pragma once
// The adapter's life cycle as the controller runs it: the adapter-ready routine when one is found
// (at start and after a loss), the check at every tick that it is still there, and the search for
// it again when it went away.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "station/shell/controller/ConfigTool.h"
#include "station/shell/controller/ControllerContext.h"

namespace kavo9 {

inline constexpr size_t kScanBufferBytes = 64 * 1024;

class AdapterLifecycle {
 public:
  struct Window {
    std::function<void()> open;   // the main window, as the open command does it
    std::function<void()> close;  // closes the main window when it is open
  };
  AdapterLifecycle(ControllerContext& context, ConfigTool& configTool, Window window)
      : c_(context), configTool_(configTool), window_(std::move(window)) {}

  // Three zeroed scan buffers the controller and the site survey share.
  void AllocateScanBuffers();
  void FreeScanBuffers();
  std::vector<uint8_t>& scanBuffer(size_t index) { return scanBuffers_[index]; }

  // Looks for the adapter and keeps the result as the adapter-available flag.
  void Discover();
  void OnAdapterReady(bool openMainWindow);
  // Start of every tick: false when the adapter is gone (and was not found again), so the tick
  // ends.
  bool CheckAdapter();
  // Mirrors the settings switch TGnWiFiTest into the adapter value TGnWifiTest (802.11n adapters).
  void ApplyTGnWiFiTest();

 private:
  bool HandleAdapterLoss();
  void ApplyInstallerTxBurstChoice();
  void ForceStationMode();
  void ReadScanListDirectly();

  ControllerContext& c_;
  ConfigTool& configTool_;
  Window window_;
  bool adapterWasMissing_ = false;
  // The TGnWifiTest value (0 or 1, -1 unknown) as last read or written, at this registry stamp.
  int tgnKnown_ = -1;
  uint64_t tgnStamp_ = 0;
  std::array<std::vector<uint8_t>, 3> scanBuffers_;
};

}  // namespace kavo9
