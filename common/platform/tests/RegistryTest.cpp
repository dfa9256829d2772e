// Registry semantics, run against both the in-memory hives the fakes use and the hive files the
// simulated machine uses.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/platform/Registry.h"
#include "common/platform/fake/FakePlatform.h"
#include "common/platform/simulated/SqliteRegistry.h"

namespace kavo9 {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

enum class Backend { kMemory, kFiles };
// Test names and failure messages show the backend by name.
void PrintTo(Backend backend, std::ostream* out) {
  *out << (backend == Backend::kMemory ? "Memory" : "Files");
}

class RegistryTest : public testing::TestWithParam<Backend> {
 protected:
  RegistryTest() {
    if (GetParam() == Backend::kMemory) {
      registry = SqliteRegistry::InMemory(token);
    } else {
      registry = std::make_unique<SqliteRegistry>(paths.machineDir / "registry", token);
    }
  }

  int32_t Set(HKEY root, std::string_view path, std::string_view name, uint32_t type,
              const Bytes& data) {
    ScopedKey key(*registry);
    int32_t error = registry->CreateKey(root, path, KEY_ALL_ACCESS, &key);
    if (error != ERROR_SUCCESS) return error;
    return registry->SetValue(key.get(), name, type, data.data(),
                              static_cast<uint32_t>(data.size()));
  }

  int32_t Create(HKEY root, std::string_view path) {
    ScopedKey key(*registry);
    return registry->CreateKey(root, path, KEY_ALL_ACCESS, &key);
  }

  bool Exists(HKEY root, std::string_view path) {
    ScopedKey key(*registry);
    return registry->OpenKey(root, path, KEY_READ, &key) == ERROR_SUCCESS;
  }

  std::vector<std::string> Subkeys(HKEY root, std::string_view path) {
    std::vector<std::string> names;
    ScopedKey key(*registry);
    EXPECT_EQ(registry->OpenKey(root, path, KEY_READ, &key), ERROR_SUCCESS) << path;
    std::string name;
    for (uint32_t i = 0; registry->EnumKey(key.get(), i, &name) == ERROR_SUCCESS; ++i) {
      names.push_back(name);
    }
    return names;
  }

  struct Value {
    std::string name;
    uint32_t type;
    Bytes data;
    bool operator==(const Value&) const = default;
  };
  std::vector<Value> Values(HKEY root, std::string_view path) {
    std::vector<Value> values;
    ScopedKey key(*registry);
    EXPECT_EQ(registry->OpenKey(root, path, KEY_READ, &key), ERROR_SUCCESS) << path;
    Value value;
    for (uint32_t i = 0;
         registry->EnumValue(key.get(), i, &value.name, &value.type, &value.data) == ERROR_SUCCESS;
         ++i) {
      values.push_back(value);
    }
    return values;
  }

  std::vector<std::string> ValueNames(HKEY root, std::string_view path) {
    std::vector<std::string> names;
    for (const Value& v : Values(root, path)) names.push_back(v.name);
    return names;
  }

