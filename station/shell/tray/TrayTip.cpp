#include "station/shell/tray/TrayTip.h"

namespace kavo9 {

TrayState SignalTrayState(int signalPercent, bool keyError) {
  if (keyError) return TrayState::KeyError;
  if (signalPercent > 70) return TrayState::Good;
  if (signalPercent > 40) return TrayState::Normal;
  return TrayState::Weak;
}

std::string FormatWithString(std::string_view format, std::string_view argument) {
  std::string out;
  bool substituted = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      char next = format[i + 1];
      if (next == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (next == 's' && !substituted) {
        out += argument;
        substituted = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

namespace {

// Reads `text` as a format with no arguments: "%%" becomes "%", everything else stays.
std::string FormatWithoutArguments(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    out += text[i];
    if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
  }
  return out;
}

// The first `maxChars` UTF-8 characters of `text`. A byte that does not start a valid sequence
// counts as one character, so a broken name is cut like any other.
std::string CutCharacters(std::string_view text, size_t maxChars) {
  size_t pos = 0;
  for (size_t chars = 0; chars < maxChars && pos < text.size(); ++chars) {
    auto lead = static_cast<unsigned char>(text[pos]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    size_t valid = 1;
    while (valid < length && pos + valid < text.size() &&
           (static_cast<unsigned char>(text[pos + valid]) & 0xC0) == 0x80) {
      ++valid;
    }
    pos += valid == length ? length : 1;
  }
  return std::string(text.substr(0, pos));
}

}  // namespace

std::string MakeTipText(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '%') {
      escaped += "%%";
    } else if (c == '&') {
      escaped += "&&&";
    } else {
      escaped += c;
    }
  }
  return CutCharacters(FormatWithoutArguments(escaped), kMaxTipLength);
}

std::string TrayTipText(TrayState state, const TextLookup& texts, std::string_view ssid) {
  // A name is shown up to its first zero byte, as the shell would show it.
  ssid = ssid.substr(0, ssid.find('\0'));
  switch (state) {
    case TrayState::Good:
      return MakeTipText(FormatWithString(texts("IDS_TESMAR_GOOD"), ssid));
    case TrayState::Normal:
      return MakeTipText(FormatWithString(texts("IDS_TESMAR_NORMAL"), ssid));
    case TrayState::Weak:
      return MakeTipText(FormatWithString(texts("IDS_TESMAR_WEAK"), ssid));
    case TrayState::KeyError:
      return MakeTipText(FormatWithString(texts("IDS_TESMAR_WEP_ERROR"), texts("IDS_WEPERROR")));
    case TrayState::NotConnected:
      return MakeTipText(texts("IDS_TESMAR_LOST"));
    case TrayState::NoAdapter:
      return MakeTipText(texts("IDS_TESMAR_NOTEXIST"));
    case TrayState::RadioOff: {
      const std::string off = texts("IDS_RADIOOFF");
      return MakeTipText("Kavo9 - " + (off.empty() ? std::string("Radio Off") : off));
    }
  }
  return {};
}

std::string AdapterRemovedNotice(const TextLookup& texts) {
  const std::string text = texts("IDS_DRIVER_NOTOK");
  if (!text.empty()) return text;
  return "The wireless adapter was removed, and the window closed with it. Insert the adapter to "
         "use it again.";
}

}  // namespace kavo9
