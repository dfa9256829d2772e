#pragma once
// The stored EAP-FAST credential (PAC): one file of 1,040 bytes per profile, a header of four
// little-endian lengths and a 1,024-byte area that holds the A-ID, the I-ID, the PAC key and the
// PAC opaque one after the other. The library keeps a PAC only in memory; this is where it lives
// between connections.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kavo9::dot1x {

inline constexpr std::size_t kPacDataSize = 1024;
inline constexpr std::size_t kPacFileSize = 16 + kPacDataSize;

using PacBytes = std::vector<uint8_t>;

struct PacContents {
  PacBytes aid;
  PacBytes iid;
  PacBytes key;
  PacBytes opaque;
  bool operator==(const PacContents&) const = default;
};

enum class PacFileState {
  Valid,
  WrongSize,  // not exactly 1,040 bytes: ignored and left where it is
  Oversized,  // the four lengths claim more than the data area: the file is useless
};

struct DecodedPac {
  PacFileState state = PacFileState::WrongSize;
  PacContents contents;
};

// The file's bytes, or nothing when the four parts do not fit the data area together.
std::optional<std::array<uint8_t, kPacFileSize>> EncodePacFile(const PacContents& contents);
// The lengths are summed in 64 bits, so no set of lengths wraps round to a small total.
DecodedPac DecodePacFile(std::span<const uint8_t> file);

// The user's I-ID from the port's outer identity: the text before the first "@", and of that the
// part after the first "\" when there is one ("DOMAIN\user@realm" → "user").
std::string PacUserIid(std::string_view outerIdentity);

// Whether a stored PAC belongs to this server and this user.
bool PacMatches(const PacContents& stored, std::span<const uint8_t> serverAid,
                std::string_view userIid);

// The default file of a connection: "<folder>\<profile>.pac" for a profile connection,
// "<folder>\current.pac" for one bound to a BSSID. The profile name becomes a file name inside the
// folder whatever it contains: separators, ":", "%", control characters and a leading "." are
// written as %XX, so no name reaches another folder and no two names share a file.
std::string DefaultPacPath(std::string_view folder, std::optional<std::string_view> profileName);

// The file operations of the store, on files of this system.
// Reads a PAC that matches the server and user. A file whose lengths overflow the data area is
// deleted; any other unusable file (short, unreadable, another server or user) is left alone.
std::optional<PacContents> LoadPacFile(const std::filesystem::path& file,
                                       std::span<const uint8_t> serverAid,
                                       std::string_view userIid);
// Replaces the file with the PAC. A file that could not be written whole is removed, and the
// answer is false.
bool SavePacFile(const std::filesystem::path& file, const PacContents& contents);
// Removes the file; a missing file is no error.
void DiscardPacFile(const std::filesystem::path& file);

}  // namespace kavo9::dot1x
