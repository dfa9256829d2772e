// The registry against the raw SQLite work it wraps, in the same run and on the same kind of hive
// file (same schema, WAL, synchronous=NORMAL). Each Registry/X has a Raw/X doing the same with
// prepared statements; the ratios are printed at the end.
//
//   build/bench/registry_bench [--benchmark_repetitions=5 --benchmark_enable_random_interleaving]

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "common/platform/simulated/SqliteRegistry.h"

namespace kavo9 {
namespace {

constexpr const char* kPath = "Software\\Kavo9\\Bench";
constexpr const char* kFold = "SOFTWARE\\KAVO9\\BENCH";
const uint8_t kText[] = "Wireless Network 1";  // a REG_SZ with its zero

class Owner : public SecurityToken {
 public:
  std::string UserName() const override { return "bench"; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    groups->assign({kAdministratorsSid});
    return true;
  }
};

// Two machines in a temporary folder: one used through the registry, one through raw SQLite.
struct Setup {
  Setup() {
    char pattern[] = "/tmp/kavo9-bench-XXXXXX";
    dir = ::mkdtemp(pattern);
    {
      SqliteRegistry maker(dir / "raw", owner);  // the same schema for the raw side
      RegWriteString(maker, HKEY_LOCAL_MACHINE, kPath, "Name", "x");
    }
    registry = std::make_unique<SqliteRegistry>(dir / "registry", owner);
    RegWriteString(*registry, HKEY_LOCAL_MACHINE, kPath, "Name", "x");

    sqlite3_open_v2((dir / "raw" / "HKLM.hive").c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(db, 5000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr,
                 nullptr);
    auto prepare = [&](const char* sql) {
      sqlite3_stmt* stmt = nullptr;
      sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
      return stmt;
    };
    findKey = prepare("SELECT id FROM keys WHERE fold = ?1");
    upsert = prepare(
        "INSERT INTO vals(key, name, fold, type, data) VALUES(?1, ?2, ?3, ?4, ?5)"
        " ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
    select = prepare("SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2");
  }
  ~Setup() {
    for (sqlite3_stmt* stmt : {findKey, upsert, select}) sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    registry.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  int64_t RawFindKey() {
    sqlite3_bind_text(findKey, 1, kFold, -1, SQLITE_STATIC);
    sqlite3_step(findKey);
    int64_t id = sqlite3_column_int64(findKey, 0);
    sqlite3_reset(findKey);
    return id;
  }
  void RawSet(int64_t key, const std::string& name, const std::string& fold) {
    sqlite3_bind_int64(upsert, 1, key);
    sqlite3_bind_text(upsert, 2, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    sqlite3_bind_text(upsert, 3, fold.data(), static_cast<int>(fold.size()), SQLITE_STATIC);
    sqlite3_bind_int64(upsert, 4, REG_SZ);
    sqlite3_bind_blob(upsert, 5, kText, sizeof(kText), SQLITE_STATIC);
    if (sqlite3_step(upsert) != SQLITE_DONE) std::abort();
    sqlite3_reset(upsert);
  }
  uint32_t RawQuery(int64_t key, const char* fold, uint8_t* buffer) {
    sqlite3_bind_int64(select, 1, key);
    sqlite3_bind_text(select, 2, fold, -1, SQLITE_STATIC);
    if (sqlite3_step(select) != SQLITE_ROW) std::abort();
    const void* blob = sqlite3_column_blob(select, 1);
    auto size = static_cast<uint32_t>(sqlite3_column_bytes(select, 1));
    std::memcpy(buffer, blob, size);
    sqlite3_reset(select);
    return size;
  }

  Owner owner;
  std::filesystem::path dir;
  std::unique_ptr<SqliteRegistry> registry;
  sqlite3* db = nullptr;
  sqlite3_stmt* findKey = nullptr;
  sqlite3_stmt* upsert = nullptr;
  sqlite3_stmt* select = nullptr;
};

Setup& Warm() {
  static Setup setup;
  return setup;
}

// ---- one REG_SZ written the way the programs do: open the key, set, close

void Registry_WriteString(benchmark::State& state) {
  Setup& s = Warm();
  for (auto _ : state) {
    HKEY key = 0;
    if (s.registry->CreateKey(HKEY_LOCAL_MACHINE, kPath, KEY_WRITE, &key) != 0 ||
        s.registry->SetValue(key, "Name", REG_SZ, kText, sizeof(kText)) != 0) {
      state.SkipWithError("write failed");
    }
    s.registry->CloseKey(key);
  }
}

void Raw_WriteString(benchmark::State& state) {
  Setup& s = Warm();
  const std::string name = "Name", fold = "NAME";
  for (auto _ : state) s.RawSet(s.RawFindKey(), name, fold);
}

// ---- one REG_SZ read: open, query, close

void Registry_ReadString(benchmark::State& state) {
  Setup& s = Warm();
  uint8_t buffer[64];
  for (auto _ : state) {
    HKEY key = 0;
    uint32_t type = 0;
    uint32_t length = sizeof(buffer);
    if (s.registry->OpenKey(HKEY_LOCAL_MACHINE, kPath, KEY_READ, &key) != 0 ||
        s.registry->QueryValue(key, "Name", &type, buffer, &length) != 0) {
      state.SkipWithError("read failed");
    }
    s.registry->CloseKey(key);
    benchmark::DoNotOptimize(buffer);
  }
}

void Raw_ReadString(benchmark::State& state) {
  Setup& s = Warm();
  uint8_t buffer[64];
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.RawQuery(s.RawFindKey(), "NAME", buffer));
    benchmark::DoNotOptimize(buffer);
  }
}

// ---- a 40-value profile, value by value (each set its own transaction)

std::vector<std::pair<std::string, std::string>> ProfileNames() {
  std::vector<std::pair<std::string, std::string>> names;
  for (int i = 0; i < 40; ++i) {
    std::string name = "ProfileValue" + std::to_string(i);
    std::string fold = name;
    for (char& c : fold) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    names.emplace_back(name, fold);
  }
  return names;
}

void Registry_Profile40(benchmark::State& state) {
  Setup& s = Warm();
  const auto names = ProfileNames();
  for (auto _ : state) {
    HKEY key = 0;
    if (s.registry->CreateKey(HKEY_LOCAL_MACHINE, kPath, KEY_WRITE, &key) != 0) {
      state.SkipWithError("create failed");
    }
    for (const auto& name : names) {
      if (s.registry->SetValue(key, name.first, REG_SZ, kText, sizeof(kText)) != 0) {
        state.SkipWithError("write failed");
      }
    }
    s.registry->CloseKey(key);
  }
}

void Raw_Profile40(benchmark::State& state) {
  Setup& s = Warm();
  const auto names = ProfileNames();
  for (auto _ : state) {
    int64_t key = s.RawFindKey();
    for (const auto& name : names) s.RawSet(key, name.first, name.second);
  }
}

// ---- the calls one by one

void Registry_OpenCloseKey(benchmark::State& state) {
  Setup& s = Warm();
  for (auto _ : state) {
    HKEY key = 0;
    s.registry->OpenKey(HKEY_LOCAL_MACHINE, kPath, KEY_READ, &key);
    s.registry->CloseKey(key);
  }
}

void Raw_OpenCloseKey(benchmark::State& state) {
  Setup& s = Warm();
  for (auto _ : state) benchmark::DoNotOptimize(s.RawFindKey());
}

void Registry_SetValue(benchmark::State& state) {
  Setup& s = Warm();
  HKEY key = 0;
  s.registry->OpenKey(HKEY_LOCAL_MACHINE, kPath, KEY_WRITE, &key);
  for (auto _ : state) s.registry->SetValue(key, "Name", REG_SZ, kText, sizeof(kText));
  s.registry->CloseKey(key);
}

void Raw_SetValue(benchmark::State& state) {
  Setup& s = Warm();
  const std::string name = "Name", fold = "NAME";
  int64_t key = s.RawFindKey();
  for (auto _ : state) s.RawSet(key, name, fold);
}

void Registry_QueryValue(benchmark::State& state) {
  Setup& s = Warm();
  HKEY key = 0;
  s.registry->OpenKey(HKEY_LOCAL_MACHINE, kPath, KEY_READ, &key);
  uint8_t buffer[64];
  for (auto _ : state) {
    uint32_t length = sizeof(buffer);
    s.registry->QueryValue(key, "Name", nullptr, buffer, &length);
    benchmark::DoNotOptimize(buffer);
  }
  s.registry->CloseKey(key);
}

void Raw_QueryValue(benchmark::State& state) {
  Setup& s = Warm();
  int64_t key = s.RawFindKey();
  uint8_t buffer[64];
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.RawQuery(key, "NAME", buffer));
    benchmark::DoNotOptimize(buffer);
  }
}

// Interleaved so the two sides of each pair see the same machine load.
BENCHMARK(Registry_WriteString);
BENCHMARK(Raw_WriteString);
BENCHMARK(Registry_ReadString);
BENCHMARK(Raw_ReadString);
BENCHMARK(Registry_Profile40);
BENCHMARK(Raw_Profile40);
BENCHMARK(Registry_OpenCloseKey);
BENCHMARK(Raw_OpenCloseKey);
BENCHMARK(Registry_SetValue);
BENCHMARK(Raw_SetValue);
BENCHMARK(Registry_QueryValue);
BENCHMARK(Raw_QueryValue);

// Prints as usual and remembers each result, for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With --benchmark_repetitions the median stands for the benchmark.
    for (const Run& run : runs) {
      bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if ((run.run_type == Run::RT_Iteration || median) && !run.error_occurred) {
        times[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
      }
    }
  }
  void PrintRatios() const {
    // Real time includes waiting for the disk; CPU time is what a loaded machine shows best.
    std::printf("\n%-14s %26s %8s   %26s %8s\n", "", "real time: registry / raw", "ratio",
                "cpu time: registry / raw", "ratio");
    for (const auto& [name, time] : times) {
      if (!name.starts_with("Registry_")) continue;
      auto raw = times.find("Raw_" + name.substr(9));
      if (raw == times.end()) continue;
      std::printf("%-14s %11.2f us %11.2f us %7.2fx   %11.2f us %11.2f us %7.2fx\n",
                  name.substr(9).c_str(), time.real / 1000, raw->second.real / 1000,
                  time.real / raw->second.real, time.cpu / 1000, raw->second.cpu / 1000,
                  time.cpu / raw->second.cpu);
    }
  }
  struct Time {
    double real;
    double cpu;
  };
  std::map<std::string, Time> times;  // per iteration, ns
};

}  // namespace
}  // namespace kavo9

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  kavo9::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
