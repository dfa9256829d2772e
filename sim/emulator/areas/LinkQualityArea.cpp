#include "sim/emulator/areas/LinkQualityArea.h"

#include <algorithm>
#include <vector>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/NetworkAddresses.h"
#include "sim/emulator/ScanRecord.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

constexpr int32_t kNoSignalDbm = -100;
// Readings move every two seconds, as a driver averages its samples.
constexpr uint64_t kReadingMs = 2000;
// OID_VND_LINK_RATE_INFO: rate, channel quality, bytes sent, bytes received (then the central
// channel).
constexpr size_t kQualityOffset = 4;
constexpr size_t kTxBytesOffset = 8;
constexpr size_t kRxBytesOffset = 12;
// The strongest signal the receiver reports.
constexpr int32_t kStrongestDbm = -10;
// OID_VND_LINK_RATE_INFO: the rate first; the long form ends with the central channel.
constexpr size_t kCentralChannelOffset = 16;
// The rate word's width bit, and the offset of the central channel from the primary one at
// 40 MHz; the secondary channel code 3 lies below.
constexpr uint16_t kRateWordWidth40 = 1 << 7;
constexpr int kSecondaryBelow = 3;
// The receive-rate index of the families without the rate word: 1, 2, 5.5, 11, then 6 to 54
// Mbit/s.
constexpr uint8_t kLegacyRateOrder[] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};

uint32_t LegacyRateIndex(uint32_t rate500k) {
  const auto* it = std::find(std::begin(kLegacyRateOrder), std::end(kLegacyRateOrder), rate500k);
  return it == std::end(kLegacyRateOrder) ? 0 : uint32_t(it - std::begin(kLegacyRateOrder));
}

// The chips that report the receive rate as a rate word.
bool ReportsRateWord(int chipKind) {
  return chipKind >= 6 && chipKind <= 9;
}

}  // namespace

std::span<const uint32_t> LinkQualityArea::Codes() const {
  static constexpr uint32_t kCodes[] = {
      OID_802_11_RSSI,        OID_VND_RSSI1,       OID_VND_RSSI2,        OID_VND_SNR0,
      OID_VND_SNR1,           OID_VND_NOISE_LEVEL, OID_VND_TX_RATE_WORD, OID_VND_RX_RATE,
      OID_VND_LINK_RATE_INFO, OID_VND_PEER_INFO};
  return kCodes;
}

int32_t LinkQualityArea::CurrentRssi() const {
  if (!ctx_.connected) return kNoSignalDbm;
  const uint32_t reading = uint32_t(ctx_.Now() / kReadingMs);
  return std::min(ctx_.network.signal + SignalJitter(ctx_.network.bssid, reading + 7),
                  kStrongestDbm);
}

int32_t LinkQualityArea::NoiseDbm() const {
  const MacAddress none{};
  return kNoiseDbm + SignalJitter(none, uint32_t(ctx_.Now() / kReadingMs));
}

// 0 to 100 from the signal: about 1.5 per dB above the receiver's sensitivity.
uint32_t LinkQualityArea::ChannelQuality() const {
  if (!ctx_.connected) return 0;
  const int32_t above = CurrentRssi() - EmulatorContext::kSensitivityDbm;
  return uint32_t(std::clamp(above * 3 / 2, 0, 100));
}

int32_t LinkQualityArea::AntennaRssi(int offsetDb) const {
  return ctx_.connected ? CurrentRssi() - offsetDb : kNoSignalDbm;
}

PeerRadio LinkQualityArea::Peer() const {
  const NetworkSpec& n = ctx_.network;
  return {.channel = n.channel,
          .rates = NetworkRates(n),
          .ht = n.ht.enabled,
          .width40 = n.ht.width == 40,
          .maxMcs = n.ht.streams >= 2 ? 15 : 7};
}

std::optional<int32_t> LinkQualityArea::AnswerLinkRate(std::span<uint8_t> out,
                                                       uint32_t* written) const {
  std::fill(out.begin(), out.end(), 0);
  if (ctx_.connected) {
    const PeerRadio peer = Peer();
    PutLe32(out, 0, ctx_.radio.TxRate500k(peer));
    PutLe32(out, kQualityOffset, ChannelQuality());
    // Two channels towards the secondary one while the link is 40 MHz wide.
    int central = ctx_.network.channel;
    if (ctx_.radio.TxRateWord(peer) & kRateWordWidth40) {
      central += ctx_.network.ht.secondary == kSecondaryBelow ? -2 : 2;
    }
    PutLe32(out, kCentralChannelOffset, uint32_t(central));
  }
  // The counters keep what the link carried after it dropped, as a driver's do.
  PutLe32(out, kTxBytesOffset, uint32_t(ctx_.txBytes));
  PutLe32(out, kRxBytesOffset, uint32_t(ctx_.rxBytes));
  *written = uint32_t(out.size());
  return ERROR_SUCCESS;
}

std::optional<int32_t> LinkQualityArea::Query(uint32_t code, std::span<uint8_t> out,
                                              uint32_t* written) {
  switch (code) {
    case OID_802_11_RSSI:
      return Answer32(out, written, uint32_t(CurrentRssi()));
    case OID_VND_RSSI1:
      if (ctx_.Antennas() < 2) return ERROR_NOT_SUPPORTED;
      return Answer32(out, written, uint32_t(AntennaRssi(3)));
    case OID_VND_RSSI2:
      if (ctx_.Antennas() < 3) return ERROR_NOT_SUPPORTED;
      return Answer32(out, written, uint32_t(AntennaRssi(5)));
    case OID_VND_SNR0:
      return Answer32(out, written,
                      ctx_.connected ? uint32_t(CurrentRssi() - NoiseDbm()) : kSnrNotAvailable);
    case OID_VND_SNR1:
      return Answer32(out, written,
                      ctx_.connected && ctx_.Antennas() >= 2 ? uint32_t(AntennaRssi(3) - NoiseDbm())
                                                             : kSnrNotAvailable);
    case OID_VND_NOISE_LEVEL:
      return Answer32(out, written, uint32_t(kNoiseLevelOffset + NoiseDbm()));
    case OID_VND_PEER_INFO: {
      // The access point's address in its network's subnet.
      const Ipv4Address peer = ctx_.connected ? GatewayOf(ctx_.network.bssid) : Ipv4Address{};
      return AnswerBytes(out, written, peer);
    }
    case OID_VND_TX_RATE_WORD:
      return Answer32(out, written, ctx_.connected ? ctx_.radio.TxRateWord(Peer()) : 0);
    case OID_VND_RX_RATE: {
      if (!ctx_.connected) return Answer32(out, written, 0);
      const PeerRadio peer = Peer();
      return Answer32(out, written,
                      ReportsRateWord(ctx_.chip.chipKind)
                          ? ctx_.radio.TxRateWord(peer)
                          : LegacyRateIndex(ctx_.radio.TxRate500k(peer)));
    }
    case OID_VND_LINK_RATE_INFO:
      return AnswerLinkRate(out, written);
    default:
      return std::nullopt;
  }
}

}  // namespace kavo9::emu
