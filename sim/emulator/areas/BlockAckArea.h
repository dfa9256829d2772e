#pragma once
// Block Ack sessions, as an 802.11n driver keeps them: per side (this adapter originator or
// recipient) and per peer, a window size for each TID with a session. With MPDU aggregation on
// in automatic mode, each 802.11n peer gets a session for TID 0 on both sides when it appears;
// sessions are added and deleted by TID and peer; a peer that goes away takes its sessions along.
//
// The peers are the access point the station is associated with (when the network speaks
// 802.11n) and, in access-point mode, the stations that joined.

#include <array>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "sim/emulator/EmulatorArea.h"
#include "sim/emulator/EmulatorContext.h"

namespace kavo9::emu {

class BlockAckArea : public EmulatorArea {
 public:
  using PeerList = std::function<std::vector<MacAddress>()>;

  explicit BlockAckArea(EmulatorContext& context) : ctx_(context) {}
  // Where the access point's joined stations come from.
  void SetAccessPointPeers(PeerList peers) { apPeers_ = std::move(peers); }

  std::span<const uint32_t> Codes() const override;
  void Load() override;
  void Advance(uint64_t nowMs) override;
  std::optional<int32_t> Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) override;
  std::optional<int32_t> Set(uint32_t code, std::span<const uint8_t> value) override;

 private:
  struct Sessions {
    uint8_t tidMap = 0;
    std::array<uint8_t, 8> window{};
  };
  using Key = std::pair<uint8_t, MacAddress>;  // side, peer

  std::vector<MacAddress> Peers() const;
  bool AutomaticMode() const;
  int32_t Add(std::span<const uint8_t> value);
  int32_t Delete(std::span<const uint8_t> value);

  EmulatorContext& ctx_;
  PeerList apPeers_;
  std::map<Key, Sessions> sessions_;
  std::set<MacAddress> greeted_;  // peers that got their automatic sessions
};

}  // namespace kavo9::emu
