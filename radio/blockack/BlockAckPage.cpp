#include "radio/blockack/BlockAckPage.h"

#include <algorithm>

#include "common/adapter/RequestCatalogue.h"

namespace kavo9::radio {
namespace {

constexpr TimerId kRefreshTimer = 1;
constexpr uint32_t kRefreshPeriodMs = 1000;
constexpr const char* kBaCapability = "BACapability";

bool SameRows(const std::vector<BlockAckRow>& a, const std::vector<BlockAckRow>& b) {
  return a == b;
}

}  // namespace

BlockAckPageModel::BlockAckPageModel(DriverPort& driver, RadioStorePort& store, EventLoop& loop)
    : driver_(driver),
      store_(store),
      timers_(std::make_unique<WindowTimers>(loop, [this](TimerId) { RefreshSessions(); })) {}

BlockAckPageModel::~BlockAckPageModel() = default;

void BlockAckPageModel::LoadFromRegistry() {
  uint32_t word = 0;
  if (ReadDword(store_, RadioKey::kAdapter, kBaCapability, &word)) {
    TakeRecord(UnpackBaCapability(word), &state_);
  }
  SendOptions();
}

void BlockAckPageModel::LoadFromDriver() {
  HtOptionsRecord record{};
  if (QueryRecord(driver_, OID_VND_HT_OPTIONS, record.data(), kHtOptionsRecordSize,
                  kHtOptionsRecordSize)) {
    TakeRecord(record, &state_);
  }
}

void BlockAckPageModel::Shown() {
  timers_->Set(kRefreshTimer, kRefreshPeriodMs);
}

void BlockAckPageModel::Hidden() {
  timers_->Kill(kRefreshTimer);
}

BlockAckEnabling BlockAckPageModel::Enabling() const {
  return {.modeAndDensity = state_.mpdu,
          .sessionButtons = state_.mpdu && !state_.autoMode,
          .amsduLength = state_.amsdu};
}

void BlockAckPageModel::SendOptions() {
  const HtOptionsRecord record = RecordFromState(state_);
  driver_.SetInformation(OID_VND_HT_OPTIONS, record.data(), kHtOptionsRecordSize, kSetAttempts);
}

void BlockAckPageModel::Apply() {
  SendOptions();
  WriteDword(store_, RadioKey::kAdapter, kBaCapability, PackBaCapability(RecordFromState(state_)));
}

bool BlockAckPageModel::RefreshSessions() {
  std::vector<uint8_t> table(kBlockAckTableSize, 0);
  uint32_t returned = 0;
  if (!driver_.QueryInformation(OID_VND_BLOCK_ACK, table.data(), kBlockAckTableSize, &returned)) {
    return false;
  }
  table.resize(returned);
  BlockAckSessions fresh = DecodeBlockAckTable(table);
  if (SameRows(fresh.originator, sessions_.originator) &&
      SameRows(fresh.recipient, sessions_.recipient)) {
    return false;
  }
  sessions_ = std::move(fresh);
  if (changed_) changed_();
  return true;
}

std::vector<MacBytes> BlockAckPageModel::StationTablePeers(const std::optional<MacBytes>& first) {
  std::vector<uint8_t> table(kMacTableSize, 0);
  uint32_t returned = 0;
  if (!driver_.QueryInformation(OID_VND_MAC_TABLE, table.data(), kMacTableSize, &returned)) {
    return {};
  }
  table.resize(returned);
  std::vector<MacBytes> peers = DecodeStationTable(table);
  if (first) {
    auto it = std::find(peers.begin(), peers.end(), *first);
    if (it != peers.end()) std::rotate(peers.begin(), it, it + 1);
  }
  return peers;
}

std::optional<BlockAckRefusal> BlockAckPageModel::AddSession(BaSide side,
                                                             const std::optional<MacBytes>& peer,
                                                             int tid, std::string_view windowText) {
  if (!peer) return BlockAckRefusal::kNoPeer;
  const std::optional<int> window = ParseBaWindow(windowText);
  if (!window) return BlockAckRefusal::kBadWindow;
  const BlockAckRequest request = AddSessionRequest(side, *peer, tid, *window);
  driver_.SetInformation(OID_VND_BLOCK_ACK, request.data(), kBlockAckRequestSize, kSetAttempts);
  RefreshSessions();
  return std::nullopt;
}

std::optional<BlockAckRefusal> BlockAckPageModel::DeleteSession(BaSide side,
                                                                const std::optional<MacBytes>& peer,
                                                                int tid, bool allTids) {
  if (!peer) return BlockAckRefusal::kNoPeer;
  const BlockAckRequest request = DeleteSessionRequest(side, *peer, tid, allTids);
  driver_.SetInformation(OID_VND_DELETE_BLOCK_ACK, request.data(), kBlockAckRequestSize,
                         kSetAttempts);
  RefreshSessions();
  return std::nullopt;
}

}  // namespace kavo9::radio
