#include "sim/emulator/areas/ConnectionArea.h"

#include <algorithm>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/radio/DriverTables.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

// NDIS_802_11_SSID: a 32-bit length, then up to 32 bytes.
constexpr size_t kSsidMax = 32;
constexpr size_t kSsidTextOffset = 4;
// NDIS_802_11_CONFIGURATION: length, beacon period, ATIM window, DSConfig (kHz), FH fields.
constexpr uint32_t kConfigurationBytes = 32;
constexpr size_t kBeaconPeriodOffset = 4;
constexpr size_t kDsConfigOffset = 12;
constexpr uint32_t kDefaultBeaconPeriod = 100;

}  // namespace

std::span<const uint32_t> ConnectionArea::Codes() const {
  static constexpr uint32_t kCodes[] = {OID_802_11_SSID,
                                        OID_802_11_BSSID,
                                        OID_802_11_DISASSOCIATE,
                                        OID_802_11_INFRASTRUCTURE_MODE,
                                        OID_GEN_MEDIA_CONNECT_STATUS,
                                        OID_VND_LINK_STATE,
                                        OID_VND_MESSAGE_FLAGS,
                                        OID_802_11_CONFIGURATION};
  return kCodes;
}

void ConnectionArea::Load() {
  infrastructureMode_ = Ndis802_11Infrastructure;
  desiredSsid_.clear();
  desiredKhz_ = 0;
  ownIbss_ = false;
  failure_.reset();
}

void ConnectionArea::Advance(uint64_t) {
  if (!ctx_.connected) return;
  if (ownIbss_) {
    if (!ctx_.Listening()) ctx_.Disconnect();
    return;
  }
  const NetworkSpec* current = ctx_.world.Find(ctx_.network.bssid);
  if (!ctx_.Listening() || !current || !ctx_.InRange(*current, ctx_.ScanChannels())) {
    ctx_.Disconnect();
  } else {
    ctx_.network.signal = current->signal;
  }
}

bool ConnectionArea::Join(const std::function<bool(const NetworkSpec&)>& match) {
  if (!ctx_.Listening()) return false;
  const std::vector<int> channels = ctx_.ScanChannels();
  const bool adhoc = infrastructureMode_ == Ndis802_11IBSS;
  const NetworkSpec* best = nullptr;
  for (const NetworkSpec& n : ctx_.world.networks()) {
    if (!match(n) || !ctx_.InRange(n, channels) || n.adhoc != adhoc) continue;
    if (!best || n.signal > best->signal) best = &n;
  }
  if (!best) return false;
  const JoinVerdict verdict = ctx_.CheckJoin(*best);
  if (!verdict.admitted) {
    failure_ = verdict.refusal;
    return false;
  }
  ctx_.Associate(*best, verdict.keyError);
  ctx_.portOpen = !verdict.portClosed;
  return true;
}

// An ad hoc network nobody in range runs: ours, on the configuration's channel, with a locally
// administered BSSID made from the adapter's address.
void ConnectionArea::StartOwnIbss() {
  if (!ctx_.Listening() || desiredSsid_.empty()) return;
  NetworkSpec own;
  own.ssid = desiredSsid_;
  own.bssid = ctx_.spec.mac;
  own.bssid[0] = uint8_t((own.bssid[0] | 0x02) & 0xFE);
  own.adhoc = true;
  own.signal = 0;
  own.channel = 0;
  for (int channel : ctx_.ScanChannels()) {
    if (DriverChannelKhz(channel) == desiredKhz_) own.channel = channel;
  }
  if (own.channel == 0) {
    const std::vector<int> channels = ctx_.ScanChannels();
    own.channel = channels.empty() ? 1 : channels.front();
  }
  ctx_.Associate(own, false);
  ownIbss_ = true;
}

bool ConnectionArea::HeardAdhoc(const std::string& ssid) const {
  const std::vector<int> channels = ctx_.ScanChannels();
  for (const NetworkSpec& n : ctx_.world.networks()) {
    if (n.adhoc && n.ssid == ssid && ctx_.InRange(n, channels)) return true;
  }
  return false;
}

