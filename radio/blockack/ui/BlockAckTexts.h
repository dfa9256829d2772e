#pragma once
// The texts and hand-overs of the "11n Setting" page and its two dialogs, filled by each program
// from its own texts (the station's language file, the access point's string table).

#include <QString>
#include <functional>
#include <optional>

#include "radio/vocabulary/MacAddress.h"

namespace kavo9 {

struct BlockAckTexts {
  QString title, amsduGroup, smpsGroup, originator, recipient;
  QString amsduEnable, mpdu, max3839, max7935, smEnable, staticSmps, dynamicSmps;
  QString manual, automatic, density, apply;
  QString add, remove, removeAll;  // the session buttons
  QString macColumn;
  QString addCaption, deleteCaption, tid, window, availableBssids, bssidColumn, ok, cancel;
  QString noPeer, badOriginatorWindow, badRecipientWindow;
};

enum class BlockAckFlavour {
  kStation,      // loads from the registry each time it is shown; no 7935 length, no recipient add
  kAccessPoint,  // loads from the registry once, from the driver each time it is shown
};

struct BlockAckHooks {
  // The program's message dialog.
  std::function<void(const QString&)> showMessage;
  // The network the station is associated with, listed first by the add dialog.
  std::function<std::optional<radio::MacBytes>()> associatedBssid;
};

}  // namespace kavo9
