#pragma once
// The driver's Block Ack sessions: the table it reports (originator and recipient halves), the
// rows the page lists, the add and delete requests, and the station table the add dialog offers
// peers from.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "radio/vocabulary/MacAddress.h"

namespace kavo9::radio {

inline constexpr uint32_t kBlockAckTableSize = 3076;
inline constexpr uint32_t kBlockAckRequestSize = 14;
inline constexpr int kTidCount = 8;
// The window sizes a session may ask for (the standard's largest reorder buffer is 64).
inline constexpr int kMinBaWindow = 1, kMaxBaWindow = 64;
inline constexpr int kDefaultBaWindow = 32;

// Which side of a session this adapter is.
enum class BaSide : uint8_t { kOriginator = 0, kRecipient = 1 };

// One peer's sessions on one side.
struct BlockAckRow {
  MacBytes peer{};
  uint8_t tidMap = 0;  // bit n: a session for TID n
  std::array<uint8_t, kTidCount> window{};

  bool HasTid(int tid) const { return tid >= 0 && tid < kTidCount && (tidMap >> tid & 1); }
  // The row's cells: the address, then per TID its window size or "-".
  std::vector<std::string> Cells() const;
  bool operator==(const BlockAckRow&) const = default;
};

struct BlockAckSessions {
  std::vector<BlockAckRow> originator;
  std::vector<BlockAckRow> recipient;
  const std::vector<BlockAckRow>& Of(BaSide side) const {
    return side == BaSide::kOriginator ? originator : recipient;
  }
};

// The rows of a table: per half, the entries with a session in order, at most as many as the
// half's count. A reply shorter than the table is decoded as far as it goes.
BlockAckSessions DecodeBlockAckTable(std::span<const uint8_t> table);

using BlockAckRequest = std::array<uint8_t, kBlockAckRequestSize>;
BlockAckRequest AddSessionRequest(BaSide side, const MacBytes& peer, int tid, int window);
// `allTids`: every session with the peer on this side, else only `tid`.
BlockAckRequest DeleteSessionRequest(BaSide side, const MacBytes& peer, int tid, bool allTids);

// The window size text of the add dialog: a whole number within the range, or nullopt (never cut
// to fit the request's byte).
std::optional<int> ParseBaWindow(std::string_view text);

// The addresses of the driver's station table (OID_VND_MAC_TABLE: a count, then entries of 8 or 10
// bytes led by the address), `entrySize` per entry.
inline constexpr uint32_t kMacTableSize = 324, kMacTableEntrySize = 10;
std::vector<MacBytes> DecodeStationTable(std::span<const uint8_t> table,
                                         uint32_t entrySize = kMacTableEntrySize);

}  // namespace kavo9::radio
