#pragma once
// What the link status panel reads from the rest of the station besides the driver: the
// process-wide switches and flags, the language texts, the system's adapter table and the site
// survey's connected row.

#include <string>
#include <vector>

#include "common/platform/IpHelper.h"
#include "station/shell/LangKeys.h"

namespace kavo9::link {

class LinkStationPort {
 public:
  virtual ~LinkStationPort() = default;
  // The site survey's dBm box.
  virtual bool ShowDbm() const = 0;
  virtual int ChipKind() const = 0;
  virtual bool IsHtFamily() const = 0;
  // The current wireless mode (0 to 9).
  virtual int WirelessMode() const = 0;
  // The radio-on flag and the key-error flag the controller keeps.
  virtual bool RadioOn() const = 0;
  virtual bool KeyError() const = 0;
  virtual std::string Text(LangKey key) const = 0;
  // The system's adapter table (GetAdaptersInfo); false when it cannot be read.
  virtual bool AdaptersInfo(std::vector<IpAdapterInfo>* adapters) = 0;
  // Whether the site survey page exists and its first connected row is an 802.11n network.
  virtual bool ConnectedRowIsHt() const = 0;
};

}  // namespace kavo9::link
