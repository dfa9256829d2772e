#pragma once
// The networks-in-range list in words, beside its marks: what each column is called, what a
// screen reader says for a cell and for a whole row, the tooltip of a row (security, cipher, WPS
// and BSSID, so that two networks of one name can be told apart), the status shown beside the
// list, and why Connect or Add To Profile is disabled.

#include <string>
#include <string_view>

#include "station/networks/survey/SurveyRows.h"

namespace kavo9 {

// Words the list takes from the language file where it has them; the defaults are the program's
// own.
struct SurveyWords {
  std::string Hidden = "Hidden network";
  std::string Open = "Open";
  std::string Scanning = "Scanning...";
  std::string RadioOff = "Radio Off";
  // The Windows wireless service manages the adapter.
  std::string ServiceManages = "The Windows wireless service manages this adapter.";
};

// What the list is doing, as the status beside it says.
enum class SurveyStatus { Idle, Scanning, RadioOff };
std::string SurveyStatusText(SurveyStatus status, const SurveyWords& words);

// Why Connect or Add To Profile is disabled (None: it is enabled).
enum class SurveyBlock {
  None,
  ServiceManages,
  Rebuilding,
  RadioOff,
  NoNetworks,
  NeedsSupplicant,
  NotPermitted
};
// The tooltip of Connect (`connect`) or Add To Profile: what it does, or why it is disabled.
std::string SurveyButtonTip(SurveyBlock block, bool connect, const SurveyWords& words);

// What column `column` shows, as a screen reader names it ("Security", "Signal").
std::string SurveyColumnName(int column);

// What a screen reader says for one cell: the text it shows, or the meaning of its mark
// ("Infrastructure", "802.11g", "WPS"); empty for a cell without either.
std::string SurveyCellSpeech(const SiteSurveyRow& row, int column, bool showDbm);

// A whole row in one line: "Apartment 4B, WPA2-PSK, WPS, channel 9, 802.11b/g/n, Infrastructure,
// 78 %", with "Connected, " in front for the network the adapter is on.
std::string SurveyRowSpeech(const SiteSurveyRow& row, bool showDbm, const SurveyWords& words);

// The row's tooltip, one fact a line: SSID, security, cipher, WPS, BSSID.
std::string SurveyRowToolTip(const SiteSurveyRow& row, const SurveyWords& words);

// The security of a row in words: its authentication text, "WEP", or the open word.
std::string SurveySecurityWords(const SiteSurveyRow& row, const SurveyWords& words);

// The band marks of a row as "802.11b/g/n", empty without any.
std::string SurveyBandWords(const SiteSurveyRow& row);

}  // namespace kavo9
