#include "station/networks/link/LinkStatus.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "common/adapter/DriverValues.h"
#include "common/adapter/RequestCatalogue.h"
#include "station/networks/RssiToPercent.h"

namespace kavo9::link {
namespace {

// NDIS_802_11_SSID: a 32-bit length and up to 32 octets.
constexpr uint32_t kSsidRecord = 36;
constexpr uint32_t kSsidMax = 32;
// OID_VND_LINK_RATE_INFO: the rate, the quality and the two byte counters must be there; the
// central channel closes the long form.
constexpr uint32_t kLinkRecord = 20;
constexpr uint32_t kLinkRecordFixed = 16;
// NDIS_802_11_CONFIGURATION: DSConfig (kHz) at byte 12.
constexpr uint32_t kConfigurationRecord = 32;
constexpr size_t kDsConfigOffset = 12;
// OID_VND_STA_CONFIG: eight words; the sixth says whether the radio is on.
constexpr uint32_t kStaConfigRecord = 32;
constexpr size_t kStaRadioWordOffset = 20;
constexpr uint32_t kRateWordMask = 0xFFFF;
// From this wireless mode on the adapter runs 802.11n.
constexpr int kFirstHtWirelessMode = 5;
constexpr const char* kNotAvailable = "n/a";

constexpr LangKey kPercentKeys[kBarCount] = {LangKey::IDS_LINK_QUALITY, LangKey::IDS_LINK_STRENGTH,
                                             LangKey::IDS_LINK_STRENGTH2,
                                             LangKey::IDS_LINK_STRENGTH3, LangKey::IDS_NOISELEVEL};
constexpr LangKey kDbmKeys[kBarCount] = {
    LangKey::IDS_LINK_QUALITY, LangKey::IDS_LINK_STRENGTH_DBM, LangKey::IDS_LINK_STRENGTH2_DBM,
    LangKey::IDS_LINK_STRENGTH3_DBM, LangKey::IDS_NOISELEVEL_DBM};
constexpr LangKey kEmptyDbmKeys[kBarCount] = {
    LangKey::IDS_LINK_QUALITY, LangKey::IDS_LINK_STRENGTH_EMPTY_DBM,
    LangKey::IDS_LINK_STRENGTH2_EMPTY_DBM, LangKey::IDS_LINK_STRENGTH3_EMPTY_DBM,
    LangKey::IDS_NOISELEVEL_EMPTY_DBM};
constexpr LangKey kAbsentKeys[3] = {LangKey::IDS_STRENGTH1, LangKey::IDS_STRENGTH2,
                                    LangKey::IDS_STRENGTH3};
constexpr uint32_t kRssiRequests[3] = {OID_802_11_RSSI, OID_VND_RSSI1, OID_VND_RSSI2};

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// An antenna that answered with a reading of its own.
bool Present(const Reading& r) {
  return r.ok && r.value != kNoAntennaDbm;
}

}  // namespace

LinkStatus::LinkStatus(DriverPort& driver, LinkStationPort& station)
    : driver_(driver), station_(station) {}

std::string LinkStatus::Percent(LangKey key, int value) const {
  return FormatWithNumber(station_.Text(key), value);
}

void LinkStatus::OnCreate() {
  for (size_t bar = 0; bar < kBarCount; ++bar) {
    view_.bars[bar] = {0, BandColour::Green, Percent(kPercentKeys[bar], 0)};
  }
  for (GraphView* graph : {&view_.tx, &view_.rx}) {
    graph->samples.clear();
    graph->max = 0;
    graph->maxText = ThroughputText(0);
  }
  txHistory_.fill(0);
  rxHistory_.fill(0);
  view_.ht.fill(kNotAvailable);
  QueryValue(driver_, OID_802_3_CURRENT_ADDRESS, &adapterMac_);
}

void LinkStatus::OnShow() {
  for (std::string& text : view_.texts) text.clear();
  for (GraphView* graph : {&view_.tx, &view_.rx}) {
    graph->samples.clear();
    graph->max = 0;
    graph->maxText = "0.000 Mbps";
  }
  // Only whether the driver answers matters: an adapter without a second (or third) antenna
  // refuses its signal query.
  int32_t rssi = 0;
  const bool second = QueryValue(driver_, OID_VND_RSSI1, &rssi);
  const bool third = QueryValue(driver_, OID_VND_RSSI2, &rssi);
  if (!second) {
    view_.antennas = {false, false, 1};
  } else if (!third) {
    view_.antennas = {true, false, 2};
  } else {
    view_.antennas = {true, true, 3};
  }
  view_.htVisible = station_.IsHtFamily();
  // Nothing was counted while the page was hidden: a difference across that time, taken as one
  // tick's, would show a throughput that never was. The next sample only records the counts.
  firstSample_ = true;
}

void LinkStatus::ResetByteCounts() {
  txCount_ = 0;
  rxCount_ = 0;
}

void LinkStatus::Refresh(uint64_t nowMs) {
  uint32_t state = 0;
  const bool stateOk = QueryValue(driver_, OID_VND_LINK_STATE, &state);
  const std::optional<std::string_view> stateText =
      stateOk ? LinkStateText(state) : std::optional<std::string_view>();
  view_.texts[kExtraInfoText] = stateText ? std::string(*stateText) : std::string();
  radioReportedOff_ = stateText && state == kLinkHardwareRadioOff;

  const bool isLegacy = IsLegacyRate();
  uint32_t media = 0;
  std::memset(&media, 0x01, sizeof media);
  const bool mediaOk = driver_.QueryInformation(OID_GEN_MEDIA_CONNECT_STATUS, &media, 4, nullptr);
  std::array<uint8_t, 6> bssid{};
  if (mediaOk && !radioReportedOff_) QueryValue(driver_, OID_802_11_BSSID, &bssid);
  const bool noBssid = std::all_of(bssid.begin(), bssid.end(), [](uint8_t b) { return b == 0; });
  if (!mediaOk || radioReportedOff_ || media != kMediaConnected || noBssid) {
    ShowNotConnected(isLegacy, mediaOk);
    history_.AddGap(nowMs);
    return;
  }
  view_.connected = true;

  std::array<uint8_t, kSsidRecord> ssid{};
  driver_.QueryInformation(OID_802_11_SSID, ssid.data(), kSsidRecord, nullptr);
  // A driver that claims more than 32 octets gets 32: the record holds no more.
  const uint32_t ssidLength = std::min(Le32(ssid.data()), kSsidMax);
  const std::string ssidText(reinterpret_cast<const char*>(ssid.data() + 4), ssidLength);

  int32_t power = 0;
  powerText_ = QueryValue(driver_, OID_VND_TX_POWER, &power) ? TxPowerText(power) : std::string();

  std::array<uint8_t, 4> peer{};
  const bool peerOk = QueryValue(driver_, OID_VND_PEER_INFO, &peer);
  view_.texts[kStatusText] =
      StatusLine(ssidText, bssid, peerOk ? std::optional(peer) : std::nullopt);

  ShowLinkDetails();
  ShowAddresses();
  ShowReceiveRate(isLegacy);
  ShowLinkRecord();
  Signals readings = ShowSignals();
  ShowSnr(readings, isLegacy);
  const int noise = ShowNoise(readings);

  if (station_.KeyError()) {
    view_.texts[kExtraInfoText] += FormatWithText(" -- %s ", station_.Text(LangKey::IDS_WEPERROR));
  }
  if (!powerText_.empty()) view_.texts[kExtraInfoText] += " [TxPower:" + powerText_ + "]";

  std::optional<int32_t> strongest;
  for (const Reading& r : readings.rssi) {
    if (Present(r) && (!strongest || r.value > *strongest)) strongest = r.value;
  }
  if (strongest) {
    history_.AddLinked(nowMs, *strongest, noise);
  } else {
    history_.AddGap(nowMs);
  }
}

void LinkStatus::ShowLinkDetails() {
  uint32_t infrastructure = 0;
  QueryValue(driver_, OID_802_11_INFRASTRUCTURE_MODE, &infrastructure);
  view_.texts[kNetworkTypeText] = NetworkTypeText(infrastructure);
  uint32_t authentication = 0;
  QueryValue(driver_, OID_802_11_AUTHENTICATION_MODE, &authentication);
  view_.texts[kAuthenticationText] = AuthenticationText(authentication);
  uint32_t encryption = Ndis802_11EncryptionDisabled;
  driver_.QueryInformation(OID_802_11_ENCRYPTION_STATUS, &encryption, 4, nullptr);
  view_.texts[kEncryptionText] = EncryptionText(encryption);
}

void LinkStatus::ShowAddresses() {
  view_.texts[kIpAddressText].clear();
  view_.texts[kIpMaskText].clear();
  view_.texts[kGatewayText].clear();
  // Without the adapter's own address no entry is ours.
  if (std::all_of(adapterMac_.begin(), adapterMac_.end(), [](uint8_t b) { return b == 0; })) {
    return;
  }
  std::vector<IpAdapterInfo> adapters;
  if (!station_.AdaptersInfo(&adapters)) return;
  for (const IpAdapterInfo& entry : adapters) {
    if (entry.address.size() != adapterMac_.size() ||
        !std::equal(adapterMac_.begin(), adapterMac_.end(), entry.address.begin())) {
      continue;
    }
    view_.texts[kIpAddressText] = entry.ipAddress;
    view_.texts[kIpMaskText] = entry.subnetMask;
    view_.texts[kGatewayText] = entry.gateway;
  }
}

bool LinkStatus::IsLegacyRate() {
  uint32_t word = 0;
  // A rate the driver does not tell is taken as a legacy one.
  if (!QueryValue(driver_, OID_VND_TX_RATE_WORD, &word)) return true;
  const int mode = SplitRateWord(word & kRateWordMask).phyMode;
  if (mode == kPhyHtMixed || mode == kPhyHtGreenfield) {
    return station_.WirelessMode() < kFirstHtWirelessMode;
  }
  return true;
}

double LinkStatus::DecodeRateWord(uint32_t request) {
  uint32_t word = 0;
  QueryValue(driver_, request, &word);  // a failed query decodes as CCK index 0
  word &= kRateWordMask;
  if (request == OID_VND_TX_RATE_WORD && !legacyShown_ && station_.IsHtFamily()) {
    const RateWord w = SplitRateWord(word);
    view_.ht[kBwText] = w.width40 ? "40" : "20";
    view_.ht[kGiText] = w.shortGuard ? "short" : "long";
    view_.ht[kStbcText] = w.stbc ? "used" : "none";
    view_.ht[kMcsText] = std::to_string(w.mcs);
  }
  return RateOfWord(word);
}

void LinkStatus::SetHtNotAvailable() {
  view_.ht.fill(kNotAvailable);
}

void LinkStatus::ShowReceiveRate(bool isLegacy) {
  if (station_.IsHtFamily()) {
    if (isLegacy && !legacyShown_) {
      legacyShown_ = true;
      SetHtNotAvailable();
    }
    if (!isLegacy) legacyShown_ = false;
  }
  double rate = 1.0;
  const int chip = station_.ChipKind();
  if (UsesLegacyRates(chip)) {
    uint32_t index = 0;
    if (QueryValue(driver_, OID_VND_RX_RATE, &index)) rate = LegacyReceiveRate(index);
  } else if (UsesRateWords(chip)) {
    rate = DecodeRateWord(OID_VND_RX_RATE);
  }
  view_.texts[kRxRateText] = RateText(rate);
}

void LinkStatus::ShowLinkRecord() {
  std::array<uint8_t, kLinkRecord> record{};
  const bool ok =
      QueryRecord(driver_, OID_VND_LINK_RATE_INFO, record.data(), kLinkRecord, kLinkRecordFixed);
  std::array<uint8_t, kConfigurationRecord> configuration{};
  std::string& channel = view_.texts[kChannelText];
  channel.clear();
  if (QueryRecord(driver_, OID_802_11_CONFIGURATION, configuration.data(), kConfigurationRecord,
                  kDsConfigOffset + 4)) {
    channel = ChannelText(Le32(configuration.data() + kDsConfigOffset));
  }
  if (!ok) return;  // rates, throughput and quality stay as they were

  const int chip = station_.ChipKind();
  if (UsesLegacyRates(chip)) {
    view_.texts[kTxRateText] = RateText(Le32(record.data()) * 0.5);
  } else if (UsesRateWords(chip)) {
    view_.texts[kTxRateText] = RateText(DecodeRateWord(OID_VND_TX_RATE_WORD));
  }
  if (station_.IsHtFamily() && station_.WirelessMode() >= kFirstHtWirelessMode &&
      station_.ConnectedRowIsHt() && !channel.empty()) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, " : %d", int(Le32(record.data() + 16)));
    channel += "; " + station_.Text(LangKey::IDS_LINKSTATUS_CENTRAL_CHANNEL) + suffix;
  }
  ShowThroughput(Le32(record.data() + 8), Le32(record.data() + 12));

  const int quality = LinkQualityPercent(Le32(record.data() + 4), prevLinkQuality_);
  prevLinkQuality_ = quality;
  view_.bars[kQualityBar] = {quality, SignalColour(quality),
                             Percent(LangKey::IDS_LINK_QUALITY, quality)};
}

