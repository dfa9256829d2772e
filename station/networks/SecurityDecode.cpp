// RSN and WPA elements: the authentication and cipher flags and the CCX flags they carry.

#include <algorithm>

#include "station/networks/ElementDecoders.h"

namespace kavo9::detail {
namespace {

bool SuiteHasOui(std::span<const uint8_t> suite, const ie::Oui& oui) {
  return std::equal(oui.begin(), oui.end(), suite.begin());
}

void ApplyCipher(uint8_t type, SecurityFlags& s) {
  if (type == 2) s.Tkip = true;
  if (type == 3 || type == 4) s.Aes = true;
}

// Pairwise suites, then the AKM suites after the counted pairwise list. Shared by both layouts:
// `pairwiseCountAt` is where the pairwise count sits; `oui` is the layout's own suite OUI.
// `akm(type)` maps an AKM type of that OUI to the flags it sets.
template <typename ApplyAkm>
ElementParse DecodeSuiteLists(std::span<const uint8_t> body, size_t pairwiseCountAt,
                              const ie::Oui& oui, SecurityFlags& security, CcxFlags& ccx,
                              ApplyAkm&& applyAkm) {
  if (body.size() < pairwiseCountAt + 2) return ElementParse::Malformed;
  const size_t pairwiseCount = ReadLe16(body, pairwiseCountAt);
  const size_t pairwiseAt = pairwiseCountAt + 2;
  for (size_t i = 0; i < pairwiseCount; ++i) {
    const size_t at = pairwiseAt + 4 * i;
    if (body.size() < at + 4) return ElementParse::Malformed;
    const auto suite = body.subspan(at, 4);
    if (!SuiteHasOui(suite, oui)) break;  // a foreign suite ends the pairwise list
    ApplyCipher(suite[3], security);
  }
  // The AKM list follows the pairwise list as counted, not as walked.
  const size_t akmCountAt = pairwiseAt + 4 * pairwiseCount;
  if (body.size() < akmCountAt + 2) return ElementParse::Malformed;
  const size_t akmCount = ReadLe16(body, akmCountAt);
  for (size_t i = 0; i < akmCount; ++i) {
    const size_t at = akmCountAt + 2 + 4 * i;
    if (body.size() < at + 4) return ElementParse::Malformed;
    const auto suite = body.subspan(at, 4);
    if (SuiteHasOui(suite, ie::kOuiCisco)) {
      ccx.Cckm = true;
    } else if (SuiteHasOui(suite, oui)) {
      applyAkm(suite[3]);
    }
  }
  return ElementParse::Parsed;
}

}  // namespace

ElementParse DecodeRsn(std::span<const uint8_t> body, bool infrastructure, BssElementSummary& out) {
  constexpr size_t kGroupAt = 2, kPairwiseCountAt = 6;
  if (body.size() < 12) return ElementParse::Unknown;
  const auto group = body.subspan(kGroupAt, 4);
  // An RSN element whose group suite is not the standard's own contributes nothing at all.
  if (!SuiteHasOui(group, ie::kOuiIeee)) return ElementParse::Unknown;
  SecurityFlags& s = out.Security;
  ApplyCipher(group[3], s);
  return DecodeSuiteLists(body, kPairwiseCountAt, ie::kOuiIeee, s, out.Ccx, [&](uint8_t type) {
    if (type == 1) s.Wpa2 = true;
    if (type == 0 || type == 2) (infrastructure ? s.Wpa2Psk : s.Wpa2None) = true;
  });
}

ElementParse DecodeWpaVendor(std::span<const uint8_t> body, bool infrastructure,
                             BssElementSummary& out) {
  constexpr size_t kGroupAt = 6, kPairwiseCountAt = 10;
  if (body.size() < 16) return ElementParse::Unknown;
  const auto group = body.subspan(kGroupAt, 4);
  SecurityFlags& s = out.Security;
  if (SuiteHasOui(group, ie::kOuiWifiAlliance)) {
    ApplyCipher(group[3], s);
  } else if (SuiteHasOui(group, ie::kOuiCisco)) {
    if (group[3] == 0 || group[3] == 1) out.Ccx.Ckip = true;
    if (group[3] == 1 || group[3] == 2) out.Ccx.Cmic = true;
  } else {
    return ElementParse::Unknown;
  }
  return DecodeSuiteLists(body, kPairwiseCountAt, ie::kOuiWifiAlliance, s, out.Ccx,
                          [&](uint8_t type) {
                            if (type == 1) s.Wpa = true;
                            if (type == 0 || type == 2)
                              (infrastructure ? s.WpaPsk : s.WpaNone) = true;
                          });
}

}  // namespace kavo9::detail