  FakeSecurityToken token;
  FakePaths paths;
  std::unique_ptr<SqliteRegistry> registry;
};

INSTANTIATE_TEST_SUITE_P(Backends, RegistryTest, testing::Values(Backend::kMemory, Backend::kFiles),
                         [](const auto& p) {
                           return p.param == Backend::kMemory ? "Memory" : "Files";
                         });

// Each case runs on a fresh registry holding HKLM\Software\Kavo9 (value "Name", subkey "Sub")
// and HKCU\Software, and returns the error code of the call under test.
struct ErrorCase {
  const char* name;
  std::function<int32_t(Registry&, FakeSecurityToken&)> call;
  int32_t expected;
};

int32_t OpenRead(Registry& r, HKEY root, std::string_view path) {
  ScopedKey key(r);
  return r.OpenKey(root, path, KEY_READ, &key);
}

int32_t WithKey(Registry& r, std::string_view path, uint32_t access,
                const std::function<int32_t(HKEY)>& call) {
  ScopedKey key(r);
  int32_t error = r.OpenKey(HKEY_LOCAL_MACHINE, path, access, &key);
  return error != ERROR_SUCCESS ? error : call(key.get());
}

const Bytes kText = B("text");

const ErrorCase kErrorCases[] = {
    {"OpenMissing",
     [](Registry& r, auto&) { return OpenRead(r, HKEY_LOCAL_MACHINE, "Software\\Nope"); },
     ERROR_FILE_NOT_FOUND},
    {"OpenAnyCase",
     [](Registry& r, auto&) { return OpenRead(r, HKEY_LOCAL_MACHINE, "SOFTWARE\\kavo9\\SUB"); },
     ERROR_SUCCESS},
    {"OpenTrailingBackslash",
     [](Registry& r, auto&) { return OpenRead(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9\\"); },
     ERROR_SUCCESS},
    {"OpenEmptyComponent",
     [](Registry& r, auto&) { return OpenRead(r, HKEY_LOCAL_MACHINE, "Software\\\\Kavo9"); },
     ERROR_INVALID_PARAMETER},
    {"OpenLeadingBackslash",
     [](Registry& r, auto&) { return OpenRead(r, HKEY_LOCAL_MACHINE, "\\Software"); },
     ERROR_INVALID_PARAMETER},
    {"OpenTwoTrailingBackslashes",
     [](Registry& r, auto&) { return OpenRead(r, HKEY_LOCAL_MACHINE, "Software\\\\"); },
     ERROR_INVALID_PARAMETER},
    {"OpenOtherHive",
     [](Registry& r, auto&) { return OpenRead(r, HKEY_CURRENT_USER, "Software\\Kavo9"); },
     ERROR_FILE_NOT_FOUND},
    {"CreateLongestName",
     [](Registry& r, auto&) {
       ScopedKey k(r);
       return r.CreateKey(HKEY_CURRENT_USER, std::string(255, 'k'), KEY_WRITE, &k);
     },
     ERROR_SUCCESS},
    {"CreateTooLongName",
     [](Registry& r, auto&) {
       ScopedKey k(r);
       return r.CreateKey(HKEY_CURRENT_USER, "A\\" + std::string(256, 'k'), KEY_WRITE, &k);
     },
     ERROR_INVALID_PARAMETER},
    {"CreateNameWithNul",
     [](Registry& r, auto&) {
       ScopedKey k(r);
       return r.CreateKey(HKEY_CURRENT_USER, std::string_view("a\0b", 3), KEY_WRITE, &k);
     },
     ERROR_INVALID_PARAMETER},
    {"SetLongestValueName",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_ALL_ACCESS, [&](HKEY k) {
         return r.SetValue(k, std::string(16383, 'v'), REG_SZ, kText.data(), 4);
       });
     },
     ERROR_SUCCESS},
    {"SetTooLongValueName",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_ALL_ACCESS, [&](HKEY k) {
         return r.SetValue(k, std::string(16384, 'v'), REG_SZ, kText.data(), 4);
       });
     },
     ERROR_INVALID_PARAMETER},
    {"SetNullDataWithLength",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_ALL_ACCESS,
                      [&](HKEY k) { return r.SetValue(k, "x", REG_BINARY, nullptr, 4); });
     },
     ERROR_INVALID_PARAMETER},
    {"SetThroughReadHandle",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_READ,
                      [&](HKEY k) { return r.SetValue(k, "x", REG_SZ, kText.data(), 4); });
     },
     ERROR_ACCESS_DENIED},
    {"QueryMissingValue",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_READ,
                      [&](HKEY k) { return r.QueryValue(k, "Nope", nullptr, nullptr, nullptr); });
     },
     ERROR_FILE_NOT_FOUND},
    {"QueryAnyCase",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_READ,
                      [&](HKEY k) { return r.QueryValue(k, "NAME", nullptr, nullptr, nullptr); });
     },
     ERROR_SUCCESS},
    {"QueryDataWithoutLength",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_READ, [&](HKEY k) {
         uint8_t b[8];
         return r.QueryValue(k, "Name", nullptr, b, nullptr);
       });
     },
     ERROR_INVALID_PARAMETER},
    {"QueryThroughWriteOnlyHandle",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_SET_VALUE,
                      [&](HKEY k) { return r.QueryValue(k, "Name", nullptr, nullptr, nullptr); });
     },
     ERROR_ACCESS_DENIED},
    {"DeleteMissingValue",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_ALL_ACCESS,
                      [&](HKEY k) { return r.DeleteValue(k, "Nope"); });
     },
     ERROR_FILE_NOT_FOUND},
    {"DeleteKeyWithSubkeys",
     [](Registry& r, auto&) { return r.DeleteKey(HKEY_LOCAL_MACHINE, "Software\\Kavo9"); },
     ERROR_ACCESS_DENIED},
    {"DeleteEmptyKey",
     [](Registry& r, auto&) { return r.DeleteKey(HKEY_LOCAL_MACHINE, "software\\kavo9\\sub"); },
     ERROR_SUCCESS},
    {"DeleteMissingKey",
     [](Registry& r, auto&) { return r.DeleteKey(HKEY_LOCAL_MACHINE, "Software\\Nope"); },
     ERROR_FILE_NOT_FOUND},
    {"DeleteRoot", [](Registry& r, auto&) { return r.DeleteKey(HKEY_CURRENT_USER, ""); },
     ERROR_ACCESS_DENIED},
    {"DeleteMissingTree",
     [](Registry& r, auto&) { return r.DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Nope"); },
     ERROR_FILE_NOT_FOUND},
    {"EnumKeysPastEnd",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_READ, [&](HKEY k) {
         std::string n;
         return r.EnumKey(k, 1, &n);
       });
     },
     ERROR_NO_MORE_ITEMS},
    {"EnumValuesPastEnd",
     [](Registry& r, auto&) {
       return WithKey(r, "Software\\Kavo9", KEY_READ,
                      [&](HKEY k) { return r.EnumValue(k, 1, nullptr, nullptr, nullptr); });
     },
     ERROR_NO_MORE_ITEMS},
    {"UnknownHandle",
     [](Registry& r, auto&) { return r.QueryValue(12345, "Name", nullptr, nullptr, nullptr); },
     ERROR_INVALID_HANDLE},
    {"NullHandle",
     [](Registry& r, auto&) {
       HKEY k;
       return r.OpenKey(0, "Software", KEY_READ, &k);
     },
     ERROR_INVALID_HANDLE},
    {"CloseTwice",
     [](Registry& r, auto&) {
       HKEY k;
       r.OpenKey(HKEY_LOCAL_MACHINE, "Software", KEY_READ, &k);
       r.CloseKey(k);
       return r.CloseKey(k);
     },
     ERROR_INVALID_HANDLE},
    // A standard user reads everything, writes below HKEY_LOCAL_MACHINE nothing.
    {"UserReadsMachine",
     [](Registry& r, FakeSecurityToken& t) {
       t.administrator = false;
       return WithKey(r, "Software\\Kavo9", KEY_READ,
                      [&](HKEY k) { return r.QueryValue(k, "Name", nullptr, nullptr, nullptr); });
     },
     ERROR_SUCCESS},
    {"UserOpensMachineForWriting",
     [](Registry& r, FakeSecurityToken& t) {
       t.administrator = false;
       return WithKey(r, "Software\\Kavo9", KEY_WRITE, [](HKEY) { return ERROR_SUCCESS; });
     },
     ERROR_ACCESS_DENIED},
    {"UserCreatesMachineKey",
     [](Registry& r, FakeSecurityToken& t) {
       t.administrator = false;
       ScopedKey k(r);
       return r.CreateKey(HKEY_LOCAL_MACHINE, "Software\\New", KEY_READ, &k);
     },
     ERROR_ACCESS_DENIED},
    {"UserCreateOpensExistingForReading",
     [](Registry& r, FakeSecurityToken& t) {
       t.administrator = false;
       ScopedKey k(r);
       return r.CreateKey(HKEY_LOCAL_MACHINE, "Software\\Kavo9", KEY_READ, &k);
     },
     ERROR_SUCCESS},
    {"UserSetsThroughAdminHandle",
     [](Registry& r, FakeSecurityToken& t) {
       return WithKey(r, "Software\\Kavo9", KEY_ALL_ACCESS, [&](HKEY k) {
         t.administrator = false;
         return r.SetValue(k, "x", REG_SZ, kText.data(), 4);
       });
     },
     ERROR_ACCESS_DENIED},
    {"UserDeletesMachineTree",
     [](Registry& r, FakeSecurityToken& t) {
       t.administrator = false;
       return r.DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Kavo9");
     },
     ERROR_ACCESS_DENIED},
    {"UserWithUnreadableToken",
     [](Registry& r, FakeSecurityToken& t) {
       t.readable = false;
       return r.DeleteKey(HKEY_LOCAL_MACHINE, "Software\\Kavo9\\Sub");
     },
     ERROR_ACCESS_DENIED},
    {"UserWritesOwnHive",
     [](Registry& r, FakeSecurityToken& t) {
       t.administrator = false;
       return RegWriteString(r, HKEY_CURRENT_USER, "Software\\Kavo9", "x", "y");
     },
     ERROR_SUCCESS},
};

