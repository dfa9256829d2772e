#pragma once
// The rows of the networks-in-range list: one per record of a snapshot of the merged list, each
// decoded once when the rows are built, and the three orders the user can sort the list in.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "station/networks/BssMerge.h"

namespace kavo9 {

struct SiteSurveyRow {
  int Connected = 0;
  int InfraMode = 0;
  std::string Ssid;
  int NetworkType = 0;
  std::string Channel;  // decimal, empty when the frequency has no channel
  int Secured = 0;
  int Wps = 0;
  int Ht = 0;
  int Rssi = 0;  // the driver's dBm
  int OfdmBasic = 0;
  // The security in words, for the row's tooltip and what a screen reader says: the
  // authentication and cipher texts of the security summary ("WEP" for a private network without
  // suites) and the BSSID as "00-1D-5A-30-70-01".
  std::string Authentication;
  std::string Cipher;
  std::string BssidText;
  // Where the row's record starts in the snapshot, and its BSSID (to find the row again).
  size_t RecordOffset = 0;
  uint64_t Bssid = 0;

  bool operator==(const SiteSurveyRow&) const = default;
};

enum SortKey : int { kSortBySsid = 0, kSortByChannel = 1, kSortBySignal = 2 };

// Sorts the list in place, stably, moving each record's time stamp with it: by SSID ascending
// without regard to case, by channel ascending, or by signal (the driver's RSSI) descending.
void SortBssList(MergedBssList& list, int sortKey);

// One row per record of `snapshot` that holds its whole element area, in order.
std::vector<SiteSurveyRow> BuildRows(std::span<const uint8_t> snapshot);

// Case-insensitive comparison of two SSIDs (ASCII letters fold to lower case).
int CompareSsidNoCase(std::span<const uint8_t> a, std::span<const uint8_t> b);

}  // namespace kavo9
