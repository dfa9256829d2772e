#include "sim/emulator/wire/InfoElements.h"

#include <algorithm>

#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu::ie {
namespace {

constexpr size_t kMaxBody = 255;
constexpr uint16_t kSuiteVersion = 1;

void AppendSuite(Bytes& out, const Oui& oui, uint8_t type) {
  out.insert(out.end(), oui.begin(), oui.end());
  out.push_back(type);
}

Bytes SuiteBody(const Oui& oui, const Suites& s, bool withCapabilities) {
  Bytes body;
  AppendLe16(body, kSuiteVersion);
  AppendSuite(body, oui, s.group);
  AppendLe16(body, uint16_t(s.pairwise.size()));
  for (uint8_t type : s.pairwise) AppendSuite(body, oui, type);
  AppendLe16(body, uint16_t(s.akm.size()));
  for (uint8_t type : s.akm) AppendSuite(body, oui, type);
  if (withCapabilities) AppendLe16(body, s.capabilities);
  return body;
}

}  // namespace

Bytes Element(uint8_t id, std::span<const uint8_t> body) {
  const size_t length = std::min(body.size(), kMaxBody);
  Bytes out{id, uint8_t(length)};
  out.insert(out.end(), body.begin(), body.begin() + long(length));
  return out;
}

Bytes Vendor(const Oui& oui, uint8_t type, std::span<const uint8_t> payload) {
  Bytes body(oui.begin(), oui.end());
  body.push_back(type);
  body.insert(body.end(), payload.begin(), payload.end());
  return Element(kVendorSpecific, body);
}

Bytes Ssid(std::string_view ssid) {
  return Element(kSsid, std::span(reinterpret_cast<const uint8_t*>(ssid.data()), ssid.size()));
}

Bytes Rsn(const Suites& suites) {
  return Element(kRsn, SuiteBody(kOuiIeee80211, suites, true));
}

Bytes Wpa(const Suites& suites) {
  return Vendor(kOuiMicrosoft, kVendorWpa, SuiteBody(kOuiMicrosoft, suites, false));
}

WpsAttributes& WpsAttributes::U8(uint16_t type, uint8_t value) {
  const uint8_t v[] = {value};
  return Raw(type, v);
}

WpsAttributes& WpsAttributes::U16(uint16_t type, uint16_t value) {
  const uint8_t v[] = {uint8_t(value >> 8), uint8_t(value)};
  return Raw(type, v);
}

WpsAttributes& WpsAttributes::Raw(uint16_t type, std::span<const uint8_t> value) {
  AppendBe16(payload_, type);
  AppendBe16(payload_, uint16_t(value.size()));
  payload_.insert(payload_.end(), value.begin(), value.end());
  return *this;
}

Bytes WpsAttributes::Element() const {
  return Vendor(kOuiMicrosoft, kVendorWps, payload_);
}

Bytes HtCapabilities(const HtCapabilityFields& f, bool draftVendorForm) {
  Bytes body;
  AppendLe16(body, f.info);
  body.push_back(f.ampdu);
  body.insert(body.end(), f.mcsSet.begin(), f.mcsSet.end());
  AppendLe16(body, 0);  // extended capabilities
  AppendLe32(body, 0);  // transmit beamforming
  body.push_back(0);    // antenna selection
  return draftVendorForm ? Vendor(kOuiDraftHt, kVendorDraftHtCapabilities, body)
                         : Element(kHtCapabilities, body);
}

Bytes HtInformation(const HtInformationFields& f, bool draftVendorForm) {
  Bytes body{f.primaryChannel, f.subset1};
  AppendLe16(body, f.subset2);
  AppendLe16(body, 0);             // subset 3
  body.insert(body.end(), 16, 0);  // basic MCS set
  return draftVendorForm ? Vendor(kOuiDraftHt, kVendorDraftHtInformation, body)
                         : Element(kHtInformation, body);
}

}  // namespace kavo9::emu::ie
