#pragma once
// The station's side of the EAP answers: the settings switch of EAP-FAST's enhanced method, the
// current profile, where credentials and PAC paths are written (under the adapter key and under
// the current profile's key "Profile\Station\<CurProfile>", through the parameter store's
// profile area), and where default PAC files live (the program's directory).

#include "common/platform/Paths.h"
#include "common/shell/SettingsFile.h"
#include "common/shell/StorePort.h"
#include "station/dot1x/supplicant/SupplicantBinding.h"
#include "station/networks/profiles/ProfileStore.h"

namespace kavo9::dot1x {

// Writes `text` as `name` under the adapter key and, with `profileToo` and a current profile,
// under that profile's key. Nothing is written without an adapter key.
void WriteCredentialText(StorePort& store, const profiles::ProfileStore& profiles,
                         std::string_view name, std::string_view text, bool profileToo);

// Everything it reads stays owned by the caller and must outlive the binding's use of it.
Dot1xEnvironment StationDot1xEnvironment(const SettingsFile& settings, StorePort& store,
                                         const profiles::ProfileStore& profiles,
                                         const Paths& paths);

}  // namespace kavo9::dot1x
