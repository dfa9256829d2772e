#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "radio/registers/RegisterPage.h"
#include "radio/vocabulary/Bytes.h"

namespace kavo9::radio {
namespace {

using F = RegisterFile;

TEST(DumpRanges, FollowEachRowsRules) {
  struct Case {
    const char* name;
    F file;
    const char* first;
    const char* second;
    uint64_t from, to, step, count;
  };
  const Case cases[] = {
      {"MAC 0x10-0x1F", F::kMac, "10", "1F", 0x10, 0x1C, 4, 4},
      {"MAC from 0x12 starts at 0x10", F::kMac, "12", "1F", 0x10, 0x1C, 4, 4},
      {"MAC without offset 2 reads offset 0", F::kMac, "40", "", 0, 0, 4, 1},
      {"MAC at the top of the address space", F::kMac, "FFFFFFF0", "FFFFFFFF", 0xFFFFFFF0,
       0xFFFFFFFC, 4, 4},
      {"MAC past the last word", F::kMac, "FFFFFFFF", "FFFFFFFF", 0x100000000, 0xFFFFFFFC, 4, 0},
      {"EEPROM steps by words", F::kEeprom, "0", "7", 0, 7, 2, 4},
      {"EEPROM at the top", F::kEeprom, "FFFFFFFE", "FFFFFFFF", 0xFFFFFFFE, 0xFFFFFFFF, 2, 1},
      {"BBP stops after 255", F::kBbp, "250", "255", 250, 255, 1, 6},
      {"BBP without ID 2 reads ID 1", F::kBbp, "17", "", 17, 17, 1, 1},
      {"RF without ID 2 reads 0", F::kRf, "9", "", 0, 0, 1, 1},
  };
  for (const Case& c : cases) {
    const DumpPlan plan = PlanDump(c.file, c.first, c.second);
    ASSERT_TRUE(plan.range) << c.name << ": " << plan.message;
    EXPECT_EQ(plan.range->first, c.from) << c.name;
    EXPECT_EQ(plan.range->last, c.to) << c.name;
    EXPECT_EQ(plan.range->step, c.step) << c.name;
    EXPECT_EQ(plan.range->Count(), c.count) << c.name;
  }
}

TEST(DumpRanges, RefuseABackwardRangeAndBadNumbers) {
  EXPECT_EQ(PlanDump(F::kMac, "20", "10").message, "Offset 2 can't be less than Offset 1");
  EXPECT_EQ(PlanDump(F::kEeprom, "8", "6").message, "Offset 2 can't be less than Offset 1");
  EXPECT_EQ(PlanDump(F::kBbp, "9", "8").message, "ID 2 can't be less than ID 1");
  EXPECT_EQ(PlanDump(F::kRf, "3", "1").message, "ID 2 can't be less than ID 1");
  EXPECT_FALSE(PlanDump(F::kMac, "xyz", "10").range);
  EXPECT_FALSE(PlanDump(F::kBbp, "250", "300").range);  // no register 300
  EXPECT_FALSE(PlanDump(F::kMac, "100000000", "").range);
}

TEST(RegisterTexts, ShowValuesAndDumpLinesAsEachRowDoes) {
  EXPECT_EQ(RegisterValueText(F::kMac, 0x1A2B), "00001A2B");
  EXPECT_EQ(RegisterValueText(F::kBbp, 0x1AB), "AB");
  EXPECT_EQ(RegisterValueText(F::kRf, 0xAB), "ab");
  EXPECT_EQ(RegisterValueText(F::kEeprom, 0x3070), "3070");
  EXPECT_EQ(DumpLine(F::kMac, 0x1C, 0xDEADBEEF), "0000001c = DEADBEEF\r\n");
  EXPECT_EQ(DumpLine(F::kBbp, 3, 0x2A), "003 = 2A\r\n");
  EXPECT_EQ(DumpLine(F::kEeprom, 0x36, 0x200), "00000036 = 0200\r\n");
  EXPECT_EQ(ParseRegisterValue(F::kBbp, "1FF"), std::nullopt);  // two digits at most
  EXPECT_EQ(ParseRegisterValue(F::kMac, "DEADBEEF"), 0xDEADBEEFu);
}

class RegisterPageTest : public ::testing::Test {
 protected:
  RegisterPageTest() {
    // Every register reads back its type in the top byte and its address below.
    driver.answer = [](uint32_t oid, std::span<uint8_t> out, uint32_t* count) -> int32_t {
      if (oid != OID_VND_REGISTER_ACCESS) return 0;
      WriteLe32(out, 8, ReadLe32(out, 0) << 24 | (ReadLe32(out, 4) & 0xFFFFFF));
      *count = 12;
      return 0;
    };
  }
  std::string File(const char* name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  ScriptedDriver driver;
  VirtualEventLoop loop;
  std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() /
             ("kavo9-reg-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(d);
    return d;
  }();
  RegisterPageModel page{driver, loop, dir};
};

TEST_F(RegisterPageTest, QueriesAndSetsTheRowsRegister) {
  EXPECT_EQ(page.Query(F::kEeprom, "36"), "0036");
  EXPECT_EQ(page.Query(F::kRf, "12"), "0c");
  EXPECT_EQ(page.Query(F::kMac, "not hex"), "");
  EXPECT_TRUE(page.Set(F::kBbp, "66", "2a"));
  ASSERT_NE(driver.LastSet(OID_VND_REGISTER_ACCESS), nullptr);
  EXPECT_EQ(driver.LastSet(OID_VND_REGISTER_ACCESS)->value,
            (std::vector<uint8_t>{1, 0, 0, 0, 66, 0, 0, 0, 0x2A, 0, 0, 0}));
  EXPECT_FALSE(page.Set(F::kBbp, "66", "123"));
  const std::string_view r[4] = {"1", "2", "3", "FFFFFFFF"};
  EXPECT_TRUE(page.SetRfTuning(r, true));
  ASSERT_NE(driver.LastSet(OID_VND_RF_REGISTERS), nullptr);
  EXPECT_EQ(ReadLe32(driver.LastSet(OID_VND_RF_REGISTERS)->value, 12), 0xFFFFFFFFu);
  EXPECT_EQ(ReadLe32(driver.LastSet(OID_VND_RF_REGISTERS)->value, 16), 1u);
}

TEST_F(RegisterPageTest, ADumpWritesItsFileInChunksAndStopsAtTheTop) {
  bool finished = false;
  ASSERT_EQ(page.StartDump(F::kMac, "FFFFFC00", "FFFFFFFF", [&](bool ok) { finished = ok; }),
            std::nullopt);
  EXPECT_TRUE(page.Dumping());
  EXPECT_LT(page.DumpProgress(), page.DumpTotal());            // the rest waits for the event loop
  EXPECT_TRUE(page.StartDump(F::kBbp, "0", "1").has_value());  // one at a time
  loop.RunPosted();
  ASSERT_TRUE(finished);
  const std::string text = File("MacDump.txt");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 256);
  EXPECT_EQ(text.substr(text.size() - 21), "fffffffc = 00FFFFFC\r\n");
  EXPECT_FALSE(page.Dumping());
}

TEST_F(RegisterPageTest, ABbpDumpStopsAfter255AndABackwardRangeWritesNothing) {
  ASSERT_EQ(page.StartDump(F::kBbp, "250", "255"), std::nullopt);
  loop.RunPosted();
  EXPECT_EQ(File("BaseBandDump.txt"),
            "250 = FA\r\n251 = FB\r\n252 = FC\r\n253 = FD\r\n254 = FE\r\n255 = FF\r\n");
  EXPECT_EQ(page.StartDump(F::kEeprom, "8", "2"), "Offset 2 can't be less than Offset 1");
  EXPECT_FALSE(std::filesystem::exists(dir / "EEPROMDump.txt"));
}

}  // namespace
}  // namespace kavo9::radio
