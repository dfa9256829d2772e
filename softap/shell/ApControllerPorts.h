#pragma once
// The soft-AP utility's parts as its controller reaches them. The wiring gives each a reference;
// the parts of later pages are explicit null classes of the wiring (apps/Hostira/wiring).

#include <cstdint>
#include <string_view>

namespace kavo9::softap {

// The property sheet, created and destroyed on demand by the controller.
class SheetPort {
 public:
  virtual ~SheetPort() = default;
  virtual bool IsOpen() const = 0;
  // Creates the sheet modeless (a new one each time), fits it to its buttons and brings it up.
  virtual void Create() = 0;
  virtual void BringToForeground() = 0;
  // Closes and deletes the sheet (nothing when there is none).
  virtual void Close() = 0;
  virtual void SetIcon(uint32_t icon) = 0;
  // Adds the 802.11n page at the end when it should be shown and is missing, removes it when it
  // should not be shown and is there.
  virtual void UpdateHtPage(bool show) = 0;
  // The cipher was corrected while applying: the pages show the settled values.
  virtual void RecheckPages() = 0;
};

// The program's modal message box.
class ApMessagePort {
 public:
  virtual ~ApMessagePort() = default;
  // Returns when the user closed it.
  virtual void ShowMessage(std::string_view text, bool error) = 0;
};

// Internet connection sharing's DHCP server (the ICSDHCP library).
class ConnectionSharingPort {
 public:
  virtual ~ConnectionSharingPort() = default;
  // Loads the library and finds its two entry points; without them the calls do nothing.
  virtual void Load() = 0;
  virtual bool Available() const = 0;
  virtual void Enable() = 0;
  // Stops the server and releases the library.
  virtual void DisableAndRelease() = 0;
};

// The driver's event log (its page keeps what it fetched).
class ApEventLogPort {
 public:
  virtual ~ApEventLogPort() = default;
  virtual void ResetDisplayCount() = 0;
  virtual void FetchNew() = 0;
};

}  // namespace kavo9::softap
