#pragma once
// Photographs the running station utility's windows into a folder, once the adapter is ready and
// the first scan has come back, then ends the program. Used on machines without a display (the
// demo) and to refresh the pictures in docs/.

#include <QString>

namespace kavo9 {

class StationApp;

// Starts waiting; the program ends with 0 when every picture was written, 1 otherwise.
void TakeScreenshotsWhenReady(StationApp& station, const QString& folder);

}  // namespace kavo9
