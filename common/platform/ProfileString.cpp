#include "common/platform/ProfileString.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace kavo9 {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\f\v";

std::string_view Trim(std::string_view s) {
  size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  size_t last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

std::string_view TrimRight(std::string_view s) {
  size_t last = s.find_last_not_of(kBlanks);
  return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Text saved as "Unicode" by Windows editors: UTF-16 after its byte-order mark. Unpaired
// surrogates and a trailing odd byte become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  auto unit = [&](size_t i) -> char16_t {
    auto a = static_cast<unsigned char>(bytes[i]);
    auto b = static_cast<unsigned char>(bytes[i + 1]);
    return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
      char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? 0xFFFD : u);
  }
  if (i < bytes.size()) AppendUtf8(out, 0xFFFD);
  return out;
}

}  // namespace

std::string CutToChars(std::string_view text, size_t maxChars) {
  size_t chars = 0;
  size_t run = 0;  // bytes of the current character so far
  for (size_t i = 0; i < text.size(); ++i) {
    bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
    if (continuation && i > 0 && run < 4) {
      ++run;
      continue;
    }
    if (chars == maxChars) return std::string(text.substr(0, i));
    ++chars;
    run = 1;
  }
  return std::string(text);
}

ProfileFile ProfileFile::Load(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return {};
  std::ifstream in(file, std::ios::binary);
  if (!in) return {};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {};
  std::string_view view(bytes);
  if (view.starts_with("\xFF\xFE")) return Parse(Utf16ToUtf8(view.substr(2), false));
  if (view.starts_with("\xFE\xFF")) return Parse(Utf16ToUtf8(view.substr(2), true));
  return Parse(view);
}

ProfileFile ProfileFile::Parse(std::string_view text) {
  ProfileFile result;
  result.loaded_ = true;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  // Index of the section that receives keys; none before the first header and inside a
  // repeated section.
  constexpr size_t kNone = static_cast<size_t>(-1);
  size_t current = kNone;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      size_t close = line.rfind(']');
      if (close == std::string_view::npos) continue;
      std::string name = Lower(Trim(line.substr(1, close - 1)));
      current = result.sections_.size();
      for (const auto& section : result.sections_) {
        if (section.first == name) current = kNone;
      }
      if (current != kNone) result.sections_.emplace_back(std::move(name), Keys{});
      continue;
    }

    size_t equals = line.find('=');
    if (equals == std::string_view::npos || current == kNone) continue;
    std::string key = Lower(Trim(line.substr(0, equals)));
    if (key.empty()) continue;
    std::string_view value = Trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    result.sections_[current].second.try_emplace(std::move(key), value);
  }
  return result;
}

const std::string* ProfileFile::Find(std::string_view section, std::string_view key) const {
  std::string wantedSection = Lower(Trim(section));
  for (const auto& [name, keys] : sections_) {
    if (name != wantedSection) continue;
    auto it = keys.find(Lower(Trim(key)));
    return it == keys.end() ? nullptr : &it->second;
  }
  return nullptr;
}

std::string ProfileFile::Get(std::string_view section, std::string_view key,
                             std::string_view defaultValue, size_t bufferChars) const {
  if (bufferChars == 0) return {};
  const std::string* value = Find(section, key);
  return CutToChars(value ? std::string_view(*value) : TrimRight(defaultValue), bufferChars - 1);
}

bool ProfileFile::Has(std::string_view section, std::string_view key) const {
  return Find(section, key) != nullptr;
}

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view defaultValue,
                              size_t bufferChars) {
  return ProfileFile::Load(file).Get(section, key, defaultValue, bufferChars);
}

}  // namespace kavo9