void LinkStatus::ShowThroughput(uint32_t txBytes, uint32_t rxBytes) {
  if (firstSample_) {
    txCount_ = txBytes;
    rxCount_ = rxBytes;
    firstSample_ = false;
    return;
  }
  const double tx = ThroughputMbps(txBytes, txCount_);
  view_.texts[kTxThroughputText] = ThroughputText(tx);
  AddSample(view_.tx, txHistory_, tx);
  txCount_ = txBytes;
  const double rx = ThroughputMbps(rxBytes, rxCount_);
  view_.texts[kRxThroughputText] = ThroughputText(rx);
  AddSample(view_.rx, rxHistory_, rx);
  rxCount_ = rxBytes;
}

void LinkStatus::AddSample(GraphView& graph, std::array<double, kHistoryLength>& history,
                           double v) {
  std::rotate(history.begin(), history.begin() + 1, history.end());
  history.back() = v;
  graph.max = *std::max_element(history.begin(), history.end());
  graph.maxText = ThroughputText(graph.max);
  graph.samples.push_back(v);
  while (graph.samples.size() > kGraphSamples) graph.samples.pop_front();
}

LinkStatus::Signals LinkStatus::ShowSignals() {
  Signals s;
  for (size_t i = 0; i < 3; ++i) {
    int32_t value = 0;
    s.rssi[i].ok = QueryValue(driver_, kRssiRequests[i], &value);
    s.rssi[i].value = value;
  }
  int percents[3];
  for (size_t i = 0; i < 3; ++i) percents[i] = RssiToPercent(s.rssi[i].value);
  if (Present(s.rssi[0])) {
    percents[0] = Smoothed(percents[0], prevSignalPercent_);
    prevSignalPercent_ = percents[0];
  }
  for (size_t i = 0; i < 3; ++i) SetSignalBar(kSignalBar0 + i, percents[i], s.rssi[i]);
  return s;
}

