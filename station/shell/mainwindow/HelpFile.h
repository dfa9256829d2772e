#pragma once
// The help documents beside the executable, one per language.

#include <cstdint>
#include <filesystem>
#include <string>

#include "common/platform/ProcessLauncher.h"

namespace kavo9 {

// "TSCONFIGCHN.html" for systems whose default language is Chinese (Taiwan), "TSCONFIGENG.html"
// for all others.
std::string HelpFileName(uint16_t languageId);

// Opens the help document of `languageId` from `programDir` with the desktop's handler. False
// when nothing opened it (no document viewer, or no document): the caller tells the user.
bool OpenHelp(ProcessLauncher& launcher, const std::filesystem::path& programDir,
              uint16_t languageId);

// What the user is told when the help document could not be opened.
std::string HelpNotOpenedMessage(const std::filesystem::path& programDir, uint16_t languageId);

}  // namespace kavo9
