#include "sim/emulator/areas/WmmArea.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

constexpr uint32_t kCodes[] = {OID_VND_APSD, OID_VND_WMM_ENABLE, OID_VND_DLS_CAPABLE,
                               OID_VND_DLS_LINKS};
// The service period length the driver reports in bits 5-6: "two frames".
constexpr uint32_t kDriverApsdBits = 0x40, kApsdSettable = 0x1F;
constexpr size_t kLinks = 4, kEntrySize = 12, kPeerAt = 4, kStatusAt = 10, kInUseAt = 11;
constexpr uint8_t kPending = 1, kUp = 2;

}  // namespace

std::span<const uint32_t> WmmArea::Codes() const {
  return kCodes;
}

void WmmArea::Load() {
  wmm_ = ctx_.Parameter("WMMCapable").value_or(0) != 0;
  dls_ = ctx_.Parameter("DLSCapable").value_or(0) != 0;
  apsd_ = ctx_.Parameter("APSDCapable").value_or(0) != 0 ? 1 : 0;
  links_.clear();
}

void WmmArea::Advance(uint64_t) {
  if (!ctx_.connected) {
    links_.clear();
    return;
  }
  // Links that are up go down with either switch; a pending request is answered once both are on.
  if (!Accepting()) {
    std::erase_if(links_, [](const Link& l) { return l.status == kUp; });
    return;
  }
  for (Link& link : links_) link.status = kUp;
}

std::optional<int32_t> WmmArea::Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) {
  if (code == OID_VND_APSD) return Answer32(out, written, apsd_ | kDriverApsdBits);
  if (code != OID_VND_DLS_LINKS) return std::nullopt;
  std::vector<uint8_t> table(kLinks * kEntrySize, 0);
  for (size_t i = 0; i < links_.size(); ++i) {
    uint8_t* e = table.data() + i * kEntrySize;
    e[0] = uint8_t(links_[i].timeout);
    e[1] = uint8_t(links_[i].timeout >> 8);
    std::memcpy(e + kPeerAt, links_[i].peer.data(), 6);
    e[kStatusAt] = links_[i].status;
    e[kInUseAt] = 1;
  }
  return AnswerBytes(out, written, table);
}

std::optional<int32_t> WmmArea::Set(uint32_t code, std::span<const uint8_t> value) {
  switch (code) {
    case OID_VND_APSD:
      apsd_ = GetLe32(value, 0) & kApsdSettable;
      return ERROR_SUCCESS;
    case OID_VND_WMM_ENABLE:
      wmm_ = !value.empty() && value[0] != 0;
      return ERROR_SUCCESS;
    case OID_VND_DLS_CAPABLE:
      dls_ = GetLe32(value, 0) != 0;
      return ERROR_SUCCESS;
    case OID_VND_DLS_LINKS:
      return SetLink(value);
    default:
      return std::nullopt;
  }
}

// Sets up a link (in use) or tears one down. A link needs a peer that is a station: not the
// adapter, not its access point, not a group address.
int32_t WmmArea::SetLink(std::span<const uint8_t> entry) {
  if (entry.size() != kEntrySize) return ERROR_INVALID_PARAMETER;
  MacAddress peer;
  std::memcpy(peer.data(), entry.data() + kPeerAt, 6);
  auto it =
      std::find_if(links_.begin(), links_.end(), [&peer](const Link& l) { return l.peer == peer; });
  if (entry[kInUseAt] != 1) {
    if (it != links_.end()) links_.erase(it);
    return ERROR_SUCCESS;
  }
  const bool group = peer[0] & 1;
  if (group || peer == ctx_.spec.mac || peer == MacAddress{} ||
      (ctx_.connected && peer == ctx_.network.bssid)) {
    return ERROR_INVALID_PARAMETER;
  }
  if (!ctx_.connected) return ERROR_NOT_SUPPORTED;
  const uint16_t timeout = uint16_t(entry[0] | entry[1] << 8);
  if (it != links_.end()) {
    it->timeout = timeout;
    return ERROR_SUCCESS;
  }
  if (links_.size() >= kLinks) return ERROR_INVALID_PARAMETER;
  links_.push_back({timeout, peer, Accepting() ? kUp : kPending});
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
