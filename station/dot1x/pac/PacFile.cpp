#include "station/dot1x/pac/PacFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace kavo9::dot1x {
namespace {

void PutLength(uint8_t* at, std::size_t length) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(length >> (8 * i));
}

uint32_t GetLength(const uint8_t* at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(at[i]) << (8 * i);
  return value;
}

bool NeedsEscape(unsigned char c, bool first) {
  return c < 0x20 || c == 0x7F || c == '\\' || c == '/' || c == ':' || c == '%' ||
         (first && c == '.');
}

std::string FileNameOf(std::string_view profileName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string name;
  for (std::size_t i = 0; i < profileName.size(); ++i) {
    const auto c = static_cast<unsigned char>(profileName[i]);
    if (NeedsEscape(c, i == 0)) {
      name += '%';
      name += kHex[c >> 4];
      name += kHex[c & 0xF];
    } else {
      name += static_cast<char>(c);
    }
  }
  return name;
}

}  // namespace

std::optional<std::array<uint8_t, kPacFileSize>> EncodePacFile(const PacContents& contents) {
  const PacBytes* parts[4] = {&contents.aid, &contents.iid, &contents.key, &contents.opaque};
  uint64_t total = 0;
  for (const PacBytes* part : parts) total += part->size();
  if (total > kPacDataSize) return std::nullopt;
  std::array<uint8_t, kPacFileSize> file{};
  uint8_t* data = file.data() + 16;
  for (int i = 0; i < 4; ++i) {
    PutLength(file.data() + 4 * i, parts[i]->size());
    data = std::copy(parts[i]->begin(), parts[i]->end(), data);
  }
  return file;
}

DecodedPac DecodePacFile(std::span<const uint8_t> file) {
  DecodedPac decoded;
  if (file.size() != kPacFileSize) return decoded;
  uint64_t lengths[4];
  uint64_t total = 0;
  for (int i = 0; i < 4; ++i) {
    lengths[i] = GetLength(file.data() + 4 * i);
    total += lengths[i];
  }
  if (total > kPacDataSize) {
    decoded.state = PacFileState::Oversized;
    return decoded;
  }
  PacBytes* parts[4] = {&decoded.contents.aid, &decoded.contents.iid, &decoded.contents.key,
                        &decoded.contents.opaque};
  const uint8_t* data = file.data() + 16;
  for (int i = 0; i < 4; ++i) {
    parts[i]->assign(data, data + lengths[i]);
    data += lengths[i];
  }
  decoded.state = PacFileState::Valid;
  return decoded;
}

std::string PacUserIid(std::string_view outerIdentity) {
  std::string_view user = outerIdentity.substr(0, outerIdentity.find('@'));
  if (const auto slash = user.find('\\'); slash != std::string_view::npos) {
    user.remove_prefix(slash + 1);
  }
  return std::string(user);
}

bool PacMatches(const PacContents& stored, std::span<const uint8_t> serverAid,
                std::string_view userIid) {
  return std::equal(stored.aid.begin(), stored.aid.end(), serverAid.begin(), serverAid.end()) &&
         std::equal(stored.iid.begin(), stored.iid.end(), userIid.begin(), userIid.end(),
                    [](uint8_t a, char b) { return a == static_cast<uint8_t>(b); });
}

std::string DefaultPacPath(std::string_view folder, std::optional<std::string_view> profileName) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\') path += '\\';
  path += profileName ? FileNameOf(*profileName) : std::string("current");
  path += ".pac";
  return path;
}

std::optional<PacContents> LoadPacFile(const std::filesystem::path& file,
                                       std::span<const uint8_t> serverAid,
                                       std::string_view userIid) {
  if (file.empty()) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  // A longer file is read as far as a PAC goes, as it always was.
  std::vector<uint8_t> bytes(kPacFileSize);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  in.close();
  const DecodedPac decoded = DecodePacFile(bytes);
  if (decoded.state == PacFileState::Oversized) DiscardPacFile(file);
  if (decoded.state != PacFileState::Valid) return std::nullopt;
  if (!PacMatches(decoded.contents, serverAid, userIid)) return std::nullopt;
  return decoded.contents;
}

bool SavePacFile(const std::filesystem::path& file, const PacContents& contents) {
  const auto bytes = EncodePacFile(contents);
  if (!bytes || file.empty()) return false;
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes->data()),
              static_cast<std::streamsize>(bytes->size()));
    out.flush();
    if (out) return true;
  }
  DiscardPacFile(file);
  return false;
}

void DiscardPacFile(const std::filesystem::path& file) {
  std::error_code ignored;
  std::filesystem::remove(file, ignored);
}

}  // namespace kavo9::dot1x
