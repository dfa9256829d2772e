#include "sim/emulator/ElementWriter.h"

#include <algorithm>

#include "sim/emulator/Channels.h"

namespace kavo9 {
namespace {

class Bytes {
 public:
  void U8(uint8_t v) { data.push_back(v); }
  void Le16(uint16_t v) { U8(uint8_t(v)), U8(uint8_t(v >> 8)); }
  void Be16(uint16_t v) { U8(uint8_t(v >> 8)), U8(uint8_t(v)); }
  void Le32(uint32_t v) { Le16(uint16_t(v)), Le16(uint16_t(v >> 16)); }
  void Le64(uint64_t v) { Le32(uint32_t(v)), Le32(uint32_t(v >> 32)); }
  void Raw(const uint8_t* p, size_t n) { data.insert(data.end(), p, p + n); }
  void Raw(const std::vector<uint8_t>& v) { data.insert(data.end(), v.begin(), v.end()); }
  void Zeros(size_t n) { data.insert(data.end(), n, 0); }
  void Element(uint8_t id, const std::vector<uint8_t>& body) {
    U8(id);
    U8(uint8_t(body.size()));
    Raw(body);
  }
  std::vector<uint8_t> data;
};

constexpr uint8_t kOuiIeee[3] = {0x00, 0x0F, 0xAC};
constexpr uint8_t kOuiWfa[3] = {0x00, 0x50, 0xF2};
constexpr uint8_t kOuiDraftN[3] = {0x00, 0x90, 0x4C};

enum : uint8_t { kCipherTkip = 2, kCipherCcmp = 4, kAkm8021x = 1, kAkmPsk = 2 };

bool UsesRsn(Security s) {
  return s == Security::kWpa2Psk || s == Security::kWpaWpa2Psk || s == Security::kWpa2Enterprise ||
         s == Security::kWpaWpa2Enterprise;
}
bool UsesWpa(Security s) {
  return s == Security::kWpaPsk || s == Security::kWpaWpa2Psk || s == Security::kWpaEnterprise ||
         s == Security::kWpaWpa2Enterprise;
}
bool UsesPsk(Security s) {
  return s == Security::kWpaPsk || s == Security::kWpa2Psk || s == Security::kWpaWpa2Psk;
}

// The suites shared by the RSN element and the WPA vendor element: group cipher, pairwise
// ciphers, key management. The group cipher is the weakest pairwise one, as mixed networks do.
void Suites(Bytes& b, const uint8_t oui[3], const NetworkSpec& n) {
  auto suite = [&](uint8_t type) {
    b.Raw(oui, 3);
    b.U8(type);
  };
  suite(n.tkip ? kCipherTkip : kCipherCcmp);
  b.Le16(uint16_t(int(n.tkip) + int(n.aes)));
  if (n.aes) suite(kCipherCcmp);
  if (n.tkip) suite(kCipherTkip);
  b.Le16(1);
  suite(UsesPsk(n.security) ? kAkmPsk : kAkm8021x);
}

std::vector<uint8_t> RsnBody(const NetworkSpec& n) {
  Bytes b;
  b.Le16(1);  // version
  Suites(b, kOuiIeee, n);
  b.Le16(0x000C);  // capabilities: 16 replay counters per PTKSA
  return b.data;
}

std::vector<uint8_t> WpaBody(const NetworkSpec& n) {
  Bytes b;
  b.Raw(kOuiWfa, 3);
  b.U8(1);
  b.Le16(1);  // version
  Suites(b, kOuiWfa, n);
  return b.data;
}

std::vector<uint8_t> WpsBody(const NetworkSpec& n) {
  Bytes b;
  b.Raw(kOuiWfa, 3);
  b.U8(4);
  auto attribute = [&](uint16_t type, const std::vector<uint8_t>& value) {
    b.Be16(type);
    b.Be16(uint16_t(value.size()));
    b.Raw(value);
  };
  const WpsSpec& w = n.wps;
  attribute(kWpsVersion, {0x10});
  attribute(kWpsState, {w.state});
  if (w.locked) attribute(kWpsApSetupLocked, {1});
  if (w.pushButton) {
    attribute(kWpsSelectedRegistrar, {1});
    attribute(kWpsDevicePasswordId, {0x00, 0x04});  // push button
    attribute(kWpsSelectedRegistrarConfigMethods, {0x00, 0x80});
  }
  attribute(kWpsResponseType, {0x03});  // access point
  attribute(kWpsUuidE, std::vector<uint8_t>(w.uuid.begin(), w.uuid.end()));
  attribute(kWpsRfBands, {uint8_t(n.Is5GHz() ? 2 : 1)});
  attribute(kWpsConfigMethods, {uint8_t(w.configMethods >> 8), uint8_t(w.configMethods)});
  return b.data;
}

uint16_t HtCapabilityInfo(const HtSpec& ht) {
  uint16_t info = 0x000C;  // SM power save disabled
  if (ht.width == 40) info |= 1u << 1;
  if (ht.greenfield) info |= 1u << 4;
  if (ht.shortGi) info |= 1u << 5;
  if (ht.shortGi && ht.width == 40) info |= 1u << 6;
  info |= 1u << 8;                       // receives one STBC stream
  info |= 1u << 11;                      // 7935-byte A-MSDUs
  if (ht.width == 40) info |= 1u << 12;  // DSSS/CCK in 40 MHz
  return info;
}

std::vector<uint8_t> HtCapabilitiesBody(const HtSpec& ht) {
  Bytes b;
  b.Le16(HtCapabilityInfo(ht));
  b.U8(0x17);  // A-MPDU: 64 KiB, 8 us spacing
  // Supported MCS set: MCS 0-7 per stream, MCS 32 with 40 MHz, Tx set defined.
  uint8_t mcs[16] = {};
  mcs[0] = 0xFF;
  if (ht.streams >= 2) mcs[1] = 0xFF;
  if (ht.width == 40) mcs[4] = 0x01;
  mcs[12] = 0x01;
  b.Raw(mcs, sizeof mcs);
  b.Le16(0);      // extended capabilities
  b.Le32(0);      // transmit beamforming
  b.U8(0);        // antenna selection
  return b.data;  // 26 bytes
}

std::vector<uint8_t> HtInformationBody(const NetworkSpec& n) {
  Bytes b;
  b.U8(uint8_t(n.channel));
  uint8_t subset1 = uint8_t(n.ht.secondary & 3);
  if (n.ht.width == 40) subset1 |= 1u << 2;  // any channel width
  b.U8(subset1);
  b.Le16(n.ht.greenfield ? 0 : 0x0004);  // non-greenfield stations present
  b.Le16(0);
  uint8_t basicMcs[16] = {};
  b.Raw(basicMcs, sizeof basicMcs);
  return b.data;  // 22 bytes
}

std::vector<uint8_t> Vendor(const uint8_t oui[3], uint8_t type, const std::vector<uint8_t>& body) {
  std::vector<uint8_t> v(oui, oui + 3);
  v.push_back(type);
  v.insert(v.end(), body.begin(), body.end());
  return v;
}

uint16_t Capability(const NetworkSpec& n) {
  uint16_t cap = n.adhoc ? 0x0002 : 0x0001;
  if (n.Privacy()) cap |= 0x0010;
  if (!n.Is5GHz()) cap |= 0x0020;              // short preamble
  if (!n.bOnly && !n.Is5GHz()) cap |= 0x0400;  // short slot time
  return cap;
}

}  // namespace

std::vector<uint8_t> NetworkRates(const NetworkSpec& n) {
  if (n.Is5GHz()) return {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
  if (n.bOnly) return {0x82, 0x84, 0x8B, 0x96};
  return {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
}

std::vector<uint8_t> BuildElements(const NetworkSpec& n) {
  Bytes b;
  std::vector<uint8_t> ssid;
  if (!n.hidden) ssid.assign(n.ssid.begin(), n.ssid.end());
  b.Element(kEidSsid, ssid);
  std::vector<uint8_t> rates = NetworkRates(n);
  size_t first = std::min<size_t>(rates.size(), 8);
  b.Element(kEidSupportedRates, {rates.begin(), rates.begin() + long(first)});
  b.Element(kEidDsParameterSet, {uint8_t(n.channel)});
  if (n.adhoc) b.Element(kEidIbssParameterSet, {0x00, 0x00});
  if (rates.size() > 8) b.Element(kEidExtendedRates, {rates.begin() + 8, rates.end()});
  if (UsesRsn(n.security)) b.Element(kEidRsn, RsnBody(n));
  if (n.ht.enabled) {
    b.Element(kEidHtCapabilities, HtCapabilitiesBody(n.ht));
    b.Element(kEidHtInformation, HtInformationBody(n));
  }
  if (UsesWpa(n.security)) b.Element(kEidVendor, WpaBody(n));
  if (n.ht.enabled) {
    // WMM information element: 802.11n needs QoS.
    b.Element(kEidVendor, {0x00, 0x50, 0xF2, 0x02, 0x00, 0x01, 0x00});
  }
  if (n.wps.enabled) b.Element(kEidVendor, WpsBody(n));
  if (n.ht.enabled && n.ht.vendorElements) {
    b.Element(kEidVendor, Vendor(kOuiDraftN, 0x33, HtCapabilitiesBody(n.ht)));
    b.Element(kEidVendor, Vendor(kOuiDraftN, 0x34, HtInformationBody(n)));
  }
  return b.data;
}

std::vector<uint8_t> BuildBssRecord(const NetworkSpec& n, int32_t rssi, uint64_t timestamp) {
  std::vector<uint8_t> elements = BuildElements(n);
  Bytes b;
  b.Le32(0);  // length, filled in below
  b.Raw(n.bssid.data(), 6);
  b.Zeros(2);
  size_t ssidLength = n.hidden ? 0 : n.ssid.size();
  b.Le32(uint32_t(ssidLength));
  b.Raw(reinterpret_cast<const uint8_t*>(n.ssid.data()), ssidLength);
  b.Zeros(32 - ssidLength);
  b.Le32(n.Privacy() ? 1 : 0);
  b.Le32(uint32_t(rssi));
  b.Le32(n.Is5GHz() ? kNdisOfdm5 : n.bOnly ? kNdisDs : kNdisOfdm24);
  b.Le32(32);  // configuration length
  b.Le32(n.beaconInterval);
  b.Le32(0);  // ATIM window
  b.Le32(ChannelFrequencyKhz(n.channel));
  b.Zeros(16);  // frequency hopping
  b.Le32(n.adhoc ? 0 : 1);
  std::vector<uint8_t> rates = NetworkRates(n);
  rates.resize(16, 0);
  b.Raw(rates);
  b.Le32(uint32_t(kBssFixedIeBytes + elements.size()));
  b.Le64(timestamp);
  b.Le16(n.beaconInterval);
  b.Le16(Capability(n));
  b.Raw(elements);
  while (b.data.size() % 4) b.U8(0);
  uint32_t length = uint32_t(b.data.size());
  for (int i = 0; i < 4; ++i) b.data[size_t(i)] = uint8_t(length >> (8 * i));
  return b.data;
}

}  // namespace kavo9
