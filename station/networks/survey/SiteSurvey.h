#pragma once
// The site survey page's logic: its rows from the merged list, the page tick with its rescans and
// connected mark, which controls are enabled, and what Rescan, Connect, Add To Profile and a
// double click hand over. The window binds to it and holds no rule of its own.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "station/networks/queue/ActionQueueSeams.h"
#include "station/networks/survey/SurveyRows.h"
#include "station/networks/survey/SurveySeams.h"
#include "station/networks/survey/SurveySpeech.h"

namespace kavo9 {

inline constexpr uint32_t kSurveyTickMs = 2000;
// Ticks between two rescans while the adapter is not connected.
inline constexpr int kRescanEveryTicks = 30;

// The dBm check box, shared with the link status page; off at start unless the program's own
// settings remember it on.
bool& ShowDbm();

struct SurveyControls {
  bool RescanAndSort = false;  // Rescan, the sort radio buttons, the dBm box and their labels
  bool Connect = false;
  bool AddToProfile = false;
  bool operator==(const SurveyControls&) const = default;
};

class SiteSurvey {
 public:
  SiteSurvey(SurveyStationPort& station, DriverPort& driver, SurveyHandOverPort& handOver);

  // The page was created: rows are built at the first tick that finds no scan running.
  void OnCreate() { MarkRebuildPending(); }
  // Rows are rebuilt at the next tick that finds no scan running (also after the radio button).
  void MarkRebuildPending() { rebuildPending_ = true; }
  // Every 2 seconds.
  void OnTick();
  // Sorts the merged list and rebuilds the rows from a fresh snapshot of it.
  void RebuildRows();
  // After a list read outside the queue: rows now, controls off until the next enable pass.
  void RebuildAfterOutsideRead();
  SurveyControls EnablePass();

  // `row` is the selected row, or -1.
  void OnListClick(int row);
  void OnRescan();
  void OnSortClicked(int sortKey);
  // The order remembered from the last run, before the first rows are built.
  void RestoreSortKey(int sortKey);
  void OnConnect(int row);
  // OK of the hidden-SSID dialog; false keeps the dialog open.
  bool OnHiddenSsidOk(std::string_view text);
  void OnAddToProfile(int row);
  void OnDoubleClick(int row);

  const std::vector<SiteSurveyRow>& Rows() const { return rows_; }
  const std::vector<uint8_t>& Snapshot() const { return snapshot_; }
  // The record of a row in the snapshot (empty for a row that does not exist).
  std::span<const uint8_t> RecordOfRow(int row) const;
  int SortKey() const { return sortKey_; }
  bool RebuildPending() const { return rebuildPending_; }
  int RescanTick() const { return rescanTick_; }
  int SelectedSecured() const { return selectedSecured_; }
  const SurveyControls& Controls() const { return controls_; }
  // What the list is doing, and why Connect or Add To Profile is disabled, as the enable pass
  // last decided.
  SurveyStatus Status() const;
  SurveyBlock ConnectBlock() const { return connectBlock_; }
  SurveyBlock AddToProfileBlock() const { return addBlock_; }
  const SurveySelection& Selection() const { return selection_; }

 private:
  bool SelectRecord(int row);  // fills selection_ from the row's record; false without a row
  // Where the record of the current network starts in the snapshot, if it is there.
  std::optional<size_t> FindConnectedRecord();

  SurveyStationPort& station_;
  DriverPort& driver_;
  SurveyHandOverPort& handOver_;
  std::vector<uint8_t> snapshot_;
  std::vector<SiteSurveyRow> rows_;
  int sortKey_ = kSortBySsid;
  bool rebuildPending_ = false;
  int rescanTick_ = 0;
  int selectedSecured_ = 0;
  SurveyControls controls_;
  SurveyBlock connectBlock_ = SurveyBlock::Rebuilding;
  SurveyBlock addBlock_ = SurveyBlock::Rebuilding;
  SurveySelection selection_;
};

}  // namespace kavo9
