#pragma once
// The link status panel's rules, each a plain function: the band colours of the bars, the
// smoothing of the signal and the link quality, the noise in dBm and as a bar, the rate word and
// the rates, throughput and its texts, the driver's state words in text, the transmit-power
// suffix, and the one safe way a language text with a number is filled in.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kavo9::link {

// The bars' band colours: red, yellow (250, 230, 50) and green.
enum class BandColour { Red, Yellow, Green };

// Signal and link quality: red below 35, yellow from 35 to 69, green from 70.
BandColour SignalColour(int percent);
// Noise, inverted: green below 35, yellow from 35 to 69, red from 70.
BandColour NoiseColour(int percent);

// The rounded mean of a reading and the one before it; the first reading (previous 0) stands.
int Smoothed(int reading, int previous);
// The link-quality bar from the driver's raw quality: x 1.2 + 10, at most 100, then smoothed.
int LinkQualityPercent(uint32_t channelQuality, int previous);

// What the panel knows of one measurement: the value, when the driver gave one.
struct Reading {
  bool ok = false;
  int32_t value = 0;
};
// The noise in dBm. Chip codes 6 to 9 have no noise reading of their own: the strongest antenna
// below -70 dBm minus the smaller signal-to-noise ratio, else the -92 dBm floor; readings the
// driver did not give take no part (none at all: the floor). Other chips report the noise raised
// by 143.
int NoiseDbm(int chipKind, std::span<const Reading, 3> rssi, std::span<const Reading, 2> snr,
             Reading noiseLevel);
// The noise bar: (dBm + 100) x 10 / 3, truncated, within 0 to 100.
int NoisePercent(int noiseDbm);

// The fields of a rate word (low 16 bits of the driver's value).
struct RateWord {
  int mcs = 0;  // or the legacy rate index in CCK and OFDM modes
  bool width40 = false;
  bool shortGuard = false;
  bool stbc = false;
  int phyMode = 0;  // 0 CCK, 1 OFDM, 2 HT mixed, 3 HT greenfield
};
inline constexpr int kPhyCck = 0;
inline constexpr int kPhyOfdm = 1;
inline constexpr int kPhyHtMixed = 2;
inline constexpr int kPhyHtGreenfield = 3;
RateWord SplitRateWord(uint32_t word);
// Mbit/s of a rate word: the CCK and OFDM tables, the 802.11n table; 0 for anything unknown.
double RateOfWord(uint32_t word);
// Mbit/s of the older chips' receive-rate index 0 to 11; 1.0 for any other index.
double LegacyReceiveRate(uint32_t index);
// Whether the chip reports its rates as rate words (codes 6 to 9) or as 500 kbit/s units and
// indexes (codes 0, 1, 4 and 5).
bool UsesRateWords(int chipKind);
bool UsesLegacyRates(int chipKind);

// "54.0 Mbps".
std::string RateText(double mbps);
// The throughput of one two-second tick from two byte counts (a wrapping 32-bit difference); a
// counter that went backwards gives 0.
double ThroughputMbps(uint32_t now, uint32_t previous);
// "2.000 Mbps" from 1 Mbit/s up, "400.000 Kbps" below.
std::string ThroughputText(double mbps);

// The driver's link state 0 to 10 in words; nullopt for any other value.
std::optional<std::string_view> LinkStateText(uint32_t state);
std::string_view AuthenticationText(uint32_t mode);
std::string_view EncryptionText(uint32_t status);
std::string_view NetworkTypeText(uint32_t infrastructureMode);
// "Lowest", "100%" or "75%" of the driver's transmit power.
std::string TxPowerText(int32_t power);

// "SSID <--> 00-1D-5A-30-70-01 [192.168.1.1]"; without the brackets when the peer is all zero
// or unknown.
std::string StatusLine(std::string_view ssid, const std::array<uint8_t, 6>& bssid,
                       const std::optional<std::array<uint8_t, 4>>& peer);
// "6 <--> 2437 MHz", or empty when the frequency has no channel.
std::string ChannelText(uint32_t dsConfigKhz);

// Fills a language text that holds one integer conversion ("%d", "%u", "%i", with flags and a
// width) with `value`, and turns "%%" into "%". Whatever else looks like a conversion ("%s", a
// second "%d") is left as written, so a translation can never make the program read an argument
// it was not given.
std::string FormatWithNumber(std::string_view format, long long value);
// The same for one text argument ("%s").
std::string FormatWithText(std::string_view format, std::string_view text);

}  // namespace kavo9::link
