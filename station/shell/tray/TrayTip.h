#pragma once
// The tray icon's states and the tooltip text each one shows.

#include <cstdint>
#include <string>
#include <string_view>

#include "station/shell/tray/TextLookup.h"

namespace kavo9 {

// Each state is shown by the icon resource of the same number.
enum class TrayState : uint32_t {
  Good = 131,          // connected, signal above 70 %
  Normal = 159,        // connected, signal 41 % to 70 %
  Weak = 160,          // connected, signal 40 % or less
  KeyError = 162,      // connected, but the WEP key looks wrong
  NotConnected = 132,  // adapter present, not connected
  NoAdapter = 161,
  RadioOff = 273,  // adapter present, its radio switched off (the radio button's off icon)
};

inline constexpr uint32_t IconOf(TrayState state) {
  return static_cast<uint32_t>(state);
}

// The connected state for a signal percentage, or the key-error state when one is suspected.
TrayState SignalTrayState(int signalPercent, bool keyError);

// The longest tip the shell keeps, in characters.
inline constexpr size_t kMaxTipLength = 127;

// `format` with its first "%s" replaced by `argument` and "%%" read as "%"; any other "%"
// sequence stays as it is, so a language text can never make the formatting read past its
// argument.
std::string FormatWithString(std::string_view format, std::string_view argument);

// Makes `text` safe to hand to the shell as a tip: every "%" doubled and every "&" turned into
// "&&&", then read as a format without arguments (which halves the "%%" again), then cut to
// kMaxTipLength characters without splitting a character. The user reads the original text.
std::string MakeTipText(std::string_view text);

// What the tray says when the main window closed because the adapter went away.
std::string AdapterRemovedNotice(const TextLookup& texts);

// The tip of `state`: its language text, formatted with `ssid` (connected states) or with the
// key-error text, made safe with MakeTipText.
std::string TrayTipText(TrayState state, const TextLookup& texts, std::string_view ssid);

}  // namespace kavo9
