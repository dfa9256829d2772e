#pragma once
// The registry of the simulated machine: one SQLite hive file per root in a folder
// (HKLM.hive, HKCU.hive, HKCR.hive, HKU.hive, HKCC.hive), shared safely by every process of the
// machine (WAL mode, one transaction per operation, a busy timeout). Each hive's connection stays
// open and its statements prepared for the life of this object.
//
// A hive file that exists is never replaced: one that is damaged is refused (its calls fail with
// ERROR_BADDB) and left as it is; one that is missing is made anew, empty. Either is told once,
// on standard error and in HiveProblems, in words for the user that name the file.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/Registry.h"
#include "common/platform/SecurityToken.h"

namespace kavo9 {

class SqliteRegistry : public Registry {
 public:
  // Whether a missing hive is news: only while a machine is being made is it expected.
  enum class MissingHives { kReport, kCreate };

  // Hives in `registryDir` (made when missing). Writes below HKEY_LOCAL_MACHINE are allowed only
  // when `token` is an administrator's, asked at each write.
  SqliteRegistry(std::filesystem::path registryDir, const SecurityToken& token,
                 MissingHives missing = MissingHives::kReport);
  // Hives held in memory, for tests: same semantics, nothing on disk.
  static std::unique_ptr<SqliteRegistry> InMemory(const SecurityToken& token);
  ~SqliteRegistry() override;

  // Opens every hive now rather than at its first use, so what is wrong with one is known at
  // once. The first error, or ERROR_SUCCESS.
  int32_t OpenHives();
  // What went wrong with a hive so far (damaged, or missing and made anew), each once, as texts
  // a user can read that name the file. Empty when all is well.
  std::vector<std::string> HiveProblems() const;

  int32_t OpenKey(HKEY parent, std::string_view subKey, uint32_t access, HKEY* result) override;
  int32_t CreateKey(HKEY parent, std::string_view subKey, uint32_t access, HKEY* result,
                    bool* created = nullptr) override;
  int32_t CloseKey(HKEY key) override;
  int32_t QueryValue(HKEY key, std::string_view name, uint32_t* type, uint8_t* data,
                     uint32_t* length) override;
  int32_t SetValue(HKEY key, std::string_view name, uint32_t type, const uint8_t* data,
                   uint32_t length) override;
  int32_t DeleteValue(HKEY key, std::string_view name) override;
  int32_t DeleteKey(HKEY key, std::string_view subKey) override;
  int32_t DeleteTree(HKEY key, std::string_view subKey) override;
  int32_t EnumKey(HKEY key, uint32_t index, std::string* name) override;
  int32_t EnumValue(HKEY key, uint32_t index, std::string* name, uint32_t* type,
                    std::vector<uint8_t>* data) override;
  uint64_t ChangeStamp(HKEY root) override;

 private:
  struct Impl;
  explicit SqliteRegistry(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace kavo9
