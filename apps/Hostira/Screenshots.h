#pragma once
// Hostira --screenshots DIR: the sheet's pages photographed once the access point runs, in
// English and in Simplified Chinese, then the program ends.

#include <QString>

namespace kavo9::softap {

class HostiraApp;

void TakeScreenshotsWhenReady(HostiraApp& app, const QString& folder);

}  // namespace kavo9::softap
