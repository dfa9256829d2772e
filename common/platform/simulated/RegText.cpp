#include "common/platform/simulated/RegText.h"

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

namespace kavo9 {
namespace {

using Bytes = std::vector<uint8_t>;

struct RootName {
  HKEY root;
  std::string_view longName;
  std::string_view shortName;
};
constexpr std::array<RootName, 5> kRootNames{{
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
    {HKEY_USERS, "HKEY_USERS", "HKU"},
    {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG", "HKCC"},
}};
constexpr std::array<HKEY, 5> kRootOrder{HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
                                         HKEY_USERS, HKEY_CURRENT_CONFIG};

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'a' && a[i] <= 'z' ? static_cast<char>(a[i] - 32) : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? static_cast<char>(b[i] - 32) : b[i];
    if (x != y) return false;
  }
  return true;
}

size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80;
  return count;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to 8 hex digits.
std::optional<uint32_t> ParseHex32(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    int digit = HexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<uint32_t>(digit);
  }
  return value;
}

// ---- writing

std::string Quote(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    switch (c) {
      case '\\':
        quoted += "\\\\";
        break;
      case '"':
        quoted += "\\\"";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      default:
        quoted += c;
    }
  }
  return quoted + "\"";
}

// A REG_SZ is written as text only when that gives back the same bytes.
bool IsPlainText(const Bytes& data) {
  if (data.empty() || data.back() != 0) return false;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] < 0x20 || data[i] == 0x7F) return false;
  }
  return true;
}

void AppendValue(std::string* text, const std::string& name, uint32_t type, const Bytes& data) {
  std::string line = name.empty() ? "@=" : Quote(name) + "=";
  if (type == REG_SZ && IsPlainText(data)) {
    *text += line +
             Quote(std::string_view(reinterpret_cast<const char*>(data.data()), data.size() - 1)) +
             "\n";
    return;
  }
  char buffer[32];
  if (type == REG_DWORD && data.size() == 4) {
    uint32_t value = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    std::snprintf(buffer, sizeof(buffer), "dword:%08x\n", value);
    *text += line + buffer;
    return;
  }
  if (type == REG_BINARY) {
    line += "hex:";
  } else {
    std::snprintf(buffer, sizeof(buffer), "hex(%x):", type);
    line += buffer;
  }
  // Wrapped as regedit does: lines of at most 80 characters, continued after a comma.
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(buffer, sizeof(buffer), i + 1 < data.size() ? "%02x," : "%02x", data[i]);
    if (line.size() + 3 > 77) {
      *text += line + "\\\n";
      line = "  ";
    }
    line += buffer;
  }
  *text += line + "\n";
}

int32_t AppendKey(Registry& registry, HKEY root, const std::string& path, std::string* text) {
  ScopedKey key(registry);
  int32_t error = registry.OpenKey(root, path, KEY_READ, &key);
  if (error != ERROR_SUCCESS) return error;
  *text += "[" + std::string(RegRootName(root)) + (path.empty() ? "" : "\\") + path + "]\n";
  std::string name;
  uint32_t type = 0;
  Bytes data;
  for (uint32_t i = 0;; ++i) {
    error = registry.EnumValue(key.get(), i, &name, &type, &data);
    if (error == ERROR_NO_MORE_ITEMS) break;
    if (error != ERROR_SUCCESS) return error;
    AppendValue(text, name, type, data);
  }
  *text += "\n";
  std::vector<std::string> subkeys;
  for (uint32_t i = 0;; ++i) {
    error = registry.EnumKey(key.get(), i, &name);
    if (error == ERROR_NO_MORE_ITEMS) break;
    if (error != ERROR_SUCCESS) return error;
    subkeys.push_back(name);
  }
  key.Reset();
  for (const std::string& subkey : subkeys) {
    error = AppendKey(registry, root, path.empty() ? subkey : path + "\\" + subkey, text);
    if (error != ERROR_SUCCESS) return error;
  }
  return ERROR_SUCCESS;
}

