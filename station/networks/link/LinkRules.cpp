#include "station/networks/link/LinkRules.h"

#include <algorithm>
#include <cstdio>

#include "common/adapter/DriverValues.h"
#include "radio/ht/HtRateTable.h"
#include "station/networks/ChannelFrequency.h"

namespace kavo9::link {
namespace {

constexpr int kYellowFrom = 35;
constexpr int kGreenFrom = 70;
// Chip codes 6 to 9: the noise floor assumed while the strongest antenna is this strong or more.
constexpr int32_t kStrongSignalDbm = -70;
constexpr int kNoiseFloorDbm = -92;

constexpr double kCckRates[] = {1, 2, 5.5, 11};
constexpr double kOfdmRates[] = {6, 9, 12, 18, 24, 36, 48, 54};
constexpr double kLegacyReceiveRates[] = {1, 2, 5.5, 11, 6, 9, 12, 18, 24, 36, 48, 54};

std::string Printf(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Where the conversion starting at format[i] (a '%') ends, and its letter; 0 when the text ends
// first.
size_t ConversionEnd(std::string_view format, size_t i, char* letter) {
  size_t j = i + 1;
  while (j < format.size() && std::string_view("-+ #0").find(format[j]) != std::string_view::npos)
    ++j;
  while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
  if (format.substr(j, 3) == "I64") j += 3;
  while (j < format.size() && (format[j] == 'l' || format[j] == 'h')) ++j;
  if (j >= format.size()) return 0;
  *letter = format[j];
  return j + 1;
}

template <typename Fill>
std::string FormatOne(std::string_view format, std::string_view letters, Fill fill) {
  std::string out;
  bool filled = false;
  for (size_t i = 0; i < format.size();) {
    if (format[i] != '%') {
      out += format[i++];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    char letter = 0;
    const size_t end = ConversionEnd(format, i, &letter);
    if (end && !filled && letters.find(letter) != std::string_view::npos) {
      out += fill(format.substr(i, end - i));
      filled = true;
      i = end;
      continue;
    }
    out += format[i++];  // left as written
  }
  return out;
}

}  // namespace

BandColour SignalColour(int percent) {
  if (percent < kYellowFrom) return BandColour::Red;
  return percent < kGreenFrom ? BandColour::Yellow : BandColour::Green;
}

BandColour NoiseColour(int percent) {
  if (percent < kYellowFrom) return BandColour::Green;
  return percent < kGreenFrom ? BandColour::Yellow : BandColour::Red;
}

int Smoothed(int reading, int previous) {
  if (previous == 0) return reading;
  return int((previous + reading) * 0.5 + 0.5);
}

int LinkQualityPercent(uint32_t channelQuality, int previous) {
  const double raw = double(channelQuality) * 1.2 + 10;
  const int q = raw > 100 ? 100 : int(raw);
  return Smoothed(q, previous);
}

int NoiseDbm(int chipKind, std::span<const Reading, 3> rssi, std::span<const Reading, 2> snr,
             Reading noiseLevel) {
  if (!UsesRateWords(chipKind)) return int(noiseLevel.value) - kNoiseLevelOffset;
  std::optional<int32_t> strongest;
  for (const Reading& r : rssi) {
    if (r.ok && (!strongest || r.value > *strongest)) strongest = r.value;
  }
  std::optional<uint32_t> smaller;
  for (const Reading& s : snr) {
    const auto v = uint32_t(s.value);
    if (s.ok && v != kSnrNotAvailable && (!smaller || v < *smaller)) smaller = v;
  }
  if (!strongest || !smaller || *strongest >= kStrongSignalDbm) return kNoiseFloorDbm;
  return int(*strongest - int64_t(*smaller));
}

int NoisePercent(int noiseDbm) {
  const long long n = (static_cast<long long>(noiseDbm) + 100) * 10 / 3;
  return int(std::clamp<long long>(n, 0, 100));
}

RateWord SplitRateWord(uint32_t word) {
  return {.mcs = int(word & 0x7F),
          .width40 = (word >> 7 & 1) != 0,
          .shortGuard = (word >> 8 & 1) != 0,
          .stbc = (word >> 9 & 3) != 0,
          .phyMode = int(word >> 14 & 3)};
}

double RateOfWord(uint32_t word) {
  const RateWord w = SplitRateWord(word);
  switch (w.phyMode) {
    case kPhyCck: {
      // 8 to 11 are the short-preamble forms of 0 to 3.
      const int index = w.mcs >= 8 ? w.mcs - 8 : w.mcs;
      return index >= 0 && index < 4 ? kCckRates[index] : 0;
    }
    case kPhyOfdm:
      return w.mcs < 8 ? kOfdmRates[w.mcs] : 0;
    default: {
      double rate = 0;
      return radio::LookupHtRate(w.width40, w.shortGuard, w.mcs, &rate) ? rate : 0;
    }
  }
}

double LegacyReceiveRate(uint32_t index) {
  return index < std::size(kLegacyReceiveRates) ? kLegacyReceiveRates[index] : 1.0;
}

bool UsesRateWords(int chipKind) {
  return chipKind >= 6 && chipKind <= 9;
}

bool UsesLegacyRates(int chipKind) {
  return chipKind == 0 || chipKind == 1 || chipKind == 4 || chipKind == 5;
}

std::string RateText(double mbps) {
  return Printf("%.1f Mbps", mbps);
}

double ThroughputMbps(uint32_t now, uint32_t previous) {
  const uint32_t d = now - previous;
  if (int32_t(d) < 0) return 0;
  // Bytes over the two-second tick: 8 bits per byte over 2 s is a division by 250,000.
  return double(d) / 250 / 1000;
}

std::string ThroughputText(double mbps) {
  return mbps >= 1 ? Printf("%.3f Mbps", mbps) : Printf("%.3f Kbps", mbps * 1000);
}

std::optional<std::string_view> LinkStateText(uint32_t state) {
  static constexpr std::string_view kTexts[kLinkStateCount] = {
      "Link is Up",
      "Link is Down",
      "Hardware radio off",
      "Software radio off",
      "Open authentication fail",
      "Shared authentication fail",
      "Association failed",
      "Deauthencation because MIC failure",
      "Deauthencation on 4-way handshake timeout",
      "Deauthencation on group key handshake timeout",
      "EAP succeed",
  };
  if (state >= kLinkStateCount) return std::nullopt;
  return kTexts[state];
}

std::string_view AuthenticationText(uint32_t mode) {
  switch (mode) {
    case Ndis802_11AuthModeShared:
      return "Shared";
    case Ndis802_11AuthModeWPA:
      return "WPA";
    case Ndis802_11AuthModeWPAPSK:
      return "WPA-PSK";
    case Ndis802_11AuthModeWPANone:
      return "WPA-NONE";
    case Ndis802_11AuthModeWPA2:
      return "WPA2";
    case Ndis802_11AuthModeWPA2PSK:
      return "WPA2-PSK";
    default:  // open, auto switch and anything unknown
      return "Open";
  }
}

std::string_view EncryptionText(uint32_t status) {
  switch (status) {
    case Ndis802_11Encryption1Enabled:
      return "WEP";
    case Ndis802_11EncryptionNotSupported:
      return "WEP Not Supported";
    case Ndis802_11Encryption2Enabled:
    case Ndis802_11Encryption2KeyAbsent:
      return "TKIP";
    case Ndis802_11Encryption3Enabled:
    case Ndis802_11Encryption3KeyAbsent:
      return "AES";
    default:
      return "NONE";
  }
}

std::string_view NetworkTypeText(uint32_t infrastructureMode) {
  return infrastructureMode != 0 ? "Infrastructure" : "IBSS";
}

std::string TxPowerText(int32_t power) {
  if (power >= 0 && power <= 6) return "Lowest";
  if (power == 100 || power == -1) return "100%";
  return std::to_string(power) + "%";
}

std::string StatusLine(std::string_view ssid, const std::array<uint8_t, 6>& b,
                       const std::optional<std::array<uint8_t, 4>>& peer) {
  char text[96];
  std::snprintf(text, sizeof text, " <--> %02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3],
                b[4], b[5]);
  std::string line = std::string(ssid) + text;
  if (peer && std::any_of(peer->begin(), peer->end(), [](uint8_t x) { return x != 0; })) {
    const auto& p = *peer;
    std::snprintf(text, sizeof text, " [%d.%d.%d.%d]", p[0], p[1], p[2], p[3]);
    line += text;
  }
  return line;
}

std::string ChannelText(uint32_t dsConfigKhz) {
  const int32_t channel = ChannelFromFrequency(dsConfigKhz);
  if (channel == kNoChannel) return {};
  char text[48];
  std::snprintf(text, sizeof text, "%u <--> %d MHz", unsigned(channel), int(dsConfigKhz / 1000));
  return text;
}

std::string FormatWithNumber(std::string_view format, long long value) {
  return FormatOne(format, "diu", [value](std::string_view spec) {
    // The flags and width as written, the number always as a 64-bit integer.
    std::string f(spec.substr(0, spec.size() - 1));
    for (std::string_view length : {"I64", "ll", "l", "h"}) {
      if (f.size() >= length.size() && f.ends_with(length)) f.resize(f.size() - length.size());
    }
    if (f.size() > 8) f.resize(1);  // an absurd width is dropped rather than honoured
    f += "lld";
    char text[64];
    std::snprintf(text, sizeof text, f.c_str(), value);
    return std::string(text);
  });
}

std::string FormatWithText(std::string_view format, std::string_view text) {
  return FormatOne(format, "s", [text](std::string_view) { return std::string(text); });
}

}  // namespace kavo9::link
