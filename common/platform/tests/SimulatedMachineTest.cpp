// What the programs are told about their simulated machine: whether the user is an administrator
// (only when the description says so in plain words) and what is wrong with its files.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <ostream>

#include "common/platform/fake/FakePlatform.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/platform/simulated/SqliteRegistry.h"

namespace kavo9 {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A machine folder whose hives were made with it.
class Machine {
 public:
  Machine() : layout(paths.MachineDir()) {
    FakeSecurityToken token;
    SqliteRegistry(layout.RegistryDir(), token, SqliteRegistry::MissingHives::kCreate).OpenHives();
  }
  FakePaths paths;
  MachineLayout layout;
  VirtualEventLoop loop;
};

struct DescriptionCase {
  const char* name;
  const char* text;  // null: no machine.json
  bool administrator;
  bool problem;
};

// Shown by its name in test listings.
void PrintTo(const DescriptionCase& c, std::ostream* os) {
  *os << c.name;
}

class Description : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(Description, GrantsAdministratorOnlyWhenItSaysTrue) {
  Machine machine;
  if (GetParam().text) WriteFile(machine.layout.MachineFile(), GetParam().text);
  SimulatedPlatform simulated(machine.layout.dir, machine.loop);
  EXPECT_EQ(simulated.platform().token->IsAdministrator(), GetParam().administrator);
  const std::string& problem = simulated.DescriptionProblem();
  EXPECT_EQ(!problem.empty(), GetParam().problem) << problem;
  if (GetParam().problem) {
    EXPECT_NE(problem.find(machine.layout.MachineFile().string()), std::string::npos) << problem;
    EXPECT_EQ(simulated.Problems(), std::vector<std::string>{problem});
  }
}

INSTANTIATE_TEST_SUITE_P(
    MachineFile, Description,
    ::testing::Values(
        DescriptionCase{"Missing", nullptr, false, true},
        DescriptionCase{"NotJson", "{\"user\": {\"administrator\": true", false, true},
        DescriptionCase{"AdministratorAsText", R"({"user": {"administrator": "false"}})", false,
                        true},
        DescriptionCase{"AdministratorAsNumber", R"({"user": {"administrator": 1}})", false, true},
        DescriptionCase{"BadVersionField",
                        R"({"windows": {"major": "five"}, "user": {"administrator": true}})", false,
                        true},
        DescriptionCase{"NoAdministratorField", R"({"user": {"name": "bob"}})", false, false},
        DescriptionCase{"StandardUser", R"({"user": {"administrator": false}})", false, false},
        DescriptionCase{"Administrator", R"({"user": {"administrator": true}})", true, false}),
    [](const ::testing::TestParamInfo<DescriptionCase>& c) { return std::string(c.param.name); });

TEST(HiveProblems, AMissingHiveIsMadeAnewAndToldOnceNamingIt) {
  Machine machine;
  WriteFile(machine.layout.MachineFile(), R"({"user": {"administrator": true}})");
  const auto hive = machine.layout.RegistryDir() / "HKCU.hive";
  {
    SimulatedPlatform simulated(machine.layout.dir, machine.loop);
    EXPECT_TRUE(simulated.Problems().empty());
  }
  std::filesystem::remove(hive);
  {
    SimulatedPlatform simulated(machine.layout.dir, machine.loop);
    const auto problems = simulated.Problems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(hive.string() + " was missing"), std::string::npos) << problems[0];
    EXPECT_TRUE(std::filesystem::exists(hive));
  }
  SimulatedPlatform again(machine.layout.dir, machine.loop);
  EXPECT_TRUE(again.Problems().empty());
}

TEST(HiveProblems, ADamagedHiveIsToldAndLeftAsItIs) {
  Machine machine;
  WriteFile(machine.layout.MachineFile(), R"({"user": {"administrator": true}})");
  const auto hive = machine.layout.RegistryDir() / "HKLM.hive";
  WriteFile(hive, std::string(5000, 'x'));
  {
    SimulatedPlatform simulated(machine.layout.dir, machine.loop);
    std::string value;
    EXPECT_EQ(
        RegWriteString(*simulated.platform().registry, HKEY_LOCAL_MACHINE, "Software", "v", "x"),
        ERROR_BADDB);
    const auto problems = simulated.HiveProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(hive.string() + " cannot be read"), std::string::npos)
        << problems[0];
  }
  EXPECT_EQ(ReadFile(hive), std::string(5000, 'x'));
}

}  // namespace
}  // namespace kavo9