// The path with each component spelled as the registry stores it.
int32_t StoredPath(Registry& registry, HKEY root, std::string_view path, std::string* stored) {
  stored->clear();
  if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  while (!path.empty()) {
    size_t end = path.find('\\');
    std::string_view part = path.substr(0, end);
    path = end == std::string_view::npos ? std::string_view() : path.substr(end + 1);
    ScopedKey key(registry);
    int32_t error = registry.OpenKey(root, *stored, KEY_READ, &key);
    if (error != ERROR_SUCCESS) return error;
    std::string name;
    bool found = false;
    for (uint32_t i = 0; !found && registry.EnumKey(key.get(), i, &name) == ERROR_SUCCESS; ++i) {
      found = EqualNoCase(name, part);
    }
    if (!found) return ERROR_FILE_NOT_FOUND;
    *stored += (stored->empty() ? "" : "\\") + name;
  }
  return ERROR_SUCCESS;
}

// ---- reading

struct Op {
  enum Kind { kKey, kDeleteKey, kSet, kDeleteValue } kind;
  size_t line;
  HKEY root = 0;
  std::string path;
  std::string name;
  uint32_t type = 0;
  Bytes data;
};

class Parser {
 public:
  // Reads a quoted text starting at `*pos` (on the opening quote); leaves `*pos` after the
  // closing one.
  static bool Quoted(std::string_view line, size_t* pos, std::string* text, std::string* why) {
    text->clear();
    for (size_t i = *pos + 1; i < line.size(); ++i) {
      char c = line[i];
      if (c == '"') {
        *pos = i + 1;
        return true;
      }
      if (c == '\\') {
        if (++i == line.size()) break;
        switch (line[i]) {
          case '\\':
          case '"':
            *text += line[i];
            break;
          case 'n':
            *text += '\n';
            break;
          case 'r':
            *text += '\r';
            break;
          default:
            *why = std::string("unknown escape \"\\") + line[i] + "\" in quotes";
            return false;
        }
        continue;
      }
      *text += c;
    }
    *why = "quotes not closed";
    return false;
  }

  static bool HexList(std::string_view list, Bytes* bytes, std::string* why) {
    bytes->clear();
    list = Trim(list);
    if (list.empty()) return true;
    while (true) {
      size_t comma = list.find(',');
      std::string_view item = Trim(list.substr(0, comma));
      std::optional<uint32_t> value = item.size() <= 2 ? ParseHex32(item) : std::nullopt;
      if (!value) {
        *why = "bad hex byte \"" + std::string(item) + "\"";
        return false;
      }
      bytes->push_back(static_cast<uint8_t>(*value));
      if (comma == std::string_view::npos) return true;
      list.remove_prefix(comma + 1);
    }
  }

  static bool Data(std::string_view text, Op* op, std::string* why) {
    if (text == "-") {
      op->kind = Op::kDeleteValue;
      return true;
    }
    op->kind = Op::kSet;
    if (!text.empty() && text.front() == '"') {
      size_t pos = 0;
      std::string value;
      if (!Quoted(text, &pos, &value, why)) return false;
      if (!Trim(text.substr(pos)).empty()) {
        *why = "text after the closing quote";
        return false;
      }
      op->type = REG_SZ;
      op->data.assign(value.begin(), value.end());
      op->data.push_back(0);
      return true;
    }
    if (text.starts_with("dword:")) {
      std::optional<uint32_t> value = ParseHex32(Trim(text.substr(6)));
      if (!value) {
        *why = "dword needs 1 to 8 hex digits";
        return false;
      }
      op->type = REG_DWORD;
      for (int shift = 0; shift < 32; shift += 8) op->data.push_back(*value >> shift & 0xFF);
      return true;
    }
    if (text.starts_with("hex:")) {
      op->type = REG_BINARY;
      return HexList(text.substr(4), &op->data, why);
    }
    if (text.starts_with("hex(")) {
      size_t close = text.find("):");
      std::optional<uint32_t> type =
          close == std::string_view::npos ? std::nullopt : ParseHex32(text.substr(4, close - 4));
      if (!type) {
        *why = "hex(N): needs a hex type number";
        return false;
      }
      op->type = *type;
      return HexList(text.substr(close + 2), &op->data, why);
    }
    *why = "unknown data \"" + std::string(text.substr(0, 20)) + "\"";
    return false;
  }

