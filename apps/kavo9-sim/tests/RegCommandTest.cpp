// `kavo9-sim reg ...` as a user runs it, on a temporary machine.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/platform/Paths.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/platform/simulated/SqliteRegistry.h"

namespace kavo9 {
namespace {

struct ToolRun {
  int exit = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RegCommandTest : public testing::Test {
 protected:
  // Runs the tool with `args`; KAVO9_MACHINE names the test's machine.
  ToolRun Tool(const std::vector<std::string>& args) {
    // $KAVO9_BIN when set, else the build's bin folder beside this test's folder.
    const char* bin = std::getenv("KAVO9_BIN");
    std::filesystem::path tool =
        (bin && *bin ? std::filesystem::path(bin)
                     : CurrentExecutablePath().parent_path().parent_path() / "bin") /
        "kavo9-sim";
    std::filesystem::path out = paths.machineDir / "out.txt";
    std::filesystem::path err = paths.machineDir / "err.txt";
    pid_t pid = ::fork();
    if (pid == 0) {
      ::setenv("KAVO9_MACHINE", paths.machineDir.c_str(), 1);
      ::dup2(::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
      ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
      std::vector<char*> argv{const_cast<char*>(tool.c_str())};
      for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      ::execv(tool.c_str(), argv.data());
      ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(out), Slurp(err)};
  }

  std::vector<uint8_t> Read(std::string_view path, std::string_view name, uint32_t* type) {
    FakeSecurityToken token;
    SqliteRegistry registry(paths.machineDir / "registry", token);
    ScopedKey key(registry);
    std::vector<uint8_t> data(64);
    auto length = static_cast<uint32_t>(data.size());
    if (registry.OpenKey(HKEY_LOCAL_MACHINE, path, KEY_READ, &key) != 0 ||
        registry.QueryValue(key.get(), name, type, data.data(), &length) != 0) {
      return {};
    }
    data.resize(length);
    return data;
  }

  FakePaths paths;
};

TEST_F(RegCommandTest, SetQueryExportDeleteImport) {
  const std::string key = "HKLM\\Software\\Kavo9";
  struct Case {
    std::vector<std::string> args;
    const char* name;
    uint32_t type;
    std::vector<uint8_t> bytes;
    const char* shown;
  } cases[] = {
      {{"Text", "REG_SZ", "a b"},
       "Text",
       REG_SZ,
       {'a', ' ', 'b', 0},
       "    Text    REG_SZ    a b\n"},
      {{"", "REG_SZ", "def"}, "", REG_SZ, {'d', 'e', 'f', 0}, "    (Default)    REG_SZ    def\n"},
      {{"Dec", "REG_DWORD", "42"},
       "Dec",
       REG_DWORD,
       {42, 0, 0, 0},
       "    Dec    REG_DWORD    0x2a\n"},
      {{"Hex", "REG_DWORD", "0xFFFFFFFF"},
       "Hex",
       REG_DWORD,
       {255, 255, 255, 255},
       "    Hex    REG_DWORD    0xffffffff\n"},
      {{"Bin", "REG_BINARY", "01,aB ff"},
       "Bin",
       REG_BINARY,
       {1, 0xAB, 0xFF},
       "    Bin    REG_BINARY    01ABFF\n"},
      {{"Multi", "REG_MULTI_SZ", "one", "two"},
       "Multi",
       REG_MULTI_SZ,
       {'o', 'n', 'e', 0, 't', 'w', 'o', 0, 0},
       "    Multi    REG_MULTI_SZ    one\\0two\n"},
      {{"Exp", "REG_EXPAND_SZ", "%x%"},
       "Exp",
       REG_EXPAND_SZ,
       {'%', 'x', '%', 0},
       "    Exp    REG_EXPAND_SZ    %x%\n"},
  };
  std::string listing = "HKEY_LOCAL_MACHINE\\Software\\Kavo9\n";
  for (const Case& c : cases) {
    std::vector<std::string> args{"reg", "set", key};
    args.insert(args.end(), c.args.begin(), c.args.end());
    ToolRun run = Tool(args);
    ASSERT_EQ(run.exit, 0) << run.err;
    uint32_t type = 0;
    EXPECT_EQ(Read("Software\\Kavo9", c.name, &type), c.bytes) << c.name;
    EXPECT_EQ(type, c.type);
    ToolRun one = Tool({"--machine", paths.machineDir.string(), "reg", "query", key, c.name});
    EXPECT_EQ(one.out, "HKEY_LOCAL_MACHINE\\Software\\Kavo9\n" + std::string(c.shown));
    listing += c.shown;
  }
  ASSERT_EQ(
      Tool({"reg", "set", "HKEY_LOCAL_MACHINE\\Software\\Kavo9\\Sub", "v", "REG_SZ", ""}).exit, 0);
  EXPECT_EQ(Tool({"reg", "query", "hklm\\software\\kavo9"}).out,
            "HKEY_LOCAL_MACHINE\\software\\kavo9\n" + listing.substr(listing.find('\n') + 1) +
                "\nHKEY_LOCAL_MACHINE\\software\\kavo9\\Sub\n");

  ToolRun exported = Tool({"reg", "export", key});
  ASSERT_EQ(exported.exit, 0) << exported.err;
  EXPECT_EQ(
      exported.out.rfind(
          "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\Software\\Kavo9]\n", 0),
      0u)
      << exported.out;
  std::filesystem::path file = paths.machineDir / "saved.reg";
  std::ofstream(file) << exported.out;

  ASSERT_EQ(Tool({"reg", "delete", key, "Text"}).exit, 0);
  EXPECT_EQ(Tool({"reg", "query", key, "Text"}).exit, 1);
  ASSERT_EQ(Tool({"reg", "delete", key}).exit, 0);
  ToolRun missing = Tool({"reg", "query", key});
  EXPECT_EQ(missing.exit, 1);
  EXPECT_EQ(missing.err, "kavo9-sim: HKEY_LOCAL_MACHINE\\Software\\Kavo9: not found (2)\n");

  ASSERT_EQ(Tool({"reg", "import", file.string()}).exit, 0);
  EXPECT_EQ(Tool({"reg", "export", key}).out, exported.out);
  EXPECT_NE(Tool({"reg", "export"}).out.find("[HKEY_LOCAL_MACHINE\\Software\\Kavo9\\Sub]"),
            std::string::npos);
}

TEST_F(RegCommandTest, BadArgumentsGiveAMessageAndAnExitCode) {
  std::ofstream(paths.machineDir / "bad.reg")
      << "Windows Registry Editor Version 5.00\n\n[HKLM\\X]\n\"v\"=dword:x\n";
  struct Case {
    std::vector<std::string> args;
    int exit;
    const char* message;
  } cases[] = {
      {{}, 2, "kavo9-sim: no command given"},
      {{"--machine"}, 2, "kavo9-sim: --machine needs a folder"},
      {{"--bogus", "reg"}, 2, "kavo9-sim: unknown option \"--bogus\""},
      {{"frobnicate"}, 2, "kavo9-sim: unknown command \"frobnicate\""},
      {{"reg"}, 2, "kavo9-sim: reg needs a sub-command"},
      {{"reg", "list"}, 2, "kavo9-sim: unknown reg sub-command \"list\""},
      {{"reg", "query"}, 2, "kavo9-sim: usage: reg query KEY [VALUE]"},
      {{"reg", "query", "HKXX\\Software"}, 2, "kavo9-sim: not a key: \"HKXX\\Software\""},
      {{"reg", "query", "HKLM\\Nope"}, 1, "kavo9-sim: HKEY_LOCAL_MACHINE\\Nope: not found (2)"},
      {{"reg", "query", "HKLM\\a\\\\b"}, 1, "invalid name or parameter (87)"},
      {{"reg", "set", "HKLM\\X", "v", "REG_DWORD", "12x"}, 2, "REG_DWORD needs a number"},
      {{"reg", "set", "HKLM\\X", "v", "REG_DWORD", "4294967296"}, 2, "REG_DWORD needs a number"},
      {{"reg", "set", "HKLM\\X", "v", "REG_DWORD", "-1"}, 2, "REG_DWORD needs a number"},
      {{"reg", "set", "HKLM\\X", "v", "REG_BINARY", "abc"},
       2,
       "REG_BINARY needs pairs of hex digits"},
      {{"reg", "set", "HKLM\\X", "v", "REG_SZ"}, 2, "REG_SZ takes one DATA argument"},
      {{"reg", "set", "HKLM\\X", "v", "REG_FOO", "1"}, 2, "unknown type \"REG_FOO\""},
      {{"reg", "delete", "HKLM"}, 2, "a root key cannot be deleted"},
      {{"reg", "delete", "HKLM\\Nope"}, 1, "not found (2)"},
      {{"reg", "import", "/nonexistent/file.reg"}, 1, "cannot read /nonexistent/file.reg"},
      {{"reg", "import", (paths.machineDir / "bad.reg").string()},
       1,
       "bad.reg: line 4: dword needs"},
  };
  for (const Case& c : cases) {
    std::string joined;
    for (const auto& arg : c.args) joined += arg + " ";
    SCOPED_TRACE(joined);
    ToolRun run = Tool(c.args);
    EXPECT_EQ(run.exit, c.exit);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  // Nothing of the refused file, nor of the refused sets, was written.
  EXPECT_EQ(Tool({"reg", "query", "HKLM\\X"}).exit, 1);
}

}  // namespace
}  // namespace kavo9
