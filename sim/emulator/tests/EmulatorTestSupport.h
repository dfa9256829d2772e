#pragma once
// Helpers for the emulator tests: requests as a driver client makes them, a minimal reader of the
// scan list, and a small scenario.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/adapter/RequestCatalogue.h"
#include "common/platform/DeviceIo.h"
#include "common/platform/fake/VirtualEventLoop.h"
#include "common/platform/simulated/DeviceFrame.h"
#include "sim/emulator/AdapterEmulator.h"

namespace kavo9::test {

struct Reply {
  int32_t status = -1;
  std::vector<uint8_t> data;
  uint32_t U32(size_t offset = 0) const {
    return offset + 4 <= data.size() ? ReadLe32(&data[offset]) : 0xDEADBEEF;
  }
};

inline Reply Request(AdapterEmulator& e, uint32_t code, std::vector<uint8_t> buffer) {
  uint8_t in[4];
  WriteLe32(in, code);
  uint32_t count = 0;
  Reply r;
  r.status = e.Handle(IOCTL_NDIS_QUERY_GLOBAL_STATS, in, buffer, &count);
  buffer.resize(count);
  r.data = buffer;
  return r;
}

inline Reply Query(AdapterEmulator& e, uint32_t code, uint32_t length = 0) {
  if (length == 0) length = FindRequest(code)->queryLength;
  return Request(e, code, std::vector<uint8_t>(length, 0));
}

inline Reply Set(AdapterEmulator& e, uint32_t code, std::vector<uint8_t> value) {
  return Request(e, code | kSetBit, std::move(value));
}

inline std::vector<uint8_t> Le32(uint32_t v) {
  std::vector<uint8_t> b(4);
  WriteLe32(b.data(), v);
  return b;
}

// The source tree, for the shipped scenarios: $KAVO9_SOURCE (the test main sets it to the tree
// the test was built from unless the caller chose another).
inline std::string SourceDir() {
  const char* source = std::getenv("KAVO9_SOURCE");
  return source ? source : ".";
}

inline MacAddress Mac(const char* text) {
  MacAddress mac{};
  EXPECT_TRUE(ParseMac(text, &mac)) << text;
  return mac;
}

inline std::vector<uint8_t> SsidValue(const std::string& ssid) {
  std::vector<uint8_t> b(36, 0);
  WriteLe32(b.data(), uint32_t(ssid.size()));
  std::memcpy(b.data() + 4, ssid.data(), ssid.size());
  return b;
}

// One record of the scan list, read with every length checked.
struct BssEntry {
  std::string bssid;
  std::string ssid;
  uint32_t privacy = 0;
  int32_t rssi = 0;
  uint32_t networkType = 0;
  uint32_t frequencyKhz = 0;
  uint32_t infrastructure = 0;
  uint16_t beaconInterval = 0;
  uint16_t capability = 0;
  std::multimap<uint8_t, std::vector<uint8_t>> elements;

