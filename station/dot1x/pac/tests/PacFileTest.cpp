#include "station/dot1x/pac/PacFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kavo9::dot1x {
namespace {

PacBytes Bytes(std::string_view text) {
  return PacBytes(text.begin(), text.end());
}

PacContents Sample() {
  return {Bytes("server-aid"), Bytes("alice"), PacBytes(32, 0x5A), PacBytes(200, 0xC3)};
}

class PacFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("pac-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void WriteRaw(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }
  std::filesystem::path dir_;
};

TEST(PacLayout, PartsArePackedAfterTheirLittleEndianLengths) {
  const auto file = EncodePacFile(Sample());
  ASSERT_TRUE(file);
  EXPECT_EQ((*file)[0], 10);  // A-ID length
  EXPECT_EQ((*file)[4], 5);   // I-ID length
  EXPECT_EQ((*file)[8], 32);
  EXPECT_EQ((*file)[12], 200);
  EXPECT_EQ((*file)[16], 's');
  EXPECT_EQ((*file)[26], 'a');      // the I-ID follows the A-ID
  EXPECT_EQ((*file)[31], 0x5A);     // then the key
  EXPECT_EQ((*file)[63], 0xC3);     // then the opaque
  EXPECT_EQ((*file)[16 + 247], 0);  // and zeros to the end
  const DecodedPac decoded = DecodePacFile(*file);
  EXPECT_EQ(decoded.state, PacFileState::Valid);
  EXPECT_EQ(decoded.contents, Sample());
}

TEST(PacLayout, DamagedFilesAreToldApart) {
  auto whole = *EncodePacFile(Sample());
  EXPECT_EQ(DecodePacFile(std::span(whole).first(kPacFileSize - 1)).state, PacFileState::WrongSize);
  // Lengths that only fit when their sum wraps round in 32 bits.
  whole[0] = 0x00, whole[1] = 0x00, whole[2] = 0x00, whole[3] = 0x80;
  whole[4] = 0x00, whole[5] = 0x00, whole[6] = 0x00, whole[7] = 0x80;
  EXPECT_EQ(DecodePacFile(whole).state, PacFileState::Oversized);
  PacContents tooBig = Sample();
  tooBig.opaque.resize(kPacDataSize);
  EXPECT_FALSE(EncodePacFile(tooBig));
}

TEST(PacIdentity, TheUserPartOfTheOuterIdentity) {
  const struct {
    std::string_view identity, iid;
  } cases[] = {
      {"alice", "alice"},
      {"CORP\\alice@example.org", "alice"},
      {"alice@example.org", "alice"},
      {"CORP\\alice", "alice"},
      {"alice@realm\\x", "alice"},  // a "\" after the "@" is not a domain
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(PacUserIid(c.identity), c.iid) << c.identity;
}

TEST(PacIdentity, AStoredPacMatchesTheSameUserInAnyDomainOrRealm) {
  const PacContents stored = Sample();
  const PacBytes aid = Bytes("server-aid");
  EXPECT_TRUE(PacMatches(stored, aid, PacUserIid("OTHER\\alice@elsewhere")));
  EXPECT_FALSE(PacMatches(stored, aid, PacUserIid("CORP\\bob@example.org")));
  EXPECT_FALSE(PacMatches(stored, aid, PacUserIid("alicia")));
  EXPECT_FALSE(PacMatches(stored, Bytes("server-aie"), "alice"));
}

TEST(PacPath, ProfileNamesStayInsideTheFolder) {
  const struct {
    std::optional<std::string_view> profile;
    std::string_view path;
  } cases[] = {
      {"Home", "C:\\pac\\Home.pac"},
      {std::nullopt, "C:\\pac\\current.pac"},
      {"..\\..\\Windows\\x", "C:\\pac\\%2E.%5C..%5CWindows%5Cx.pac"},
      {"a/b:c%d", "C:\\pac\\a%2Fb%3Ac%25d.pac"},
      {"tab\there", "C:\\pac\\tab%09here.pac"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DefaultPacPath("C:\\pac", c.profile), c.path);
    EXPECT_EQ(DefaultPacPath("C:\\pac\\", c.profile), c.path);
  }
}

TEST_F(PacFiles, SavedPacLoadsBackForItsServerAndUser) {
  const auto file = dir_ / "Home.pac";
  ASSERT_TRUE(SavePacFile(file, Sample()));
  EXPECT_EQ(std::filesystem::file_size(file), kPacFileSize);
  EXPECT_EQ(LoadPacFile(file, Bytes("server-aid"), "alice"), Sample());
  EXPECT_FALSE(LoadPacFile(file, Bytes("server-aid"), "bob"));
  EXPECT_TRUE(std::filesystem::exists(file));  // another user's PAC is kept
  DiscardPacFile(file);
  EXPECT_FALSE(std::filesystem::exists(file));
  DiscardPacFile(file);  // twice is harmless
}

TEST_F(PacFiles, AShortFileIsIgnoredAndKeptAnOversizedOneIsDeletedALongerOneReadsItsStart) {
  const auto whole = *EncodePacFile(Sample());
  const auto shortFile = dir_ / "short.pac";
  WriteRaw(shortFile, std::vector<uint8_t>(whole.begin(), whole.end() - 1));
  EXPECT_FALSE(LoadPacFile(shortFile, Bytes("server-aid"), "alice"));
  EXPECT_TRUE(std::filesystem::exists(shortFile));

  const auto longFile = dir_ / "long.pac";
  std::vector<uint8_t> longer(whole.begin(), whole.end());
  longer.push_back(0);
  WriteRaw(longFile, longer);
  EXPECT_EQ(LoadPacFile(longFile, Bytes("server-aid"), "alice"), Sample());

  auto oversized = std::vector<uint8_t>(whole.begin(), whole.end());
  oversized[13] = 0x04;  // opaque length 1,024 + 200
  const auto badFile = dir_ / "bad.pac";
  WriteRaw(badFile, oversized);
  EXPECT_FALSE(LoadPacFile(badFile, Bytes("server-aid"), "alice"));
  EXPECT_FALSE(std::filesystem::exists(badFile));

  EXPECT_FALSE(LoadPacFile({}, Bytes("server-aid"), "alice"));
  EXPECT_FALSE(LoadPacFile(dir_ / "missing.pac", Bytes("server-aid"), "alice"));
}

TEST_F(PacFiles, ASaveThatCannotBeWrittenSaysSo) {
  EXPECT_FALSE(SavePacFile(dir_ / "no-such-folder" / "x.pac", Sample()));
  PacContents tooBig = Sample();
  tooBig.key.resize(kPacDataSize);
  EXPECT_FALSE(SavePacFile(dir_ / "big.pac", tooBig));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "big.pac"));
}

}  // namespace
}  // namespace kavo9::dot1x