  static bool KeyPath(std::string_view text, Op* op, std::string* why) {
    if (!ParseRegKeyName(text, &op->root, &op->path)) {
      *why = "unknown root in \"" + std::string(text) + "\"";
      return false;
    }
    std::string_view path = op->path;
    while (!path.empty()) {
      size_t end = path.find('\\');
      std::string_view part = path.substr(0, end);
      if (part.empty() || CharacterCount(part) > kMaxKeyNameLength) {
        *why = "bad key name in \"" + std::string(text) + "\"";
        return false;
      }
      path = end == std::string_view::npos ? std::string_view() : path.substr(end + 1);
    }
    return true;
  }

  // One logical line (continuations joined); false with `why` when malformed.
  bool Line(std::string_view line, size_t number, std::string* why) {
    line = Trim(line);
    if (line.empty() || line.front() == ';') return true;
    if (!headerSeen_) {
      if (line != kRegTextHeader && line != "REGEDIT4") {
        *why =
            "not a registry file: the first line must be \"" + std::string(kRegTextHeader) + "\"";
        return false;
      }
      headerSeen_ = true;
      return true;
    }
    Op op{Op::kKey, number};
    if (line.front() == '[') {
      if (line.back() != ']') {
        *why = "key line without \"]\"";
        return false;
      }
      std::string_view name = line.substr(1, line.size() - 2);
      if (!name.empty() && name.front() == '-') {
        op.kind = Op::kDeleteKey;
        name.remove_prefix(1);
      }
      if (!KeyPath(name, &op, why)) return false;
      if (op.kind == Op::kDeleteKey && op.path.empty()) {
        *why = "a root cannot be deleted";
        return false;
      }
      inKey_ = op.kind == Op::kKey;
      inDeletedKey_ = !inKey_;
      ops.push_back(std::move(op));
      return true;
    }
    if (line.front() != '"' && line.front() != '@') {
      *why = "expected [KEY], \"name\"=data or @=data";
      return false;
    }
    if (!inKey_) {
      *why = inDeletedKey_ ? "value under a deleted key" : "value before any [KEY] line";
      return false;
    }
    size_t pos = 1;
    if (line.front() == '"') {
      pos = 0;
      if (!Quoted(line, &pos, &op.name, why)) return false;
      if (CharacterCount(op.name) > kMaxValueNameLength) {
        *why = "value name too long";
        return false;
      }
    }
    std::string_view rest = Trim(line.substr(pos));
    if (rest.empty() || rest.front() != '=') {
      *why = "expected \"=\" after the value name";
      return false;
    }
    if (!Data(Trim(rest.substr(1)), &op, why)) return false;
    ops.push_back(std::move(op));
    return true;
  }

  bool Document(std::string_view text, std::string* error) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF")) {
      *error = "line 1: UTF-16 files are not read; save the file as UTF-8";
      return false;
    }
    size_t number = 0;
    std::string logical;
    size_t logicalStart = 0;
    while (!text.empty() || !logical.empty()) {
      std::string_view line;
      if (!text.empty()) {
        size_t end = text.find('\n');
        line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number;
        if (logical.empty()) {
          logicalStart = number;
        } else {
          line = Trim(line);
        }
        // A line ending in "\" goes on in the next one.
        std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.back() == '\\' && trimmed.front() != ';' && !text.empty()) {
          logical.append(trimmed.substr(0, trimmed.size() - 1));
          continue;
        }
      }
      logical.append(line);
      std::string why;
      if (!Line(logical, logicalStart, &why)) {
        *error = "line " + std::to_string(logicalStart) + ": " + why;
        return false;
      }
      logical.clear();
    }
    if (!headerSeen_) {
      *error = "line 1: not a registry file: the first line must be \"" +
               std::string(kRegTextHeader) + "\"";
      return false;
    }
    return true;
  }

  std::vector<Op> ops;

 private:
  bool headerSeen_ = false;
  bool inKey_ = false;
  bool inDeletedKey_ = false;
};

}  // namespace

