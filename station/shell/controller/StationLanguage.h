#pragma once
// The station's language texts behind the controller's LanguagePort: the language file of the
// system's language (or the English fallback) beside the program.

#include "common/platform/Paths.h"
#include "common/platform/SystemInfo.h"
#include "station/shell/Language.h"
#include "station/shell/controller/ControllerPorts.h"

namespace kavo9 {

class StationLanguage : public LanguagePort {
 public:
  StationLanguage(const Paths& paths, const SystemInfo& system) : paths_(paths), system_(system) {}
  void LoadLanguage() override { language_.LoadLanguage(paths_, system_); }
  // The text of a key by its name ("IDS_OK"); empty for a name the language has no key of.
  std::string Text(std::string_view key) const override;
  const Language& language() const { return language_; }

 private:
  const Paths& paths_;
  const SystemInfo& system_;
  Language language_;
};

}  // namespace kavo9
