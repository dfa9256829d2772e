#include <gtest/gtest.h>

#include "station/networks/BssFacts.h"
#include "station/networks/tests/BssTestSupport.h"

namespace kavo9 {
namespace {

using namespace build;
using testing::Concat;
using testing::Decode;
using testing::RecordWithElements;

const ie::Oui kForeign = {0x00, 0x11, 0x22};

SuiteLists WithAkm(SuiteLists s, std::vector<Suite> akm) {
  s.Akm = std::move(akm);
  return s;
}

struct SecurityCase {
  std::string name;
  Bytes elements;
  uint32_t infrastructure;
  std::string summary;
  std::string ccx;
  int securityClass;
};
// Test names and failure messages show the case by its name.
void PrintTo(const SecurityCase& c, std::ostream* out) {
  *out << c.name;
}

class SecuritySummary : public ::testing::TestWithParam<SecurityCase> {};

TEST_P(SecuritySummary, DecodesAuthenticationCiphersAndCcx) {
  const auto& c = GetParam();
  const auto summary = Decode(RecordWithElements(c.elements, c.infrastructure));
  EXPECT_EQ(SecuritySummaryText(summary.Security), c.summary);
  EXPECT_EQ(CcxSummaryText(summary.Ccx), c.ccx);
  EXPECT_EQ(SecurityClass(AuthenticationText(summary.Security)), c.securityClass);
}

SuiteLists RsnForeignPairwiseInMiddle() {
  SuiteLists s = RsnSuites({kCipherTkip}, {kAkmPsk}, kCipherTkip);
  s.Pairwise.push_back({kForeign, kCipherCcmp});
  s.Pairwise.push_back({ie::kOuiIeee, kCipherCcmp});  // after the foreign one: not read
  return s;
}

SuiteLists RsnPairwiseCountPastEnd() {
  // No pairwise suite is there to read, and the AKM list is looked for after 40 of them.
  SuiteLists s = RsnSuites({}, {kAkmPsk}, kCipherCcmp);
  s.PairwiseCountOverride = 40;
  return s;
}

SuiteLists WpaCiscoGroup(uint8_t type) {
  SuiteLists s = WpaSuites({kCipherTkip}, {kAkmPsk}, 0);
  s.Group = {ie::kOuiCisco, type};
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SecuritySummary,
    ::testing::Values(
        SecurityCase{"NoSecurityElements", {}, 1, "Unknown;None", "FALSE;FALSE;FALSE", 0},
        SecurityCase{"Wpa2PskCcmp", RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherCcmp)), 1,
                     "WPA2-PSK;AES", "FALSE;FALSE;FALSE", 5},
        SecurityCase{"Wpa2EnterpriseCcmp",
                     RsnElement(RsnSuites({kCipherCcmp}, {kAkm8021X}, kCipherCcmp)), 1, "WPA2;AES",
                     "FALSE;FALSE;FALSE", 4},
        SecurityCase{"Wpa2AkmTypeZeroCountsAsPsk",
                     RsnElement(RsnSuites({kCipherCcmp}, {0}, kCipherCcmp)), 1, "WPA2-PSK;AES",
                     "FALSE;FALSE;FALSE", 5},
        SecurityCase{"MixedWpaTkipAndWpa2CcmpPsk",
                     Concat({WpaElement(WpaSuites({kCipherTkip}, {kAkmPsk}, kCipherTkip)),
                             RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherTkip))}),
                     1, "WPA-PSK+WPA2-PSK;TKIP+AES", "FALSE;FALSE;FALSE", 5},
        SecurityCase{"MixedEnterprise",
                     Concat({WpaElement(WpaSuites({kCipherTkip}, {kAkm8021X}, kCipherTkip)),
                             RsnElement(RsnSuites({kCipherCcmp}, {kAkm8021X}, kCipherCcmp))}),
                     1, "WPA+WPA2;TKIP+AES", "FALSE;FALSE;FALSE", 4},
        SecurityCase{"WpaPskInfrastructure",
                     WpaElement(WpaSuites({kCipherTkip}, {kAkmPsk}, kCipherTkip)), 1,
                     "WPA-PSK;TKIP", "FALSE;FALSE;FALSE", 2},
        SecurityCase{"WpaPskAdHocIsWpaNone",
                     WpaElement(WpaSuites({kCipherTkip}, {kAkmPsk}, kCipherTkip)), 0,
                     "WPA-NONE;TKIP", "FALSE;FALSE;FALSE", 3},
        SecurityCase{"Wpa2PskAdHocIsWpa2None",
                     RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherCcmp)), 0,
                     "WPA2-NONE;AES", "FALSE;FALSE;FALSE", 5},
        SecurityCase{"WpaEnterprise",
                     WpaElement(WpaSuites({kCipherTkip}, {kAkm8021X}, kCipherTkip)), 1, "WPA;TKIP",
                     "FALSE;FALSE;FALSE", 1},
        SecurityCase{"RsnForeignGroupContributesNothing", RsnElement([] {
                       SuiteLists s = RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherCcmp);
                       s.Group.Oui = kForeign;
                       return s;
                     }()),
                     1, "Unknown;None", "FALSE;FALSE;FALSE", 0},
        SecurityCase{"RsnForeignPairwiseEndsListButAkmStillRead",
                     RsnElement(RsnForeignPairwiseInMiddle()), 1, "WPA2-PSK;TKIP",
                     "FALSE;FALSE;FALSE", 5},
        SecurityCase{"RsnPairwiseCountPastEndKeepsOnlyGroup", RsnElement(RsnPairwiseCountPastEnd()),
                     1, "Unknown;AES", "FALSE;FALSE;FALSE", 0},
        SecurityCase{
            "RsnShorterThan12Ignored",
            MakeElement(ie::kRsn, Bytes{1, 0, 0x00, 0x0F, 0xAC, 4, 1, 0, 0x00, 0x0F, 0xAC}), 1,
            "Unknown;None", "FALSE;FALSE;FALSE", 0},
        SecurityCase{
            "RsnCiscoAkmSetsCckm",
            RsnElement(WithAkm(RsnSuites({kCipherTkip}, {}, kCipherTkip), {{ie::kOuiCisco, 0}})), 1,
            "Unknown;TKIP", "TRUE;FALSE;FALSE", 0},
        SecurityCase{"WpaCiscoGroupCkip", WpaElement(WpaCiscoGroup(0)), 1, "WPA-PSK;TKIP",
                     "FALSE;FALSE;TRUE", 2},
        SecurityCase{"WpaCiscoGroupCkipCmic", WpaElement(WpaCiscoGroup(1)), 1, "WPA-PSK;TKIP",
                     "FALSE;TRUE;TRUE", 2},
        SecurityCase{"WpaCiscoGroupCmic", WpaElement(WpaCiscoGroup(2)), 1, "WPA-PSK;TKIP",
                     "FALSE;TRUE;FALSE", 2},
        SecurityCase{"WpaForeignGroupEndsElement", WpaElement([] {
                       SuiteLists s = WpaSuites({kCipherTkip}, {kAkmPsk}, kCipherTkip);
                       s.Group.Oui = kForeign;
                       return s;
                     }()),
                     1, "Unknown;None", "FALSE;FALSE;FALSE", 0},
        SecurityCase{"CiscoVendorElementReadWithWpaLayout",
                     VendorElement(ie::kOuiCisco, 3,
                                   Bytes{1, 0, 0x00, 0x50, 0xF2, 2, 1, 0, 0x00, 0x50, 0xF2, 2, 1, 0,
                                         0x00, 0x50, 0xF2, 1}),
                     1, "WPA;TKIP", "FALSE;FALSE;FALSE", 1},
        SecurityCase{"WpaElementShorterThan16Ignored",
                     VendorElement(ie::kOuiWifiAlliance, 1,
                                   Bytes{1, 0, 0x00, 0x50, 0xF2, 2, 1, 0, 0x00, 0x50, 0xF2}),
                     1, "Unknown;None", "FALSE;FALSE;FALSE", 0}),
    [](const auto& param) { return param.param.name; });