void LinkStatus::SetSignalBar(size_t bar, int percent, const Reading& reading) {
  BarView& view = view_.bars[bar];
  const size_t antenna = bar - kSignalBar0;
  if (!Present(reading)) {
    // No reading of this antenna: its own words, and an empty bar in the colour it had.
    view.caption = station_.Text(kAbsentKeys[antenna]);
    view.position = 0;
    return;
  }
  percent = std::min(percent, 100);
  view.caption = station_.ShowDbm() ? FormatWithNumber(station_.Text(kDbmKeys[bar]), reading.value)
                                    : Percent(kPercentKeys[bar], percent);
  view.colour = SignalColour(percent);
  view.position = percent;
}

void LinkStatus::ShowSnr(Signals& readings, bool isLegacy) {
  const uint32_t requests[2] = {OID_VND_SNR0, OID_VND_SNR1};
  const HtText texts[2] = {kSnr0Text, kSnr1Text};
  for (size_t i = 0; i < 2; ++i) {
    uint32_t value = 0;
    readings.snr[i].ok = QueryValue(driver_, requests[i], &value);
    readings.snr[i].value = int32_t(value);
    if (!readings.snr[i].ok || value == kSnrNotAvailable) {
      view_.ht[texts[i]] = kNotAvailable;
    } else if (!isLegacy) {
      view_.ht[texts[i]] = std::to_string(int32_t(value));
    }
  }
}

