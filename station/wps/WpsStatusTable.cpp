#include "station/wps/WpsStatusTable.h"

namespace kavo9::wps {
namespace {

using A = StatusAction;

constexpr StatusEntry kTable[] = {
    {0, "WPS status is not used", -1, A::kStopThenTailA},
    {1, "WPS status is idled", -1, A::kTailA},
    {2, "Scanning AP", 10, A::kNone},
    {3, "Begin associating to WPS AP", 15, A::kNone},
    {4, "Associated to WPS AP", 20, A::kNone},
    {5, "Sending EAPOL-Start", 25, A::kNone},
    {6, "Sending EAP-Rsp(ID)", 30, A::kNone},
    {7, "Sending EAP Response (ACK)", -1, A::kNone},
    {9, "Receive EAP-Req (NACK)", -1, A::kNone},
    {15, "Get WPS profile successfully.", 100, A::kSuccess},
    {17, "Receive EAPReq WPS_Start", 35, A::kNone},
    {18, "Sending M1", 40, A::kNone},
    {19, "Received M2", 45, A::kNone},
    {20, "Received M2D", 50, A::kNone},
    {21, "Sending M3", 60, A::kNone},
    {22, "Received M4", 65, A::kNone},
    {23, "Sending M5", 70, A::kNone},
    {24, "Received M6", 75, A::kNone},
    {25, "Sending M7", 80, A::kNone},
    {26, "Received M8", 85, A::kNone},
    {27, "Sending EAP Response (Done)", 90, A::kNone},
    {34, "Received M1", 40, A::kNone},
    {35, "Sending M2", 45, A::kNone},
    {36, "Sending M2D", 50, A::kNone},
    {37, "Sending M3", 60, A::kNone},
    {38, "Sending M4", 65, A::kNone},
    {39, "Received M5", 70, A::kNone},
    {40, "Sending M6", 75, A::kNone},
    {41, "Received M7", 80, A::kNone},
    {42, "Sending M8", 85, A::kNone},
    {43, "Received EAP Response (Done)", 90, A::kNone},
    {257, "Too many PBC AP available", -1, A::kNone},
    {258, "No PBC AP available", -1, A::kNone},
    {259, "Received EAP-FAIL", -1, A::kTailA},
    {260, "Receive EAP with wrong NONCE", -1, A::kTailB},
    {261, "Receive EAP without integrity (Hmac mismatch)", -1, A::kTailA},
    {262, "Error PIN Code (R-Hash mismatch)", -1, A::kTailA},
    {513, "Invalid SSID in PIN mode", 0, A::kEndThenTailA},
    {514, "Receive EAP-Req with wrong WPS SMI Vendor Id", 0, A::kEndThenTailA},
    {515, "Receive EAP-Req with wrong WPS Vendor Type", 0, A::kEndThenTailA},
    {516, "WPS Eap process failed", 0, A::kEndStopThenTailA},
    {517, "", -1, A::kNextAttempt},
};

}  // namespace

std::optional<StatusEntry> FindStatus(uint32_t code) {
  for (const StatusEntry& e : kTable) {
    if (e.Code == code) return e;
  }
  return std::nullopt;
}

std::string StatusLine(uint32_t statusWord) {
  std::string line = IsPinSession(statusWord) ? "PIN - " : "PBC - ";
  if (auto entry = FindStatus(StatusCodeOf(statusWord))) line += entry->Text;
  return line;
}

bool StopsBackgroundPoll(uint32_t code) {
  switch (code) {
    case kStatusNotUsed:
    case kStatusSuccess:
    case kStatusWrongNonce:
    case kStatusHmacMismatch:
    case kStatusPinMismatch:
    case kStatusInvalidSsid:
    case kStatusWrongSmiVendor:
    case kStatusWrongVendorType:
    case kStatusEapFailed:
      return true;
    default:
      return false;
  }
}

uint32_t ProgressColour(int progress) {
  if (progress < 35) return 0x00FF00;
  if (progress < 70) return 0x32E6FA;
  return 0xFB0606;
}

}  // namespace kavo9::wps