TEST(Secured, PrivacyBitAloneMakesAWepNetworkSecured) {
  const Bytes wep = BssRecordBuilder().Privacy(true).Build();
  const Bytes open = BssRecordBuilder().Privacy(false).Build();
  const Bytes wpa2 =
      testing::RecordWithElements(RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherCcmp)));
  EXPECT_EQ(DecodeElements(BssRecordView(wep), 0), "Unknown;None");
  EXPECT_TRUE(IsSecured(BssRecordView(wep), Decode(wep).Security));
  EXPECT_FALSE(IsSecured(BssRecordView(open), Decode(open).Security));
  EXPECT_TRUE(IsSecured(BssRecordView(wpa2), Decode(wpa2).Security));
}

TEST(SecurityClassText, MapsOnlyTheNamedCombinations) {
  const std::pair<const char*, int> cases[] = {
      {"WPA", 1},      {"WPA-PSK", 2},      {"WPA-NONE", 3},  {"WPA2", 4},
      {"WPA+WPA2", 4}, {"WPA2-PSK", 5},     {"WPA2-NONE", 5}, {"WPA-PSK+WPA2-PSK", 5},
      {"Unknown", 0},  {"WPA-PSK+WPA2", 0}, {"", 0},          {"wpa2-psk", 0}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(SecurityClass(text), expected) << text;
}

}  // namespace
}  // namespace kavo9
