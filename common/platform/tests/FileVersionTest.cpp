#include <gtest/gtest.h>

#include <fstream>

#include "common/platform/FileVersion.h"
#include "common/platform/simulated/MachineFileVersion.h"

namespace kavo9 {
namespace {

TEST(VersionRecord, ParsesTheVersionAndTheCopyright) {
  FileVersionInfo info;
  ASSERT_TRUE(ParseVersionRecord("FileVersion=1.6.12.3\r\nLegalCopyright=(C) Norvik\r\n", &info));
  EXPECT_EQ(info.major, 1);
  EXPECT_EQ(info.revision, 3);
  EXPECT_EQ(info.legalCopyright, "(C) Norvik");
  for (const char* bad : {"", "FileVersion=1.6", "FileVersion=1.6.0.x", "FileVersion=1.6.0.70000",
                          "LegalCopyright=only"}) {
    EXPECT_FALSE(ParseVersionRecord(bad, &info)) << bad;
  }
}

// A 64-bit machine with the driver in System32 only: a 32-bit process finds it only with its
// redirection off.
TEST(MachineFileVersion, RedirectionHidesSystem32FromA32BitProcess) {
  const auto drive =
      std::filesystem::temp_directory_path() /
      ("kavo9-fv-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  const auto file = drive / "WINDOWS" / "system32" / "drivers" / "tsd170v64.sys";
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << "driver";
  std::ofstream(file.string() + ".version") << "FileVersion=3.0.1.0\n";
  bool redirecting = true;
  MachineFileVersion versions(drive, [&redirecting] { return redirecting; });
  FileVersionInfo info;
  FileDate date;
  EXPECT_FALSE(versions.ReadVersion(file, &info));
  EXPECT_FALSE(versions.ModificationDate(file, &date));
  redirecting = false;
  ASSERT_TRUE(versions.ReadVersion(file, &info));
  EXPECT_EQ(info.major, 3);
  ASSERT_TRUE(versions.ModificationDate(file, &date));
  EXPECT_GE(date.year, 2024);
  // A file without a record beside it has no version.
  std::filesystem::remove(file.string() + ".version");
  EXPECT_FALSE(versions.ReadVersion(file, &info));
  std::filesystem::remove_all(drive);
}

}  // namespace
}  // namespace kavo9
