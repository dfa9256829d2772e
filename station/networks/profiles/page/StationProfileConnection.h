#pragma once
// Connecting as the profile page uses it, over the connector and Wi-Fi Protected Setup.

#include "station/networks/connect/ConnectSeams.h"
#include "station/networks/connect/Connector.h"
#include "station/networks/profiles/page/ProfilePage.h"

namespace kavo9::profilepage {

class StationProfileConnection : public ProfileConnectionPort {
 public:
  StationProfileConnection(connect::Connector& connector, connect::ConnectWpsPort& wps)
      : connector_(connector), wps_(wps) {}

  bool ProfileMode() const override { return connector_.ProfileMode(); }
  std::optional<uint32_t> LastRecordInfraMode() const override {
    const auto& record = connector_.LastRecord();
    return record ? std::optional<uint32_t>(record->InfraMode) : std::nullopt;
  }
  bool ActivateProfile(const std::vector<profiles::ProfileRow>& rows, int selected) override {
    return connector_.ActivateProfile(rows, selected);
  }
  void ReleaseActiveProfile(bool reconnect) override { connector_.ReleaseActiveProfile(reconnect); }
  bool WpsInUse() const override { return wps_.InUse(); }

 private:
  connect::Connector& connector_;
  connect::ConnectWpsPort& wps_;
};

}  // namespace kavo9::profilepage
