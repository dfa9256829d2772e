#pragma once
// What the station's WMM page shows and does, without the window: the WMM, power-save (APSD) and
// direct-link (DLS) switches with their registry values and driver requests, the status texts,
// which controls are enabled, the direct-link list and its Setup and Tear Down. Changes the access
// point must learn about make the adapter associate again with the same network.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"
#include "common/shell/TextPort.h"
#include "radio/RadioPorts.h"
#include "radio/vocabulary/MacAddress.h"

namespace kavo9::radio {

// What the page asks of the rest of the station.
class WmmPageHost {
 public:
  virtual ~WmmPageHost() = default;
  // Sends the CCX control word again (after an association).
  virtual void RefreshCcxControl() = 0;
  // The radio is on and the site survey page exists: it scans again.
  virtual bool RadioOn() = 0;
  virtual void PressSiteSurveyRescan() = 0;
};

// The access categories in the order of their bits (1 to 4) and of the status text.
enum WmmAccessCategory { kAcBe = 0, kAcBk = 1, kAcVi = 2, kAcVo = 3 };
inline constexpr int kAccessCategoryCount = 4;

struct WmmValues {
  bool wmm = false;
  bool apsd = false;
  std::array<bool, kAccessCategoryCount> ac{};
  bool dls = false;
  std::array<std::string, 6> mac;  // the six address fields
  std::string timeout = "60";
};

struct WmmEnabling {
  bool powerSaveLabel = false;
  bool dlsCheck = false;
  bool accessCategories = false;
  bool directLinks = false;  // list, address and time-out fields, Setup, Tear Down
};

struct DirectLinkRow {
  MacBytes peer{};
  uint16_t timeout = 0;
  bool operator==(const DirectLinkRow&) const = default;
};

inline constexpr uint32_t kDlsEntrySize = 12, kDlsTableSize = 4 * kDlsEntrySize;
inline constexpr uint8_t kDlsLinkUp = 2;
// The entries of a table that are in use with their link up. A short reply yields what it holds.
std::vector<DirectLinkRow> DecodeDirectLinks(std::span<const uint8_t> table);

class WmmPageModel {
 public:
  WmmPageModel(DriverPort& driver, RadioStorePort& store, const TextPort& texts, WmmPageHost& host,
               EventLoop& loop);
  ~WmmPageModel();
  WmmPageModel(const WmmPageModel&) = delete;
  WmmPageModel& operator=(const WmmPageModel&) = delete;

  // Showing reads the switches and starts the list refresh; hiding stops it.
  void Shown();
  void Hidden();

  WmmValues& values() { return values_; }
  WmmEnabling Enabling() const;
  std::string WmmStatus() const;
  std::string PowerSaveStatus() const;
  std::string DirectLinkStatus() const;

  // A switch changed in values(): stores it, sends it and associates again where it must.
  void OnWmmChanged();
  void OnApsdChanged();
  void OnAccessCategoryChanged();
  void OnDlsChanged();

  // Nullopt when the request was sent, else the language key of the message.
  std::optional<std::string_view> Setup();
  std::optional<std::string_view> TearDown();
  void SelectRow(int row);
  // Also copies the row's address and time-out into the fields.
  void ActivateRow(int row);

  const std::vector<DirectLinkRow>& links() const { return links_; }
  // Queries the table now; true when the list changed.
  bool RefreshLinks();
  // Called after each refresh that changed the list.
  void SetLinksChanged(std::function<void()> changed) { changed_ = std::move(changed); }

 private:
  uint32_t QueryApsd();
  void Reassociate();
  void WriteSwitch(std::string_view name, bool on);

  DriverPort& driver_;
  RadioStorePort& store_;
  const TextPort& texts_;
  WmmPageHost& host_;
  std::unique_ptr<WindowTimers> timers_;
  WmmValues values_;
  std::vector<DirectLinkRow> links_;
  std::optional<MacBytes> selected_;
  std::function<void()> changed_;
};

}  // namespace kavo9::radio
