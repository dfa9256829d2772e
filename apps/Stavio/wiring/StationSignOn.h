#pragma once
// Single sign-on's APPLY joins through the connector.

#include "station/dot1x/sso/SsoPage.h"
#include "station/networks/connect/Connector.h"

namespace kavo9 {

class StationSignOn : public sso::SsoActivationPort {
 public:
  explicit StationSignOn(connect::Connector& connector) : connector_(connector) {}
  void ActivateForSignOn(std::string_view name) override { connector_.ActivateForSignOn(name); }

 private:
  connect::Connector& connector_;
};

}  // namespace kavo9
