#include <gtest/gtest.h>

#include "common/adapter/WindowsVersion.h"
#include "common/platform/fake/FakePlatform.h"

namespace kavo9 {
namespace {

constexpr uint32_t k9x = VER_PLATFORM_WIN32_WINDOWS;
constexpr uint32_t kNT = VER_PLATFORM_WIN32_NT;
constexpr uint8_t kWks = VER_NT_WORKSTATION;
constexpr uint8_t kSrv = VER_NT_SERVER;

TEST(WindowsVersion, EveryCodeOfTheTable) {
  struct Case {
    OsVersionInfo info;
    int code;
  } cases[] = {
      {{k9x, 4, 0, 950, 0}, 2},
      {{k9x, 4, 10, 1998, 0}, 3},
      {{k9x, 4, 10, 0x0A002222 /* high bits ignored */, 0}, 3},
      {{k9x, 4, 10, 0x04000000 | 2222, 0}, 4},
      {{k9x, 4, 90, 3000, 0}, 5},
      {{k9x, 4, 20, 0, 0}, 0},
      {{k9x, 5, 0, 0, 0}, 0},
      {{kNT, 3, 51, 1057, kWks}, 6},
      {{kNT, 4, 0, 1381, kWks}, 6},
      {{kNT, 5, 0, 2195, kWks}, 7},
      {{kNT, 5, 1, 2600, kWks}, 8},
      {{kNT, 5, 2, 3790, kSrv}, 9},
      {{kNT, 5, 2, 3790, VER_NT_DOMAIN_CONTROLLER}, 9},
      {{kNT, 5, 2, 3790, kWks}, 10},
      {{kNT, 6, 0, 6000, kWks}, 11},
      {{kNT, 6, 1, 7600, kSrv}, 11},
      {{kNT, 5, 3, 0, kWks}, 12},
      {{kNT, 10, 0, 19045, kWks}, 12},
      {{kNT, 7, 0, 0, kSrv}, 13},
      {{kNT, 5, 3, 0, kSrv}, 13},
      {{3, 5, 1, 0, kWks}, 0},  // another platform
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyVersionRecord(c.info), c.code)
        << c.info.platformId << " " << c.info.major << "." << c.info.minor << " " << c.info.build;
  }
}

TEST(WindowsVersion, FallsBackToThePlainFormAndGivesZeroWhenBothFail) {
  FakeSystemInfo system;
  system.version = {kNT, 5, 2, 3790, kWks};
  EXPECT_EQ(ClassifyWindowsVersion(system), 10);
  // Without the product type the plain form cannot tell XP x64 from Server 2003.
  system.extendedRefused = true;
  EXPECT_EQ(ClassifyWindowsVersion(system), 9);
  system.failures = 1;  // the extended call fails, the plain one works
  system.extendedRefused = false;
  EXPECT_EQ(ClassifyWindowsVersion(system), 9);
  system.failures = 2;
  EXPECT_EQ(ClassifyWindowsVersion(system), 0);
}

TEST(WindowsVersion, AdministratorDetection) {
  FakeSecurityToken token;
  token.administrator = false;
  EXPECT_TRUE(IsAdministratorUser(6, token));  // no accounts to speak of
  EXPECT_TRUE(IsAdministratorUser(4, token));
  EXPECT_FALSE(IsAdministratorUser(8, token));
  token.administrator = true;
  EXPECT_TRUE(IsAdministratorUser(8, token));
  token.readable = false;
  EXPECT_FALSE(IsAdministratorUser(11, token));
}

}  // namespace
}  // namespace kavo9
