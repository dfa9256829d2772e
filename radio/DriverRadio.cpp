#include "radio/DriverRadio.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "radio/ht/HtRateTable.h"
#include "radio/vocabulary/Bytes.h"
#include "radio/vocabulary/Channels.h"

namespace kavo9::radio {

namespace {

constexpr uint8_t kCckRates[] = {2, 4, 11, 22};
constexpr uint8_t kOfdmRates[] = {12, 18, 24, 36, 48, 72, 96, 108};

// The MCS values a driver takes: one or two streams, the 40 MHz duplicate 32, or automatic.
bool McsValid(uint32_t mcs) {
  return mcs <= 15 || mcs == 32 || mcs == uint32_t(kMcsAuto);
}

bool IsCck(uint8_t rate) {
  return std::find(std::begin(kCckRates), std::end(kCckRates), rate) != std::end(kCckRates);
}

}  // namespace

DriverRadio::DriverRadio(int chipKind, AdapterBands bands, uint32_t regionWord)
    : chipKind_(chipKind), bands_(bands), regionWord_(regionWord) {
  wirelessMode_ = bands.ht ? (bands.has5G ? 5 : 9) : (bands.has5G ? 3 : 0);
  HtSetting ht;
  ht.wirelessMode = uint32_t(wirelessMode_);
  htPhy_ = BuildHtPhyRecord(PackHtSetting(ht));
}

bool DriverRadio::ModeSupported(int mode) const {
  if (mode < 0 || mode > 9) return false;
  if (ModeUses5G(mode) && !bands_.has5G) return false;
  if ((IsHtMode(mode) || mode == 7) && !bands_.ht) return false;
  return true;
}

void DriverRadio::LoadWirelessMode(long mode) {
  if (ModeSupported(int(mode))) wirelessMode_ = int(mode);
}

void DriverRadio::LoadRegions(long region24, long region5) {
  uint32_t word = regionWord_;
  if (!(word & kRegion24Fixed) && region24 >= 0)
    word = (word & ~0x7Fu) | (uint32_t(region24) & 0x7F);
  if (!(word & kRegion5Fixed) && region5 >= 0) {
    word = (word & ~0x7F00u) | ((uint32_t(region5) & 0x7F) << 8);
  }
  regionWord_ = word;
}

bool DriverRadio::LoadTransmitSetting(uint32_t word) {
  if (!bands_.ht) return false;
  HtSetting s = UnpackHtSetting(word);
  // The utilities always write the HT PHY mode 2; a word without it, or with an MCS the driver
  // does not have, was not written by them and is not taken.
  if (((word >> 14) & 3) != kHtPhyMode || !McsValid(s.mcs)) return false;
  // The driver has one wireless mode, read from its own value; the record reports that one.
  s.wirelessMode = uint32_t(wirelessMode_);
  htPhy_ = BuildHtPhyRecord(PackHtSetting(s));
  return true;
}

std::optional<int32_t> DriverRadio::Query(uint32_t oid, std::span<uint8_t> out,
                                          uint32_t* written) const {
  uint32_t ignored = 0;
  if (written == nullptr) written = &ignored;
  *written = 0;
  auto reply = [&](std::span<const uint8_t> value) -> int32_t {
    if (out.size() < value.size()) return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(out.data(), value.data(), value.size());
    *written = uint32_t(value.size());
    return ERROR_SUCCESS;
  };
  std::array<uint8_t, 4> word{};
  switch (oid & ~kSetBit) {
    case OID_VND_WIRELESS_MODE:
      WriteLe32(word, 0, uint32_t(wirelessMode_));
      return reply(word);
    case OID_VND_COUNTRY_REGION:
      WriteLe32(word, 0, regionWord_);
      return reply(word);
    case OID_VND_HT_PHY_MODE:
      if (!bands_.ht) return ERROR_NOT_SUPPORTED;
      return reply(htPhy_);
    case OID_VND_HT_OPTIONS:
      if (!bands_.ht) return ERROR_NOT_SUPPORTED;
      return reply(htOptions_);
    default:
      return std::nullopt;
  }
}

std::optional<int32_t> DriverRadio::Set(uint32_t oid, std::span<const uint8_t> in) {
  auto exact = [&](size_t size) { return in.size() == size; };
  switch (oid & ~kSetBit) {
    case OID_VND_WIRELESS_MODE: {
      if (!exact(4)) return ERROR_INVALID_PARAMETER;
      uint32_t mode = ReadLe32(in, 0);
      if (mode > 9 || !ModeSupported(int(mode))) return ERROR_INVALID_PARAMETER;
      wirelessMode_ = int(mode);
      return ERROR_SUCCESS;
    }
    case OID_VND_COUNTRY_REGION: {
      if (!exact(4)) return ERROR_INVALID_PARAMETER;
      uint32_t value = ReadLe32(in, 0);
      LoadRegions(value & 0x7F, (value >> 8) & 0x7F);
      return ERROR_SUCCESS;
    }
    case OID_VND_HT_PHY_MODE: {
      if (!bands_.ht) return ERROR_NOT_SUPPORTED;
      if (!exact(kHtPhyRecordSize)) return ERROR_INVALID_PARAMETER;
      HtSetting s = HtSettingFromRecord(
          std::span<const uint8_t, kHtPhyRecordSize>(in.data(), kHtPhyRecordSize));
      if (!McsValid(s.mcs) || in[4] != kHtPhyMode) return ERROR_INVALID_PARAMETER;
      std::copy(in.begin(), in.end(), htPhy_.begin());
      return ERROR_SUCCESS;
    }
    case OID_VND_HT_OPTIONS:
      if (!bands_.ht) return ERROR_NOT_SUPPORTED;
      if (!exact(htOptions_.size())) return ERROR_INVALID_PARAMETER;
      std::copy(in.begin(), in.end(), htOptions_.begin());
      return ERROR_SUCCESS;
    case OID_802_11_DESIRED_RATES:
      if (!exact(desired_.size())) return ERROR_INVALID_PARAMETER;
      std::copy(in.begin(), in.end(), desired_.begin());
      return ERROR_SUCCESS;
    case OID_VND_RATE_SET:
      if (!exact(kRateSetSize) || in[0] > 12 || in[13] > 12) return ERROR_INVALID_PARAMETER;
      std::copy(in.begin(), in.end(), rateSet_.begin());
      return ERROR_SUCCESS;
    default:
      return std::nullopt;
  }
}

std::vector<int> DriverRadio::ScanChannels() const {
  return BuildAllowedChannels({.regionWord = regionWord_ & ~(kRegion24Fixed | kRegion5Fixed),
                               .chipKind = chipKind_,
                               .infrastructure = true,
                               .wirelessMode = wirelessMode_});
}

bool DriverRadio::ChannelAllowed(int channel) const {
  std::vector<int> channels = ScanChannels();
  return std::find(channels.begin(), channels.end(), channel) != channels.end();
}

uint8_t DriverRadio::BestLegacyRate(const PeerRadio& peer) const {
  // Rates the mode has, narrowed to the desired rates when some were set, that the peer takes.
  std::vector<uint8_t> ours;
  const bool is5G = peer.channel > 14;
  const bool cck = !is5G && wirelessMode_ != 2 && wirelessMode_ != 4;
  const bool ofdm = wirelessMode_ != 1;
  if (cck) ours.insert(ours.end(), std::begin(kCckRates), std::end(kCckRates));
  if (ofdm) ours.insert(ours.end(), std::begin(kOfdmRates), std::end(kOfdmRates));
  const bool anyDesired =
      std::any_of(desired_.begin(), desired_.end(), [](uint8_t r) { return r != 0; });
  uint8_t best = 0;
  for (uint8_t rate : ours) {
    if (anyDesired && std::find(desired_.begin(), desired_.end(), rate) == desired_.end()) continue;
    bool peerHas = std::any_of(peer.rates.begin(), peer.rates.end(),
                               [rate](uint8_t p) { return (p & 0x7F) == rate; });
    if (peerHas) best = std::max(best, rate);
  }
  if (best == 0) best = cck ? 2 : 12;  // the lowest mandatory rate of the band
  return best;
}

uint16_t DriverRadio::TxRateWord(const PeerRadio& peer) const {
  if (bands_.ht && IsHtMode(wirelessMode_) && peer.ht) {
    HtSetting s = HtSettingFromRecord(htPhy_);
    int mcs = int(s.mcs);
    if (mcs == kMcsAuto || (mcs != 32 && mcs > peer.maxMcs)) mcs = peer.maxMcs;
    const bool width40 = s.width40 && peer.width40 && peer.channel != 14;
    if (mcs == 32 && !width40) mcs = 0;  // MCS 32 exists only at 40 MHz
    const uint16_t phy = s.greenfield ? 3 : 2;
    return uint16_t(mcs | (width40 ? 1 << 7 : 0) | (s.shortGuard ? 1 << 8 : 0) |
                    (s.stbc ? 1 << 9 : 0) | phy << 14);
  }
  const uint8_t rate = BestLegacyRate(peer);
  if (IsCck(rate)) {
    return uint16_t(std::find(std::begin(kCckRates), std::end(kCckRates), rate) -
                    std::begin(kCckRates));
  }
  const auto index =
      std::find(std::begin(kOfdmRates), std::end(kOfdmRates), rate) - std::begin(kOfdmRates);
  return uint16_t(index | 1 << 14);
}

uint32_t DriverRadio::TxRate500k(const PeerRadio& peer) const {
  if (bands_.ht && IsHtMode(wirelessMode_) && peer.ht) {
    uint16_t word = TxRateWord(peer);
    double mbps = 0;
    LookupHtRate(word & 0x80, word & 0x100, word & 0x7F, &mbps);
    return uint32_t(mbps * 2 + 0.5);
  }
  return BestLegacyRate(peer);
}

}  // namespace kavo9::radio