int LinkStatus::ShowNoise(const Signals& readings) {
  uint32_t level = 0;
  const Reading noiseLevel{QueryValue(driver_, OID_VND_NOISE_LEVEL, &level), int32_t(level)};
  std::array<Reading, 3> antennas = readings.rssi;
  for (Reading& r : antennas) r.ok = Present(r);
  const int dbm = NoiseDbm(station_.ChipKind(), antennas, readings.snr, noiseLevel);
  const int n = NoisePercent(dbm);
  view_.bars[kNoiseBar] = {n, NoiseColour(n),
                           station_.ShowDbm()
                               ? FormatWithNumber(station_.Text(LangKey::IDS_NOISELEVEL_DBM), dbm)
                               : Percent(LangKey::IDS_NOISELEVEL, n)};
  return dbm;
}

void LinkStatus::ResetBarCaptions() {
  const bool dbm = station_.ShowDbm();
  for (size_t bar = 0; bar < kBarCount; ++bar) {
    view_.bars[bar].caption = dbm && bar != kQualityBar ? station_.Text(kEmptyDbmKeys[bar])
                                                        : Percent(kPercentKeys[bar], 0);
  }
}

void LinkStatus::ShowNotConnected(bool isLegacy, bool driverAnswered) {
  view_.connected = false;
  std::string& status = view_.texts[kStatusText];
  if (!driverAnswered) {
    status = station_.Text(LangKey::IDS_DRIVER_NOTOK);
  } else {
    std::array<uint8_t, kStaConfigRecord> config{};
    const bool radioWordOn = station_.RadioOn() &&
                             QueryRecord(driver_, OID_VND_STA_CONFIG, config.data(),
                                         kStaConfigRecord, kStaConfigRecord) &&
                             Le32(config.data() + kStaRadioWordOffset) != 0;
    status = station_.Text(radioWordOn ? LangKey::IDS_DISCONNECTED : LangKey::IDS_RADIOOFF);
  }
  // Empty bars never keep the last link's numbers in their captions.
  ResetBarCaptions();
  // The link-state text stays: it says why there is no link ("Hardware radio off").
  for (size_t text = kChannelText; text < kLinkTextCount; ++text) view_.texts[text].clear();
  for (BarView& bar : view_.bars) bar.position = 0;
  if ((isLegacy != legacyShown_ || !isLegacy) && station_.IsHtFamily()) SetHtNotAvailable();
  AddSample(view_.tx, txHistory_, 0);
  AddSample(view_.rx, rxHistory_, 0);
}

}  // namespace kavo9::link
