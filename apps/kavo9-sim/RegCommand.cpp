// `kavo9-sim reg ...`: look at and change the machine's registry. The tool is the machine owner's,
// so it writes with an administrator's rights.

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "apps/kavo9-sim/SimCommand.h"
#include "common/platform/simulated/RegText.h"
#include "common/platform/simulated/SimulatedMachine.h"
#include "common/platform/simulated/SqliteRegistry.h"

namespace kavo9 {

const std::string_view kRegUsage =
    "  reg export [KEY]               write KEY and everything below it (default: the whole\n"
    "                                 registry) to stdout in the regedit format\n"
    "  reg import FILE                read a regedit file (\"-\": stdin); a malformed line\n"
    "                                 refuses the whole file\n"
    "  reg query KEY [VALUE]          show KEY's values and subkeys, or one value\n"
    "  reg set KEY VALUE TYPE DATA... set a value; TYPE is REG_SZ, REG_EXPAND_SZ, REG_DWORD\n"
    "                                 (decimal or 0x hex), REG_BINARY (hex digits, optionally\n"
    "                                 separated by commas or spaces) or REG_MULTI_SZ (each DATA\n"
    "                                 argument is one string; none gives an empty list)\n"
    "  reg delete KEY [VALUE]         delete KEY with everything below it, or one value\n"
    "    KEY is HKLM\\Path or HKEY_LOCAL_MACHINE\\Path (HKLM, HKCU, HKCR, HKU, HKCC);\n"
    "    VALUE \"\" is the key's default value";

namespace {

using Bytes = std::vector<uint8_t>;

class OwnerToken : public SecurityToken {
 public:
  std::string UserName() const override { return "owner"; }
  bool GetGroupSids(std::vector<std::string>* groups) const override {
    groups->assign({"S-1-1-0", kAdministratorsSid});
    return true;
  }
};

struct Key {
  HKEY root = 0;
  std::string path;
  std::string Name() const {
    return std::string(RegRootName(root)) + (path.empty() ? "" : "\\" + path);
  }
};

bool ParseKey(const std::string& text, Key* key) {
  return ParseRegKeyName(text, &key->root, &key->path);
}

int KeyError(const Key& key, int32_t error) {
  return SimError(kSimFailed, key.Name() + ": " + RegErrorText(error));
}

std::string TypeName(uint32_t type) {
  switch (type) {
    case REG_NONE:
      return "REG_NONE";
    case REG_SZ:
      return "REG_SZ";
    case REG_EXPAND_SZ:
      return "REG_EXPAND_SZ";
    case REG_BINARY:
      return "REG_BINARY";
    case REG_DWORD:
      return "REG_DWORD";
    case REG_MULTI_SZ:
      return "REG_MULTI_SZ";
    case 11:
      return "REG_QWORD";
  }
  char text[24];
  std::snprintf(text, sizeof(text), "REG_TYPE_0x%x", type);
  return text;
}

std::string Hex(const Bytes& data) {
  std::string text;
  char digits[3];
  for (uint8_t byte : data) {
    std::snprintf(digits, sizeof(digits), "%02X", byte);
    text += digits;
  }
  return text;
}

// The data as `reg query` shows it; `reg export` gives the exact bytes.
std::string ShowData(uint32_t type, const Bytes& data) {
  if (type == REG_SZ || type == REG_EXPAND_SZ) return RegStringFromBytes(data.data(), data.size());
  if (type == REG_DWORD && data.size() == 4) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%x",
                  data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
    return text;
  }
  if (type == REG_MULTI_SZ) {
    std::string text;
    size_t start = 0;
    while (start < data.size() && data[start] != 0) {
      std::string item = RegStringFromBytes(data.data() + start, data.size() - start);
      text += (text.empty() ? "" : "\\0") + item;
      start += item.size() + 1;
    }
    return text;
  }
  return Hex(data);
}

void ShowValue(const std::string& name, uint32_t type, const Bytes& data) {
  std::cout << "    " << (name.empty() ? "(Default)" : name) << "    " << TypeName(type) << "    "
            << ShowData(type, data) << "\n";
}

// ---- data from the command line

bool ParseDword(const std::string& text, Bytes* data) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  errno = 0;
  char* end = nullptr;
  bool hex = text.starts_with("0x") || text.starts_with("0X");
  unsigned long long value = std::strtoull(text.c_str(), &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || (hex && text.size() == 2) || value > 0xFFFFFFFFull) {
    return false;
  }
  for (int shift = 0; shift < 32; shift += 8) data->push_back(value >> shift & 0xFF);
  return true;
}

