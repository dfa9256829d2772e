#include "station/shell/services/LinkServices.h"

#include "station/networks/survey/SiteSurvey.h"

namespace kavo9 {

bool FirstConnectedRowIsHt(const std::vector<SiteSurveyRow>& rows) {
  for (const SiteSurveyRow& row : rows) {
    if (row.Connected == 1) return row.Ht == 1;
  }
  return false;
}

bool LinkServices::ShowDbm() const {
  return kavo9::ShowDbm();
}

bool LinkServices::AdaptersInfo(std::vector<IpAdapterInfo>* adapters) {
  return p_.platform.ipHelper && p_.platform.ipHelper->GetAdaptersInfo(adapters);
}

bool LinkServices::ConnectedRowIsHt() const {
  const std::vector<SiteSurveyRow>* rows = surveyRows_ ? surveyRows_() : nullptr;
  return rows && FirstConnectedRowIsHt(*rows);
}

}  // namespace kavo9