void WriteErrorCaseFixture(Registry& r) {
  ASSERT_EQ(RegWriteString(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Name", "value"), 0);
  ASSERT_EQ(RegWriteString(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9\\Sub", "", "value"), 0);
  ASSERT_EQ(RegWriteString(r, HKEY_CURRENT_USER, "Software", "x", "value"), 0);
}

TEST_P(RegistryTest, CallsGiveTheWin32Errors) {
  // Hive files are built once and copied for each case.
  std::filesystem::path original = paths.machineDir / "original";
  if (GetParam() == Backend::kFiles) {
    SqliteRegistry r(original, token);
    WriteErrorCaseFixture(r);
  }
  for (const ErrorCase& c : kErrorCases) {
    SCOPED_TRACE(c.name);
    FakePaths casePaths;
    FakeSecurityToken caseToken;
    std::unique_ptr<SqliteRegistry> r;
    if (GetParam() == Backend::kMemory) {
      r = SqliteRegistry::InMemory(caseToken);
      WriteErrorCaseFixture(*r);
    } else {
      std::filesystem::copy(original, casePaths.machineDir / "registry");
      r = std::make_unique<SqliteRegistry>(casePaths.machineDir / "registry", caseToken);
    }
    EXPECT_EQ(c.call(*r, caseToken), c.expected);
  }
}

TEST_P(RegistryTest, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
  bool created = false;
  ScopedKey key(*registry);
  ASSERT_EQ(
      registry->CreateKey(HKEY_CURRENT_USER, "Software\\MixedCase", KEY_ALL_ACCESS, &key, &created),
      ERROR_SUCCESS);
  EXPECT_TRUE(created);
  ScopedKey again(*registry);
  ASSERT_EQ(registry->CreateKey(HKEY_CURRENT_USER, "SOFTWARE\\mixedcase", KEY_ALL_ACCESS, &again,
                                &created),
            ERROR_SUCCESS);
  EXPECT_FALSE(created);
  EXPECT_EQ(Subkeys(HKEY_CURRENT_USER, "software"), std::vector<std::string>{"MixedCase"});

  ASSERT_EQ(Set(HKEY_CURRENT_USER, "Software\\MixedCase", "ValName", REG_SZ, B("one")), 0);
  ASSERT_EQ(Set(HKEY_CURRENT_USER, "Software\\MixedCase", "VALNAME", REG_BINARY, B("two")), 0);
  EXPECT_EQ(Values(HKEY_CURRENT_USER, "Software\\MixedCase"),
            (std::vector<Value>{{"ValName", REG_BINARY, B("two")}}));
}

TEST_P(RegistryTest, SubkeysEnumerateSortedWithoutRegardToCase) {
  // Windows compares upper-cased names: "_" (0x5F) sorts after the letters.
  for (const char* name : {"b", "_x", "A", "C", "a1", "B2"}) {
    ASSERT_EQ(Create(HKEY_CURRENT_USER, std::string("List\\") + name), 0);
  }
  EXPECT_EQ(Subkeys(HKEY_CURRENT_USER, "List"),
            (std::vector<std::string>{"A", "a1", "b", "B2", "C", "_x"}));
}

TEST_P(RegistryTest, ValuesEnumerateInCreationOrderAndKeepTheirPlace) {
  for (const char* name : {"z", "a", "m"}) {
    ASSERT_EQ(Set(HKEY_CURRENT_USER, "Order", name, REG_SZ, B("1")), 0);
  }
  ASSERT_EQ(Set(HKEY_CURRENT_USER, "Order", "A", REG_SZ, B("2")), 0);
  EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, "Order"), (std::vector<std::string>{"z", "a", "m"}));
  ScopedKey key(*registry);
  ASSERT_EQ(registry->OpenKey(HKEY_CURRENT_USER, "Order", KEY_ALL_ACCESS, &key), 0);
  ASSERT_EQ(registry->DeleteValue(key.get(), "Z"), 0);
  ASSERT_EQ(Set(HKEY_CURRENT_USER, "Order", "z", REG_SZ, B("3")), 0);
  EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, "Order"), (std::vector<std::string>{"a", "m", "z"}));
}