bool ParseBinary(const std::string& text, Bytes* data) {
  std::string digits;
  for (char c : text) {
    if (c == ',' || c == ' ') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    digits += c;
  }
  if (digits.size() % 2 != 0) return false;
  for (size_t i = 0; i < digits.size(); i += 2) {
    data->push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return true;
}

// The bytes a TYPE and its DATA arguments stand for, or a message saying what is wrong.
bool ParseData(const std::string& typeName, std::span<const std::string> items, uint32_t* type,
               Bytes* data, std::string* why) {
  auto one = [&]() {
    if (items.size() == 1) return true;
    *why = typeName + " takes one DATA argument";
    return false;
  };
  if (typeName == "REG_SZ" || typeName == "REG_EXPAND_SZ") {
    if (!one()) return false;
    *type = typeName == "REG_SZ" ? REG_SZ : REG_EXPAND_SZ;
    *data = RegBytesFromString(items[0]);
    return true;
  }
  if (typeName == "REG_DWORD") {
    *type = REG_DWORD;
    if (!one()) return false;
    if (ParseDword(items[0], data)) return true;
    *why =
        "REG_DWORD needs a number from 0 to 4294967295 (decimal or 0x hex): \"" + items[0] + "\"";
    return false;
  }
  if (typeName == "REG_BINARY") {
    *type = REG_BINARY;
    if (!one()) return false;
    if (ParseBinary(items[0], data)) return true;
    *why = "REG_BINARY needs pairs of hex digits: \"" + items[0] + "\"";
    return false;
  }
  if (typeName == "REG_MULTI_SZ") {
    *type = REG_MULTI_SZ;
    for (const std::string& item : items) {
      if (item.empty()) {
        *why = "REG_MULTI_SZ strings cannot be empty";
        return false;
      }
      data->insert(data->end(), item.begin(), item.end());
      data->push_back(0);
    }
    data->push_back(0);
    if (items.empty()) data->pop_back();  // an empty list is one zero
    return true;
  }
  *why = "unknown type \"" + typeName +
         "\" (REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY, REG_MULTI_SZ)";
  return false;
}

// ---- sub-commands

int Export(Registry& registry, std::span<const std::string> args) {
  if (args.size() > 1) return SimError(kSimUsage, "usage: reg export [KEY]");
  std::string text;
  AppendRegTextHeader(&text);
  if (args.empty()) {
    for (HKEY root : RegRoots()) {
      if (int32_t error = ExportRegKey(registry, root, "", &text); error != ERROR_SUCCESS) {
        return KeyError(Key{root, ""}, error);
      }
    }
  } else {
    Key key;
    if (!ParseKey(args[0], &key)) return SimError(kSimUsage, "not a key: \"" + args[0] + "\"");
    if (int32_t error = ExportRegKey(registry, key.root, key.path, &text); error != ERROR_SUCCESS) {
      return KeyError(key, error);
    }
  }
  std::cout << text;
  return kSimDone;
}

int Import(Registry& registry, std::span<const std::string> args) {
  if (args.size() != 1) return SimError(kSimUsage, "usage: reg import FILE");
  std::string text;
  if (args[0] == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), {});
  } else {
    std::ifstream in(args[0], std::ios::binary);
    if (!in) return SimError(kSimFailed, "cannot read " + args[0]);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::string error;
  if (!ImportRegText(registry, text, &error)) return SimError(kSimFailed, args[0] + ": " + error);
  return kSimDone;
}

