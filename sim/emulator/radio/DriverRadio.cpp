#include "sim/emulator/radio/DriverRadio.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

bool Contains(std::span<const uint8_t> rates, uint8_t rate) {
  return std::find(rates.begin(), rates.end(), rate) != rates.end();
}

// The transmit rate word's fields.
constexpr uint16_t kRateWordWidth40 = 1 << 7;
constexpr uint16_t kRateWordShortGuard = 1 << 8;
constexpr uint16_t kRateWordStbc = 1 << 9;
constexpr int kRateWordPhyShift = 14;
enum : uint16_t { kPhyCck = 0, kPhyOfdm = 1, kPhyHtMixed = 2, kPhyHtGreenfield = 3 };

constexpr uint32_t kCodes[] = {OID_VND_WIRELESS_MODE, OID_VND_COUNTRY_REGION,   OID_VND_HT_PHY_MODE,
                               OID_VND_HT_OPTIONS,    OID_802_11_DESIRED_RATES, OID_VND_RATE_SET};

}  // namespace

DriverRadio::DriverRadio(int chipKind, RadioCaps caps, uint32_t regionWord)
    : chipKind_(chipKind), caps_(caps), regionWord_(regionWord) {
  wirelessMode_ = DefaultWirelessMode(caps);
  HtPhy phy;
  phy.wirelessMode = uint32_t(wirelessMode_);
  htPhy_ = EncodeHtPhyRecord(phy);
}

std::span<const uint32_t> DriverRadio::Codes() {
  return kCodes;
}

bool DriverRadio::ModeSupported(int mode) const {
  std::optional<ModeFeatures> f = FeaturesOfMode(mode);
  if (!f) return false;
  if (f->band5 && !caps_.has5G) return false;
  if (f->needsHtChip && !caps_.ht) return false;
  return true;
}

bool DriverRadio::Uses5G() const {
  std::optional<ModeFeatures> f = FeaturesOfMode(wirelessMode_);
  return f && f->band5;
}

void DriverRadio::LoadWirelessMode(long mode) {
  if (mode >= 0 && mode <= 9 && ModeSupported(int(mode))) wirelessMode_ = int(mode);
}

void DriverRadio::LoadRegions(long region24, long region5) {
  uint32_t word = regionWord_;
  if (!(word & kRegion24FixedBit) && region24 >= 0) {
    word = (word & ~kRegionCodeMask) | (uint32_t(region24) & kRegionCodeMask);
  }
  if (!(word & kRegion5FixedBit) && region5 >= 0) {
    word = (word & ~(kRegionCodeMask << kRegion5Shift)) |
           ((uint32_t(region5) & kRegionCodeMask) << kRegion5Shift);
  }
  regionWord_ = word;
}

bool DriverRadio::LoadTransmitSetting(uint32_t word) {
  if (!caps_.ht) return false;
  HtPhy phy = DecodeTransmitSetting(word);
  // The utilities always write the HT PHY mode; a word without it, or with an MCS the driver
  // does not have, was not written by them and is not taken.
  if (phy.phyMode != kHtPhyModeHt || !DriverTakesMcs(phy.mcs)) return false;
  // The driver has one wireless mode, read from its own value; the record reports that one.
  phy.wirelessMode = uint32_t(wirelessMode_);
  htPhy_ = EncodeHtPhyRecord(phy);
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
      PutLe32(word, 0, uint32_t(wirelessMode_));
      return reply(word);
    case OID_VND_COUNTRY_REGION:
      PutLe32(word, 0, regionWord_);
      return reply(word);
    case OID_VND_HT_PHY_MODE:
      if (!caps_.ht) return ERROR_NOT_SUPPORTED;
      return reply(htPhy_);
    case OID_VND_HT_OPTIONS:
      if (!caps_.ht) return ERROR_NOT_SUPPORTED;
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
      const uint32_t mode = GetLe32(in, 0);
      if (mode > 9 || !ModeSupported(int(mode))) return ERROR_INVALID_PARAMETER;
      wirelessMode_ = int(mode);
      return ERROR_SUCCESS;
    }
    case OID_VND_COUNTRY_REGION: {
      if (!exact(4)) return ERROR_INVALID_PARAMETER;
      const uint32_t value = GetLe32(in, 0);
      LoadRegions(value & kRegionCodeMask, (value >> kRegion5Shift) & kRegionCodeMask);
      return ERROR_SUCCESS;
    }
    case OID_VND_HT_PHY_MODE: {
      if (!caps_.ht) return ERROR_NOT_SUPPORTED;
      if (!exact(kHtPhyRecordBytes)) return ERROR_INVALID_PARAMETER;
      const HtPhy phy =
          DecodeHtPhyRecord(std::span<const uint8_t, kHtPhyRecordBytes>(in.data(), in.size()));
      if (!DriverTakesMcs(phy.mcs) || phy.phyMode != kHtPhyModeHt) return ERROR_INVALID_PARAMETER;
      std::copy(in.begin(), in.end(), htPhy_.begin());
      return ERROR_SUCCESS;
    }
    case OID_VND_HT_OPTIONS:
      if (!caps_.ht) return ERROR_NOT_SUPPORTED;
      if (!exact(htOptions_.size())) return ERROR_INVALID_PARAMETER;
      std::copy(in.begin(), in.end(), htOptions_.begin());
      return ERROR_SUCCESS;
    case OID_802_11_DESIRED_RATES:
      if (!exact(desired_.size())) return ERROR_INVALID_PARAMETER;
      std::copy(in.begin(), in.end(), desired_.begin());
      return ERROR_SUCCESS;
    case OID_VND_RATE_SET:
      if (!exact(kRateSetBytes) || in[0] > kRateSetSlots || in[1 + kRateSetSlots] > kRateSetSlots) {
        return ERROR_INVALID_PARAMETER;
      }
      std::copy(in.begin(), in.end(), rateSet_.begin());
      return ERROR_SUCCESS;
    default:
      return std::nullopt;
  }
}

