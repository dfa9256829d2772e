#include "sim/emulator/areas/BlockAckArea.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"

namespace kavo9::emu {
namespace {

constexpr uint32_t kCodes[] = {OID_VND_BLOCK_ACK, OID_VND_DELETE_BLOCK_ACK};

// The table: 32 entries of 48 bytes per side, then the two counts.
constexpr size_t kEntrySize = 48, kEntriesPerSide = 32,
                 kCountsAt = 2 * kEntriesPerSide * kEntrySize;
constexpr size_t kTableSize = kCountsAt + 4;
// The requests: side, peer, TID, window size; the delete's "all TIDs" flag.
constexpr size_t kRequestSize = 14, kPeerAt = 1, kTidAt = 7, kWindowAt = 8, kAllTidsAt = 12;
constexpr uint8_t kLastTid = 7, kLargestWindow = 64, kAutomaticWindow = 64;
// The 802.11n options record: aggregation (1 on) and its mode (1 automatic).
constexpr size_t kAggregationByte = 2, kAutoModeByte = 7;

}  // namespace

std::span<const uint32_t> BlockAckArea::Codes() const {
  return kCodes;
}

void BlockAckArea::Load() {
  sessions_.clear();
  greeted_.clear();
}

std::vector<MacAddress> BlockAckArea::Peers() const {
  if (!ctx_.chip.ht) return {};
  if (ctx_.opMode == kOpModeAccessPoint) return apPeers_ ? apPeers_() : std::vector<MacAddress>{};
  if (ctx_.connected && ctx_.network.ht.enabled) return {ctx_.network.bssid};
  return {};
}

bool BlockAckArea::AutomaticMode() const {
  const auto& options = ctx_.radio.htOptions();
  return options[kAggregationByte] == 1 && options[kAutoModeByte] == 1;
}

void BlockAckArea::Advance(uint64_t) {
  const std::vector<MacAddress> peers = Peers();
  auto gone = [&peers](const MacAddress& mac) {
    return std::find(peers.begin(), peers.end(), mac) == peers.end();
  };
  std::erase_if(sessions_, [&](const auto& entry) { return gone(entry.first.second); });
  std::erase_if(greeted_, gone);
  if (!AutomaticMode()) return;
  for (const MacAddress& peer : peers) {
    if (!greeted_.insert(peer).second) continue;
    for (uint8_t side : {uint8_t(0), uint8_t(1)}) {
      Sessions& s = sessions_[{side, peer}];
      s.tidMap |= 1;
      s.window[0] = kAutomaticWindow;
    }
  }
}

std::optional<int32_t> BlockAckArea::Query(uint32_t code, std::span<uint8_t> out,
                                           uint32_t* written) {
  if (code != OID_VND_BLOCK_ACK || !ctx_.chip.ht) return ERROR_NOT_SUPPORTED;
  std::vector<uint8_t> table(kTableSize, 0);
  std::array<size_t, 2> counts{};
  for (const auto& [key, s] : sessions_) {
    const auto [side, peer] = key;
    if (s.tidMap == 0 || counts[side] >= kEntriesPerSide) continue;
    uint8_t* e = table.data() + (side * kEntriesPerSide + counts[side]++) * kEntrySize;
    std::memcpy(e, peer.data(), 6);
    e[6] = s.tidMap;
    std::memcpy(e + 8, s.window.data(), s.window.size());
  }
  table[kCountsAt] = uint8_t(counts[0]);
  table[kCountsAt + 1] = uint8_t(counts[1]);
  return AnswerBytes(out, written, table);
}

std::optional<int32_t> BlockAckArea::Set(uint32_t code, std::span<const uint8_t> value) {
  if (!ctx_.chip.ht) return ERROR_NOT_SUPPORTED;
  if (value.size() != kRequestSize || value[0] > 1) return ERROR_INVALID_PARAMETER;
  return code == OID_VND_BLOCK_ACK ? Add(value) : Delete(value);
}

// A session needs aggregation on, a peer that speaks 802.11n, a TID and a window the standard
// allows.
int32_t BlockAckArea::Add(std::span<const uint8_t> value) {
  MacAddress peer;
  std::memcpy(peer.data(), value.data() + kPeerAt, 6);
  const uint8_t tid = value[kTidAt], window = value[kWindowAt];
  if (tid > kLastTid || window == 0 || window > kLargestWindow) return ERROR_INVALID_PARAMETER;
  if (ctx_.radio.htOptions()[kAggregationByte] != 1) return ERROR_NOT_SUPPORTED;
  const std::vector<MacAddress> peers = Peers();
  if (std::find(peers.begin(), peers.end(), peer) == peers.end()) return ERROR_INVALID_PARAMETER;
  Sessions& s = sessions_[{value[0], peer}];
  s.tidMap |= uint8_t(1u << tid);
  s.window[tid] = window;
  return ERROR_SUCCESS;
}

int32_t BlockAckArea::Delete(std::span<const uint8_t> value) {
  MacAddress peer;
  std::memcpy(peer.data(), value.data() + kPeerAt, 6);
  auto it = sessions_.find({value[0], peer});
  if (it == sessions_.end()) return ERROR_INVALID_PARAMETER;
  if (value[kAllTidsAt] == 1) {
    sessions_.erase(it);
    return ERROR_SUCCESS;
  }
  const uint8_t tid = value[kTidAt];
  if (tid > kLastTid || !(it->second.tidMap >> tid & 1)) return ERROR_INVALID_PARAMETER;
  it->second.tidMap &= uint8_t(~(1u << tid));
  it->second.window[tid] = 0;
  if (it->second.tidMap == 0) sessions_.erase(it);
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
