#pragma once
// The driver's WPS status word and what the page makes of each code: the text after the "PIN - "
// or "PBC - " prefix, the progress it reaches and what the poll does next. Kept as data so the
// page, the controller's background poll and the tests read the same table.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavo9::wps {

inline constexpr uint32_t kStatusPinBit = 1u << 28;
inline constexpr uint32_t kStatusCodeMask = kStatusPinBit - 1;

// Codes with a meaning of their own beyond the text.
enum StatusCode : uint32_t {
  kStatusNotUsed = 0,
  kStatusIdle = 1,
  kStatusSuccess = 15,
  kStatusWrongNonce = 260,
  kStatusHmacMismatch = 261,
  kStatusPinMismatch = 262,
  kStatusInvalidSsid = 513,
  kStatusWrongSmiVendor = 514,
  kStatusWrongVendorType = 515,
  kStatusEapFailed = 516,
  kStatusNextAttempt = 517,
};

// What a poll does after showing a code.
enum class StatusAction {
  kNone,              // keep polling
  kStopThenTailA,     // code 0: stop the poll, then the PIN run's follow-up
  kTailA,             // the PIN run's follow-up: next attempt of an automatic run
  kTailB,             // as kTailA whether or not the run is automatic (the session starts again)
  kSuccess,           // the credentials are in
  kEndThenTailA,      // end the session with progress reset, then the follow-up
  kEndStopThenTailA,  // as kEndThenTailA; a manual run also stops WPS use
  kNextAttempt,       // code 517: the automatic run moves to the next access point
};

struct StatusEntry {
  uint32_t Code;
  std::string_view Text;  // empty: only the prefix is shown
  int Progress;           // -1: the bar stays where it is
  StatusAction Action;
};

// The entry of `code` (bits 0-27), or nullopt for a code the table does not list.
std::optional<StatusEntry> FindStatus(uint32_t code);

// The status line of a status word: "PIN - " or "PBC - " and the code's text.
std::string StatusLine(uint32_t statusWord);

inline bool IsPinSession(uint32_t statusWord) {
  return (statusWord & kStatusPinBit) != 0;
}
inline uint32_t StatusCodeOf(uint32_t statusWord) {
  return statusWord & kStatusCodeMask;
}

// The background poll of the controller (page closed) stops on these codes.
bool StopsBackgroundPoll(uint32_t code);

// The colour stops of the progress bar at `progress` (0x00BBGGRR), first and last.
uint32_t ProgressColour(int progress);
inline constexpr uint32_t kProgressMiddleColour = 0xF0CAA6;

}  // namespace kavo9::wps
