// The element walk of one record and the text forms of what it found.

#include <cstdio>

#include "station/networks/ElementDecoders.h"

namespace kavo9 {
namespace {

void HandleElement(const Element& e, bool infrastructure, BssElementSummary& out) {
  switch (e.Id) {
    case ie::kRsn:
      detail::DecodeRsn(e.Body, infrastructure, out);
      return;
    case ie::kVendorSpecific:
      if (e.IsVendor(ie::kOuiWifiAlliance, ie::kVendorTypeWps)) {
        detail::DecodeWps(e.Body, out.Wps);
      } else if (e.IsVendor(ie::kOuiWifiAlliance, ie::kVendorTypeWpa) ||
                 e.IsVendor(ie::kOuiWifiAlliance, ie::kVendorTypeWpa2Draft) ||
                 e.HasOui(ie::kOuiCisco)) {
        detail::DecodeWpaVendor(e.Body, infrastructure, out);
      } else {
        detail::DecodeHt(e, out.Ht);
      }
      return;
    default:
      detail::DecodeHt(e, out.Ht);
      return;
  }
}

}  // namespace

BssElementSummary DecodeBssElements(const BssRecordView& record) {
  BssElementSummary out;
  out.BeaconInterval = record.BeaconInterval();
  const auto area = record.Ies();  // empty unless the record's lengths hold together
  if (record.Length() <= bss::kMinRecordLength || area.size() <= 15) return out;

  const bool infrastructure = record.InfrastructureMode() != 0;
  size_t position = bss::kIeFixedSize;
  Element element;
  // The first element is always handled, even when empty. After it, the walk goes on only while
  // at least four bytes are left and the next element is not empty: an empty element ends it.
  while (ReadElementAt(area, position, element)) {
    HandleElement(element, infrastructure, out);
    position += 2 + element.Body.size();
    if (area.size() <= position + 3 || area[position + 1] == 0) break;
  }
  return out;
}

std::string AuthenticationText(const SecurityFlags& s) {
  std::string text;
  const std::pair<bool, const char*> parts[] = {{s.Wpa, "WPA"},          {s.WpaPsk, "WPA-PSK"},
                                                {s.WpaNone, "WPA-NONE"}, {s.Wpa2, "WPA2"},
                                                {s.Wpa2Psk, "WPA2-PSK"}, {s.Wpa2None, "WPA2-NONE"}};
  for (const auto& [found, name] : parts) {
    if (!found) continue;
    if (!text.empty()) text += '+';
    text += name;
  }
  return text.empty() ? "Unknown" : text;
}

std::string CipherText(const SecurityFlags& s) {
  if (s.Tkip && s.Aes) return "TKIP+AES";
  if (s.Tkip) return "TKIP";
  if (s.Aes) return "AES";
  return "None";
}

std::string SecuritySummaryText(const SecurityFlags& s) {
  return AuthenticationText(s) + ';' + CipherText(s);
}

namespace {
const char* Flag(bool value) {
  return value ? "TRUE" : "FALSE";
}
}  // namespace

std::string CcxSummaryText(const CcxFlags& ccx) {
  return std::string(Flag(ccx.Cckm)) + ';' + Flag(ccx.Cmic) + ';' + Flag(ccx.Ckip);
}

std::string WpsFieldText(const WpsInfo& wps, size_t field) {
  if (field == WpsInfo::kTextFields) return Flag(wps.Present);
  if (field > WpsInfo::kTextFields) return {};
  return wps.Fields[field].empty() ? "Unknown" : wps.Fields[field];
}

std::string WpsSummaryText(const WpsInfo& wps) {
  std::string text;
  for (size_t i = 0; i < WpsInfo::kTextFields; ++i) text += WpsFieldText(wps, i) + ';';
  return text + Flag(wps.Present);
}

std::string HtFieldText(const HtInfo& ht, size_t field) {
  if (field >= HtInfo::kFieldCount) return {};
  if (HtInfo::kFields[field].Type == HtInfo::Kind::Flag) return Flag(ht.Values[field] != 0);
  return std::to_string(ht.Values[field]);
}

std::string HtSummaryText(const HtInfo& ht) {
  std::string text;
  text.reserve(HtInfo::kFieldCount * 6);
  for (size_t i = 0; i < HtInfo::kFieldCount; ++i) {
    if (i) text += ';';
    text += HtFieldText(ht, i);
  }
  return text;
}

std::string SummaryPartText(const BssElementSummary& summary, int part) {
  switch (part) {
    case int(BssSummaryPart::Security):
      return SecuritySummaryText(summary.Security);
    case int(BssSummaryPart::Ccx):
      return CcxSummaryText(summary.Ccx);
    case int(BssSummaryPart::Wps):
      return WpsSummaryText(summary.Wps);
    case int(BssSummaryPart::Ht):
      return HtSummaryText(summary.Ht);
    case int(BssSummaryPart::BeaconInterval):
      return std::to_string(summary.BeaconInterval);
    default:
      return {};
  }
}

std::string DecodeElements(const BssRecordView& record, int part) {
  if (part < 0 || part > int(BssSummaryPart::BeaconInterval)) return {};
  return SummaryPartText(DecodeBssElements(record), part);
}

}  // namespace kavo9
