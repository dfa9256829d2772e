#include "sim/emulator/AdapterEmulator.h"

#include <strings.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "common/adapter/ChipFamilies.h"
#include "common/adapter/RequestCatalogue.h"
#include "common/platform/DeviceIo.h"
#include "common/platform/WinTypes.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "radio/vocabulary/Channels.h"
#include "sim/emulator/ScanRecord.h"

namespace kavo9 {
namespace {

enum RegisterType : uint32_t { kMac = 0, kBbp = 1, kRf = 2, kEeprom = 3 };

void Put32(std::span<uint8_t> out, size_t offset, uint32_t value) {
  if (offset + 4 <= out.size()) WriteLe32(&out[offset], value);
}

uint32_t Get32(std::span<const uint8_t> in, size_t offset) {
  return offset + 4 <= in.size() ? ReadLe32(&in[offset]) : 0;
}

// NDIS_802_11_KEY: length, key index (bit 31: the transmit key), key length, BSSID and padding,
// receive sequence counter, then the key material.
constexpr size_t kKeyMaterialOffset = 32;
constexpr uint32_t kTransmitKeyBit = 0x80000000;
constexpr uint32_t kEncryptionWepEnabled = 0;  // Ndis802_11WEPEnabled
constexpr uint32_t kAuthShared = 1;            // Ndis802_11AuthModeShared

// A WEP key as the scenario writes it: 10 or 26 hexadecimal digits, else the text's own bytes.
std::vector<uint8_t> WepKeyBytes(const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  if ((text.size() != 10 && text.size() != 26) ||
      text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
    return bytes;
  }
  bytes.clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    bytes.push_back(uint8_t(std::stoul(text.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// A small deterministic spread (-2..+2 dB) per network and scan, so signals move a little
// between scans the way real ones do, yet every run of a test sees the same values.
int Jitter(const MacAddress& bssid, uint32_t scan) {
  uint32_t h = 2166136261u ^ scan;
  for (uint8_t b : bssid) h = (h ^ b) * 16777619u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return int(h % 5) - 2;
}

// The station program's code of a chip family, which picks its channel tables, and whether it is
// an 802.11n family. A family the station program lacks gets the 802.11n tables.
struct Family {
  int chipKind = 7;
  bool ht = false;
};

Family FamilyOf(std::string_view name) {
  for (Utility utility : {Utility::kStation, Utility::kSoftAp}) {
    for (const ChipFamily& f : ChipFamilyTable(utility)) {
      if (f.name != name) continue;
      return {utility == Utility::kStation ? f.code : Family{}.chipKind, f.ht};
    }
  }
  return {};
}

// The driver's region word before the registry is read: the regions it fixes, with their bits.
uint32_t FixedRegionWord(const AdapterSpec& spec) {
  uint32_t word = 0;
  if (spec.fixedRegion24) word |= radio::kRegion24Fixed | (*spec.fixedRegion24 & 0x7Fu);
  if (spec.fixedRegion5) word |= radio::kRegion5Fixed | (uint32_t(*spec.fixedRegion5 & 0x7F) << 8);
  return word;
}

// What a network offers the adapter's radio when it joins it.
radio::PeerRadio PeerOf(const NetworkSpec& n) {
  return {.channel = n.channel,
          .rates = NetworkRates(n),
          .ht = n.ht.enabled,
          .width40 = n.ht.width == 40,
          .maxMcs = n.ht.streams >= 2 ? 15 : 7};
}

// The receive-rate index of the families without the rate word: 1, 2, 5.5, 11, then 6 to 54
// Mbit/s.
uint32_t LegacyRateIndex(uint32_t rate500k) {
  constexpr uint32_t kOrder[] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};
  const auto* it = std::find(std::begin(kOrder), std::end(kOrder), rate500k);
  return it == std::end(kOrder) ? 0 : uint32_t(it - std::begin(kOrder));
}

radio::DriverRadio NewRadio(const AdapterSpec& spec) {
  const Family family = FamilyOf(spec.family);
  return radio::DriverRadio(family.chipKind, {.has5G = spec.band5, .ht = family.ht},
                            FixedRegionWord(spec));
}

}  // namespace

AdapterEmulator::AdapterEmulator(AdapterSpec spec, const World& world, Clock clock, RequestLog* log)
    : spec_(std::move(spec)),
      world_(world),
      clock_(std::move(clock)),
      log_(log),
      radio_(NewRadio(spec_)) {
  Load(spec_.parameters);
}

std::optional<uint32_t> AdapterEmulator::Parameter(const char* name) const {
  for (const auto& [key, text] : parameters_) {
    if (strcasecmp(key.c_str(), name) != 0) continue;
    // Decimal digits only, and no more than 32 bits: a sign, a space or an overflow would
    // otherwise read as some other number.
    uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
      return std::nullopt;
    }
    return value;
  }
  return std::nullopt;
}

void AdapterEmulator::Load(const Parameters& parameters) {
  parameters_ = parameters;
  const bool ht = FamilyOf(spec_.family).ht;
  opMode_ = Parameter("OpMode").value_or(0) == 1 ? 1 : 0;
  // The key keeps the utilities' meaning: "0" radio on, "1" radio off; missing means on.
  radioOn_ = Parameter("Radio").value_or(0) == 0;
  radio_ = NewRadio(spec_);
  // A value the key lacks (or that does not read as a number) leaves the driver's default.
  auto stored = [&](const char* name) {
    std::optional<uint32_t> v = Parameter(name);
    return v ? long(*v) : -1L;
  };
  radio_.LoadRegions(stored("CountryRegion"), stored("CountryRegionABand"));
  radio_.LoadWirelessMode(stored("WirelessMode"));
  // The 802.11n settings the utilities stored; without a usable word the driver's own stand.
  if (std::optional<uint32_t> word = Parameter("TransmitSetting")) {
    radio_.LoadTransmitSetting(*word);
  }
  infrastructureMode_ = 1;
  staConfig_ = {};
  staConfig_[0] = Parameter("TXBurst").value_or(0);
  staConfig_[1] = Parameter("TurboRate").value_or(0);
  staConfig_[2] = Parameter("BGProtection").value_or(0);
  staConfig_[3] = Parameter("ShortSlot").value_or(1);
  staConfig_[4] = Parameter("AdhocOfdm").value_or(1);

  registers_ = spec_.registers;
  // The EEPROM holds the chip id, the versions and the MAC address unless the scenario says
  // otherwise; unprogrammed words read 0xFFFF.
  auto seed = [&](uint32_t offset, uint32_t value) {
    registers_[kEeprom].try_emplace(offset, value);
  };
  seed(0x00, ht ? 0x3070 : 0x2573);
  seed(0x02, uint32_t(spec_.eepromVersion[1]) << 8 | spec_.eepromVersion[0]);
  for (uint32_t i = 0; i < 3; ++i) {
    seed(0x04 + 2 * i, uint32_t(spec_.mac[2 * i + 1]) << 8 | spec_.mac[2 * i]);
  }
  seed(0x36, 0xFFFF);

  values_.clear();
  auto value32 = [&](uint32_t code, uint32_t v) {
    std::vector<uint8_t> bytes(4);
    WriteLe32(bytes.data(), v);
    values_[code] = bytes;
  };
  value32(OID_VND_TX_POWER, 100);
  value32(OID_802_11_FRAGMENTATION_THRESHOLD, 2346);
  value32(OID_802_11_RTS_THRESHOLD, 2347);
  value32(OID_802_11_AUTHENTICATION_MODE, 0);
  value32(OID_802_11_ENCRYPTION_STATUS, 1);  // WEP disabled
  SetMessageFlags(0);
  for (auto& key : wepKeys_) key.clear();
  transmitKey_ = 0;

  connected_ = false;
  desiredSsid_.clear();
  lastAdvanceMs_ = clock_();
  countedMs_ = 0;
  receivedMs_ = 0;
  scanResults_.clear();
  scanList_.assign(4, 0);
  scanCount_ = 0;
  // A driver scans as soon as it loads.
  scanning_ = radioOn_;
  scanDoneMs_ = lastAdvanceMs_ + kScanMs24;
}

std::vector<int> AdapterEmulator::ScanChannels() const {
  std::vector<int> channels = radio_.ScanChannels();
  // An adapter without a 2.4 GHz radio hears nothing there, whatever its mode says.
  if (!spec_.band24) std::erase_if(channels, [](int c) { return c <= 14; });
  return channels;
}

bool AdapterEmulator::InRange(const NetworkSpec& n, const std::vector<int>& channels) const {
  return n.signal >= kSensitivityDbm &&
         std::find(channels.begin(), channels.end(), n.channel) != channels.end();
}

void AdapterEmulator::FailNext(uint32_t code, int count) {
  code &= ~kSetBit;
  if (count <= 0)
    failArmed_.erase(code);
  else
    failArmed_[code] = count;
}

int AdapterEmulator::FailuresFired(uint32_t code) const {
  auto it = failFired_.find(code & ~kSetBit);
  return it == failFired_.end() ? 0 : it->second;
}

int AdapterEmulator::FailuresArmed(uint32_t code) const {
  auto it = failArmed_.find(code & ~kSetBit);
  return it == failArmed_.end() ? 0 : it->second;
}

// Brings time-driven state up to now: the scan in progress, the link, the counters.
void AdapterEmulator::Advance() {
  uint64_t now = clock_();
  if (scanning_ && now >= scanDoneMs_) CompleteScan(now);
  if (connected_) {
    const NetworkSpec* current = world_.Find(network_.bssid);
    if (!radioOn_ || opMode_ != 0 || !current || !InRange(*current, ScanChannels())) {
      Disconnect();
    } else {
      network_.signal = current->signal;
      if (now > lastAdvanceMs_) {
        countedMs_ += now - lastAdvanceMs_;
        if (!(messageFlags_ & kMessageKeyError)) receivedMs_ += now - lastAdvanceMs_;
      }
    }
  }
  lastAdvanceMs_ = std::max(lastAdvanceMs_, now);
}

void AdapterEmulator::CompleteScan(uint64_t now) {
  scanning_ = false;
  ++scanCount_;
  scanResults_.clear();
  if (radioOn_ && opMode_ == 0) {
    std::vector<int> channels = ScanChannels();
    for (const NetworkSpec& n : world_.networks()) {
      int32_t rssi = std::min(n.signal + Jitter(n.bssid, scanCount_), -10);
      if (rssi < kSensitivityDbm) continue;
      if (std::find(channels.begin(), channels.end(), n.channel) == channels.end()) continue;
      scanResults_.push_back({n, rssi});
    }
  }
  scanList_.assign(4, 0);
  WriteLe32(scanList_.data(), uint32_t(scanResults_.size()));
  for (const ScanResult& r : scanResults_) {
    uint64_t tsf = now * 1000 + (uint64_t(r.network.bssid[5]) << 20);
    std::vector<uint8_t> record = BuildBssRecord(r.network, r.rssi, tsf);
    scanList_.insert(scanList_.end(), record.begin(), record.end());
  }
}

bool AdapterEmulator::Join(const std::function<bool(const NetworkSpec&)>& match) {
  if (!radioOn_ || opMode_ != 0) return false;
  std::vector<int> channels = ScanChannels();
  const NetworkSpec* best = nullptr;
  for (const NetworkSpec& n : world_.networks()) {
    if (!match(n) || !InRange(n, channels)) continue;
    if (n.adhoc != (infrastructureMode_ == 0)) continue;
    if (!best || n.signal > best->signal) best = &n;
  }
  if (!best) return false;
  bool keyError = false;
  if (best->Privacy()) {
    // WPA and WPA2 are not negotiated by this emulator yet; WEP is. With open authentication a
    // wrong key still associates, but nothing received decrypts: the driver reports a key error.
    // Shared-key authentication fails the challenge instead.
    if (best->security != Security::kWep) return false;
    if (Value32(OID_802_11_ENCRYPTION_STATUS, ~0u) != kEncryptionWepEnabled) return false;
    keyError = !WepKeyMatches(*best);
    if (keyError && Value32(OID_802_11_AUTHENTICATION_MODE, 0) == kAuthShared) return false;
  }
  connected_ = true;
  network_ = *best;
  lastAdvanceMs_ = clock_();
  ++linkUps_;
  if (keyError) SetMessageFlags(messageFlags_ | kMessageKeyError);
  return true;
}

void AdapterEmulator::Disconnect() {
  connected_ = false;
  SetMessageFlags(messageFlags_ & ~kMessageKeyError);
}

void AdapterEmulator::SetMessageFlags(uint32_t flags) {
  if (flags == messageFlags_) return;
  messageFlags_ = flags;
  ++messageFlagChanges_;
}

bool AdapterEmulator::WepKeyMatches(const NetworkSpec& network) const {
  const std::vector<uint8_t>& key = wepKeys_[transmitKey_];
  return !key.empty() && key == WepKeyBytes(network.key);
}

uint32_t AdapterEmulator::Value32(uint32_t code, uint32_t missing) const {
  auto it = values_.find(code);
  return it == values_.end() || it->second.size() < 4 ? missing : Get32(it->second, 0);
}

int32_t AdapterEmulator::SetKey(std::span<const uint8_t> value) {
  const uint32_t index = Get32(value, 4);
  const uint32_t length = Get32(value, 8);
  const uint32_t slot = index & 0xFF;
  if (slot >= wepKeys_.size()) return ERROR_INVALID_PARAMETER;
  if (length > 0 &&
      (value.size() < kKeyMaterialOffset || length > value.size() - kKeyMaterialOffset)) {
    return ERROR_INVALID_PARAMETER;
  }
  const auto material = value.subspan(length ? kKeyMaterialOffset : 0, length);
  wepKeys_[slot].assign(material.begin(), material.end());
  if (index & kTransmitKeyBit) transmitKey_ = slot;
  return ERROR_SUCCESS;
}

int32_t AdapterEmulator::CurrentRssi() const {
  return connected_ ? std::min(network_.signal + Jitter(network_.bssid, scanCount_ + 7), -10)
                    : -100;
}

std::vector<uint8_t> AdapterEmulator::Statistics() const {
  std::vector<uint8_t> s(176, 0);
  WriteLe32(s.data(), 176);
  const uint64_t ms = countedMs_, rx = receivedMs_;
  const uint64_t counters[] = {
      ms * 18 / 1000,  // transmitted fragments
      ms / 2000,       // multicast transmitted
      ms / 5000,       // failed
      ms * 2 / 1000,   // retries
      ms / 3000,       // multiple retries
      ms / 1000,       // RTS success
      ms / 20000,      // RTS failure
      ms / 6000,       // ACK failure
      ms / 4000,       // duplicates
      rx * 25 / 1000,  // received fragments
      rx * 3 / 1000,   // multicast received
      ms / 1500,       // FCS errors
  };
  for (size_t i = 0; i < std::size(counters); ++i) {
    uint64_t v = counters[i];
    WriteLe32(&s[8 + 8 * i], uint32_t(v));
    WriteLe32(&s[12 + 8 * i], uint32_t(v >> 32));
  }
  return s;
}

uint32_t AdapterEmulator::ReadRegister(uint32_t type, uint32_t offset) const {
  auto it = registers_[type].find(offset);
  if (it != registers_[type].end()) return it->second;
  return type == kEeprom ? 0xFFFF : 0;
}

void AdapterEmulator::Log(uint32_t code, bool set, std::span<const uint8_t> value, uint32_t length,
                          int32_t result) {
  if (!log_) return;
  RequestLogEntry e;
  e.timeMs = clock_();
  e.adapter = spec_.name;
  e.code = code;
  e.set = set;
  e.length = length;
  size_t logged = std::min<size_t>(value.size(), RequestLog::kMaxLoggedValue);
  e.value.assign(value.begin(), value.begin() + long(logged));
  e.truncated = logged < value.size();
  e.result = result;
  log_->Add(std::move(e));
}

int32_t AdapterEmulator::Handle(uint32_t ioctl, std::span<const uint8_t> in, std::span<uint8_t> out,
                                uint32_t* bytesReturned) {
  uint32_t count = 0;
  if (bytesReturned) *bytesReturned = 0;
  ++handled_;
  if (ioctl != IOCTL_NDIS_QUERY_GLOBAL_STATS) return ERROR_NOT_SUPPORTED;
  if (in.size() != 4) return ERROR_INVALID_PARAMETER;
  const uint32_t raw = ReadLe32(in.data());
  const bool set = (raw & kSetBit) != 0;
  const uint32_t code = raw & ~kSetBit;
  const uint32_t length = uint32_t(out.size());
  const RequestInfo* info = FindRequest(code);

  int32_t status = ERROR_SUCCESS;
  std::vector<uint8_t> setValue;
  if (set) setValue.assign(out.begin(), out.end());
  if (!info || (set ? !info->CanSet() : !info->CanQuery())) {
    status = ERROR_NOT_SUPPORTED;
  } else if (set ? !info->SetLengthOk(length) : !info->QueryLengthOk(length)) {
    status = ERROR_INVALID_PARAMETER;
  } else if (auto armed = failArmed_.find(code); armed != failArmed_.end()) {
    status = ERROR_GEN_FAILURE;
    ++failFired_[code];
    if (--armed->second <= 0) failArmed_.erase(armed);
  } else {
    Advance();
    status = set ? Set(code, setValue) : Query(code, out, &count);
  }
  if (status != ERROR_SUCCESS) count = 0;
  if (set) {
    Log(code, true, setValue, length, status);
  } else {
    Log(code, false, out.first(count), length, status);
  }
  if (bytesReturned) *bytesReturned = count;
  return status;
}

int32_t AdapterEmulator::Query(uint32_t code, std::span<uint8_t> out, uint32_t* bytes) {
  auto answer32 = [&](uint32_t v) {
    std::fill(out.begin(), out.end(), 0);
    Put32(out, 0, v);
    *bytes = 4;
    return ERROR_SUCCESS;
  };
  auto answerBytes = [&](const uint8_t* p, size_t n) {
    std::fill(out.begin(), out.end(), 0);
    std::memcpy(out.data(), p, std::min(n, out.size()));
    *bytes = uint32_t(out.size());
    return ERROR_SUCCESS;
  };
  if (auto status = radio_.Query(code, out, bytes)) {
    if (*status == ERROR_SUCCESS) std::fill(out.begin() + *bytes, out.end(), 0);
    return *status;
  }
  switch (code) {
    case OID_GEN_DRIVER_VERSION: {
      uint8_t v[2] = {uint8_t(spec_.driverVersion), uint8_t(spec_.driverVersion >> 8)};
      return answerBytes(v, 2);
    }
    case OID_802_3_CURRENT_ADDRESS:
      return answerBytes(spec_.mac.data(), 6);
    case OID_VND_EEPROM_VERSION:
      return answerBytes(spec_.eepromVersion.data(), 2);
    case OID_VND_FIRMWARE_VERSION:
      return answerBytes(spec_.firmwareVersion.data(), 2);
    case OID_802_11_NETWORK_TYPES_SUPPORTED: {
      std::vector<uint32_t> types;
      if (spec_.band24) types.insert(types.end(), {kNdisDs, kNdisOfdm24});
      if (spec_.band5) types.push_back(kNdisOfdm5);
      std::fill(out.begin(), out.end(), 0);
      Put32(out, 0, uint32_t(types.size()));
      for (size_t i = 0; i < types.size(); ++i) Put32(out, 4 + 4 * i, types[i]);
      *bytes = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
    case OID_VND_OP_MODE:
      return answer32(opMode_);
    case OID_GEN_MEDIA_CONNECT_STATUS:
      return answer32(connected_ ? 0 : 1);
    case OID_VND_LINK_STATE:
      return answer32(!radioOn_ ? 3 : connected_ ? 0 : 1);
    case OID_802_11_SSID: {
      const std::string& ssid = connected_ && !network_.hidden ? network_.ssid : desiredSsid_;
      std::fill(out.begin(), out.end(), 0);
      Put32(out, 0, uint32_t(ssid.size()));
      std::memcpy(out.data() + 4, ssid.data(), ssid.size());
      *bytes = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
    case OID_802_11_BSSID: {
      MacAddress none{};
      return answerBytes(connected_ ? network_.bssid.data() : none.data(), 6);
    }
    case OID_802_11_INFRASTRUCTURE_MODE:
      return answer32(infrastructureMode_);
    case OID_802_11_STATISTICS: {
      std::vector<uint8_t> s = Statistics();
      return answerBytes(s.data(), s.size());
    }
    case OID_GEN_RCV_OK:
      return answer32(uint32_t(receivedMs_ * 25 / 1000));
    case OID_GEN_RCV_NO_BUFFER:
      return answer32(uint32_t(receivedMs_ / 60000));
    case OID_VND_MESSAGE_FLAGS:
      return answer32(messageFlags_);
    case OID_802_11_RSSI:
      return answer32(uint32_t(CurrentRssi()));
    case OID_VND_RSSI1:
      return answer32(uint32_t(connected_ ? CurrentRssi() - 3 : -100));
    case OID_VND_RSSI2:
      return answer32(uint32_t(connected_ ? CurrentRssi() - 5 : -100));
    case OID_VND_SNR0:
    case OID_VND_SNR1:
      return answer32(connected_ ? uint32_t(CurrentRssi() - kNoiseDbm) : 44);
    case OID_VND_NOISE_LEVEL:
      return answer32(uint32_t(143 + kNoiseDbm));
    case OID_802_11_CONFIGURATION: {
      std::fill(out.begin(), out.end(), 0);
      Put32(out, 0, 32);
      Put32(out, 4, connected_ ? network_.beaconInterval : 100);
      Put32(out, 12, connected_ ? ChannelFrequencyKhz(network_.channel) : 0);
      *bytes = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
    // The rates of the link follow the mode and the HT PHY record; zeros while not connected.
    case OID_VND_TX_RATE_WORD:
      return answer32(connected_ ? radio_.TxRateWord(PeerOf(network_)) : 0);
    case OID_VND_RX_RATE: {
      if (!connected_) return answer32(0);
      const radio::PeerRadio peer = PeerOf(network_);
      const int chip = FamilyOf(spec_.family).chipKind;
      return answer32(chip >= 6 && chip <= 9 ? radio_.TxRateWord(peer)
                                             : LegacyRateIndex(radio_.TxRate500k(peer)));
    }
    case OID_VND_LINK_RATE_INFO: {
      std::fill(out.begin(), out.end(), 0);
      if (connected_) {
        const radio::PeerRadio peer = PeerOf(network_);
        Put32(out, 0, radio_.TxRate500k(peer));
        // The long form ends with the central channel: two channels towards the secondary one
        // while the link is 40 MHz wide.
        int central = network_.channel;
        if (radio_.TxRateWord(peer) & 0x80) central += network_.ht.secondary == 3 ? -2 : 2;
        Put32(out, 16, uint32_t(central));
      }
      *bytes = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
    case OID_VND_REGISTER_ACCESS: {
      uint32_t type = Get32(out, 0), offset = Get32(out, 4);
      if (type > kEeprom || (type == kBbp && offset > 255) || (type == kRf && offset > 255)) {
        return ERROR_INVALID_PARAMETER;
      }
      Put32(out, 8, ReadRegister(type, offset));
      *bytes = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
    case OID_VND_STA_CONFIG: {
      std::fill(out.begin(), out.end(), 0);
      for (size_t i = 0; i < 8; ++i) Put32(out, 4 * i, staConfig_[i]);
      Put32(out, 20, radioOn_ ? 1 : 0);
      *bytes = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
    case OID_802_11_BSSID_LIST: {
      if (scanList_.size() > out.size()) return ERROR_INSUFFICIENT_BUFFER;
      std::memcpy(out.data(), scanList_.data(), scanList_.size());
      std::fill(out.begin() + long(scanList_.size()), out.end(), 0);
      *bytes = uint32_t(scanList_.size());
      return ERROR_SUCCESS;
    }
    default: {
      // Codes whose full behaviour comes later answer the last value set, or zeros.
      auto it = values_.find(code);
      if (it != values_.end()) return answerBytes(it->second.data(), it->second.size());
      std::fill(out.begin(), out.end(), 0);
      *bytes = uint32_t(out.size());
      return ERROR_SUCCESS;
    }
  }
}

int32_t AdapterEmulator::Set(uint32_t code, std::span<const uint8_t> value) {
  if (auto status = radio_.Set(code, value)) return *status;
  const uint32_t v = Get32(value, 0);
  switch (code) {
    case OID_VND_OP_MODE:
      if (v > 1) return ERROR_INVALID_PARAMETER;
      if (v != opMode_) Disconnect();
      opMode_ = v;
      return ERROR_SUCCESS;
    case OID_VND_RADIO:
      radioOn_ = v != 0;
      if (!radioOn_) {
        Disconnect();
        scanning_ = false;
      }
      return ERROR_SUCCESS;
    case OID_802_11_SSID: {
      if (v > 32) return ERROR_INVALID_PARAMETER;
      desiredSsid_.assign(reinterpret_cast<const char*>(value.data() + 4), v);
      Disconnect();
      Join([&](const NetworkSpec& n) { return n.ssid == desiredSsid_; });
      return ERROR_SUCCESS;
    }
    case OID_802_11_BSSID: {
      MacAddress bssid;
      std::copy(value.begin(), value.begin() + 6, bssid.begin());
      Disconnect();
      Join([&](const NetworkSpec& n) { return n.bssid == bssid; });
      return ERROR_SUCCESS;
    }
    case OID_802_11_DISASSOCIATE:
      Disconnect();
      desiredSsid_.clear();
      return ERROR_SUCCESS;
    case OID_802_11_INFRASTRUCTURE_MODE:
      if (v > 2) return ERROR_INVALID_PARAMETER;
      infrastructureMode_ = v;
      return ERROR_SUCCESS;
    case OID_802_11_BSSID_LIST_SCAN:
      if (!scanning_) {
        scanning_ = true;
        const bool with5 = spec_.band5 && radio::ModeUses5G(radio_.wirelessMode());
        scanDoneMs_ = clock_() + (with5 ? kScanMs5 : kScanMs24);
      }
      return ERROR_SUCCESS;
    case OID_VND_RESET_COUNTERS:
      countedMs_ = 0;
      receivedMs_ = 0;
      return ERROR_SUCCESS;
    case OID_VND_REGISTER_ACCESS: {
      uint32_t type = Get32(value, 0), offset = Get32(value, 4), data = Get32(value, 8);
      if (type > kEeprom || ((type == kBbp || type == kRf) && offset > 255)) {
        return ERROR_INVALID_PARAMETER;
      }
      if (type == kBbp) data &= 0xFF;
      if (type == kEeprom) data &= 0xFFFF;
      registers_[type][offset] = data;
      return ERROR_SUCCESS;
    }
    case OID_VND_STA_CONFIG:
      for (size_t i = 0; i < 8; ++i) staConfig_[i] = Get32(value, 4 * i);
      return ERROR_SUCCESS;
    case OID_802_11_RELOAD_DEFAULTS:
      values_[OID_802_11_AUTHENTICATION_MODE] = {0, 0, 0, 0};
      values_[OID_802_11_ENCRYPTION_STATUS] = {1, 0, 0, 0};
      for (auto& key : wepKeys_) key.clear();
      transmitKey_ = 0;
      return ERROR_SUCCESS;
    case OID_802_11_ADD_KEY:
      return SetKey(value);
    case OID_802_11_REMOVE_KEY: {
      const uint32_t slot = Get32(value, 4) & 0xFF;
      if (slot >= wepKeys_.size()) return ERROR_INVALID_PARAMETER;
      wepKeys_[slot].clear();
      return ERROR_SUCCESS;
    }
    default:
      values_[code].assign(value.begin(), value.end());
      return ERROR_SUCCESS;
  }
}

}  // namespace kavo9
