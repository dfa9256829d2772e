#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/platform/fake/FakePlatform.h"
#include "common/platform/simulated/RegText.h"
#include "common/platform/simulated/SqliteRegistry.h"

namespace kavo9 {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(std::string_view text) {
  return Bytes(text.begin(), text.end());
}

void Set(Registry& registry, HKEY root, std::string_view path, std::string_view name, uint32_t type,
         const Bytes& data) {
  ScopedKey key(registry);
  ASSERT_EQ(registry.CreateKey(root, path, KEY_ALL_ACCESS, &key), ERROR_SUCCESS) << path;
  ASSERT_EQ(
      registry.SetValue(key.get(), name, type, data.data(), static_cast<uint32_t>(data.size())),
      ERROR_SUCCESS)
      << name;
}

// Everything in the registry as text, byte for byte, to compare two registries.
void Dump(Registry& registry, HKEY root, const std::string& path, std::string* out) {
  ScopedKey key(registry);
  ASSERT_EQ(registry.OpenKey(root, path, KEY_READ, &key), ERROR_SUCCESS);
  *out += std::to_string(root) + "\\" + path + "\n";
  std::string name;
  uint32_t type;
  Bytes data;
  for (uint32_t i = 0; registry.EnumValue(key.get(), i, &name, &type, &data) == 0; ++i) {
    *out += "  [" + name + "] " + std::to_string(type) + " " +
            std::string(data.begin(), data.end()) + "|" + std::to_string(data.size()) + "\n";
  }
  std::vector<std::string> subkeys;
  for (uint32_t i = 0; registry.EnumKey(key.get(), i, &name) == 0; ++i) subkeys.push_back(name);
  for (const auto& subkey : subkeys) {
    Dump(registry, root, path.empty() ? subkey : path + "\\" + subkey, out);
  }
}

std::string Dump(Registry& registry) {
  std::string out;
  for (HKEY root : RegRoots()) Dump(registry, root, "", &out);
  return out;
}

std::string ExportAll(Registry& registry) {
  std::string text;
  AppendRegTextHeader(&text);
  for (HKEY root : RegRoots()) EXPECT_EQ(ExportRegKey(registry, root, "", &text), ERROR_SUCCESS);
  return text;
}

class RegTextTest : public testing::Test {
 protected:
  FakeSecurityToken token;
  std::unique_ptr<SqliteRegistry> source = SqliteRegistry::InMemory(token);
  std::unique_ptr<SqliteRegistry> target = SqliteRegistry::InMemory(token);
};

TEST_F(RegTextTest, EveryTypeRoundTripsByteExactly) {
  Registry& r = *source;
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "", REG_SZ, B(std::string_view("default\0", 8)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "sz", REG_SZ,
      B(std::string_view("C:\\a \"b\"\0", 9)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "sz no zero", REG_SZ, B("text"));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "sz zeros", REG_SZ,
      B(std::string_view("a\0b\0\0", 5)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "sz line", REG_SZ,
      B(std::string_view("a\nb\0", 4)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "sz empty", REG_SZ, B(std::string_view("\0", 1)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "sz nothing", REG_SZ, {});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "utf-8", REG_SZ,
      B(std::string_view("caf\xC3\xA9\0", 6)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "expand", REG_EXPAND_SZ,
      B(std::string_view("%x%\0", 4)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "multi", REG_MULTI_SZ,
      B(std::string_view("a\0b\0\0", 5)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "dword", REG_DWORD, {0xEF, 0xBE, 0xAD, 0xDE});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "dword short", REG_DWORD, {1, 2});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "binary empty", REG_BINARY, {});
  Bytes longBinary(300);
  for (size_t i = 0; i < longBinary.size(); ++i) longBinary[i] = static_cast<uint8_t>(i * 7);
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "binary long", REG_BINARY, longBinary);
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "none", REG_NONE, {0});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "qword", 11, {1, 2, 3, 4, 5, 6, 7, 8});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "big type", 0xFFFFFFFF, {1});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "name \"quoted\" \\ with\nbreak", REG_SZ,
      B(std::string_view("x\0", 2)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9\\Empty Key Below", "", REG_BINARY, {});
  {
    ScopedKey key(r);
    ASSERT_EQ(r.CreateKey(HKEY_LOCAL_MACHINE, "Software\\Kavo9\\MixedCase [x]\\Leaf",
                          KEY_ALL_ACCESS, &key),
              0);
  }
  Set(r, HKEY_CURRENT_USER, "", "on the root", REG_DWORD, {1, 0, 0, 0});
  Set(r, HKEY_CURRENT_CONFIG, "System", "v", REG_SZ, B(std::string_view("x\0", 2)));

  std::string text = ExportAll(r);
  std::string error;
  ASSERT_TRUE(ImportRegText(*target, text, &error)) << error << "\n" << text;
  EXPECT_EQ(Dump(*target), Dump(r));
  EXPECT_EQ(ExportAll(*target), text);
}

TEST_F(RegTextTest, ExportWritesTheRegeditFormat) {
  Registry& r = *source;
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "", REG_SZ, B(std::string_view("def\0", 4)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Name", REG_SZ, B(std::string_view("a\\\"b\0", 5)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Count", REG_DWORD, {0x1F, 0, 0, 0});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Blob", REG_BINARY, {0x01, 0xAB});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Path", REG_EXPAND_SZ,
      B(std::string_view("%a%\0", 4)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "List", REG_MULTI_SZ,
      B(std::string_view("a\0\0", 3)));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Raw", REG_SZ, B("ab"));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Q", 11, {1, 0, 0, 0, 0, 0, 0, 0});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Nothing", REG_BINARY, {});
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9", "Long", REG_BINARY, Bytes(30, 0x11));
  Set(r, HKEY_LOCAL_MACHINE, "Software\\Kavo9\\Sub", "x", REG_DWORD, {0, 0, 0, 0});

  std::string text;
  AppendRegTextHeader(&text);
  ASSERT_EQ(ExportRegKey(r, HKEY_LOCAL_MACHINE, "SOFTWARE\\kavo9", &text), ERROR_SUCCESS);
  EXPECT_EQ(text,
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Kavo9]\n"
            "@=\"def\"\n"
            "\"Name\"=\"a\\\\\\\"b\"\n"
            "\"Count\"=dword:0000001f\n"
            "\"Blob\"=hex:01,ab\n"
            "\"Path\"=hex(2):25,61,25,00\n"
            "\"List\"=hex(7):61,00,00\n"
            "\"Raw\"=hex(1):61,62\n"
            "\"Q\"=hex(b):01,00,00,00,00,00,00,00\n"
            "\"Nothing\"=hex:\n"
            "\"Long\"=hex:11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,\\\n"
            "  11,11,11,11,11,11,11,11\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Kavo9\\Sub]\n"
            "\"x\"=dword:00000000\n"
            "\n");
  EXPECT_EQ(ExportRegKey(r, HKEY_LOCAL_MACHINE, "Software\\Nope", &text), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegTextTest, ImportReadsWhatPeopleWrite) {
  Set(*target, HKEY_CURRENT_USER, "Old\\Deep", "v", REG_SZ, B("x"));
  Set(*target, HKEY_CURRENT_USER, "Keep", "gone", REG_SZ, B("x"));
  Set(*target, HKEY_CURRENT_USER, "Keep", "stays", REG_SZ, B("x"));
  std::string text =
      "\xEF\xBB\xBFREGEDIT4\r\n"
      "\r\n"
      "; a comment\r\n"
      "[HKCU\\New\\Key]\r\n"
      "\"List\" = hex(7):61,00,\\\r\n"
      "   62,00,00\r\n"
      "@=\"default\"\r\n"
      "\"Dw\"=dword:1F\r\n"
      "[-HKEY_CURRENT_USER\\Old]\r\n"
      "[-HKEY_CURRENT_USER\\Never\\There]\r\n"
      "[hkey_current_user\\Keep]\r\n"
      "\"gone\"=-\r\n"
      "\"not there\"=-\r\n";
  std::string error;
  ASSERT_TRUE(ImportRegText(*target, text, &error)) << error;
  std::string dump = Dump(*target);
  EXPECT_NE(dump.find("  [List] 7 " + std::string("a\0b\0\0", 5) + "|5"), std::string::npos)
      << dump;
  EXPECT_NE(dump.find("  [] 1 " + std::string("default\0", 8) + "|8"), std::string::npos);
  EXPECT_NE(dump.find("  [Dw] 4 " + std::string("\x1F\0\0\0", 4) + "|4"), std::string::npos);
  EXPECT_EQ(dump.find("Old"), std::string::npos);
  EXPECT_EQ(dump.find("[gone]"), std::string::npos);
  EXPECT_NE(dump.find("[stays]"), std::string::npos);
}