void ConnectionArea::Leave() {
  ctx_.Disconnect();
  ownIbss_ = false;
  failure_.reset();
}

uint32_t ConnectionArea::LinkState() const {
  if (!ctx_.hardwareRadioOn) return kLinkHardwareRadioOff;
  if (!ctx_.radioOn) return kLinkSoftwareRadioOff;
  if (ctx_.connected) return kLinkUp;
  return failure_.value_or(kLinkDown);
}

std::optional<int32_t> ConnectionArea::Query(uint32_t code, std::span<uint8_t> out,
                                             uint32_t* written) {
  switch (code) {
    case OID_GEN_MEDIA_CONNECT_STATUS:
      return Answer32(out, written, ctx_.connected ? kMediaConnected : kMediaDisconnected);
    case OID_VND_LINK_STATE:
      return Answer32(out, written, LinkState());
    case OID_VND_MESSAGE_FLAGS:
      return Answer32(out, written, ctx_.messageFlags);
    case OID_802_11_INFRASTRUCTURE_MODE:
      return Answer32(out, written, infrastructureMode_);
    case OID_802_11_SSID: {
      // A hidden network's SSID is what the station asked for.
      const std::string& ssid =
          ctx_.connected && !ctx_.network.hidden ? ctx_.network.ssid : desiredSsid_;
      std::fill(out.begin(), out.end(), 0);
      PutLe32(out, 0, uint32_t(ssid.size()));
      std::memcpy(out.data() + kSsidTextOffset, ssid.data(), std::min(ssid.size(), kSsidMax));
      *written = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
    case OID_802_11_BSSID: {
      const MacAddress none{};
      return AnswerBytes(out, written, ctx_.connected ? ctx_.network.bssid : none);
    }
    case OID_802_11_CONFIGURATION:
      std::fill(out.begin(), out.end(), 0);
      PutLe32(out, 0, kConfigurationBytes);
      PutLe32(out, kBeaconPeriodOffset,
              ctx_.connected ? ctx_.network.beaconInterval : kDefaultBeaconPeriod);
      PutLe32(out, kDsConfigOffset,
              ctx_.connected ? DriverChannelKhz(ctx_.network.channel) : desiredKhz_);
      *written = uint32_t(out.size());
      return ERROR_SUCCESS;
    default:
      return std::nullopt;
  }
}

std::optional<int32_t> ConnectionArea::Set(uint32_t code, std::span<const uint8_t> value) {
  const uint32_t v = GetLe32(value, 0);
  switch (code) {
    case OID_802_11_SSID:
      if (v > kSsidMax) return ERROR_INVALID_PARAMETER;
      desiredSsid_.assign(reinterpret_cast<const char*>(value.data() + kSsidTextOffset), v);
      Leave();
      if (!Join([&](const NetworkSpec& n) { return n.ssid == desiredSsid_; }) &&
          infrastructureMode_ == Ndis802_11IBSS && !HeardAdhoc(desiredSsid_)) {
        StartOwnIbss();
      }
      return ERROR_SUCCESS;
    case OID_802_11_BSSID: {
      MacAddress bssid;
      std::copy(value.begin(), value.begin() + bssid.size(), bssid.begin());
      Leave();
      Join([&](const NetworkSpec& n) { return n.bssid == bssid; });
      return ERROR_SUCCESS;
    }
    case OID_802_11_DISASSOCIATE:
      Leave();
      desiredSsid_.clear();
      return ERROR_SUCCESS;
    case OID_802_11_CONFIGURATION:
      desiredKhz_ = GetLe32(value, kDsConfigOffset);
      return ERROR_SUCCESS;
    case OID_802_11_INFRASTRUCTURE_MODE:
      if (v > Ndis802_11AutoUnknown) return ERROR_INVALID_PARAMETER;
      infrastructureMode_ = v;
      return ERROR_SUCCESS;
    default:
      return std::nullopt;
  }
}

}  // namespace kavo9::emu
