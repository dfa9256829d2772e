#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "common/platform/fake/FakePlatform.h"
#include "station/shell/mainwindow/HelpFile.h"

namespace kavo9 {
namespace {

TEST(HelpFileName, OnlyChineseTaiwanGetsTheChineseDocument) {
  struct Case {
    uint16_t languageId;
    const char* expected;
  } cases[] = {
      {1028, "TSCONFIGCHN.html"},   {0x0804, "TSCONFIGENG.html"}, {0x0C04, "TSCONFIGENG.html"},
      {0x0409, "TSCONFIGENG.html"}, {0x0411, "TSCONFIGENG.html"}, {0x1004, "TSCONFIGENG.html"},
      {0x0000, "TSCONFIGENG.html"}, {0x0407, "TSCONFIGENG.html"}, {0x0004, "TSCONFIGENG.html"},
  };
  for (const auto& c : cases) EXPECT_EQ(HelpFileName(c.languageId), c.expected) << c.languageId;
}

TEST(OpenHelp, OpensTheDocumentBesideTheProgram) {
  FakeProcessLauncher launcher;
  launcher.succeed = false;  // a missing document is not reported
  OpenHelp(launcher, "/opt/kavo9/bin", 0x0409);
  EXPECT_EQ(launcher.opened, std::vector<std::string>({"/opt/kavo9/bin/TSCONFIGENG.html"}));
}

TEST(HelpFileName, BothDocumentsSitBesideThePrograms) {
  const char* binDir = std::getenv("KAVO9_BIN");
  const std::filesystem::path bin = binDir ? binDir : ".";
  for (uint16_t languageId : {0x0409, 0x0404}) {
    EXPECT_TRUE(std::filesystem::is_regular_file(bin / HelpFileName(languageId)))
        << HelpFileName(languageId);
  }
}

}  // namespace
}  // namespace kavo9