TEST_P(RegistryTest, DataIsStoredByteExactly) {
  const std::vector<Value> values = {
      {"", REG_SZ, B(std::string_view("default\0", 8))},
      {"sz", REG_SZ, B(std::string_view("text\0", 5))},
      {"sz without zero", REG_SZ, B("text")},
      {"sz with zeros inside", REG_SZ, B(std::string_view("a\0b\0\0", 5))},
      {"expand", REG_EXPAND_SZ, B(std::string_view("%SystemRoot%\\x\0", 15))},
      {"binary", REG_BINARY, {0x00, 0xFF, 0x10, 0x00}},
      {"empty binary", REG_BINARY, {}},
      {"dword", REG_DWORD, {0x1F, 0x00, 0x00, 0x80}},
      {"short dword", REG_DWORD, {0x01, 0x02}},
      {"multi", REG_MULTI_SZ, B(std::string_view("one\0two\0\0", 9))},
      {"none", REG_NONE, {1, 2, 3}},
      {"qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"odd type", 0xFFFF0001, {9}},
      {"utf-8 \xC3\xA9", REG_SZ, B("caf\xC3\xA9")},
  };
  for (const Value& v : values)
    ASSERT_EQ(Set(HKEY_CURRENT_USER, "Types", v.name, v.type, v.data), 0);
  EXPECT_EQ(Values(HKEY_CURRENT_USER, "Types"), values);

  ScopedKey key(*registry);
  ASSERT_EQ(registry->OpenKey(HKEY_CURRENT_USER, "Types", KEY_READ, &key), 0);
  for (const Value& v : values) {
    SCOPED_TRACE(v.name);
    uint32_t type = 0;
    Bytes data(v.data.size() + 4, 0xAA);
    auto length = static_cast<uint32_t>(data.size());
    ASSERT_EQ(registry->QueryValue(key.get(), v.name, &type, data.data(), &length), 0);
    EXPECT_EQ(type, v.type);
    data.resize(length);
    EXPECT_EQ(data, v.data);
  }
}

TEST_P(RegistryTest, QueryValueReportsTheSizeItNeeds) {
  ASSERT_EQ(Set(HKEY_CURRENT_USER, "Sizes", "v", REG_BINARY, B("123456")), 0);
  ScopedKey key(*registry);
  ASSERT_EQ(registry->OpenKey(HKEY_CURRENT_USER, "Sizes", KEY_READ, &key), 0);
  uint32_t type = 0;
  uint32_t length = 0;
  EXPECT_EQ(registry->QueryValue(key.get(), "v", &type, nullptr, &length), ERROR_SUCCESS);
  EXPECT_EQ(length, 6u);
  EXPECT_EQ(type, REG_BINARY);

  uint8_t small[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  length = sizeof(small);
  EXPECT_EQ(registry->QueryValue(key.get(), "v", nullptr, small, &length), ERROR_MORE_DATA);
  EXPECT_EQ(length, 6u);
  EXPECT_EQ(small[0], 0xAA) << "nothing is copied into a short buffer";

  uint8_t exact[6];
  length = sizeof(exact);
  EXPECT_EQ(registry->QueryValue(key.get(), "v", nullptr, exact, &length), ERROR_SUCCESS);
  EXPECT_EQ(Bytes(exact, exact + 6), B("123456"));
  EXPECT_EQ(registry->QueryValue(key.get(), "v", &type, nullptr, nullptr), ERROR_SUCCESS);
}

TEST_P(RegistryTest, CreateKeyMakesTheKeysAbove) {
  bool created = false;
  ScopedKey key(*registry);
  ASSERT_EQ(registry->CreateKey(HKEY_LOCAL_MACHINE, "A\\B\\C", KEY_ALL_ACCESS, &key, &created), 0);
  EXPECT_TRUE(created);
  EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, "A\\B"));
  // Relative to an open key, and through it.
  ScopedKey child(*registry);
  ASSERT_EQ(registry->CreateKey(key.get(), "D", KEY_ALL_ACCESS, &child, &created), 0);
  EXPECT_TRUE(created);
  EXPECT_TRUE(Exists(HKEY_LOCAL_MACHINE, "a\\b\\c\\d"));
  ScopedKey self(*registry);
  ASSERT_EQ(registry->OpenKey(key.get(), "", KEY_READ, &self), 0);
  EXPECT_NE(self.get(), key.get());
  EXPECT_LT(self.get(), HKEY_CLASSES_ROOT);
}