std::vector<int> DriverRadio::ScanChannels() const {
  std::vector<int> channels;
  std::optional<ModeFeatures> f = FeaturesOfMode(wirelessMode_);
  if (!f) return channels;
  if (f->band24) channels = DriverChannels24(chipKind_, regionWord_ & kRegionCodeMask);
  if (f->band5) {
    std::vector<int> five =
        DriverChannels5(chipKind_, (regionWord_ >> kRegion5Shift) & kRegionCodeMask);
    channels.insert(channels.end(), five.begin(), five.end());
  }
  return channels;
}

bool DriverRadio::ChannelAllowed(int channel) const {
  std::vector<int> channels = ScanChannels();
  return std::find(channels.begin(), channels.end(), channel) != channels.end();
}

bool DriverRadio::HtLink(const PeerRadio& peer) const {
  std::optional<ModeFeatures> f = FeaturesOfMode(wirelessMode_);
  return caps_.ht && f && f->htRates && peer.ht;
}

uint8_t DriverRadio::BestLegacyRate(const PeerRadio& peer) const {
  // Rates the mode has, narrowed to the desired rates when some were set, that the peer takes.
  const ModeFeatures f = FeaturesOfMode(wirelessMode_).value_or(ModeFeatures{});
  const bool cck = f.cck && peer.channel <= 14;
  std::vector<uint8_t> ours;
  if (cck) ours.insert(ours.end(), CckRates().begin(), CckRates().end());
  if (f.ofdm) ours.insert(ours.end(), OfdmRates().begin(), OfdmRates().end());
  const bool anyDesired =
      std::any_of(desired_.begin(), desired_.end(), [](uint8_t r) { return r != 0; });
  uint8_t best = 0;
  for (uint8_t rate : ours) {
    if (anyDesired && !Contains(desired_, rate)) continue;
    const bool peerHas = std::any_of(peer.rates.begin(), peer.rates.end(),
                                     [rate](uint8_t p) { return (p & 0x7F) == rate; });
    if (peerHas) best = std::max(best, rate);
  }
  if (best == 0) best = cck ? CckRates().front() : OfdmRates().front();  // the band's lowest
  return best;
}

uint16_t DriverRadio::TxRateWord(const PeerRadio& peer) const {
  if (HtLink(peer)) {
    const HtPhy phy = DecodeHtPhyRecord(htPhy_);
    int mcs = phy.mcs;
    if (mcs == kAutoMcs || (mcs != 32 && mcs > peer.maxMcs)) mcs = peer.maxMcs;
    const bool width40 = phy.width40 && peer.width40 && peer.channel != 14;
    if (mcs == 32 && !width40) mcs = 0;  // MCS 32 exists only at 40 MHz
    const uint16_t mode = phy.greenfield ? kPhyHtGreenfield : kPhyHtMixed;
    return uint16_t(mcs | (width40 ? kRateWordWidth40 : 0) |
                    (phy.shortGuard ? kRateWordShortGuard : 0) | (phy.stbc ? kRateWordStbc : 0) |
                    mode << kRateWordPhyShift);
  }
  const uint8_t rate = BestLegacyRate(peer);
  const auto cck = CckRates();
  if (Contains(cck, rate)) {
    return uint16_t((std::find(cck.begin(), cck.end(), rate) - cck.begin()) |
                    kPhyCck << kRateWordPhyShift);
  }
  const auto ofdm = OfdmRates();
  const auto index = std::find(ofdm.begin(), ofdm.end(), rate) - ofdm.begin();
  return uint16_t(index | kPhyOfdm << kRateWordPhyShift);
}

uint32_t DriverRadio::TxRate500k(const PeerRadio& peer) const {
  if (HtLink(peer)) {
    const uint16_t word = TxRateWord(peer);
    return HtRate500k(word & 0x7F, word & kRateWordWidth40, word & kRateWordShortGuard);
  }
  return BestLegacyRate(peer);
}

}  // namespace kavo9::emu
