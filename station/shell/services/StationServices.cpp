#include "station/shell/services/StationServices.h"

#include "common/adapter/RequestCatalogue.h"
#include "station/dot1x/sso/SsoRules.h"

namespace kavo9 {

bool StationServices::SsoInstalled() const {
  return sso::SsoInstalled(*p_.platform.registry, p_.state.configToolState,
                           p_.state.MaySetProfiles(p_.settings));
}

uint16_t StationServices::DefaultLanguageId() const {
  return p_.platform.system->DefaultLanguageId();
}

std::filesystem::path StationServices::ProgramDir() const {
  return p_.platform.paths->ProgramDir();
}

void StationServices::SendRadioRequest(bool on) {
  SetValue32(p_.driver, OID_VND_RADIO, on ? 1 : 0);
}

void StationServices::WriteRadioValue(std::string_view value) {
  const std::string& key = p_.adapter.Identity().registryKey;
  if (!key.empty()) StoreText(p_.store, key, "Radio", value);
}

void StationServices::SetSurveyRebuildPending() {
  if (surveyRebuild_) surveyRebuild_();
}

}  // namespace kavo9