TEST_P(RegistryTest, DeleteTreeTakesOnlyTheSubtree) {
  for (const char* path : {"T\\Kavo9\\A\\Deep", "T\\Kavo9\\B", "T\\Kavo92", "T\\Kavo9 X"}) {
    ASSERT_EQ(Set(HKEY_CURRENT_USER, path, "v", REG_SZ, B("1")), 0);
  }
  ASSERT_EQ(Set(HKEY_CURRENT_USER, "T\\Kavo9", "own", REG_SZ, B("1")), 0);

  // An empty subkey clears the key but keeps it.
  {
    ScopedKey key(*registry);
    ASSERT_EQ(registry->OpenKey(HKEY_CURRENT_USER, "T\\Kavo9\\A", KEY_ALL_ACCESS, &key), 0);
    ASSERT_EQ(registry->DeleteTree(key.get(), ""), 0);
    EXPECT_TRUE(Exists(HKEY_CURRENT_USER, "T\\Kavo9\\A"));
    EXPECT_TRUE(Subkeys(HKEY_CURRENT_USER, "T\\Kavo9\\A").empty());
    EXPECT_TRUE(Values(HKEY_CURRENT_USER, "T\\Kavo9\\A").empty());
  }
  ASSERT_EQ(registry->DeleteTree(HKEY_CURRENT_USER, "t\\KAVO9"), 0);
  EXPECT_FALSE(Exists(HKEY_CURRENT_USER, "T\\Kavo9"));
  EXPECT_FALSE(Exists(HKEY_CURRENT_USER, "T\\Kavo9\\B"));
  EXPECT_EQ(Subkeys(HKEY_CURRENT_USER, "T"), (std::vector<std::string>{"Kavo9 X", "Kavo92"}));
  // Recreating the deleted key does not bring anything back.
  ASSERT_EQ(Create(HKEY_CURRENT_USER, "T\\Kavo9"), 0);
  EXPECT_TRUE(Values(HKEY_CURRENT_USER, "T\\Kavo9").empty());
  EXPECT_TRUE(Subkeys(HKEY_CURRENT_USER, "T\\Kavo9").empty());
}

