// Connection sharing through the run-time library: called when it is there, skipped when it or
// one of its entry points is missing, released at the end.

#include "softap/shell/IcsDhcp.h"

#include <gtest/gtest.h>

#include "common/platform/fake/FakeLibraryLoader.h"

namespace kavo9::softap {
namespace {

int g_enables = 0;
int g_disables = 0;
int g_lastValue = -1;
int Enable(void* buffer, int value) {
  ++g_enables;
  g_lastValue = value + static_cast<uint8_t*>(buffer)[39];
  return 1;
}
int Disable() {
  ++g_disables;
  return 1;
}

TEST(IcsDhcp, CallsTheLibraryWhenBothEntryPointsAreThere) {
  g_enables = g_disables = 0;
  FakeLibraryLoader loader;
  loader.libraries[kIcsDhcpLibrary] = {
      {"ICSDHCP_EnableDhcpServer", reinterpret_cast<void*>(&Enable)},
      {"ICSDHCP_DisableDhcpServer", reinterpret_cast<void*>(&Disable)}};
  IcsDhcp dhcp(&loader);
  dhcp.Load();
  ASSERT_TRUE(dhcp.Available());
  dhcp.Enable();
  dhcp.Enable();
  EXPECT_EQ(g_enables, 2);
  EXPECT_EQ(g_lastValue, 0);
  dhcp.DisableAndRelease();
  EXPECT_EQ(g_disables, 1);
  EXPECT_EQ(loader.frees, 1);
  dhcp.Enable();
  EXPECT_EQ(g_enables, 2);
}

TEST(IcsDhcp, SkipsTheCallsWithoutTheLibraryOrAnEntryPoint) {
  g_enables = g_disables = 0;
  FakeLibraryLoader loader;
  IcsDhcp missing(&loader);
  missing.Load();
  EXPECT_FALSE(missing.Available());
  missing.Enable();
  missing.DisableAndRelease();
  loader.libraries[kIcsDhcpLibrary] = {
      {"ICSDHCP_EnableDhcpServer", reinterpret_cast<void*>(&Enable)}};
  IcsDhcp half(&loader);
  half.Load();
  EXPECT_FALSE(half.Available());
  half.Enable();
  half.DisableAndRelease();
  EXPECT_EQ(g_enables + g_disables, 0);
  IcsDhcp none(nullptr);
  none.Load();
  EXPECT_FALSE(none.Available());
}

}  // namespace
}  // namespace kavo9::softap
