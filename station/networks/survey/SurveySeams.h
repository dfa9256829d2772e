#pragma once
// What the site survey page reads from the station and what it hands over to the pieces that
// connect, edit security settings and profiles, and show an access point's details. The
// hand-over's defaults do nothing until those pieces fill them.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "station/networks/BssMerge.h"
#include "station/shell/LangKeys.h"

namespace kavo9 {

// The station's state as the page needs it; the controller fills it.
class SurveyStation {
 public:
  virtual ~SurveyStation() = default;
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

// The network chosen for Connect or Add To Profile, as the next step reads it.
struct SurveySelection {
  std::vector<uint8_t> Record;  // a copy of the whole NDIS_WLAN_BSSID_EX record
  std::string Authentication;   // the part of the security summary before ";"
  std::string Cipher;           // the part after it
  bool Secured = false;
  int SecurityClass = 0;
  bool HiddenSsidPath = false;  // the SSID was asked for
  std::string HiddenSsid;       // up to 32 bytes, trimmed
};

class SurveyHandOver {
 public:
  virtual ~SurveyHandOver() = default;
  // The program's message box with a language text.
  virtual void ShowMessage(LangKey key) { (void)key; }
  // The password panel of an 802.1X exchange, closed before a new connect.
  virtual void ClosePeapDialog() {}
  // The next connection is not made through a profile.
  virtual void MarkNotThroughProfile() {}
  // Panel 1: asks for the name of a hidden network; its OK comes back to the page.
  virtual void ShowHiddenSsidDialog() {}
  // Panel 3: collects keys or 802.1X settings, then completes the connection itself.
  virtual void ShowSecurityEditor(const SurveySelection& selection) { (void)selection; }
  // Fills a connect record from the selection (open authentication, encryption disabled to
  // start with) and queues it.
  virtual void CompleteConnection(const SurveySelection& selection) { (void)selection; }
  // Panel 2: the profile editor with a new profile taken from the selection.
  virtual void OpenProfileEditor(const SurveySelection& selection) { (void)selection; }
  // Panel 4: the access point's details (hidden first when showing, then shown).
  virtual void ShowApDetail(std::span<const uint8_t> record) { (void)record; }
};

}  // namespace kavo9