std::span<const HKEY> RegRoots() {
  return kRootOrder;
}

std::string_view RegRootName(HKEY root) {
  for (const RootName& r : kRootNames) {
    if (r.root == root) return r.longName;
  }
  return {};
}

bool ParseRegKeyName(std::string_view text, HKEY* root, std::string* path) {
  size_t slash = text.find('\\');
  std::string_view first = text.substr(0, slash);
  for (const RootName& r : kRootNames) {
    if (EqualNoCase(first, r.longName) || EqualNoCase(first, r.shortName)) {
      *root = r.root;
      std::string_view rest =
          slash == std::string_view::npos ? std::string_view() : text.substr(slash + 1);
      if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
      *path = std::string(rest);
      return true;
    }
  }
  return false;
}

std::string RegErrorText(int32_t error) {
  const char* text = "error";
  switch (error) {
    case ERROR_SUCCESS:
      text = "done";
      break;
    case ERROR_FILE_NOT_FOUND:
      text = "not found";
      break;
    case ERROR_ACCESS_DENIED:
      text = "access denied";
      break;
    case ERROR_INVALID_HANDLE:
      text = "invalid handle";
      break;
    case ERROR_NOT_ENOUGH_MEMORY:
      text = "out of memory";
      break;
    case ERROR_INVALID_PARAMETER:
      text = "invalid name or parameter";
      break;
    case ERROR_MORE_DATA:
      text = "more data";
      break;
    case ERROR_NO_MORE_ITEMS:
      text = "no more items";
      break;
    case ERROR_BADDB:
      text = "the hive cannot be read";
      break;
    case ERROR_KEY_DELETED:
      text = "the key has been deleted";
      break;
  }
  return std::string(text) + " (" + std::to_string(error) + ")";
}

void AppendRegTextHeader(std::string* text) {
  *text += kRegTextHeader;
  *text += "\n\n";
}

int32_t ExportRegKey(Registry& registry, HKEY root, std::string_view path, std::string* text) {
  if (RegRootName(root).empty()) return ERROR_INVALID_HANDLE;
  std::string stored;
  int32_t error = StoredPath(registry, root, path, &stored);
  return error != ERROR_SUCCESS ? error : AppendKey(registry, root, stored, text);
}

bool ImportRegText(Registry& registry, std::string_view text, std::string* error) {
  Parser parser;
  if (!parser.Document(text, error)) return false;
  ScopedKey key(registry);
  for (const Op& op : parser.ops) {
    int32_t result = ERROR_SUCCESS;
    switch (op.kind) {
      case Op::kKey:
        result = registry.CreateKey(op.root, op.path, KEY_ALL_ACCESS, &key);
        break;
      case Op::kDeleteKey:
        key.Reset();
        result = registry.DeleteTree(op.root, op.path);
        if (result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
        break;
      case Op::kSet:
        result = registry.SetValue(key.get(), op.name, op.type, op.data.data(),
                                   static_cast<uint32_t>(op.data.size()));
        break;
      case Op::kDeleteValue:
        result = registry.DeleteValue(key.get(), op.name);
        if (result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
        break;
    }
    if (result != ERROR_SUCCESS) {
      *error = "line " + std::to_string(op.line) + ": " + RegErrorText(result);
      return false;
    }
  }
  return true;
}

}  // namespace kavo9
