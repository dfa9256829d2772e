#include <gtest/gtest.h>

#include "common/adapter/RequestCatalogue.h"

namespace kavo9 {
namespace {

TEST(RequestCatalogue, LooksCodesUpWithOrWithoutTheSetBit) {
  EXPECT_EQ(RequestCatalogue().size(), 79u);
  EXPECT_EQ(RequestName(0x0D010102), "OID_802_11_SSID");
  EXPECT_EQ(RequestName(0x0D010102 | kSetBit), "OID_802_11_SSID");
  EXPECT_EQ(RequestName(0x0DF10149), "OID_VND_WPS_CONNECT");
  EXPECT_EQ(FindRequest(0x0D7101FF), nullptr);
  EXPECT_EQ(OID_802_11_BSSID_LIST, 0x0D010217u);
}

TEST(RequestCatalogue, LengthRules) {
  struct Case {
    uint32_t code;
    bool set;
    uint32_t length;
    bool ok;
  } cases[] = {
      {OID_GEN_DRIVER_VERSION, false, 2, true},
      {OID_GEN_DRIVER_VERSION, false, 4, false},
      {OID_GEN_DRIVER_VERSION, true, 2, false},  // query only
      {OID_802_11_DISASSOCIATE, true, 0, true},
      {OID_802_11_DISASSOCIATE, false, 0, false},  // set only
      {OID_VND_LINK_RATE_INFO, false, 16, true},
      {OID_VND_LINK_RATE_INFO, false, 20, true},
      {OID_VND_LINK_RATE_INFO, false, 18, false},
      {OID_VND_MAC_TABLE, false, 260, true},
      {OID_VND_DLS_LINKS, false, 48, true},
      {OID_VND_DLS_LINKS, true, 12, true},
      {OID_VND_DLS_LINKS, true, 48, false},
      {OID_VND_BLOCK_ACK, false, 3076, true},
      {OID_VND_BLOCK_ACK, true, 14, true},
      {OID_802_11_BSSID_LIST, false, 65536, true},
      {OID_802_11_BSSID_LIST, false, 100000, true},
      {OID_802_11_BSSID_LIST, false, 1024, false},
      {OID_VND_WMM_ENABLE, true, 1, true},
  };
  for (const auto& c : cases) {
    const RequestInfo* info = FindRequest(c.code);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(c.set ? info->SetLengthOk(c.length) : info->QueryLengthOk(c.length), c.ok)
        << info->name << (c.set ? " set " : " query ") << c.length;
  }
}

}  // namespace
}  // namespace kavo9
