#include "softap/access/AccessControl.h"

#include <gtest/gtest.h>

#include "softap/apply/tests/ApplyFixture.h"
#include "softap/shell/HostiraPageIds.h"

namespace kavo9::softap {
namespace {

TEST(AccessControlChecks, TypedAddresses) {
  const std::vector<std::string> listed = {"00-0C-43-12-34-56"};
  struct Case {
    const char* typed;
    int message;
  };
  const Case cases[] = {
      {"000c43123458", 0},
      {"020000000001", 0},
      {"010000000001", kStrMulticastMac},
      {"FF0000000001", kStrMulticastMac},
      {"0000000001", kStrInvalidMac},
      {"0000000000011", kStrInvalidMac},
      {"00000000000G", kStrInvalidMac},
      {"00-00-00-00-", kStrInvalidMac},
      {"000C43123456", kStrDuplicatedMac},
      {"000c43123456", kStrDuplicatedMac},  // compared as listed, in upper case
  };
  for (const Case& c : cases) EXPECT_EQ(CheckMacText(c.typed, listed), c.message) << c.typed;
  // Modifying an entry into itself is no duplicate.
  EXPECT_EQ(CheckMacText("000C43123456", listed, 0), 0);
}

TEST(AccessControlChecks, ListForms) {
  EXPECT_EQ(FormatMacEntry("000c4312ab56"), "00-0C-43-12-AB-56");
  EXPECT_EQ(EntryDigits("00-0C-43-12-AB-56"), "000C4312AB56");
  const auto bytes = AccessListBytes({"00-0C-43-12-34-56", "02-00-00-00-00-01"});
  EXPECT_EQ(bytes.size(), 2u * 13 + 1);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 12), "000C43123456");
  EXPECT_EQ(bytes[12], 0);
  EXPECT_EQ(bytes.back(), 0);
  EXPECT_EQ(AccessListBytes({}).size(), 1u);
}

class AccessControlTest : public ApplyFixture {
 protected:
  AccessControlModel model{state, *fake.registry, store, driver};
  std::string Mac12(int n) {
    char text[13];
    std::snprintf(text, sizeof text, "0200000000%02X", n);
    return text;
  }
};

TEST_F(AccessControlTest, ThirtyTwoEntriesFillTheListAndDeleteMakesRoom) {
  model.SetPolicy(kPolicyAllowListed);
  for (int i = 0; i < 32; ++i) ASSERT_EQ(model.Add(Mac12(i)), 0);
  EXPECT_FALSE(model.AddEnabled());
  EXPECT_EQ(model.Add(Mac12(40)), 0);  // refused by the disabled button, silently
  EXPECT_EQ(model.entries().size(), 32u);
  model.Delete(-1);  // no selection
  EXPECT_EQ(model.entries().size(), 32u);
  model.Delete(3);
  EXPECT_TRUE(model.AddEnabled());
  EXPECT_EQ(model.Modify(-1, Mac12(50)), 0);
  EXPECT_EQ(model.Modify(0, Mac12(1)), kStrDuplicatedMac);
  EXPECT_EQ(model.Modify(0, Mac12(60)), 0);
  EXPECT_EQ(model.entries()[0], "02-00-00-00-00-3C");
  model.SetPolicy(kPolicyDisabled);
  EXPECT_FALSE(model.ListEnabled());
  EXPECT_FALSE(model.AddEnabled());
}

TEST_F(AccessControlTest, ApplyStoresTheListButADisabledPolicySendsNothing) {
  model.SetPolicy(kPolicyRejectListed);
  ASSERT_EQ(model.Add("000C43123456"), 0);
  model.SetPolicy(kPolicyDisabled);
  model.Apply();
  EXPECT_EQ(Get("AccessControlPolicy", SubkeyPath(kKey, "ApDefault")), "0");
  EXPECT_EQ(Get("AccessControlPolicy"), "0");
  auto record = Last(OID_VND_ACCESS_CONTROL);
  ASSERT_EQ(record.size(), kAccessControlRecordSize);
  EXPECT_EQ(Last32(OID_VND_ACCESS_CONTROL, 0), 0u);
  EXPECT_EQ(Last32(OID_VND_ACCESS_CONTROL, 4), 0u);

  // The stored list comes back on the next page.
  AccessControlModel again(state, *fake.registry, store, driver);
  again.Load();
  EXPECT_EQ(again.entries(), std::vector<std::string>{"00-0C-43-12-34-56"});

  again.SetPolicy(kPolicyRejectListed);
  again.Apply();
  EXPECT_EQ(Last32(OID_VND_ACCESS_CONTROL, 0), 2u);
  EXPECT_EQ(Last32(OID_VND_ACCESS_CONTROL, 4), 1u);
  record = Last(OID_VND_ACCESS_CONTROL);
  EXPECT_EQ(record[8], 0x00);
  EXPECT_EQ(record[9], 0x0C);
  EXPECT_EQ(record[13], 0x56);
}

TEST_F(AccessControlTest, LoadSkipsDuplicatesAndEntriesThatAreNoAddress) {
  Put("AccessControlPolicy", "1");
  PutList("AccessControlList", {"000C43123456", "000c43123456", "xyz", "020000000001"});
  model.Load();
  EXPECT_EQ(model.policy(), kPolicyAllowListed);
  EXPECT_EQ(model.entries(), (std::vector<std::string>{"00-0C-43-12-34-56", "02-00-00-00-00-01"}));
}

}  // namespace
}  // namespace kavo9::softap