TEST_F(RegTextTest, MalformedDocumentIsRefusedWholeWithItsLineNumber) {
  const std::string start =
      "Windows Registry Editor Version 5.00\n"
      "\n"
      "[HKEY_CURRENT_USER\\Imported]\n"
      "\"first\"=\"written only if the whole file is good\"\n";  // lines 1-4
  struct Case {
    const char* name;
    std::string document;
    std::string error;
  } cases[] = {
      {"BadHexByte", start + "\"b\"=hex:01,zz\n", "line 5: bad hex byte \"zz\""},
      {"BadByteOnContinuedLine", start + "\n\"b\"=hex:01,\\\n  02,\\\n  1ff\n",
       "line 6: bad hex byte"},
      {"LongDword", start + "\"d\"=dword:123456789\n", "line 5: dword"},
      {"UnknownData", start + "\"d\"=qword:1\n", "line 5: unknown data"},
      {"UnknownRoot", start + "[HKEY_NOWHERE\\X]\n", "line 5: unknown root"},
      {"KeyWithoutBracket", start + "[HKEY_CURRENT_USER\\X\n", "line 5: key line without"},
      {"EmptyKeyName", start + "[HKEY_CURRENT_USER\\a\\\\b]\n", "line 5: bad key name"},
      {"RootDeletion", start + "[-HKEY_CURRENT_USER]\n", "line 5: a root cannot be deleted"},
      {"OpenQuote", start + "\"name=\"x\"\n", "line 5: expected \"=\""},
      {"UnclosedData", start + "\"name\"=\"x\n", "line 5: quotes not closed"},
      {"BadEscape", start + "\"na\\me\"=\"x\"\n", "line 5: unknown escape"},
      {"TextAfterData", start + "\"name\"=\"x\" y\n", "line 5: text after the closing quote"},
      {"NoEquals", start + "\"name\" \"x\"\n", "line 5: expected \"=\""},
      {"StrayLine", start + "name=x\n", "line 5: expected [KEY]"},
      {"ValueUnderDeletedKey", start + "[-HKEY_CURRENT_USER\\X]\n\"v\"=\"x\"\n",
       "line 6: value under a deleted key"},
      {"ValueBeforeKey", "Windows Registry Editor Version 5.00\n\"v\"=\"x\"\n",
       "line 2: value before any [KEY]"},
      {"NoHeader", "\n[HKEY_CURRENT_USER\\X]\n", "line 2: not a registry file"},
      {"EmptyFile", "", "line 1: not a registry file"},
      {"Utf16", "\xFF\xFEW\0", "line 1: UTF-16"},
  };
  const std::string before = Dump(*target);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(ImportRegText(*target, c.document, &error));
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    EXPECT_EQ(Dump(*target), before);
  }
}

TEST_F(RegTextTest, RefusedWriteNamesItsLine) {
  token.administrator = false;
  std::string error;
  EXPECT_FALSE(ImportRegText(*target,
                             "Windows Registry Editor Version 5.00\n\n"
                             "[HKEY_CURRENT_USER\\Mine]\n\"v\"=\"x\"\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\Theirs]\n",
                             &error));
  EXPECT_EQ(error, "line 5: access denied (5)");
}

}  // namespace
}  // namespace kavo9
