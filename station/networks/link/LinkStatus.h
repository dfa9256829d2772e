#pragma once
// The link status panel's logic: what the panel shows after each 2-second refresh, from the
// driver's answers, the station's flags and the system's adapter table. It only reads: nothing
// here sets anything in the driver. The window binds its controls to View() and holds no rule.

#include <array>
#include <cstdint>
#include <deque>
#include <string>

#include "common/adapter/DriverPort.h"
#include "station/networks/link/LinkPorts.h"
#include "station/networks/link/LinkRules.h"
#include "station/networks/link/SignalHistory.h"

namespace kavo9::link {

inline constexpr uint32_t kRefreshMs = 2000;
// Samples a throughput maximum is taken over.
inline constexpr size_t kHistoryLength = 29;
// Samples a graph keeps to draw (more than the maximum covers: a wide graph shows them all).
inline constexpr size_t kGraphSamples = 300;
// What an RSSI query reads for an antenna the adapter lacks.
inline constexpr int32_t kNoAntennaDbm = -200;

enum LinkText : size_t {
  kStatusText,
  kExtraInfoText,
  kChannelText,
  kAuthenticationText,
  kEncryptionText,
  kNetworkTypeText,
  kIpAddressText,
  kIpMaskText,
  kGatewayText,
  kTxRateText,
  kTxThroughputText,
  kRxRateText,
  kRxThroughputText,
  kLinkTextCount
};
enum HtText : size_t { kBwText, kGiText, kStbcText, kMcsText, kSnr0Text, kSnr1Text, kHtTextCount };
enum LinkBar : size_t { kQualityBar, kSignalBar0, kSignalBar1, kSignalBar2, kNoiseBar, kBarCount };

struct BarView {
  int position = 0;
  BandColour colour = BandColour::Green;
  std::string caption;  // the text drawn over the bar, filled in
  bool operator==(const BarView&) const = default;
};

struct GraphView {
  std::deque<double> samples;  // Mbit/s, oldest first
  double max = 0;              // the vertical maximum
  std::string maxText;         // "0.000 Kbps"
};

// Which signal bars the adapter has, and which slot the noise bar takes (1 or 2 for the places
// of bars 1062 and 1063; 3 for its own).
struct AntennaLayout {
  bool signal1 = true;
  bool signal2 = true;
  int noiseSlot = 3;
  bool operator==(const AntennaLayout&) const = default;
};

struct LinkView {
  std::array<std::string, kLinkTextCount> texts;
  std::array<std::string, kHtTextCount> ht;
  std::array<BarView, kBarCount> bars;
  GraphView tx, rx;
  AntennaLayout antennas;
  bool htVisible = false;  // the 802.11n section (its STBC line is never shown)
  bool connected = false;  // the last refresh found a link
};

class LinkStatus {
 public:
  LinkStatus(DriverPort& driver, LinkStationPort& station);

  // The page was created: captions, bars at 0, the graphs' labels, the adapter's address.
  void OnCreate();
  // The page is shown: texts and graphs start over, the antenna layout and the 802.11n section;
  // the next refresh only records the byte counts.
  void OnShow();
  // One refresh; `nowMs` is the monotonic clock, for the signal history.
  void Refresh(uint64_t nowMs);
  // Reset Counter on the statistics page: the next throughput sample counts from zero.
  void ResetByteCounts();

  const LinkView& View() const { return view_; }
  const SignalHistory& History() const { return history_; }
  const std::array<uint8_t, 6>& AdapterMac() const { return adapterMac_; }
  bool LegacyShown() const { return legacyShown_; }
  uint32_t TxCount() const { return txCount_; }
  uint32_t RxCount() const { return rxCount_; }

 private:
  struct Signals {
    std::array<Reading, 3> rssi;
    std::array<Reading, 2> snr;
  };
  void ShowNotConnected(bool isLegacy, bool driverAnswered);
  void SetHtNotAvailable();
  bool IsLegacyRate();
  double DecodeRateWord(uint32_t request);
  void ShowLinkDetails();
  void ShowAddresses();
  void ShowReceiveRate(bool isLegacy);
  void ShowLinkRecord();
  void ShowThroughput(uint32_t txBytes, uint32_t rxBytes);
  void AddSample(GraphView& graph, std::array<double, kHistoryLength>& history, double v);
  Signals ShowSignals();
  void ShowSnr(Signals& readings, bool isLegacy);
  int ShowNoise(const Signals& readings);
  void SetSignalBar(size_t bar, int percent, const Reading& reading);
  void ResetBarCaptions();
  std::string Percent(LangKey key, int value) const;

  DriverPort& driver_;
  LinkStationPort& station_;
  LinkView view_;
  SignalHistory history_;
  std::array<uint8_t, 6> adapterMac_{};
  int prevSignalPercent_ = 0;
  int prevLinkQuality_ = 0;
  uint32_t txCount_ = 0;
  uint32_t rxCount_ = 0;
  bool firstSample_ = true;
  bool legacyShown_ = false;
  bool radioReportedOff_ = false;
  std::string powerText_;
  std::array<double, kHistoryLength> txHistory_{};
  std::array<double, kHistoryLength> rxHistory_{};
};

}  // namespace kavo9::link
