#include "sim/emulator/areas/AccessPointArea.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

constexpr uint32_t kCodes[] = {OID_VND_AP_CONFIG,     OID_VND_ACCESS_CONTROL, OID_VND_WDS,
                               OID_VND_RADIUS_CONFIG, OID_VND_REKEY,          OID_VND_MAC_TABLE,
                               OID_VND_EVENT_LOG};

// The signal reported while no station has joined.
constexpr int32_t kNoStationDbm = -95;
// The station table holds at most this many.
constexpr size_t kMaxStations = 32;
// The access-point options a freshly loaded driver reports: idle time 300 s in the seventh field.
constexpr size_t kIdleTimeOffset = 24;

}  // namespace

std::span<const uint32_t> AccessPointArea::Codes() const {
  return kCodes;
}

void AccessPointArea::Load() {
  records_.clear();
  std::vector<uint8_t> options(32, 0);
  PutLe32(options, kIdleTimeOffset, 300);
  records_[OID_VND_AP_CONFIG] = options;
  stations_.clear();
  Counted();
  events_.Clear();
  bss_ = ApBss{};
  started_ = false;
  if (ctx_.opMode == kOpModeAccessPoint) Start();
}

// The BSS as the driver reads it from the adapter key when it comes up in access-point mode.
void AccessPointArea::Start() {
  started_ = true;
  const auto& p = ctx_.parameters;
  auto text = [&p](const char* name) {
    for (const auto& [key, value] : p) {
      if (strcasecmp(key.c_str(), name) == 0) return value;
    }
    return std::string();
  };
  bss_.ssid = text("SSID").substr(0, 32);
  bss_.running = !bss_.ssid.empty();
  bss_.channel = int(ctx_.Parameter("Channel").value_or(1));
  bss_.auth = ctx_.Parameter("AuthenType").value_or(0);
  bss_.encryption = ctx_.Parameter("Encryption").value_or(1);
  if (bss_.auth == 4 || bss_.auth == 7 || bss_.auth == 9) {
    bss_.pmk = StationPmk(text("WPAPSK"), bss_.ssid);
  }
  for (size_t n = 0; n < 4; ++n) {
    const std::string key = text(("WEPKey" + std::to_string(n + 1)).c_str());
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < key.size() && (key.size() == 10 || key.size() == 26); i += 2) {
      bytes.push_back(uint8_t(std::strtoul(key.substr(i, 2).c_str(), nullptr, 16)));
    }
    bss_.wepKeys[n] = bytes;
  }
  bss_.transmitKey = ctx_.Parameter("WEPKeyUse").value_or(1) - 1;
  bss_.aclPolicy = ctx_.Parameter("AccessControlPolicy").value_or(0);
  events_.Push(ctx_.Now(), MacAddress{}, kApEventRestart);
  Changed();
}

void AccessPointArea::Stop() {
  started_ = false;
  bss_ = ApBss{};
  stations_.clear();
  Counted();
  Changed();
}

void AccessPointArea::Advance(uint64_t) {
  const bool apMode = ctx_.opMode == kOpModeAccessPoint;
  if (apMode && !started_) Start();
  if (!apMode && started_) Stop();
  if (ctx_.radioOn != radioOn_) {
    radioOn_ = ctx_.radioOn;
    Changed();
  }
  if (admitted_ != generation_) Admit();
  AgeOut(ctx_.Now());
}

// Silent stations are removed once the idle time of the access-point options has passed.
void AccessPointArea::AgeOut(uint64_t nowMs) {
  const auto& options = records_[OID_VND_AP_CONFIG];
  const uint64_t idleMs = options.size() >= kIdleTimeOffset + 4
                              ? uint64_t(GetLe32(options, kIdleTimeOffset)) * 1000
                              : 0;
  if (idleMs == 0) return;
  std::erase_if(stations_, [&](const ApStation& s) {
    if (s.idleSinceMs == 0 || nowMs - s.idleSinceMs < idleMs) return false;
    events_.Push(nowMs, s.spec.mac, kApEventAgedOut);
    return true;
  });
  Counted();
}

std::optional<Pmk> AccessPointArea::PmkOf(const StationSpec& station) {
  if (station.security != Security::kWpaPsk && station.security != Security::kWpa2Psk) {
    return std::nullopt;
  }
  const std::string cacheKey = bss_.ssid + '\n' + station.key;
  auto it = pmks_.find(cacheKey);
  if (it == pmks_.end()) it = pmks_.emplace(cacheKey, StationPmk(station.key, bss_.ssid)).first;
  return it->second;
}

