#include "sim/emulator/ScanRecord.h"

#include <algorithm>
#include <span>

#include "common/adapter/DriverValues.h"
#include "sim/emulator/radio/DriverTables.h"
#include "sim/emulator/wire/BssidRecord.h"

namespace kavo9 {
namespace {

namespace ie = emu::ie;
using ie::Bytes;

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

// The group cipher is the weakest pairwise one, as mixed networks do.
ie::Suites Suites(const NetworkSpec& n) {
  ie::Suites s;
  s.group = n.tkip ? ie::kCipherTkip : ie::kCipherCcmp;
  if (n.aes) s.pairwise.push_back(ie::kCipherCcmp);
  if (n.tkip) s.pairwise.push_back(ie::kCipherTkip);
  s.akm.push_back(UsesPsk(n.security) ? ie::kAkmPsk : ie::kAkm8021X);
  return s;
}

// WPS 1.0, the state, the push button when pressed, the access point's own attributes.
Bytes WpsElement(const NetworkSpec& n) {
  constexpr uint8_t kVersion10 = 0x10, kResponseAccessPoint = 0x03;
  constexpr uint16_t kPushButtonPassword = 0x0004, kPushButtonMethod = 0x0080;
  constexpr uint8_t kBand24 = 1, kBand5 = 2;
  const WpsSpec& w = n.wps;
  ie::WpsAttributes a;
  a.U8(ie::kWpsVersion, kVersion10).U8(ie::kWpsState, w.state);
  if (w.locked) a.U8(ie::kWpsApSetupLocked, 1);
  if (w.pushButton) {
    a.U8(ie::kWpsSelectedRegistrar, 1)
        .U16(ie::kWpsDevicePasswordId, kPushButtonPassword)
        .U16(ie::kWpsSelectedRegistrarConfigMethods, kPushButtonMethod);
  }
  a.U8(ie::kWpsResponseType, kResponseAccessPoint)
      .Raw(ie::kWpsUuidE, w.uuid)
      .U8(ie::kWpsRfBands, n.Is5GHz() ? kBand5 : kBand24)
      .U16(ie::kWpsConfigMethods, w.configMethods);
  return a.Element();
}

ie::HtCapabilityFields HtCapabilities(const HtSpec& ht) {
  ie::HtCapabilityFields c;
  const bool wide = ht.width == 40;
  c.info = 0x000C;  // SM power save disabled
  if (wide) c.info |= 1u << 1;
  if (ht.greenfield) c.info |= 1u << 4;
  if (ht.shortGi) c.info |= 1u << 5;
  if (ht.shortGi && wide) c.info |= 1u << 6;
  c.info |= 1u << 8;             // receives one STBC stream
  c.info |= 1u << 11;            // 7935-byte A-MSDUs
  if (wide) c.info |= 1u << 12;  // DSSS/CCK in 40 MHz
  c.ampdu = 0x17;                // 64 KiB, 8 us spacing
  // MCS 0-7 per stream, MCS 32 with 40 MHz, Tx set defined.
  c.mcsSet[0] = 0xFF;
  if (ht.streams >= 2) c.mcsSet[1] = 0xFF;
  if (wide) c.mcsSet[4] = 0x01;
  c.mcsSet[12] = 0x01;
  return c;
}

ie::HtInformationFields HtInformation(const NetworkSpec& n) {
  ie::HtInformationFields i;
  i.primaryChannel = uint8_t(n.channel);
  i.subset1 = uint8_t(n.ht.secondary & 3);
  if (n.ht.width == 40) i.subset1 |= 1u << 2;  // any channel width
  i.subset2 = n.ht.greenfield ? 0 : 0x0004;    // non-greenfield stations present
  return i;
}

uint16_t Capability(const NetworkSpec& n) {
  constexpr uint16_t kEss = 0x0001, kIbss = 0x0002, kPrivacy = 0x0010, kShortPreamble = 0x0020,
                     kShortSlot = 0x0400;
  uint16_t cap = n.adhoc ? kIbss : kEss;
  if (n.Privacy()) cap |= kPrivacy;
  if (!n.Is5GHz()) cap |= kShortPreamble;
  if (!n.bOnly && !n.Is5GHz()) cap |= kShortSlot;
  return cap;
}

// The elements in the order access points send them.
Bytes Elements(const NetworkSpec& n, std::span<const uint8_t> rates, const std::string& ssid) {
  auto add = [](Bytes& out, const Bytes& element) {
    out.insert(out.end(), element.begin(), element.end());
  };
  const size_t basic = std::min<size_t>(rates.size(), 8);
  Bytes e;
  add(e, ie::Ssid(ssid));
  add(e, ie::Element(ie::kSupportedRates, rates.first(basic)));
  const uint8_t channel[] = {uint8_t(n.channel)};
  add(e, ie::Element(ie::kDsParameterSet, channel));
  if (n.adhoc) add(e, ie::Element(ie::kIbssParameterSet, std::array<uint8_t, 2>{0, 0}));
  if (rates.size() > basic) add(e, ie::Element(ie::kExtendedRates, rates.subspan(basic)));
  if (UsesRsn(n.security)) {
    ie::Suites rsn = Suites(n);
    rsn.capabilities = 0x000C;  // 16 replay counters per PTKSA
    add(e, ie::Rsn(rsn));
  }
  if (n.ht.enabled) {
    add(e, ie::HtCapabilities(HtCapabilities(n.ht)));
    add(e, ie::HtInformation(HtInformation(n)));
  }
  if (UsesWpa(n.security)) add(e, ie::Wpa(Suites(n)));
  if (n.ht.enabled) {
    // WMM information element: 802.11n needs QoS.
    const uint8_t wmm[] = {0x00, 0x01, 0x00};
    add(e, ie::Vendor(ie::kOuiMicrosoft, ie::kVendorWmm, wmm));
  }
  if (n.wps.enabled) add(e, WpsElement(n));
  if (n.ht.enabled && n.ht.vendorElements) {
    add(e, ie::HtCapabilities(HtCapabilities(n.ht), true));
    add(e, ie::HtInformation(HtInformation(n), true));
  }
  return e;
}

}  // namespace

uint32_t ChannelFrequencyKhz(int channel) {
  return emu::DriverChannelKhz(channel);
}

std::vector<uint8_t> NetworkRates(const NetworkSpec& n) {
  if (n.Is5GHz()) return {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
  if (n.bOnly) return {0x82, 0x84, 0x8B, 0x96};
  return {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
}

int SignalJitter(const MacAddress& bssid, uint32_t scan) {
  uint32_t h = 2166136261u ^ scan;
  for (uint8_t b : bssid) h = (h ^ b) * 16777619u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return int(h % 5) - 2;
}

std::vector<uint8_t> BuildBssRecord(const NetworkSpec& n, int32_t rssi, uint64_t timestamp) {
  const std::vector<uint8_t> rates = NetworkRates(n);
  emu::BssidRecordFields f;
  f.bssid = n.bssid;
  f.ssid = n.hidden ? std::string() : n.ssid.substr(0, 32);
  f.privacy = n.Privacy();
  f.rssi = rssi;
  f.networkType = n.Is5GHz() ? Ndis802_11OFDM5 : n.bOnly ? Ndis802_11DS : Ndis802_11OFDM24;
  f.beaconPeriod = n.beaconInterval;
  f.frequencyKhz = ChannelFrequencyKhz(n.channel);
  f.infrastructureMode = n.adhoc ? Ndis802_11IBSS : Ndis802_11Infrastructure;
  f.rates = rates;
  f.timestamp = timestamp;
  f.capability = Capability(n);
  f.elements = Elements(n, rates, f.ssid);
  return emu::EncodeBssidRecord(f);
}

}  // namespace kavo9
