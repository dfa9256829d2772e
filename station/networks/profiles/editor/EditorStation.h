#pragma once
// The station as the profile editor reads it: the networks in range, the adapter's power-saving
// value, the driver's ad hoc code and the channels the radio settings allow.

#include "common/adapter/AdapterPort.h"
#include "common/adapter/DriverPort.h"
#include "common/platform/Registry.h"
#include "radio/RadioState.h"
#include "station/networks/profiles/editor/ProfileEditor.h"
#include "station/networks/survey/SurveySeams.h"

namespace kavo9::profileeditor {

class EditorStation : public EditorStationPort {
 public:
  EditorStation(SurveyStationPort& survey, Registry& registry, const AdapterPort& adapter,
                DriverPort& driver, const radio::RadioState& radio)
      : survey_(survey), registry_(registry), adapter_(adapter), driver_(driver), radio_(radio) {}

  std::vector<std::string> SurveySsids() override;
  int AdapterPowerSave() override;
  int QueryAdhocCode() override;
  std::vector<int> AdhocChannels(int adhocCode) override;
  bool SupplicantAvailable() const override { return survey_.SupplicantAvailable(); }
  int WindowsVersionCode() const override { return adapter_.WindowsVersionCode(); }

 private:
  SurveyStationPort& survey_;
  Registry& registry_;
  const AdapterPort& adapter_;
  DriverPort& driver_;
  const radio::RadioState& radio_;
};

}  // namespace kavo9::profileeditor
