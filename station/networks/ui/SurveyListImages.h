#pragma once
// The ten images of the network lists (ad hoc, infrastructure, a, b, g, key, connected, not
// connected, WPS, n), looked up in one place.

#include <QIcon>

namespace kavo9 {

// Image `index` (0 to 9); a null icon for any other index.
QIcon SurveyListImage(int index);

}  // namespace kavo9
