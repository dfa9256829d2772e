// The hive files themselves: shared by processes, surviving a killed writer, and refusing a
// damaged file without touching it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "common/platform/fake/FakePlatform.h"
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

// Runs `body` in a child process; its exit status is whether every call succeeded.
pid_t Fork(const std::function<bool()>& body) {
  pid_t pid = ::fork();
  if (pid == 0) ::_exit(body() ? 0 : 1);
  return pid;
}

int ExitCode(pid_t pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class HiveTest : public testing::Test {
 protected:
  std::filesystem::path Dir() const { return paths.machineDir / "registry"; }
  std::filesystem::path Hive() const { return Dir() / "HKLM.hive"; }
  FakePaths paths;
  FakeSecurityToken token;
};

TEST_F(HiveTest, TheChangeStampMovesWithEveryWriteOfEitherConnectionOnly) {
  SqliteRegistry mine(Dir(), token, SqliteRegistry::MissingHives::kCreate);
  SqliteRegistry theirs(Dir(), token, SqliteRegistry::MissingHives::kCreate);
  ASSERT_EQ(RegWriteString(mine, HKEY_LOCAL_MACHINE, "Software\\Stamp", "a", "1"), 0);
  const uint64_t start = mine.ChangeStamp(HKEY_LOCAL_MACHINE);
  ASSERT_NE(start, 0u);
  std::string value;
  RegReadString(mine, HKEY_LOCAL_MACHINE, "Software\\Stamp", "a", &value);
  EXPECT_EQ(mine.ChangeStamp(HKEY_LOCAL_MACHINE), start) << "a read changes nothing";
  RegWriteString(mine, HKEY_LOCAL_MACHINE, "Software\\Stamp", "a", "2");
  const uint64_t afterOwn = mine.ChangeStamp(HKEY_LOCAL_MACHINE);
  EXPECT_NE(afterOwn, start);
  RegWriteString(theirs, HKEY_LOCAL_MACHINE, "Software\\Stamp", "a", "3");
  EXPECT_NE(mine.ChangeStamp(HKEY_LOCAL_MACHINE), afterOwn) << "another process's write";
  EXPECT_EQ(mine.ChangeStamp(HKEY(0x1234)), 0u) << "not a root";
}

TEST_F(HiveTest, TwoProcessesWritingAtOnceLoseNothing) {
  constexpr int kWrites = 150;
  int gate[2];
  ASSERT_EQ(::pipe(gate), 0);
  auto writer = [&](int who) {
    return Fork([&, who] {
      char go;
      if (::read(gate[0], &go, 1) != 1) return false;
      SqliteRegistry registry(Dir(), token);
      bool ok = true;
      for (int i = 0; i < kWrites; ++i) {
        std::string n = std::to_string(who) + "-" + std::to_string(i);
        ok &= RegWriteString(registry, HKEY_LOCAL_MACHINE, "Software\\Race", "v" + n, n) == 0;
        ok &= RegWriteString(registry, HKEY_LOCAL_MACHINE, "Software\\Race\\K" + n, "", n) == 0;
      }
      return ok;
    });
  };
  pid_t first = writer(1);
  pid_t second = writer(2);
  ASSERT_EQ(::write(gate[1], "go", 2), 2);  // both start together
  EXPECT_EQ(ExitCode(first), 0);
  EXPECT_EQ(ExitCode(second), 0);
  ::close(gate[0]);
  ::close(gate[1]);

  SqliteRegistry registry(Dir(), token);
  for (int who : {1, 2}) {
    for (int i = 0; i < kWrites; ++i) {
      std::string n = std::to_string(who) + "-" + std::to_string(i);
      std::string value;
      EXPECT_EQ(RegReadString(registry, HKEY_LOCAL_MACHINE, "Software\\Race", "v" + n, &value), 0);
      EXPECT_EQ(value, n);
      EXPECT_EQ(RegReadString(registry, HKEY_LOCAL_MACHINE, "Software\\Race\\K" + n, "", &value),
                0);
    }
  }
}

TEST_F(HiveTest, WriterKilledMidStreamLeavesEveryReturnedWrite) {
  int reported[2];
  ASSERT_EQ(::pipe(reported), 0);
  pid_t child = Fork([&] {
    ::close(reported[0]);
    SqliteRegistry registry(Dir(), token);
    for (uint32_t i = 0;; ++i) {
      std::string n = std::to_string(i);
      if (RegWriteString(registry, HKEY_LOCAL_MACHINE, "Software\\Stream\\K" + n, "v", n) != 0 ||
          RegWriteString(registry, HKEY_LOCAL_MACHINE, "Software\\Stream", "v" + n, n) != 0) {
        return false;
      }
      if (::write(reported[1], &i, sizeof(i)) != sizeof(i)) return false;
    }
  });
  ::close(reported[1]);
  uint32_t last = 0;
  uint32_t count = 0;
  while (count < 300 && ::read(reported[0], &last, sizeof(last)) == sizeof(last)) ++count;
  ::kill(child, SIGKILL);
  while (::read(reported[0], &last, sizeof(last)) == sizeof(last)) ++count;  // sent before death
  ::close(reported[0]);
  ExitCode(child);
  ASSERT_GE(count, 300u);

  SqliteRegistry registry(Dir(), token);
  for (uint32_t i = 0; i < count; ++i) {
    std::string n = std::to_string(i);
    std::string value;
    ASSERT_EQ(RegReadString(registry, HKEY_LOCAL_MACHINE, "Software\\Stream", "v" + n, &value), 0)
        << n;
    EXPECT_EQ(value, n);
    ASSERT_EQ(RegReadString(registry, HKEY_LOCAL_MACHINE, "Software\\Stream\\K" + n, "v", &value),
              0);
  }
  // And the hive still takes writes.
  EXPECT_EQ(RegWriteString(registry, HKEY_LOCAL_MACHINE, "Software\\Stream", "after", "1"), 0);
}

struct Damage {
  const char* name;
  std::function<void(const std::filesystem::path& hive)> make;
};

const Damage kDamages[] = {
    {"Garbage", [](const auto& hive) { WriteFile(hive, std::string(5000, 'x')); }},
    {"Empty", [](const auto& hive) { WriteFile(hive, ""); }},
    {"Truncated",
     [](const auto& hive) {
       {
         FakeSecurityToken token;
         SqliteRegistry registry(hive.parent_path(), token);
         for (int i = 0; i < 400; ++i) {
           RegWriteString(registry, HKEY_LOCAL_MACHINE, "Software\\K" + std::to_string(i), "v",
                          std::string(200, 'd'));
         }
       }
       std::filesystem::resize_file(hive, std::filesystem::file_size(hive) / 2);
     }},
    {"OtherDatabase",
     [](const auto& hive) {
       sqlite3* db = nullptr;
       sqlite3_open(hive.c_str(), &db);
       sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr);
       sqlite3_close(db);
     }},
};