int Query(Registry& registry, std::span<const std::string> args) {
  if (args.empty() || args.size() > 2) return SimError(kSimUsage, "usage: reg query KEY [VALUE]");
  Key key;
  if (!ParseKey(args[0], &key)) return SimError(kSimUsage, "not a key: \"" + args[0] + "\"");
  ScopedKey handle(registry);
  if (int32_t error = registry.OpenKey(key.root, key.path, KEY_READ, &handle); error != 0) {
    return KeyError(key, error);
  }
  std::string name;
  uint32_t type = 0;
  Bytes data;
  if (args.size() == 2) {
    uint32_t length = 0;
    int32_t error = registry.QueryValue(handle.get(), args[1], &type, nullptr, &length);
    data.resize(length);
    if (error == ERROR_SUCCESS) {
      error = registry.QueryValue(handle.get(), args[1], &type, data.data(), &length);
    }
    if (error != ERROR_SUCCESS) {
      return SimError(kSimFailed,
                      key.Name() + ": value \"" + args[1] + "\": " + RegErrorText(error));
    }
    std::cout << key.Name() << "\n";
    ShowValue(args[1], type, data);
    return kSimDone;
  }
  std::cout << key.Name() << "\n";
  for (uint32_t i = 0; registry.EnumValue(handle.get(), i, &name, &type, &data) == 0; ++i) {
    ShowValue(name, type, data);
  }
  std::vector<std::string> subkeys;
  for (uint32_t i = 0; registry.EnumKey(handle.get(), i, &name) == 0; ++i) {
    subkeys.push_back(name);
  }
  if (!subkeys.empty()) std::cout << "\n";
  for (const std::string& subkey : subkeys) std::cout << key.Name() << "\\" << subkey << "\n";
  return kSimDone;
}

int Set(Registry& registry, std::span<const std::string> args) {
  if (args.size() < 3) return SimError(kSimUsage, "usage: reg set KEY VALUE TYPE DATA...");
  Key key;
  if (!ParseKey(args[0], &key)) return SimError(kSimUsage, "not a key: \"" + args[0] + "\"");
  uint32_t type = 0;
  Bytes data;
  std::string why;
  if (!ParseData(args[2], args.subspan(3), &type, &data, &why)) return SimError(kSimUsage, why);
  ScopedKey handle(registry);
  int32_t error = registry.CreateKey(key.root, key.path, KEY_ALL_ACCESS, &handle);
  if (error == ERROR_SUCCESS) {
    error = registry.SetValue(handle.get(), args[1], type, data.data(),
                              static_cast<uint32_t>(data.size()));
  }
  return error == ERROR_SUCCESS ? kSimDone : KeyError(key, error);
}

int Delete(Registry& registry, std::span<const std::string> args) {
  if (args.empty() || args.size() > 2) return SimError(kSimUsage, "usage: reg delete KEY [VALUE]");
  Key key;
  if (!ParseKey(args[0], &key)) return SimError(kSimUsage, "not a key: \"" + args[0] + "\"");
  if (args.size() == 2) {
    ScopedKey handle(registry);
    int32_t error = registry.OpenKey(key.root, key.path, KEY_ALL_ACCESS, &handle);
    if (error == ERROR_SUCCESS) error = registry.DeleteValue(handle.get(), args[1]);
    if (error == ERROR_SUCCESS) return kSimDone;
    return SimError(kSimFailed, key.Name() + ": value \"" + args[1] + "\": " + RegErrorText(error));
  }
  if (key.path.empty()) return SimError(kSimUsage, "a root key cannot be deleted");
  int32_t error = registry.DeleteTree(key.root, key.path);
  return error == ERROR_SUCCESS ? kSimDone : KeyError(key, error);
}

struct RegSubcommand {
  std::string_view name;
  int (*run)(Registry& registry, std::span<const std::string> args);
};

constexpr RegSubcommand kSubcommands[] = {
    {"export", Export}, {"import", Import}, {"query", Query}, {"set", Set}, {"delete", Delete},
};

}  // namespace

int RunRegCommand(const SimContext& context, std::span<const std::string> args) {
  if (args.empty()) {
    std::cerr << "usage:\n" << kRegUsage << "\n";
    return SimError(kSimUsage, "reg needs a sub-command");
  }
  for (const RegSubcommand& subcommand : kSubcommands) {
    if (subcommand.name == args[0]) {
      OwnerToken token;
      SqliteRegistry registry(MachineLayout(context.machineDir).RegistryDir(), token);
      return subcommand.run(registry, args.subspan(1));
    }
  }
  std::cerr << "usage:\n" << kRegUsage << "\n";
  return SimError(kSimUsage, "unknown reg sub-command \"" + args[0] + "\"");
}

}  // namespace kavo9
