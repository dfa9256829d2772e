// The emulated driver's answers: identity, request checking, faults, registers, state, counters
// and the request log.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>

#include "common/platform/WinTypes.h"
#include "common/platform/fake/FakePlatform.h"
#include "sim/emulator/tests/EmulatorTestSupport.h"

namespace kavo9::test {
namespace {

TEST_F(EmulatorTest, IdentityAndVersions) {
  EXPECT_EQ(Query(*emulator, OID_GEN_DRIVER_VERSION).data, (std::vector<uint8_t>{0x06, 0x01}));
  EXPECT_EQ(Query(*emulator, OID_802_3_CURRENT_ADDRESS).data,
            (std::vector<uint8_t>{0x00, 0x1D, 0x5A, 0x30, 0x70, 0x01}));
  EXPECT_EQ(Query(*emulator, OID_VND_EEPROM_VERSION).data, (std::vector<uint8_t>{3, 1, 0, 0}));
  // "1.3" is shown from byte 1 then byte 0.
  EXPECT_EQ(Query(*emulator, OID_VND_FIRMWARE_VERSION).data, (std::vector<uint8_t>{3, 1, 0, 0}));
  Reply types = Query(*emulator, OID_802_11_NETWORK_TYPES_SUPPORTED);
  ASSERT_EQ(types.data.size(), 20u);
  EXPECT_EQ(types.U32(0), 2u);
  EXPECT_EQ(types.U32(4), 1u);  // DS
  EXPECT_EQ(types.U32(8), 3u);  // OFDM 2.4 GHz; no 5 GHz type on this adapter
}

TEST_F(EmulatorTest, RequestsAreCheckedByCodeDirectionAndLength) {
  struct Case {
    const char* name;
    uint32_t code;
    uint32_t length;
    int32_t status;
  };
  const Case cases[] = {
      {"exact length", OID_VND_OP_MODE, 4, ERROR_SUCCESS},
      {"short buffer", OID_VND_OP_MODE, 3, ERROR_INVALID_PARAMETER},
      {"long buffer", OID_VND_OP_MODE, 8, ERROR_INVALID_PARAMETER},
      {"unknown code", 0x0D7101FF, 4, ERROR_NOT_SUPPORTED},
      {"query of a set-only code", OID_VND_RADIO, 4, ERROR_NOT_SUPPORTED},
      {"set of a query-only code", OID_VND_LINK_STATE | kSetBit, 4, ERROR_NOT_SUPPORTED},
      {"set with the wrong length", OID_802_11_SSID | kSetBit, 32, ERROR_INVALID_PARAMETER},
      {"either length, short form", OID_VND_LINK_RATE_INFO, 16, ERROR_SUCCESS},
      {"either length, long form", OID_VND_LINK_RATE_INFO, 20, ERROR_SUCCESS},
      {"either length, neither", OID_VND_LINK_RATE_INFO, 18, ERROR_INVALID_PARAMETER},
      {"list below its minimum", OID_802_11_BSSID_LIST, 1024, ERROR_INVALID_PARAMETER},
      {"scan trigger without value", OID_802_11_BSSID_LIST_SCAN | kSetBit, 0, ERROR_SUCCESS},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Request(*emulator, c.code, std::vector<uint8_t>(c.length, 0)).status, c.status)
        << c.name;
  }
  uint32_t count = 7;
  uint8_t shortInput[3] = {};
  std::vector<uint8_t> out(4);
  EXPECT_EQ(emulator->Handle(IOCTL_NDIS_QUERY_GLOBAL_STATS, shortInput, out, &count),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(count, 0u);
  uint8_t in[4];
  WriteLe32(in, OID_VND_OP_MODE);
  EXPECT_EQ(emulator->Handle(0x00170003, in, out, &count), ERROR_NOT_SUPPORTED);
}

// Every catalogued code is answered at its listed length, by an area or by the last-value store,
// except the codes no area models yet: those are refused loudly. Adding the area that answers one
// takes it off this list.
TEST_F(EmulatorTest, EveryCatalogueCodeAnswersAtItsListedLengthOrIsRefused) {
  const std::set<uint32_t> unmodelled = {};
  // All-zero requests that name nothing the driver could act on.
  const std::set<uint32_t> badValue = {OID_VND_HT_PHY_MODE, OID_VND_BLOCK_ACK,
                                       OID_VND_DELETE_BLOCK_ACK, OID_VND_WPS_START};
  EXPECT_EQ(emulator->registrationClashes(), 0);
  for (const RequestInfo& info : RequestCatalogue()) {
    const bool refused = unmodelled.count(info.code) != 0;
    EXPECT_EQ(refused, !emulator->HasArea(info.code) && !emu::LastValueStore::Keeps(info.code))
        << info.name;
    if (info.CanQuery()) {
      Reply r = Query(*emulator, info.code, info.queryLength);
      EXPECT_EQ(r.status, refused ? ERROR_NOT_SUPPORTED : ERROR_SUCCESS) << info.name;
      EXPECT_LE(r.data.size(), info.queryLength) << info.name;
    }
    if (info.CanSet()) {
      // An all-zero HT PHY record names no PHY mode, an all-zero Block Ack request no window or
      // session, an all-zero WPS start no method, so the driver refuses them as bad values.
      const int32_t expected = refused                     ? ERROR_NOT_SUPPORTED
                               : badValue.count(info.code) ? ERROR_INVALID_PARAMETER
                                                           : ERROR_SUCCESS;
      EXPECT_EQ(Set(*emulator, info.code, std::vector<uint8_t>(info.setLength, 0)).status, expected)
          << info.name;
    }
  }
  // A code both on the list and claimed by an area is answered by the area in one direction
  // and only kept in the other.
  for (uint32_t code : emu::LastValueStore::Codes()) {
    if (emulator->HasArea(code)) {
      EXPECT_EQ(code, OID_802_11_CONFIGURATION) << FindRequest(code)->name;
    }
  }
}

TEST_F(EmulatorTest, KeptCodesAnswerTheLastValueSetUntilTheDriverReloads) {
  EXPECT_EQ(Query(*emulator, OID_VND_TX_POWER).U32(), 100u);  // the driver's own value
  EXPECT_EQ(Query(*emulator, OID_VND_PREAMBLE).U32(), 0u);    // nothing set yet
  ASSERT_EQ(Set(*emulator, OID_VND_TX_POWER, Le32(40)).status, ERROR_SUCCESS);
  ASSERT_EQ(Set(*emulator, OID_VND_PREAMBLE, Le32(2)).status, ERROR_SUCCESS);
  EXPECT_EQ(Query(*emulator, OID_VND_TX_POWER).U32(), 40u);
  EXPECT_EQ(Query(*emulator, OID_VND_PREAMBLE).U32(), 2u);
  // The configuration is kept when set but answered from the association.
  std::vector<uint8_t> configuration(32, 0);
  WriteLe32(&configuration[4], 250);
  ASSERT_EQ(Set(*emulator, OID_802_11_CONFIGURATION, configuration).status, ERROR_SUCCESS);
  EXPECT_EQ(Query(*emulator, OID_802_11_CONFIGURATION).U32(4), 100u);
  emulator->Load({});
  EXPECT_EQ(Query(*emulator, OID_VND_TX_POWER).U32(), 100u);
  EXPECT_EQ(Query(*emulator, OID_VND_PREAMBLE).U32(), 0u);
}

TEST_F(EmulatorTest, InjectedFaultsFireExactlyTheArmedCount) {
  emulator->FailNext(OID_VND_RADIO | kSetBit, 2);
  EXPECT_EQ(Set(*emulator, OID_VND_RADIO, Le32(0)).status, ERROR_GEN_FAILURE);
  EXPECT_EQ(Query(*emulator, OID_VND_OP_MODE).status, 0);  // other codes unaffected
  EXPECT_EQ(Set(*emulator, OID_VND_RADIO, Le32(0)).status, ERROR_GEN_FAILURE);
  EXPECT_TRUE(emulator->radioOn());
  EXPECT_EQ(Set(*emulator, OID_VND_RADIO, Le32(0)).status, 0);
  EXPECT_FALSE(emulator->radioOn());
  EXPECT_EQ(emulator->FailuresFired(OID_VND_RADIO), 2);
  EXPECT_EQ(emulator->FailuresArmed(OID_VND_RADIO), 0);
}

TEST_F(EmulatorTest, RegistersReadWhatWasSeededAndWritten) {
  auto read = [&](uint32_t type, uint32_t offset) {
    std::vector<uint8_t> record(12, 0);
    WriteLe32(&record[0], type);
    WriteLe32(&record[4], offset);
    Reply r = Request(*emulator, OID_VND_REGISTER_ACCESS, record);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.U32(0), type);
    EXPECT_EQ(r.U32(4), offset);
    return r.U32(8);
  };
  auto write = [&](uint32_t type, uint32_t offset, uint32_t value) {
    std::vector<uint8_t> record(12, 0);
    WriteLe32(&record[0], type);
    WriteLe32(&record[4], offset);
    WriteLe32(&record[8], value);
    return Set(*emulator, OID_VND_REGISTER_ACCESS, record).status;
  };
  EXPECT_EQ(read(1, 3), 0x2Au);       // seeded BBP register
  EXPECT_EQ(read(3, 0x36), 0x0200u);  // seeded EEPROM word
  EXPECT_EQ(read(3, 0x04), 0x1D00u);  // MAC address bytes 0 and 1 in the EEPROM
  EXPECT_EQ(read(3, 0x40), 0xFFFFu);  // an unprogrammed word
  EXPECT_EQ(read(0, 0x1000), 0u);
  EXPECT_EQ(write(0, 0x1000, 0x12345678), 0);
  EXPECT_EQ(read(0, 0x1000), 0x12345678u);
  EXPECT_EQ(write(1, 7, 0x1FF), 0);
  EXPECT_EQ(read(1, 7), 0xFFu);  // BBP registers are 8 bits wide
  EXPECT_EQ(write(4, 0, 1), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(write(1, 256, 1), ERROR_INVALID_PARAMETER);
}

TEST_F(EmulatorTest, ParametersComeFromTheAdapterKeyAndFixedRegionsStay) {
  EXPECT_EQ(Query(*emulator, OID_VND_WIRELESS_MODE).U32(), 9u);
  AdapterSpec spec = scenario.adapters[0];
  spec.fixedRegion24 = 5;
  AdapterEmulator fixed(spec, world, [this] { return loop.MonotonicMs(); });
  fixed.Load({{"countryregion", "1"},
              {"CountryRegionABand", "7"},
              {"Radio", "1"},
              {"OpMode", "1"},
              {"WirelessMode", "junk"}});
  EXPECT_EQ(Query(fixed, OID_VND_COUNTRY_REGION).U32(), 0x0785u);
  EXPECT_EQ(Set(fixed, OID_VND_COUNTRY_REGION, Le32(0x0102)).status, 0);
  EXPECT_EQ(Query(fixed, OID_VND_COUNTRY_REGION).U32(), 0x0185u);
  EXPECT_EQ(Query(fixed, OID_VND_LINK_STATE).U32(), 3u);  // radio off
  EXPECT_EQ(Query(fixed, OID_VND_OP_MODE).U32(), 1u);
  EXPECT_EQ(Query(fixed, OID_VND_WIRELESS_MODE).U32(), 9u);  // unreadable: the family's default
  EXPECT_EQ(Query(fixed, OID_VND_STA_CONFIG).U32(20), 0u);   // radio word
}

TEST_F(EmulatorTest, TransmitSettingFromTheKeySetsTheHtPhyModeAndRates) {
  // An open two-stream 40 MHz network on channel 6, its secondary channel above.
  NetworkSpec fast{.ssid = "Fast", .bssid = Mac("00-11-22-00-00-07"), .channel = 6};
  fast.ht = {.enabled = true, .width = 40, .secondary = 1, .streams = 2};
  std::string error;
  ASSERT_TRUE(world.Add(fast, &error)) << error;

  using Record = std::vector<uint8_t>;
  // The driver's own stand: mode 9, automatic MCS, 20 MHz, long guard interval.
  const Record defaults = {9, 0, 0, 0, 2, 0, 0, 33, 0, 0, 0, 0};
  struct {
    const char* name;
    const char* word;  // null: no such value
    Record record;
    uint32_t rateWord;
    uint32_t rate500k;
    uint32_t centralChannel;
  } cases[] = {
      {"missing", nullptr, defaults, 15 | 2 << 14, 260, 6},
      // 0x00009879: mode 9, MCS 7, 40 MHz, short guard interval.
      {"MCS 7 at 40 MHz, short",
       "39033",
       {9, 0, 0, 0, 2, 0, 0, 7, 1, 0, 1, 0},
       7 | 0x80 | 0x100 | 2 << 14,
       300,
       8},
      // 0x0005A0D5: greenfield, extension code 2, STBC, MCS 13, mode bits 5; the record reports
      // the driver's mode (9, from WirelessMode), not the word's.
      {"greenfield, STBC, extension",
       "368853",
       {9, 0, 0, 0, 2, 1, 2, 13, 0, 1, 0, 0},
       13 | 0x200 | 3 << 14,
       208,
       6},
      {"not a number", "junk", defaults, 15 | 2 << 14, 260, 6},
      {"negative", "-1", defaults, 15 | 2 << 14, 260, 6},
      {"beyond 32 bits", "4295006329", defaults, 15 | 2 << 14, 260, 6},  // low half 39033
      {"empty", "", defaults, 15 | 2 << 14, 260, 6},
      {"PHY mode not 2", "6265", defaults, 15 | 2 << 14, 260, 6},  // 0x1879
      {"MCS 20", "33097", defaults, 15 | 2 << 14, 260, 6},         // 0x8149
  };
  for (const auto& c : cases) {
    AdapterEmulator::Parameters parameters = {{"WirelessMode", "9"}};
    if (c.word) parameters["TransmitSetting"] = c.word;
    emulator->Load(parameters);
    Reply record = Query(*emulator, OID_VND_HT_PHY_MODE);
    EXPECT_EQ(record.status, 0) << c.name;
    EXPECT_EQ(record.data, c.record) << c.name;

    ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Fast")).status, 0) << c.name;
    EXPECT_EQ(Query(*emulator, OID_VND_TX_RATE_WORD).U32(), c.rateWord) << c.name;
    EXPECT_EQ(Query(*emulator, OID_VND_RX_RATE).U32(), c.rateWord) << c.name;
    Reply link = Query(*emulator, OID_VND_LINK_RATE_INFO, 20);
    EXPECT_EQ(link.U32(0), c.rate500k) << c.name;
    EXPECT_EQ(link.U32(16), c.centralChannel) << c.name;
  }

  // Not connected, or on a legacy link, the rates are no 802.11n rates.
  emulator->Load({{"TransmitSetting", "39033"}});
  EXPECT_EQ(Query(*emulator, OID_VND_TX_RATE_WORD).U32(), 0u);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  EXPECT_EQ(Query(*emulator, OID_VND_TX_RATE_WORD).U32(), 7u | 1 << 14) << "OFDM 54 Mbit/s";
  EXPECT_EQ(Query(*emulator, OID_VND_LINK_RATE_INFO, 16).U32(0), 108u);
}

TEST_F(EmulatorTest, JoiningAnOpenNetworkConnectsAndCountersMove) {
  EXPECT_EQ(Query(*emulator, OID_GEN_MEDIA_CONNECT_STATUS).U32(), 1u);
  EXPECT_EQ(Query(*emulator, OID_VND_LINK_STATE).U32(), 1u);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  EXPECT_EQ(Query(*emulator, OID_GEN_MEDIA_CONNECT_STATUS).U32(), 0u);
  EXPECT_EQ(Query(*emulator, OID_VND_LINK_STATE).U32(), 0u);
  EXPECT_EQ(Query(*emulator, OID_802_11_BSSID).data,
            (std::vector<uint8_t>{0x00, 0x11, 0x22, 0x00, 0x00, 0x01}));
  Reply ssid = Query(*emulator, OID_802_11_SSID);
  EXPECT_EQ(ssid.U32(0), 4u);
  EXPECT_EQ(std::string(ssid.data.begin() + 4, ssid.data.begin() + 8), "Cafe");

  uint32_t rx0 = Query(*emulator, OID_GEN_RCV_OK).U32();
  loop.Advance(10'000);
  uint32_t rx1 = Query(*emulator, OID_GEN_RCV_OK).U32();
  Reply stats = Query(*emulator, OID_802_11_STATISTICS);
  EXPECT_GT(rx1, rx0);
  EXPECT_GE(stats.U32(8), 10u);            // transmitted fragments
  EXPECT_LT(stats.U32(32), stats.U32(8));  // retries

  ASSERT_EQ(Set(*emulator, OID_VND_RESET_COUNTERS, {}).status, 0);
  EXPECT_EQ(Query(*emulator, OID_GEN_RCV_OK).U32(), 0u);

  // A secured network is not joined without its keys; the link drops when the network leaves.
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("HomeNet")).status, 0);
  EXPECT_EQ(Query(*emulator, OID_GEN_MEDIA_CONNECT_STATUS).U32(), 1u);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  world.Remove("00-11-22-00-00-01");
  EXPECT_EQ(Query(*emulator, OID_GEN_MEDIA_CONNECT_STATUS).U32(), 1u);
  loop.Advance(10'000);
  EXPECT_EQ(Query(*emulator, OID_GEN_RCV_OK).U32(), 0u);  // still while disconnected
}

// An NDIS_802_11_KEY record for a WEP key of index `index` (bit 31: the transmit key).
std::vector<uint8_t> WepKey(uint32_t index, const std::vector<uint8_t>& material) {
  std::vector<uint8_t> record(32, 0);
  WriteLe32(record.data(), uint32_t(39 + material.size()));
  WriteLe32(record.data() + 4, index);
  WriteLe32(record.data() + 8, uint32_t(material.size()));
  std::fill(record.begin() + 12, record.begin() + 20, 0xFF);
  record.insert(record.end(), material.begin(), material.end());
  return record;
}

TEST_F(EmulatorTest, WepKeyDecidesBetweenALinkAndAKeyError) {
  std::string error;
  NetworkSpec wep;
  wep.ssid = "Hoffmann";
  wep.bssid = Mac("00-09-5B-11-22-33");
  wep.channel = 3;
  wep.signal = -55;
  wep.security = Security::kWep;
  wep.key = "1A2B3C4D5E";
  ASSERT_TRUE(world.Add(wep, &error)) << error;
  const std::vector<uint8_t> right = {0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  const std::vector<uint8_t> wrong = {0x1A, 0x2B, 0x3C, 0x4D, 0x00};

  struct Case {
    const char* name;
    uint32_t auth;        // 0 open, 1 shared
    uint32_t encryption;  // 0 WEP enabled, 1 disabled
    std::vector<uint8_t> key;
    uint32_t keyIndex;
    bool connected;
    uint32_t flags;
  };
  const Case cases[] = {
      {"open, right key", 0, 0, right, 0x80000000, true, 0},
      {"open, right key at index 2", 0, 0, right, 0x80000002, true, 0},
      {"open, wrong key", 0, 0, wrong, 0x80000000, true, AdapterEmulator::kMessageKeyError},
      {"open, right key not the transmit key", 0, 0, right, 1, true,
       AdapterEmulator::kMessageKeyError},
      {"shared, right key", 1, 0, right, 0x80000000, true, 0},
      {"shared, wrong key", 1, 0, wrong, 0x80000000, false, 0},
      {"WEP not enabled", 0, 1, right, 0x80000000, false, 0},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Set(*emulator, OID_802_11_DISASSOCIATE, {}).status, 0) << c.name;
    ASSERT_EQ(Set(*emulator, OID_802_11_RELOAD_DEFAULTS, Le32(0)).status, 0) << c.name;
    ASSERT_EQ(Set(*emulator, OID_802_11_AUTHENTICATION_MODE, Le32(c.auth)).status, 0) << c.name;
    ASSERT_EQ(Set(*emulator, OID_802_11_ENCRYPTION_STATUS, Le32(c.encryption)).status, 0);
    ASSERT_EQ(Set(*emulator, OID_802_11_ADD_KEY, WepKey(c.keyIndex, c.key)).status, 0) << c.name;
    const uint64_t ups = emulator->linkUps(), changes = emulator->messageFlagChanges();
    ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Hoffmann")).status, 0) << c.name;
    EXPECT_EQ(Query(*emulator, OID_GEN_MEDIA_CONNECT_STATUS).U32(), c.connected ? 0u : 1u)
        << c.name;
    EXPECT_EQ(Query(*emulator, OID_VND_MESSAGE_FLAGS).U32(), c.flags) << c.name;
    EXPECT_EQ(emulator->linkUps(), ups + (c.connected ? 1 : 0)) << c.name;
    EXPECT_EQ(emulator->messageFlagChanges(), changes + (c.flags ? 1 : 0)) << c.name;
    // A wrong key sends but receives nothing.
    ASSERT_EQ(Set(*emulator, OID_VND_RESET_COUNTERS, {}).status, 0);
    loop.Advance(10'000);
    const uint32_t received = Query(*emulator, OID_GEN_RCV_OK).U32();
    EXPECT_EQ(received > 0, c.connected && c.flags == 0) << c.name;
  }
  // The key error goes with the link, and the change is counted.
  ASSERT_EQ(Set(*emulator, OID_802_11_ADD_KEY, WepKey(0x80000000, wrong)).status, 0);
  ASSERT_EQ(Set(*emulator, OID_802_11_AUTHENTICATION_MODE, Le32(0)).status, 0);
  ASSERT_EQ(Set(*emulator, OID_802_11_ENCRYPTION_STATUS, Le32(0)).status, 0);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Hoffmann")).status, 0);
  ASSERT_EQ(emulator->messageFlags(), AdapterEmulator::kMessageKeyError);
  const uint64_t changes = emulator->messageFlagChanges();
  ASSERT_EQ(Set(*emulator, OID_802_11_DISASSOCIATE, {}).status, 0);
  EXPECT_EQ(Query(*emulator, OID_VND_MESSAGE_FLAGS).U32(), 0u);
  EXPECT_EQ(emulator->messageFlagChanges(), changes + 1);

  // Malformed key records are refused.
  std::vector<uint8_t> truncated = WepKey(0x80000000, right);
  truncated.resize(34);
  EXPECT_EQ(Set(*emulator, OID_802_11_ADD_KEY, truncated).status, ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Set(*emulator, OID_802_11_ADD_KEY, WepKey(4, right)).status, ERROR_INVALID_PARAMETER);
}

TEST_F(EmulatorTest, ALinkComingUpIsCountedAlsoWhenItMovesToAnotherBssid) {
  std::string error;
  NetworkSpec second;
  second.ssid = "Europe13";
  second.bssid = Mac("00-11-22-00-00-07");
  second.channel = 1;
  second.signal = -70;
  ASSERT_TRUE(world.Add(second, &error)) << error;
  ASSERT_EQ(emulator->linkUps(), 0u);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("Cafe")).status, 0);
  EXPECT_EQ(emulator->linkUps(), 1u);
  std::vector<uint8_t> bssid = {0x00, 0x11, 0x22, 0x00, 0x00, 0x07};
  ASSERT_EQ(Set(*emulator, OID_802_11_BSSID, bssid).status, 0);
  EXPECT_EQ(emulator->linkUps(), 2u);
  ASSERT_EQ(Set(*emulator, OID_802_11_SSID, SsidValue("NoSuchNet")).status, 0);
  EXPECT_EQ(emulator->linkUps(), 2u);
  EXPECT_EQ(emulator->messageFlagChanges(), 0u);
}

TEST_F(EmulatorTest, RequestLogKeepsEveryRequestInOrder) {
  Query(*emulator, OID_VND_OP_MODE);
  Set(*emulator, OID_VND_RADIO, Le32(1));
  Query(*emulator, OID_VND_OP_MODE, 2);
  emulator->FailNext(OID_GEN_DRIVER_VERSION, 1);
  Query(*emulator, OID_GEN_DRIVER_VERSION);
  auto entries = log.Since(1);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].code, OID_VND_OP_MODE);
  EXPECT_FALSE(entries[0].set);
  EXPECT_EQ(entries[0].value, (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(entries[1].code, OID_VND_RADIO);
  EXPECT_TRUE(entries[1].set);
  EXPECT_EQ(entries[1].value, (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_EQ(entries[2].result, ERROR_INVALID_PARAMETER);
  EXPECT_EQ(entries[2].length, 2u);
  EXPECT_EQ(entries[3].result, ERROR_GEN_FAILURE);
  auto json = RequestLogEntryToJson(entries[1]);
  EXPECT_EQ(json["name"], "OID_VND_RADIO");
  EXPECT_EQ(json["kind"], "set");
  EXPECT_EQ(json["code"], "0x0D710108");
  EXPECT_EQ(json["value"], "01000000");
  EXPECT_EQ(json["adapter"], "usb0");
  EXPECT_EQ(log.Since(4).size(), 1u);
}

TEST(RequestLog, DropsTheOldestBeyondItsCapacity) {
  RequestLog log(3);
  for (int i = 0; i < 5; ++i) log.Add(RequestLogEntry{});
  auto entries = log.Since(0);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries.front().sequence, 3u);
  EXPECT_EQ(log.LastSequence(), 5u);
  EXPECT_TRUE(log.Since(6).empty());
}

TEST_F(EmulatorTest, PlugsIntoTheFakeDeviceLayer) {
  FakeDeviceIo io;
  io.devices["\\\\.\\" + scenario.adapters[0].instanceId] = emulator->AsHandler();
  auto handle = io.Open("\\\\.\\" + scenario.adapters[0].instanceId);
  ASSERT_NE(handle, DeviceIo::kInvalidHandle);
  uint32_t code = OID_VND_WIRELESS_MODE, value = 0, count = 0;
  ASSERT_TRUE(
      io.Control(handle, IOCTL_NDIS_QUERY_GLOBAL_STATS, &code, 4, &value, 4, &count, nullptr));
  EXPECT_EQ(value, 9u);
  EXPECT_EQ(count, 4u);
  io.Close(handle);
}

}  // namespace
}  // namespace kavo9::test