// Every station is checked again after a change of the BSS: those that may no longer stay leave,
// and the scenario's stations that now may join do.
void AccessPointArea::Admit() {
  admitted_ = generation_;
  std::erase_if(stations_, [this](const ApStation& s) {
    const bool refused = !ctx_.radioOn || RefuseReason(bss_, s.spec, PmkOf(s.spec)).has_value();
    if (refused) events_.Push(ctx_.Now(), s.spec.mac, kApEventLeft);
    return refused;
  });
  for (const StationSpec& spec : ctx_.world.stations()) {
    if (!ctx_.radioOn || stations_.size() >= kMaxStations) break;
    const bool joined = std::any_of(stations_.begin(), stations_.end(),
                                    [&spec](const ApStation& s) { return s.spec.mac == spec.mac; });
    if (joined || RefuseReason(bss_, spec, PmkOf(spec))) continue;
    stations_.push_back({spec, nextAid_++, true, ctx_.Now()});
    events_.Push(ctx_.Now(), spec.mac, kApEventAssociated);
  }
  Counted();
}

bool AccessPointArea::WrongPassPhrase(const StationSpec& station) {
  const bool psk = station.security == Security::kWpaPsk || station.security == Security::kWpa2Psk;
  return psk && bss_.running && bss_.pmk && station.ssid == bss_.ssid && PmkOf(station) != bss_.pmk;
}

bool AccessPointArea::Join(const StationSpec& station, std::string* reason) {
  Advance(ctx_.Now());
  if (ctx_.opMode != kOpModeAccessPoint) {
    *reason = "the adapter is not an access point";
    return false;
  }
  if (auto refused = RefuseReason(bss_, station, PmkOf(station))) {
    if (WrongPassPhrase(station)) events_.Push(ctx_.Now(), station.mac, kApEventWrongPsk);
    *reason = *refused;
    return false;
  }
  const bool rejoining = std::erase_if(stations_, [&station](const ApStation& s) {
                           return s.spec.mac == station.mac;
                         }) > 0;
  if (!rejoining && stations_.size() >= kMaxStations) {
    *reason = "the station table is full";
    return false;
  }
  stations_.push_back({station, nextAid_++, false, ctx_.Now()});
  events_.Push(ctx_.Now(), station.mac, kApEventAssociated);
  Counted();
  return true;
}

bool AccessPointArea::Leave(const MacAddress& mac) {
  const bool left =
      std::erase_if(stations_, [&mac](const ApStation& s) { return s.spec.mac == mac; }) > 0;
  if (left) events_.Push(ctx_.Now(), mac, kApEventLeft);
  Counted();
  return left;
}

bool AccessPointArea::Idle(const MacAddress& mac) {
  Advance(ctx_.Now());
  for (ApStation& s : stations_) {
    if (s.spec.mac != mac) continue;
    if (s.idleSinceMs == 0) s.idleSinceMs = std::max<uint64_t>(ctx_.Now(), 1);
    return true;
  }
  return false;
}

bool AccessPointArea::MicFailure(const MacAddress& mac) {
  Advance(ctx_.Now());
  const bool joined = std::any_of(stations_.begin(), stations_.end(),
                                  [&mac](const ApStation& s) { return s.spec.mac == mac; });
  if (joined) events_.Push(ctx_.Now(), mac, kApEventCountermeasure);
  return joined;
}

std::optional<int32_t> AccessPointArea::Query(uint32_t code, std::span<uint8_t> out,
                                              uint32_t* written) {
  if (code == OID_VND_MAC_TABLE) return AnswerMacTable(out, written);
  if (code == OID_VND_EVENT_LOG) {
    events_.Drain(out);
    *written = uint32_t(out.size());
    return ERROR_SUCCESS;
  }
  auto it = records_.find(code);
  return AnswerBytes(out, written, it == records_.end() ? std::span<const uint8_t>{} : it->second);
}

std::optional<int32_t> AccessPointArea::Set(uint32_t code, std::span<const uint8_t> value) {
  if (code == OID_VND_MAC_TABLE || code == OID_VND_EVENT_LOG) return std::nullopt;
  records_[code].assign(value.begin(), value.end());
  if (code == OID_VND_ACCESS_CONTROL) {
    const uint32_t policy = GetLe32(value, 0);
    const uint32_t count = std::min<uint32_t>(GetLe32(value, 4), kMaxStations);
    if (policy > 2) return ERROR_INVALID_PARAMETER;
    bss_.aclPolicy = policy;
    bss_.acl.clear();
    for (uint32_t i = 0; i < count; ++i) {
      MacAddress mac{};
      std::memcpy(mac.data(), value.data() + 8 + 8 * i, 6);
      bss_.acl.push_back(mac);
    }
    Changed();
  }
  return ERROR_SUCCESS;
}