TEST_F(HiveTest, DamagedHiveIsRefusedAndLeftAlone) {
  for (const Damage& damage : kDamages) {
    SCOPED_TRACE(damage.name);
    std::filesystem::remove_all(Dir());
    std::filesystem::create_directories(Dir());
    damage.make(Hive());
    const std::string before = ReadFile(Hive());

    testing::internal::CaptureStderr();
    {
      SqliteRegistry registry(Dir(), token);
      HKEY key = 0;
      std::string value;
      EXPECT_EQ(registry.OpenKey(HKEY_LOCAL_MACHINE, "Software", KEY_READ, &key), ERROR_BADDB);
      EXPECT_EQ(registry.CreateKey(HKEY_LOCAL_MACHINE, "Software\\New", KEY_ALL_ACCESS, &key),
                ERROR_BADDB);
      EXPECT_EQ(RegWriteString(registry, HKEY_LOCAL_MACHINE, "Software", "v", "x"), ERROR_BADDB);
      EXPECT_EQ(RegReadString(registry, HKEY_LOCAL_MACHINE, "Software", "v", &value), ERROR_BADDB);
      // The other hives are not affected.
      EXPECT_EQ(RegWriteString(registry, HKEY_CURRENT_USER, "Software", "v", "x"), ERROR_SUCCESS);
    }
    std::string messages = testing::internal::GetCapturedStderr();

    EXPECT_EQ(ReadFile(Hive()), before);
    size_t first = messages.find(Hive().string());
    ASSERT_NE(first, std::string::npos) << messages;
    EXPECT_EQ(messages.find(Hive().string(), first + 1), std::string::npos)
        << "reported once: " << messages;
  }
}

}  // namespace
}  // namespace kavo9
