#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "station/dot1x/pac/PacFile.h"
#include "station/dot1x/supplicant/PacSteps.h"
#include "station/dot1x/supplicant/testing/ScriptedSupplicant.h"

namespace kavo9::dot1x {
namespace {

namespace fs = std::filesystem;

// The record's PAC path and the profile's stored value; Windows paths are names in a folder.
class FolderPacHost : public PacHost {
 public:
  explicit FolderPacHost(fs::path folder) : folder_(std::move(folder)) {}
  std::string PacPath() override { return path; }
  void SetPacPath(const std::string& p) override { path = p; }
  std::string DefaultPacPath() override { return dot1x::DefaultPacPath("", profile); }
  void StorePacPath(const std::string& p) override { stored.push_back(p); }
  fs::path HostPath(std::string_view windowsPath) override { return folder_ / windowsPath; }

  std::string path = "old\\elsewhere.pac";
  std::string profile = "Office";
  std::vector<std::string> stored;

 private:
  fs::path folder_;
};

class PacStepsTest : public ::testing::Test {
 protected:
  static fs::path Folder() {
    const fs::path folder = fs::temp_directory_path() /
                            ("kavo9-pac-" + std::to_string(::getpid()) + "-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder);
    return folder;
  }

  PacStepsTest() {
    library.provisioned = {{AC_PAC_AID, {0xA1, 0xD0}},
                           {AC_PAC_IID, {'a', 'l', 'i', 'c', 'e'}},
                           {AC_PAC_KEY, std::vector<uint8_t>(32, 0x4B)},
                           {AC_PAC_OPAQUE, std::vector<uint8_t>(80, 0x0F)}};
  }
  ~PacStepsTest() override { fs::remove_all(folder); }

  fs::path folder = Folder();
  ScriptedSupplicant library;
  FolderPacHost host{folder};
};

TEST_F(PacStepsTest, ASavedPacIsTheProfilesFileAndComesBackForTheSameUser) {
  SavePac(library, host, 7, 1);
  EXPECT_EQ(host.path, "Office.pac");  // whatever the record named before
  EXPECT_EQ(host.stored, std::vector<std::string>{"Office.pac"});
  EXPECT_EQ(fs::file_size(folder / "Office.pac"), kPacFileSize);
  EXPECT_EQ(library.Answers(), std::vector<std::string>{"complete 1"});

  // Any domain or realm around the same user name finds it; another user does not.
  const struct {
    const char* identity;
    bool found;
  } cases[] = {{"CORP\\alice@corp.example", true},
               {"alice", true},
               {"OTHER\\alice@elsewhere", true},
               {"bob", false}};
  for (const auto& c : cases) {
    ScriptedSupplicant asked;
    LoadPac(asked, host, 7, 2, c.identity);
    EXPECT_EQ(asked.Answers(),
              (std::vector<std::string>{c.found ? "pac 2 1" : "pac 2 0", "complete 2"}))
        << c.identity;
    if (c.found) {
      EXPECT_EQ(asked.pacs.at(0).at(AC_PAC_KEY), std::vector<uint8_t>(32, 0x4B));
      EXPECT_EQ(asked.pacs.at(0).at(AC_PAC_OPAQUE), std::vector<uint8_t>(80, 0x0F));
      EXPECT_EQ(asked.liveObjects, 0) << "the PAC object is destroyed after the answer";
    }
  }
  // Another server's A-ID: none.
  ScriptedSupplicant other;
  other.serverAid = {0xBB};
  LoadPac(other, host, 7, 3, "alice");
  EXPECT_EQ(other.Answers(), (std::vector<std::string>{"pac 3 0", "complete 3"}));
}

TEST_F(PacStepsTest, AShortFileIsIgnoredAndLeftAndAPacThatCannotBeReadIsNotKept) {
  host.path = "short.pac";
  { std::ofstream(folder / "short.pac", std::ios::binary) << std::string(kPacFileSize - 1, '\0'); }
  LoadPac(library, host, 7, 1, "alice");
  EXPECT_EQ(library.Answers(), (std::vector<std::string>{"pac 1 0", "complete 1"}));
  EXPECT_TRUE(fs::exists(folder / "short.pac"));

  ScriptedSupplicant failing;
  failing.pacResult = AC_ERR_FAILED;
  SavePac(failing, host, 7, 2);
  EXPECT_EQ(host.path, "");  // cleared, nothing stored
  EXPECT_TRUE(host.stored.empty());
  EXPECT_FALSE(fs::exists(folder / "Office.pac"));
  EXPECT_EQ(failing.Answers(), std::vector<std::string>{"complete 2"});
}

TEST_F(PacStepsTest, DiscardDeletesTheConnectionsDefaultFile) {
  SavePac(library, host, 7, 1);
  ASSERT_TRUE(fs::exists(folder / "Office.pac"));
  DiscardPac(host);
  EXPECT_FALSE(fs::exists(folder / "Office.pac"));
  DiscardPac(host);  // nothing left: no error
}

}  // namespace
}  // namespace kavo9::dot1x
