#pragma once
// What the "11n Setting" page shows and does, without the window: the 802.11n MAC options kept in
// `BACapability` and the driver, which controls are enabled, the driver's Block Ack sessions
// (refreshed every second while the page is shown) and adding and deleting sessions.
//
// Both programs use it. The access point loads the options from the registry once when its page
// is made and from the driver each time the page is activated; the station loads them from the
// registry each time its page is shown.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/adapter/DriverPort.h"
#include "common/platform/EventLoop.h"
#include "radio/RadioPorts.h"
#include "radio/blockack/BlockAckTable.h"
#include "radio/blockack/HtOptions.h"

namespace kavo9::radio {

struct BlockAckEnabling {
  bool modeAndDensity = false;  // the Manual/Auto radios and the density combo
  bool sessionButtons = false;  // add and delete of both sides
  bool amsduLength = false;     // the two A-MSDU length radios
};

// Why an add or delete was refused; nothing was sent.
enum class BlockAckRefusal { kNoPeer, kBadWindow };

class BlockAckPageModel {
 public:
  BlockAckPageModel(DriverPort& driver, RadioStorePort& store, EventLoop& loop);
  ~BlockAckPageModel();
  BlockAckPageModel(const BlockAckPageModel&) = delete;
  BlockAckPageModel& operator=(const BlockAckPageModel&) = delete;

  // The options from `BACapability` (unchanged when it cannot be read), then sent to the driver.
  void LoadFromRegistry();
  // The options as the driver reports them (unchanged when the query fails).
  void LoadFromDriver();
  // The page is shown or hidden: the session refresh runs only while it is shown.
  void Shown();
  void Hidden();
  // Forgets the listed sessions.
  void ClearSessions() { sessions_ = {}; }

  HtOptionsState& state() { return state_; }
  const HtOptionsState& state() const { return state_; }
  BlockAckEnabling Enabling() const;

  // Sends the options, stores them in `BACapability`.
  void Apply();

  // Queries the session table now; true when the lists changed. A failed query keeps them.
  bool RefreshSessions();
  const BlockAckSessions& sessions() const { return sessions_; }
  // Called after each refresh that changed the lists.
  void SetSessionsChanged(std::function<void()> changed) { changed_ = std::move(changed); }

  // The peers the add dialog offers: the driver's station table, with `first` (the network the
  // station is associated with) moved to the top when it is among them.
  std::vector<MacBytes> StationTablePeers(const std::optional<MacBytes>& first = std::nullopt);

  // Adds or deletes a session; nullopt when the request was sent.
  std::optional<BlockAckRefusal> AddSession(BaSide side, const std::optional<MacBytes>& peer,
                                            int tid, std::string_view windowText);
  std::optional<BlockAckRefusal> DeleteSession(BaSide side, const std::optional<MacBytes>& peer,
                                               int tid, bool allTids);

 private:
  void SendOptions();

  DriverPort& driver_;
  RadioStorePort& store_;
  std::unique_ptr<WindowTimers> timers_;
  HtOptionsState state_;
  BlockAckSessions sessions_;
  std::function<void()> changed_;
};

}  // namespace kavo9::radio
