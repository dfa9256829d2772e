#include "sim/emulator/areas/WpsArea.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/WinTypes.h"
#include "sim/emulator/wire/WireBytes.h"

namespace kavo9::emu {
namespace {

// The start request: mode, PIN digits, NDIS_802_11_SSID, BSSID, channel, role.
constexpr uint32_t kModePin = 0x10000000, kModePbc = 0x20000000;
constexpr size_t kPinAt = 4, kPinDigits = 8, kSsidAt = 12, kBssidAt = 48, kRoleAt = 55;
constexpr uint8_t kRoleRegistrar = 2;
constexpr uint32_t kStatusPinBit = 1u << 28;

// The credentials table: a count and eight 124-byte records.
constexpr size_t kTableBytes = 996, kRecordBytes = 124, kMaxSsid = 32, kMaxKey = 64;
enum : size_t { kRecSsid = 4, kRecAuth = 36, kRecEncry = 40, kRecKeyLength = 48, kRecKey = 52 };
enum : size_t { kRecKeyIndex = 44, kRecMac = 116 };

// WSC authentication and encryption types as the driver reports them.
enum : uint32_t { kAuthOpen = 1, kAuthWpaPsk = 2, kAuthShared = 4, kAuthWpa = 8, kAuthWpa2 = 16 };
enum : uint32_t { kAuthWpa2Psk = 32, kAuthMixedPsk = 34 };
enum : uint32_t { kEncNone = 1, kEncWep = 2, kEncTkip = 4, kEncAes = 8 };

// Status codes of the registration.
enum : uint32_t {
  kScanning = 2,
  kNoPbcAp = 258,
  kPbcOverlap = 257,
  kSuccess = 15,
  kPinMismatch = 262,
  kInvalidSsid = 513,
  kEapFailed = 516,
};
const std::vector<uint32_t> kJoinCodes = {2, 3, 4, 5, 6};
const std::vector<uint32_t> kEnrolleeToM4 = {17, 18, 19, 21, 22};
const std::vector<uint32_t> kEnrolleeRest = {23, 24, 25, 26, 27, kSuccess};
const std::vector<uint32_t> kRegistrarToM5 = {34, 35, 38, 39};
const std::vector<uint32_t> kRegistrarRest = {40, 41, 42, 43, kSuccess};

std::vector<uint32_t> Join(std::initializer_list<std::vector<uint32_t>> parts) {
  std::vector<uint32_t> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

uint32_t Le32At(std::span<const uint8_t> b, size_t at) {
  return GetLe32(b, at);
}
void PutLe32At(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  PutLe32(b, at, v);
}

// The credential an access point hands out: its SSID, security and key.
std::vector<uint8_t> CredentialsOf(const NetworkSpec& n) {
  uint32_t auth = kAuthOpen, enc = kEncNone;
  switch (n.security) {
    case Security::kOpen:
      break;
    case Security::kWep:
      enc = kEncWep;
      break;
    case Security::kWpaPsk:
      auth = kAuthWpaPsk;
      break;
    case Security::kWpa2Psk:
      auth = kAuthWpa2Psk;
      break;
    case Security::kWpaWpa2Psk:
      auth = kAuthMixedPsk;
      break;
    case Security::kWpaEnterprise:
      auth = kAuthWpa;
      break;
    default:
      auth = kAuthWpa2;
      break;
  }
  if (enc != kEncWep && auth != kAuthOpen) {
    enc = (n.tkip ? uint32_t(kEncTkip) : 0u) | (n.aes ? uint32_t(kEncAes) : 0u);
    if (enc == 0) enc = (auth == kAuthWpaPsk || auth == kAuthWpa) ? kEncTkip : kEncAes;
  }
  std::vector<uint8_t> table(kTableBytes, 0);
  PutLe32At(table, 0, 1);
  const size_t r = 4;
  const size_t ssidLength = std::min(n.ssid.size(), kMaxSsid);
  PutLe32At(table, r, uint32_t(ssidLength));
  std::memcpy(table.data() + r + kRecSsid, n.ssid.data(), ssidLength);
  PutLe32At(table, r + kRecAuth, auth);
  PutLe32At(table, r + kRecEncry, enc);
  const size_t keyLength = n.security == Security::kOpen ? 0 : std::min(n.key.size(), kMaxKey);
  PutLe32At(table, r + kRecKeyIndex, 0);
  PutLe32At(table, r + kRecKeyLength, uint32_t(keyLength));
  std::memcpy(table.data() + r + kRecKey, n.key.data(), keyLength);
  std::copy(n.bssid.begin(), n.bssid.end(), table.begin() + r + kRecMac);
  return table;
}

// The settings of the first credential a registrar set; nullopt when it is not one an access
// point can take.
std::optional<NetworkSpec> SettingsOf(std::span<const uint8_t> table) {
  if (table.size() < 4 + kRecordBytes || Le32At(table, 0) == 0) return std::nullopt;
  const auto r = table.subspan(4, kRecordBytes);
  const uint32_t ssidLength = Le32At(r, 0), keyLength = Le32At(r, kRecKeyLength);
  if (ssidLength == 0 || ssidLength > kMaxSsid || keyLength > kMaxKey) return std::nullopt;
  NetworkSpec s;
  s.ssid.assign(reinterpret_cast<const char*>(r.data() + kRecSsid), ssidLength);
  s.key.assign(reinterpret_cast<const char*>(r.data() + kRecKey), keyLength);
  const uint32_t auth = Le32At(r, kRecAuth), enc = Le32At(r, kRecEncry);
  s.tkip = (enc & kEncTkip) != 0;
  s.aes = (enc & kEncAes) != 0;
  if ((auth == kAuthOpen || auth == kAuthShared) && enc == kEncWep) {
    s.security = Security::kWep;
  } else if (auth == kAuthOpen && (enc == kEncNone || enc == 0)) {
    s.security = Security::kOpen;
    s.key.clear();
  } else if (auth == kAuthWpaPsk || auth == kAuthWpa2Psk || auth == kAuthMixedPsk) {
    if (!s.tkip && !s.aes) return std::nullopt;
    if (keyLength < 8) return std::nullopt;  // no pass phrase that short exists
    s.security = auth == kAuthWpaPsk    ? Security::kWpaPsk
                 : auth == kAuthWpa2Psk ? Security::kWpa2Psk
                                        : Security::kWpaWpa2Psk;
  } else {
    return std::nullopt;
  }
  return s;
}

}  // namespace

std::span<const uint32_t> WpsArea::Codes() const {
  static constexpr uint32_t kCodes[] = {OID_VND_WPS_START, OID_VND_WPS_STATUS,
                                        OID_VND_WPS_CREDENTIALS, OID_VND_WPS_BUTTON,
                                        OID_VND_WPS_CHANNEL};
  return kCodes;
}

void WpsArea::Load() {
  // The button is hardware: a reload does not release it. Everything else starts over.
  start_ = {};
  active_ = walking_ = false;
  codes_.clear();
  next_ = 0;
  status_ = 0;
  successAp_.reset();
  registrarTable_.clear();
  credentials_.clear();
  channel_ = 0;
}

void WpsArea::PressButton() {
  buttonPressed_ = true;
  Begin(Start{});
}

std::vector<const NetworkSpec*> WpsArea::PressedInRange() const {
  std::vector<const NetworkSpec*> found;
  if (!ctx_.Listening()) return found;
  const std::vector<int> channels = ctx_.ScanChannels();
  for (const NetworkSpec& n : ctx_.world.networks()) {
    if (n.wps.enabled && n.wps.pushButton && !n.adhoc && ctx_.InRange(n, channels)) {
      found.push_back(&n);
    }
  }
  return found;
}

const NetworkSpec* WpsArea::FindTarget() const {
  if (!ctx_.Listening()) return nullptr;
  const std::vector<int> channels = ctx_.ScanChannels();
  const NetworkSpec* bySsid = nullptr;
  for (const NetworkSpec& n : ctx_.world.networks()) {
    if (!n.wps.enabled || n.adhoc || !ctx_.InRange(n, channels)) continue;
    if (n.bssid == start_.bssid) return &n;
    if (!bySsid && !start_.ssid.empty() && n.ssid == start_.ssid) bySsid = &n;
  }
  return bySsid;
}

void WpsArea::Begin(const Start& start) {
  start_ = start;
  credentials_.clear();
  channel_ = 0;
  successAp_.reset();
  walking_ = false;
  ctx_.Disconnect();
  if (start.pin) {
    BeginPin(FindTarget());
    return;
  }
  active_ = true;
  walking_ = true;
  walkEnd_ = ctx_.Now() + kWalkMs;
  status_ = kScanning;
}

void WpsArea::BeginPin(const NetworkSpec* ap) {
  if (!ap) return Run({kScanning, kInvalidSsid}, nullptr);
  const WpsSpec& w = ap->wps;
  if (start_.registrar) {
    if (w.pin.empty() || w.locked) return Run(Join({kJoinCodes, {34, 36, kEapFailed}}), nullptr);
    if (w.pin != start_.pinText)
      return Run(Join({kJoinCodes, kRegistrarToM5, {kPinMismatch}}), nullptr);
    return Run(Join({kJoinCodes, kRegistrarToM5, kRegistrarRest}), ap);
  }
  if (w.pin.empty() || w.locked) return Run(Join({kJoinCodes, {17, 18, 20, kEapFailed}}), nullptr);
  if (w.pin != start_.pinText)
    return Run(Join({kJoinCodes, kEnrolleeToM4, {kPinMismatch}}), nullptr);
  Run(Join({kJoinCodes, kEnrolleeToM4, kEnrolleeRest}), ap);
}

void WpsArea::Run(std::vector<uint32_t> codes, const NetworkSpec* successAp) {
  codes_ = std::move(codes);
  next_ = 1;
  nextAt_ = ctx_.Now() + kStepMs;
  status_ = codes_.front();
  active_ = codes_.size() > 1;
  walking_ = false;
  if (successAp) successAp_ = successAp->bssid;
}

void WpsArea::Advance(uint64_t nowMs) {
  if (!active_) return;
  if (walking_) {
    const auto pressed = PressedInRange();
    if (pressed.size() == 1) {
      const auto& rest = start_.registrar ? kRegistrarToM5 : kEnrolleeToM4;
      const auto& end = start_.registrar ? kRegistrarRest : kEnrolleeRest;
      Run(Join({{3, 4, 5, 6}, rest, end}), pressed[0]);
    } else if (pressed.size() > 1) {
      Run({kPbcOverlap}, nullptr);
    } else if (nowMs >= walkEnd_) {
      Run({kNoPbcAp}, nullptr);
    }
    return;
  }
  while (active_ && next_ < codes_.size() && nowMs >= nextAt_) {
    status_ = codes_[next_++];
    nextAt_ += kStepMs;
    if (status_ == kSuccess) Succeed();
  }
  if (next_ >= codes_.size()) active_ = false;
}

void WpsArea::Succeed() {
  const NetworkSpec* ap = successAp_ ? ctx_.world.Find(*successAp_) : nullptr;
  if (!ap) {
    status_ = kEapFailed;
    return;
  }
  channel_ = uint32_t(ap->channel);
  if (!start_.registrar || ap->wps.state == 2) {
    credentials_ = CredentialsOf(*ap);
    return;
  }
  // An unconfigured access point takes what the registrar offers.
  const std::optional<NetworkSpec> settings = SettingsOf(registrarTable_);
  if (!settings || !ctx_.reconfigure || !ctx_.reconfigure(ap->bssid, *settings)) {
    status_ = kEapFailed;
    return;
  }
  credentials_ = registrarTable_;
}

std::optional<int32_t> WpsArea::Query(uint32_t code, std::span<uint8_t> out, uint32_t* written) {
  switch (code) {
    case OID_VND_WPS_STATUS:
      return Answer32(out, written, status_ | (start_.pin ? kStatusPinBit : 0));
    case OID_VND_WPS_CREDENTIALS: {
      std::vector<uint8_t> table = credentials_;
      table.resize(kTableBytes, 0);
      return AnswerBytes(out, written, table);
    }
    case OID_VND_WPS_BUTTON:
      return Answer32(out, written, std::exchange(buttonPressed_, false) ? 1 : 0);
    case OID_VND_WPS_CHANNEL:
      return Answer32(out, written, channel_);
    default:
      return std::nullopt;
  }
}

std::optional<int32_t> WpsArea::Set(uint32_t code, std::span<const uint8_t> value) {
  if (code == OID_VND_WPS_CREDENTIALS) {
    registrarTable_.assign(value.begin(), value.end());
    return ERROR_SUCCESS;
  }
  if (code != OID_VND_WPS_START || value.size() < 56) return std::nullopt;
  const uint32_t mode = Le32At(value, 0);
  if (mode != kModePin && mode != kModePbc) return ERROR_INVALID_PARAMETER;
  Start start;
  start.pin = mode == kModePin;
  start.registrar = value[kRoleAt] == kRoleRegistrar;
  start.pinText.assign(reinterpret_cast<const char*>(value.data() + kPinAt), kPinDigits);
  const uint32_t ssidLength = std::min<uint32_t>(Le32At(value, kSsidAt), kMaxSsid);
  start.ssid.assign(reinterpret_cast<const char*>(value.data() + kSsidAt + 4), ssidLength);
  std::copy(value.begin() + kBssidAt, value.begin() + kBssidAt + 6, start.bssid.begin());
  Begin(start);
  return ERROR_SUCCESS;
}

}  // namespace kavo9::emu
