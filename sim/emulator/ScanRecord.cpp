#include "sim/emulator/ScanRecord.h"

#include <algorithm>
#include <span>

#include "station/networks/BssRecordBuilder.h"
#include "station/networks/ChannelFrequency.h"
#include "station/networks/ElementBuilder.h"

namespace kavo9 {
namespace {

using build::Bytes;

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

// Group cipher, pairwise ciphers and key management under `oui`. The group cipher is the weakest
// pairwise one, as mixed networks do.
build::SuiteLists Suites(const ie::Oui& oui, const NetworkSpec& n) {
  build::SuiteLists s;
  s.Group = {oui, n.tkip ? build::kCipherTkip : build::kCipherCcmp};
  if (n.aes) s.Pairwise.push_back({oui, build::kCipherCcmp});
  if (n.tkip) s.Pairwise.push_back({oui, build::kCipherTkip});
  s.Akm.push_back({oui, UsesPsk(n.security) ? build::kAkmPsk : build::kAkm8021X});
  return s;
}

Bytes WpsElement(const NetworkSpec& n) {
  const WpsSpec& w = n.wps;
  std::vector<build::WpsAttribute> a = {build::WpsU8(kWpsVersion, 0x10),
                                        build::WpsU8(kWpsState, w.state)};
  if (w.locked) a.push_back(build::WpsU8(kWpsApSetupLocked, 1));
  if (w.pushButton) {
    a.push_back(build::WpsU8(kWpsSelectedRegistrar, 1));
    a.push_back(build::WpsU16(kWpsDevicePasswordId, 0x0004));  // push button
    a.push_back(build::WpsU16(kWpsSelectedRegistrarConfigMethods, 0x0080));
  }
  a.push_back(build::WpsU8(kWpsResponseType, 0x03));  // access point
  a.push_back(build::WpsRaw(kWpsUuidE, w.uuid));
  a.push_back(build::WpsU8(kWpsRfBands, n.Is5GHz() ? 2 : 1));
  a.push_back(build::WpsU16(kWpsConfigMethods, w.configMethods));
  return build::WpsElement(a);
}

build::HtCapabilities HtCapabilities(const HtSpec& ht) {
  build::HtCapabilities c;
  c.Info = 0x000C;  // SM power save disabled
  if (ht.width == 40) c.Info |= 1u << 1;
  if (ht.greenfield) c.Info |= 1u << 4;
  if (ht.shortGi) c.Info |= 1u << 5;
  if (ht.shortGi && ht.width == 40) c.Info |= 1u << 6;
  c.Info |= 1u << 8;                       // receives one STBC stream
  c.Info |= 1u << 11;                      // 7935-byte A-MSDUs
  if (ht.width == 40) c.Info |= 1u << 12;  // DSSS/CCK in 40 MHz
  c.AmpduParameters = 0x17;                // 64 KiB, 8 us spacing
  // MCS 0-7 per stream, MCS 32 with 40 MHz, Tx set defined.
  c.McsSet[0] = 0xFF;
  if (ht.streams >= 2) c.McsSet[1] = 0xFF;
  if (ht.width == 40) c.McsSet[4] = 0x01;
  c.McsSet[12] = 0x01;
  return c;
}

build::HtInformation HtInformation(const NetworkSpec& n) {
  build::HtInformation i;
  i.PrimaryChannel = uint8_t(n.channel);
  i.Subset1 = uint8_t(n.ht.secondary & 3);
  if (n.ht.width == 40) i.Subset1 |= 1u << 2;  // any channel width
  i.Subset2 = n.ht.greenfield ? 0 : 0x0004;     // non-greenfield stations present
  return i;
}

uint16_t Capability(const NetworkSpec& n) {
  uint16_t cap = n.adhoc ? 0x0002 : 0x0001;
  if (n.Privacy()) cap |= 0x0010;
  if (!n.Is5GHz()) cap |= 0x0020;              // short preamble
  if (!n.bOnly && !n.Is5GHz()) cap |= 0x0400;  // short slot time
  return cap;
}

}  // namespace

uint32_t ChannelFrequencyKhz(int channel) {
  for (const ChannelFrequency& c : ChannelFrequencyTable) {
    if (c.Channel == channel) return c.FrequencyKhz;
  }
  return 0;
}

std::vector<uint8_t> NetworkRates(const NetworkSpec& n) {
  if (n.Is5GHz()) return {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
  if (n.bOnly) return {0x82, 0x84, 0x8B, 0x96};
  return {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
}

std::vector<uint8_t> BuildBssRecord(const NetworkSpec& n, int32_t rssi, uint64_t timestamp) {
  const std::vector<uint8_t> rates = NetworkRates(n);
  const std::span<const uint8_t> all(rates);
  const size_t first = std::min<size_t>(rates.size(), 8);

  build::BssRecordBuilder b;
  b.Bssid(n.bssid)
      .Ssid(n.hidden ? std::string() : n.ssid)
      .Privacy(n.Privacy())
      .Rssi(rssi)
      .NetworkType(n.Is5GHz() ? kNdisOfdm5 : n.bOnly ? kNdisDs : kNdisOfdm24)
      .FrequencyKhz(ChannelFrequencyKhz(n.channel))
      .Infrastructure(n.adhoc ? 0 : 1)
      .Rates(rates)
      .BeaconInterval(n.beaconInterval)
      .Timestamp(timestamp)
      .Capability(Capability(n))
      .WithSsidElement()
      .AddElement(build::RatesElement(all.first(first)))
      .AddElement(build::DsParameterElement(uint8_t(n.channel)));
  if (n.adhoc) b.AddElement(build::IbssParameterElement(0));
  if (rates.size() > 8) b.AddElement(build::ExtendedRatesElement(all.subspan(8)));
  if (UsesRsn(n.security)) {
    build::SuiteLists rsn = Suites(ie::kOuiIeee, n);
    rsn.Capabilities = 0x000C;  // 16 replay counters per PTKSA
    b.AddElement(build::RsnElement(rsn));
  }
  if (n.ht.enabled) {
    b.AddElement(build::HtCapabilitiesElement(HtCapabilities(n.ht)));
    b.AddElement(build::HtInformationElement(HtInformation(n)));
  }
  if (UsesWpa(n.security)) b.AddElement(build::WpaElement(Suites(ie::kOuiWifiAlliance, n)));
  if (n.ht.enabled) {
    // WMM information element: 802.11n needs QoS.
    const uint8_t wmm[] = {0x00, 0x01, 0x00};
    b.AddElement(build::VendorElement(ie::kOuiWifiAlliance, 2, wmm));
  }
  if (n.wps.enabled) b.AddElement(WpsElement(n));
  if (n.ht.enabled && n.ht.vendorElements) {
    b.AddElement(build::VendorHtCapabilitiesElement(HtCapabilities(n.ht)));
    b.AddElement(build::VendorHtInformationElement(HtInformation(n)));
  }
  return b.Build();
}

}  // namespace kavo9
