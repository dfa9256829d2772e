#include "station/networks/ElementBuilder.h"

#include <algorithm>

namespace kavo9::build {
namespace {

constexpr uint8_t kIbssParameterSet = 6;
constexpr uint8_t kExtendedRates = 50;

void PutLe16(Bytes& out, uint16_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void PutLe32(Bytes& out, uint32_t v) {
  PutLe16(out, uint16_t(v));
  PutLe16(out, uint16_t(v >> 16));
}
void PutBe16(Bytes& out, uint16_t v) {
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}
void PutSuite(Bytes& out, const Suite& s) {
  out.insert(out.end(), s.Oui.begin(), s.Oui.end());
  out.push_back(s.Type);
}

// Group suite, pairwise count and list, AKM count and list.
void PutSuiteLists(Bytes& out, const SuiteLists& s, bool withCapabilities) {
  PutSuite(out, s.Group);
  PutLe16(out,
          uint16_t(s.PairwiseCountOverride >= 0 ? s.PairwiseCountOverride : s.Pairwise.size()));
  for (const auto& suite : s.Pairwise) PutSuite(out, suite);
  PutLe16(out, uint16_t(s.AkmCountOverride >= 0 ? s.AkmCountOverride : s.Akm.size()));
  for (const auto& suite : s.Akm) PutSuite(out, suite);
  if (withCapabilities) PutLe16(out, s.Capabilities);
}

SuiteLists Suites(const ie::Oui& oui, std::initializer_list<uint8_t> pairwise,
                  std::initializer_list<uint8_t> akm, uint8_t group) {
  SuiteLists s;
  s.Group = {oui, group};
  for (uint8_t t : pairwise) s.Pairwise.push_back({oui, t});
  for (uint8_t t : akm) s.Akm.push_back({oui, t});
  return s;
}

Bytes HtCapabilitiesBody(const HtCapabilities& ht) {
  Bytes body;
  PutLe16(body, ht.Info);
  body.push_back(ht.AmpduParameters);
  body.insert(body.end(), ht.McsSet.begin(), ht.McsSet.end());
  PutLe16(body, ht.ExtendedCapabilities);
  PutLe32(body, ht.TxBeamforming);
  body.push_back(ht.Asel);
  return body;
}

Bytes HtInformationBody(const HtInformation& ht) {
  Bytes body{ht.PrimaryChannel, ht.Subset1};
  PutLe16(body, ht.Subset2);
  PutLe16(body, ht.Subset3);
  body.insert(body.end(), ht.BasicMcsSet.begin(), ht.BasicMcsSet.end());
  return body;
}

}  // namespace

Bytes MakeElement(uint8_t id, std::span<const uint8_t> body) {
  const size_t length = std::min<size_t>(body.size(), 255);
  Bytes out{id, uint8_t(length)};
  out.insert(out.end(), body.begin(), body.begin() + length);
  return out;
}

Bytes VendorElement(const ie::Oui& oui, uint8_t type, std::span<const uint8_t> payload) {
  Bytes body(oui.begin(), oui.end());
  body.push_back(type);
  body.insert(body.end(), payload.begin(), payload.end());
  return MakeElement(ie::kVendorSpecific, body);
}

Bytes SsidElement(std::string_view ssid) {
  return MakeElement(ie::kSsid,
                     std::span(reinterpret_cast<const uint8_t*>(ssid.data()), ssid.size()));
}

Bytes RatesElement(std::span<const uint8_t> rates) {
  return MakeElement(ie::kSupportedRates, rates);
}

Bytes DsParameterElement(uint8_t channel) {
  const uint8_t body[] = {channel};
  return MakeElement(ie::kDsParameterSet, body);
}

Bytes IbssParameterElement(uint16_t atimWindow) {
  Bytes body;
  PutLe16(body, atimWindow);
  return MakeElement(kIbssParameterSet, body);
}

Bytes ExtendedRatesElement(std::span<const uint8_t> rates) {
  return MakeElement(kExtendedRates, rates);
}

Bytes RsnElement(const SuiteLists& suites) {
  Bytes body;
  PutLe16(body, 1);
  PutSuiteLists(body, suites, true);
  return MakeElement(ie::kRsn, body);
}

Bytes WpaElement(const SuiteLists& suites) {
  Bytes payload;
  PutLe16(payload, 1);
  PutSuiteLists(payload, suites, false);
  return VendorElement(ie::kOuiWifiAlliance, ie::kVendorTypeWpa, payload);
}

SuiteLists RsnSuites(std::initializer_list<uint8_t> pairwise, std::initializer_list<uint8_t> akm,
                     uint8_t group) {
  return Suites(ie::kOuiIeee, pairwise, akm, group);
}

SuiteLists WpaSuites(std::initializer_list<uint8_t> pairwise, std::initializer_list<uint8_t> akm,
                     uint8_t group) {
  return Suites(ie::kOuiWifiAlliance, pairwise, akm, group);
}

WpsAttribute WpsU8(uint16_t type, uint8_t value) {
  return {type, {value}};
}
WpsAttribute WpsU16(uint16_t type, uint16_t value) {
  return {type, {uint8_t(value >> 8), uint8_t(value)}};
}
WpsAttribute WpsRaw(uint16_t type, std::span<const uint8_t> value) {
  return {type, Bytes(value.begin(), value.end())};
}

Bytes WpsElement(std::span<const WpsAttribute> attributes) {
  Bytes payload;
  for (const auto& a : attributes) {
    PutBe16(payload, a.Type);
    PutBe16(payload, uint16_t(a.Value.size()));
    payload.insert(payload.end(), a.Value.begin(), a.Value.end());
  }
  return VendorElement(ie::kOuiWifiAlliance, ie::kVendorTypeWps, payload);
}

Bytes HtCapabilitiesElement(const HtCapabilities& ht) {
  return MakeElement(ie::kHtCapabilities, HtCapabilitiesBody(ht));
}
Bytes VendorHtCapabilitiesElement(const HtCapabilities& ht) {
  return VendorElement(ie::kOuiHtVendor, ie::kVendorTypeHtCapability, HtCapabilitiesBody(ht));
}
Bytes HtInformationElement(const HtInformation& ht) {
  return MakeElement(ie::kHtInformation, HtInformationBody(ht));
}
Bytes VendorHtInformationElement(const HtInformation& ht) {
  return VendorElement(ie::kOuiHtVendor, ie::kVendorTypeHtInformation, HtInformationBody(ht));
}

}  // namespace kavo9::build