  const std::vector<uint8_t>* Element(uint8_t id) const {
    auto it = elements.find(id);
    return it == elements.end() ? nullptr : &it->second;
  }
  // The vendor element with this OUI and type, body after the four bytes.
  const std::vector<uint8_t>* Vendor(uint8_t a, uint8_t b, uint8_t c, uint8_t type) const {
    auto [first, last] = elements.equal_range(221);
    for (auto it = first; it != last; ++it) {
      const auto& v = it->second;
      if (v.size() >= 4 && v[0] == a && v[1] == b && v[2] == c && v[3] == type) return &v;
    }
    return nullptr;
  }
};

// False when the list is malformed.
inline bool ReadBssList(const std::vector<uint8_t>& list, std::vector<BssEntry>* entries) {
  entries->clear();
  if (list.size() < 4) return false;
  uint32_t count = ReadLe32(list.data());
  size_t pos = 4;
  for (uint32_t i = 0; i < count; ++i) {
    if (list.size() - pos < 128) return false;
    const uint8_t* r = &list[pos];
    uint32_t length = ReadLe32(r);
    uint32_t ieLength = ReadLe32(r + 112);
    if (length < 116 + ieLength || length > list.size() - pos || length % 4 || ieLength < 12)
      return false;
    BssEntry e;
    e.bssid = FormatMac({r[4], r[5], r[6], r[7], r[8], r[9]});
    uint32_t ssidLength = ReadLe32(r + 12);
    if (ssidLength > 32) return false;
    e.ssid.assign(reinterpret_cast<const char*>(r + 16), ssidLength);
    e.privacy = ReadLe32(r + 48);
    e.rssi = int32_t(ReadLe32(r + 52));
    e.networkType = ReadLe32(r + 56);
    e.frequencyKhz = ReadLe32(r + 72);
    e.infrastructure = ReadLe32(r + 92);
    e.beaconInterval = uint16_t(r[124] | r[125] << 8);
    e.capability = uint16_t(r[126] | r[127] << 8);
    size_t p = 128, end = 116 + ieLength;
    while (p < end) {
      if (end - p < 2 || end - p - 2 < r[p + 1]) return false;
      e.elements.emplace(r[p], std::vector<uint8_t>(r + p + 2, r + p + 2 + r[p + 1]));
      p += 2 + r[p + 1];
    }
    entries->push_back(std::move(e));
    pos += length;
  }
  return true;
}

// WPS attributes of a WPS vendor element body (after OUI and type): type -> value.
inline std::map<uint16_t, std::vector<uint8_t>> WpsAttributes(const std::vector<uint8_t>& body) {
  std::map<uint16_t, std::vector<uint8_t>> attributes;
  size_t p = 4;
  while (body.size() - p >= 4) {
    uint16_t type = uint16_t(body[p] << 8 | body[p + 1]);
    uint16_t length = uint16_t(body[p + 2] << 8 | body[p + 3]);
    if (body.size() - p - 4 < length) break;
    attributes[type].assign(body.begin() + long(p + 4), body.begin() + long(p + 4 + length));
    p += 4 + length;
  }
  return attributes;
}

inline constexpr const char* kSmallScenarioText = R"({
  "adapters": [{
    "name": "usb0", "family": "QKD170",
    "hardwareIds": ["USB\\VID_1D5A&PID_3070&REV_0101", "USB\\VID_1D5A&PID_3070"],
    "deviceDescription": "802.11n USB Wireless LAN Card",
    "instanceId": "{6F1C3B52-0C1E-4B8A-9A59-2A0D3C70A001}",
    "mac": "00-1D-5A-30-70-01", "driverVersion": "1.6", "eepromVersion": "3.1",
    "firmwareVersion": "1.3", "bands": ["2.4"],
    "parameters": {"CountryRegion": 0, "WirelessMode": 9},
    "registers": {"bbp": {"3": "0x2A"}, "eeprom": {"0x36": "0x0200"}}
  }],
  "networks": [
    {"ssid": "Cafe", "bssid": "00-11-22-00-00-01", "channel": 6, "signal": -48},
    {"ssid": "HomeNet", "bssid": "00-11-22-00-00-02", "channel": 11, "signal": -61,
     "security": "wpa-wpa2-psk", "key": "correct horse", "phy": "n",
     "ht": {"width": 40, "secondary": "below", "vendorElements": true},
     "wps": {"pin": "12345670", "pushButton": true}},
    {"ssid": "Europe13", "bssid": "00-11-22-00-00-03", "channel": 13, "signal": -50},
    {"ssid": "FiveGig", "bssid": "00-11-22-00-00-04", "channel": 36, "signal": -50},
    {"ssid": "FarAway", "bssid": "00-11-22-00-00-05", "channel": 1, "signal": -97},
    {"ssid": "Secret", "bssid": "00-11-22-00-00-06", "channel": 1, "signal": -70, "hidden": true,
     "security": "wep"}
  ]
})";

// The small scenario's first adapter on virtual time, logging its requests.
class EmulatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(ParseScenario(kSmallScenarioText, &scenario, &error)) << error;
    world = World(scenario.networks);
    emulator = std::make_unique<AdapterEmulator>(
        scenario.adapters[0], world, [this] { return loop.MonotonicMs(); }, &log);
  }
  // Triggers a scan, lets it finish and returns the decoded list.
  std::vector<BssEntry> Scan() {
    EXPECT_EQ(Set(*emulator, OID_802_11_BSSID_LIST_SCAN, {}).status, 0);
    loop.Advance(AdapterEmulator::kScanMs5);
    Reply list = Query(*emulator, OID_802_11_BSSID_LIST);
    EXPECT_EQ(list.status, 0);
    std::vector<BssEntry> entries;
    EXPECT_TRUE(ReadBssList(list.data, &entries));
    return entries;
  }

  Scenario scenario;
  World world;
  VirtualEventLoop loop;
  RequestLog log;
  std::unique_ptr<AdapterEmulator> emulator;
};

}  // namespace kavo9::test
