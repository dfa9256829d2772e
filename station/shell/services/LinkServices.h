#pragma once
// What the link status panel reads from the station: the dBm switch, the adapter's chip and
// family, the current wireless mode, the radio-on and key-error flags, the language texts, the
// system's adapter table and the site survey's connected row. Qt-free; the window gets it as its
// LinkStationPort.

#include <functional>
#include <vector>

#include "common/adapter/AdapterPort.h"
#include "common/platform/Platform.h"
#include "radio/RadioState.h"
#include "station/networks/link/LinkPorts.h"
#include "station/networks/survey/SurveyRows.h"
#include "station/shell/controller/StationLanguage.h"
#include "station/shell/controller/StationState.h"

namespace kavo9 {

struct LinkServicesParts {
  Platform& platform;
  const AdapterPort& adapter;
  const StationLanguage& language;
  const StationState& state;
  const radio::RadioState& radio;
};

// Whether the first row marked connected is an 802.11n network (false without one).
bool FirstConnectedRowIsHt(const std::vector<SiteSurveyRow>& rows);

class LinkServices : public link::LinkStationPort {
 public:
  explicit LinkServices(const LinkServicesParts& parts) : p_(parts) {}

  // The site survey page's rows, while the page exists (null otherwise).
  using SurveyRowsSource = std::function<const std::vector<SiteSurveyRow>*()>;
  void SetSurveyRows(SurveyRowsSource rows) { surveyRows_ = std::move(rows); }

  bool ShowDbm() const override;
  int ChipKind() const override { return p_.adapter.Identity().chipKind; }
  bool IsHtFamily() const override { return p_.adapter.Identity().isHtFamily; }
  int WirelessMode() const override { return p_.radio.wirelessMode; }
  bool RadioOn() const override { return p_.state.radioOn; }
  bool KeyError() const override { return p_.state.keyError; }
  std::string Text(LangKey key) const override { return p_.language.language().Text(key); }
  bool AdaptersInfo(std::vector<IpAdapterInfo>* adapters) override;
  bool ConnectedRowIsHt() const override;

 private:
  LinkServicesParts p_;
  SurveyRowsSource surveyRows_;
};

}  // namespace kavo9