// The station table: a count, then per station its address, association id and power-save flag
// (and on 802.11n chips the transmit-rate word: 324 bytes instead of 260). A station's driver
// lists the access point it is associated with.
int32_t AccessPointArea::AnswerMacTable(std::span<uint8_t> out, uint32_t* written) const {
  struct Row {
    MacAddress mac;
    uint8_t aid;
    uint16_t rate;
  };
  std::vector<Row> rows;
  if (ctx_.opMode == kOpModeAccessPoint) {
    for (const auto& s : stations_)
      rows.push_back({s.spec.mac, s.aid, StationRateWord(s.spec.signal, ctx_.chip.ht)});
  } else if (ctx_.connected) {
    const uint16_t rate = ctx_.network.ht.enabled ? 0x8000 | 15 : 0;  // HT mixed mode, MCS 15
    rows.push_back({ctx_.network.bssid, 1, rate});
  }
  const size_t entry = ctx_.chip.ht ? 10 : 8;
  if (out.size() < 4) return ERROR_INSUFFICIENT_BUFFER;
  std::fill(out.begin(), out.end(), 0);
  const size_t count = std::min({rows.size(), kMaxStations, (out.size() - 4) / entry});
  PutLe32(out, 0, uint32_t(count));
  for (size_t i = 0; i < count; ++i) {
    uint8_t* e = out.data() + 4 + entry * i;
    std::memcpy(e, rows[i].mac.data(), 6);
    e[6] = rows[i].aid;
    e[7] = 0;
    if (entry == 10) {
      const uint16_t rate = rows[i].rate;
      e[8] = uint8_t(rate);
      e[9] = uint8_t(rate >> 8);
    }
  }
  *written = uint32_t(out.size());
  return ERROR_SUCCESS;
}

std::optional<int32_t> AccessPointArea::SetKey(bool add, std::span<const uint8_t> value) {
  if (value.size() < 12) return ERROR_INVALID_PARAMETER;
  const uint32_t index = GetLe32(value, 4);
  const uint32_t slot = index & kKeyIndexSlotMask;
  if (!add) {
    if (slot < 4) bss_.wepKeys[slot].clear();
    Changed();
    return ERROR_SUCCESS;
  }
  const uint32_t length = GetLe32(value, 8);
  if (length > 32 || value.size() < 32 + length) return ERROR_INVALID_PARAMETER;
  std::vector<uint8_t> key(value.begin() + 32, value.begin() + 32 + length);
  if (length == 32) {
    Pmk pmk{};
    std::copy(key.begin(), key.end(), pmk.begin());
    bss_.pmk = pmk;
  } else if ((length == 5 || length == 13) && slot < 4) {
    bss_.wepKeys[slot] = key;
    if (index & kKeyIndexTransmit) bss_.transmitKey = slot;
  } else {
    return ERROR_INVALID_PARAMETER;
  }
  Changed();
  return ERROR_SUCCESS;
}

std::optional<int32_t> AccessPointArea::Intercept(bool set, uint32_t code,
                                                  std::span<const uint8_t> value,
                                                  std::span<uint8_t> out, uint32_t* written) {
  switch (code) {
    case OID_802_11_SSID:
      if (!set) {
        std::vector<uint8_t> record(36, 0);
        PutLe32(record, 0, uint32_t(bss_.ssid.size()));
        std::memcpy(record.data() + 4, bss_.ssid.data(), bss_.ssid.size());
        return AnswerBytes(out, written, record);
      } else {
        const uint32_t length = std::min<uint32_t>(GetLe32(value, 0), 32);
        bss_.ssid.assign(reinterpret_cast<const char*>(value.data()) + 4, length);
        bss_.running = !bss_.ssid.empty();
        Changed();
        return ERROR_SUCCESS;
      }
    case OID_802_11_AUTHENTICATION_MODE:
      if (!set) return Answer32(out, written, bss_.auth);
      bss_.auth = GetLe32(value, 0);
      Changed();
      return ERROR_SUCCESS;
    case OID_802_11_ENCRYPTION_STATUS:
      if (!set) return Answer32(out, written, bss_.encryption);
      bss_.encryption = GetLe32(value, 0);
      Changed();
      return ERROR_SUCCESS;
    case OID_802_11_ADD_KEY:
    case OID_802_11_REMOVE_KEY:
      return set ? SetKey(code == OID_802_11_ADD_KEY, value) : std::nullopt;
    case OID_802_11_CONFIGURATION:
      // Noted, then kept by the last-value store like any configuration.
      if (set && value.size() >= 16) {
        if (int channel = ChannelOfFrequency(GetLe32(value, 12))) bss_.channel = channel;
      }
      return std::nullopt;
    case OID_802_11_DESIRED_RATES:
      if (set) std::copy_n(value.begin(), std::min<size_t>(value.size(), 8), bss_.rates.begin());
      return set ? std::optional<int32_t>(ERROR_SUCCESS) : std::nullopt;
    case OID_802_11_RSSI: {
      if (set) return std::nullopt;
      int32_t strongest = kNoStationDbm;
      for (const ApStation& s : stations_) strongest = std::max(strongest, int32_t(s.spec.signal));
      return Answer32(out, written, uint32_t(strongest));
    }
    default:
      return std::nullopt;
  }
}

}  // namespace kavo9::emu
