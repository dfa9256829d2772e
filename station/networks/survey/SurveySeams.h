#pragma once
// What the site survey page reads from the station and what it hands over to the pieces that
// connect, edit security settings and profiles, and show an access point's details.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "station/networks/BssMerge.h"
#include "station/networks/survey/SurveySelection.h"
#include "station/shell/LangKeys.h"

namespace kavo9 {

// The station's state as the page needs it; the controller fills it.
class SurveyStationPort {
 public:
  virtual ~SurveyStationPort() = default;
  virtual bool ScanPending() const = 0;
  virtual void RequestScan() = 0;
  // The merged list; the page sorts it in place when it rebuilds its rows.
  virtual MergedBssList& Merged() = 0;
  virtual bool RadioOn() const = 0;
  // 2 while the Windows wireless service manages the adapter.
  virtual int ConfigToolState() const = 0;
  virtual bool SupplicantAvailable() const = 0;
  // An administrator, or standard users may set profiles.
  virtual bool MaySetProfiles() const = 0;
  // The BSSID the controller's tick last read.
  virtual std::array<uint8_t, 6> CurrentBssid() const = 0;
  // The current connection was made through a profile, and that profile's SSID.
  virtual bool ConnectedThroughProfile() const = 0;
  virtual std::string ActiveProfileSsid() const = 0;
};

class SurveyHandOverPort {
 public:
  virtual ~SurveyHandOverPort() = default;
  // The program's message box with a language text.
  virtual void ShowMessage(LangKey key) = 0;
  // The password panel of an 802.1X exchange, closed before a new connect.
  virtual void ClosePeapDialog() = 0;
  // The next connection is not made through a profile.
  virtual void MarkNotThroughProfile() = 0;
  // Panel 1: asks for the name of a hidden network; its OK comes back to the page.
  virtual void ShowHiddenSsidDialog() = 0;
  // Panel 3: collects keys or 802.1X settings, then completes the connection itself.
  virtual void ShowSecurityEditor(const SurveySelection& selection) = 0;
  // Fills a connect record from the selection (open authentication, encryption disabled to
  // start with) and queues it.
  virtual void CompleteConnection(const SurveySelection& selection) = 0;
  // Panel 2: the profile editor with a new profile taken from the selection.
  virtual void OpenProfileEditor(const SurveySelection& selection) = 0;
  // Panel 4: the access point's details (hidden first when showing, then shown).
  virtual void ShowApDetail(std::span<const uint8_t> record) = 0;
};

}  // namespace kavo9
