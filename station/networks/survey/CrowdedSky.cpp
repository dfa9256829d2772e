#include "station/networks/survey/CrowdedSky.h"

#include <array>
#include <string>

#include "station/networks/BssLayout.h"
#include "station/networks/BssRecordBuilder.h"

namespace kavo9::build {
namespace {

constexpr std::array<int, 13> kChannels24 = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
constexpr std::array<int, 12> kChannels5 = {36, 40, 44, 48, 52, 56, 60, 64, 100, 116, 149, 157};
const char* const kNames[] = {"Cafe",   "home",  "Office", "guest", "Library", "lab",
                              "Studio", "attic", "Garage", "print", "Hotel",   "kiosk"};

}  // namespace

std::vector<uint8_t> CrowdedSkyList(int count, int round) {
  const uint8_t bgRates[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12,
                             0x18, 0x24, 0x30, 0x48, 0x60, 0x6C};
  const uint8_t aRates[] = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
  BssListBuilder list;
  for (int i = 0; i < count; ++i) {
    const bool fiveGHz = i % 3 == 2;
    const int channel = fiveGHz ? kChannels5[size_t(i) % kChannels5.size()]
                                : kChannels24[size_t(i) % kChannels24.size()];
    const uint32_t khz =
        fiveGHz ? 5000000 + 5000 * uint32_t(channel) : 2407000 + 5000 * uint32_t(channel);
    const int rssi = -35 - (i * 7 + round * 3 + (i * round) % 5) % 60;
    std::string ssid =
        std::string(kNames[size_t(i) % std::size(kNames)]) + "-" + std::to_string(100 + i);
    if (i % 29 == 7) ssid.clear();  // a hidden network now and then

    BssRecordBuilder record;
    record.Bssid({0x00, 0x1D, 0x5A, uint8_t(i >> 8), uint8_t(i), uint8_t(0x10 + i % 7)})
        .Ssid(ssid)
        .FrequencyKhz(khz)
        .Rssi(rssi)
        .NetworkType(fiveGHz ? 2 : 3)
        .Infrastructure(i % 23 == 5 ? 0 : 1)
        .WithSsidElement();
    if (fiveGHz)
      record.Rates(aRates);
    else
      record.Rates(bgRates);
    switch (i % 6) {
      case 0:
        break;  // open
      case 1:
        record.Privacy(true);  // WEP
        break;
      case 2:
        record.Privacy(true).AddElement(
            RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherCcmp)));
        break;
      case 3:
        record.Privacy(true)
            .AddElement(WpaElement(WpaSuites({kCipherTkip}, {kAkmPsk}, kCipherTkip)))
            .AddElement(RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherTkip)));
        break;
      case 4:
        record.Privacy(true)
            .AddElement(RsnElement(RsnSuites({kCipherCcmp}, {kAkmPsk}, kCipherCcmp)))
            .AddElement(WpsElement({{WpsU8(0x104A, 0x10), WpsU8(0x1044, 2)}}));
        break;
      default:
        record.Privacy(true).AddElement(
            RsnElement(RsnSuites({kCipherCcmp}, {kAkm8021X}, kCipherCcmp)));
        break;
    }
    if (i % 4 != 3) {
      record.AddElement(HtCapabilitiesElement({.Info = 0x016E}));
      record.AddElement(HtInformationElement({.PrimaryChannel = uint8_t(channel)}));
    }
    list.Add(record.Build());
  }
  return list.Build(kBssListBufferSize);
}

}  // namespace kavo9::build