TEST_P(RegistryTest, HandleOfADeletedKeySaysSo) {
  ASSERT_EQ(Set(HKEY_CURRENT_USER, "Gone\\Sub", "v", REG_SZ, B("1")), 0);
  ScopedKey key(*registry);
  ASSERT_EQ(registry->OpenKey(HKEY_CURRENT_USER, "Gone", KEY_ALL_ACCESS, &key), 0);
  ASSERT_EQ(registry->DeleteTree(HKEY_CURRENT_USER, "Gone"), 0);
  // A new key of the same name is not the one the handle was opened on.
  ASSERT_EQ(Set(HKEY_CURRENT_USER, "Gone\\Sub", "v", REG_SZ, B("1")), 0);

  std::string name;
  ScopedKey sub(*registry);
  EXPECT_EQ(registry->QueryValue(key.get(), "v", nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(registry->SetValue(key.get(), "v", REG_SZ, kText.data(), 4), ERROR_KEY_DELETED);
  EXPECT_EQ(registry->DeleteValue(key.get(), "v"), ERROR_KEY_DELETED);
  EXPECT_EQ(registry->EnumKey(key.get(), 0, &name), ERROR_KEY_DELETED);
  EXPECT_EQ(registry->EnumValue(key.get(), 0, &name, nullptr, nullptr), ERROR_KEY_DELETED);
  EXPECT_EQ(registry->OpenKey(key.get(), "Sub", KEY_READ, &sub), ERROR_KEY_DELETED);
  EXPECT_EQ(registry->CreateKey(key.get(), "New", KEY_ALL_ACCESS, &sub), ERROR_KEY_DELETED);
  EXPECT_EQ(registry->DeleteKey(key.get(), "Sub"), ERROR_KEY_DELETED);
  EXPECT_EQ(registry->CloseKey(key.get()), ERROR_SUCCESS);
}

TEST_P(RegistryTest, OneObjectServesSeveralThreads) {
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([this, t] {
      for (int i = 0; i < 50; ++i) {
        std::string path = "Threads\\T" + std::to_string(t);
        std::string value = std::to_string(i);
        EXPECT_EQ(RegWriteString(*registry, HKEY_CURRENT_USER, path, "v" + value, value), 0);
        std::string read;
        EXPECT_EQ(RegReadString(*registry, HKEY_CURRENT_USER, path, "v" + value, &read), 0);
        EXPECT_EQ(read, value);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 0; t < 4; ++t) {
    EXPECT_EQ(Values(HKEY_CURRENT_USER, "Threads\\T" + std::to_string(t)).size(), 50u);
  }
}

TEST(SqliteRegistryFiles, ObjectsOnTheSameFolderShareTheHives) {
  FakePaths paths;
  FakeSecurityToken token;
  SqliteRegistry first(paths.machineDir / "registry", token);
  SqliteRegistry second(paths.machineDir / "registry", token);
  ASSERT_EQ(RegWriteString(first, HKEY_LOCAL_MACHINE, "Software\\Shared", "v", "one"), 0);
  std::string value;
  ASSERT_EQ(RegReadString(second, HKEY_LOCAL_MACHINE, "Software\\Shared", "v", &value), 0);
  EXPECT_EQ(value, "one");

  ScopedKey key(second);
  ASSERT_EQ(second.OpenKey(HKEY_LOCAL_MACHINE, "Software\\Shared", KEY_READ, &key), 0);
  ASSERT_EQ(first.DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Shared"), 0);
  EXPECT_EQ(second.QueryValue(key.get(), "v", nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
  for (const char* hive : {"HKLM.hive"}) {
    EXPECT_TRUE(std::filesystem::exists(paths.machineDir / "registry" / hive));
  }
}

}  // namespace
}  // namespace kavo9
