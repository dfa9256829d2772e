#pragma once
// Import Profile: one credential becomes a station profile through the profile editor, unseen —
// a new profile with the credential's SSID, its authentication and encryption, and its key, kept
// by the editor's OK with the checks it makes for a person.

#include "station/networks/profiles/editor/ProfileEditor.h"
#include "station/wps/WpsCredential.h"

namespace kavo9::wpspage {

profileeditor::OkResult ImportCredential(profileeditor::ProfileEditor& editor,
                                         const wps::WpsCredential& credential);

}  // namespace kavo9::wpspage
