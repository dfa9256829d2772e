#include "radio/blockack/BlockAckTable.h"

#include <algorithm>
#include <charconv>

#include "radio/vocabulary/Bytes.h"

namespace kavo9::radio {
namespace {

constexpr size_t kEntrySize = 48, kEntriesPerHalf = 32;
constexpr size_t kRecipientHalf = kEntrySize * kEntriesPerHalf;
constexpr size_t kOriginatorCount = 2 * kRecipientHalf, kRecipientCount = kOriginatorCount + 1;
constexpr size_t kTidMapOffset = 6, kWindowOffset = 8;
// The request: side, peer, TID, window; the delete's "every TID" flag.
constexpr size_t kReqPeer = 1, kReqTid = 7, kReqWindow = 8, kReqAllTids = 12;

std::vector<BlockAckRow> DecodeHalf(std::span<const uint8_t> table, size_t start, size_t count) {
  std::vector<BlockAckRow> rows;
  for (size_t i = 0; i < kEntriesPerHalf && rows.size() < count; ++i) {
    const size_t at = start + i * kEntrySize;
    if (at + kWindowOffset + kTidCount > table.size()) break;
    BlockAckRow row;
    row.tidMap = table[at + kTidMapOffset];
    if (row.tidMap == 0) continue;
    std::copy_n(table.begin() + at, 6, row.peer.begin());
    std::copy_n(table.begin() + at + kWindowOffset, kTidCount, row.window.begin());
    rows.push_back(row);
  }
  return rows;
}

BlockAckRequest Request(BaSide side, const MacBytes& peer, int tid) {
  BlockAckRequest request{};
  request[0] = uint8_t(side);
  std::copy(peer.begin(), peer.end(), request.begin() + kReqPeer);
  request[kReqTid] = uint8_t(tid & (kTidCount - 1));
  return request;
}

}  // namespace

std::vector<std::string> BlockAckRow::Cells() const {
  std::vector<std::string> cells{MacAddressText(peer)};
  for (int tid = 0; tid < kTidCount; ++tid) {
    cells.push_back(HasTid(tid) ? std::to_string(window[tid]) : "-");
  }
  return cells;
}

BlockAckSessions DecodeBlockAckTable(std::span<const uint8_t> table) {
  BlockAckSessions sessions;
  const size_t originators = table.size() > kOriginatorCount ? table[kOriginatorCount] : 0;
  const size_t recipients = table.size() > kRecipientCount ? table[kRecipientCount] : 0;
  sessions.originator = DecodeHalf(table, 0, originators);
  sessions.recipient = DecodeHalf(table, kRecipientHalf, recipients);
  return sessions;
}

BlockAckRequest AddSessionRequest(BaSide side, const MacBytes& peer, int tid, int window) {
  BlockAckRequest request = Request(side, peer, tid);
  request[kReqWindow] = uint8_t(std::clamp(window, kMinBaWindow, kMaxBaWindow));
  return request;
}

BlockAckRequest DeleteSessionRequest(BaSide side, const MacBytes& peer, int tid, bool allTids) {
  BlockAckRequest request = Request(side, peer, allTids ? 0 : tid);
  request[kReqAllTids] = allTids ? 1 : 0;
  return request;
}

std::optional<int> ParseBaWindow(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < kMinBaWindow || value > kMaxBaWindow) return std::nullopt;
  return value;
}

std::vector<MacBytes> DecodeStationTable(std::span<const uint8_t> table, uint32_t entrySize) {
  std::vector<MacBytes> peers;
  if (table.size() < 4 || entrySize < 6) return peers;
  const uint32_t count = ReadLe32(table, 0);
  for (uint32_t i = 0; i < count; ++i) {
    const size_t at = 4 + size_t(i) * entrySize;
    if (at + entrySize > table.size()) break;
    MacBytes mac;
    std::copy_n(table.begin() + at, 6, mac.begin());
    peers.push_back(mac);
  }
  return peers;
}

}  // namespace kavo9::radio
