#pragma once
// What the main window needs from the rest of the station utility: texts, the adapter's and the
// user's situation, the settings switches, and the commands of its own buttons.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/platform/ProcessLauncher.h"
#include "station/shell/mainwindow/RadioButton.h"

namespace kavo9 {

class MainWindowHost : public virtual RadioHost {
 public:
  // The language text of `key` ("IDS_OK"); empty when the language file lacks it.
  virtual std::string Text(std::string_view key) const = 0;
  // The language file's font face for the windows.
  virtual std::string FontFaceName() const = 0;
  virtual bool SsoInstalled() const = 0;
  // Settings switch "11n Setting" of section "Page".
  virtual bool Setting11n() const = 0;
  // The settings switch that gives the register diagnostics a page-bar button.
  virtual bool RegisterSetting() const = 0;
  virtual bool IsHtFamily() const = 0;
  virtual uint16_t DefaultLanguageId() const = 0;
  virtual std::filesystem::path ProgramDir() const = 0;
  virtual ProcessLauncher& Launcher() = 0;
};

}  // namespace kavo9
