// The driver request transport: queries, sets and the background retry of failed sets.
#include <gtest/gtest.h>

#include "common/adapter/AdapterAccess.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "common/platform/fake/FakePlatform.h"

namespace kavo9 {
namespace {

class Transport : public ::testing::Test {
 protected:
  Transport()
      : access(fake.platform(), Utility::kStation),
        driver([this] { return fake.loop.MonotonicMs(); }) {
    driver.answer = [](uint32_t, std::span<uint8_t>, uint32_t*) { return int32_t(ERROR_SUCCESS); };
    driver.PlugInto(fake.deviceIo);
    access.Publish(kTestDevicePath, {});
    access.DetectWindowsVersion();
  }

  std::vector<uint64_t> CallTimes() const {
    std::vector<uint64_t> times;
    for (const auto& c : driver.log) times.push_back(c.atMs);
    return times;
  }

  FakePlatform fake;
  AdapterAccess access;
  ScriptedDriver driver;
};

TEST_F(Transport, ARefusedSetReachesTheDriverThreeTimesHalfASecondApartThenIsDropped) {
  driver.answer = Refuse;
  const uint32_t mode = 1;
  EXPECT_FALSE(access.SetInformation(OID_802_11_INFRASTRUCTURE_MODE, &mode, 4, 3));
  ASSERT_EQ(access.SetRetryQueue().size(), 1u);
  TimerId timer = access.SetRetryQueue()[0].TimerId;
  EXPECT_TRUE(fake.loop.IsThreadTimerActive(timer));

  fake.loop.Advance(5000);
  EXPECT_EQ(CallTimes(), (std::vector<uint64_t>{0, 500, 1000}));
  for (const auto& call : driver.log) {
    EXPECT_TRUE(call.set);
    EXPECT_EQ(call.oid, OID_802_11_INFRASTRUCTURE_MODE);
    EXPECT_EQ(call.value, (std::vector<uint8_t>{1, 0, 0, 0}));
  }
  EXPECT_TRUE(access.SetRetryQueue().empty());
  EXPECT_FALSE(fake.loop.IsThreadTimerActive(timer));
  EXPECT_EQ(fake.loop.ActiveTimerCount(), 0u);
  EXPECT_EQ(fake.deviceIo.opens, fake.deviceIo.closes);  // every request closes its device
}

TEST_F(Transport, ASetWithOneAttemptIsNeverQueued) {
  driver.answer = Refuse;
  const uint32_t power = 100;
  EXPECT_FALSE(access.SetInformation(OID_VND_TX_POWER, &power, 4, 1));
  EXPECT_TRUE(access.SetRetryQueue().empty());
  fake.loop.Advance(2000);
  EXPECT_EQ(driver.log.size(), 1u);
}

TEST_F(Transport, ARetryThatSucceedsEndsTheEntry) {
  int refusals = 1;
  driver.answer = [&](uint32_t, std::span<uint8_t>, uint32_t*) {
    return refusals-- > 0 ? int32_t(ERROR_GEN_FAILURE) : int32_t(ERROR_SUCCESS);
  };
  const uint32_t region = 5;
  EXPECT_FALSE(access.SetInformation(OID_VND_COUNTRY_REGION, &region, 4, 3));
  fake.loop.Advance(3000);
  EXPECT_EQ(CallTimes(), (std::vector<uint64_t>{0, 500}));
  EXPECT_TRUE(access.SetRetryQueue().empty());
  EXPECT_EQ(fake.loop.ActiveTimerCount(), 0u);
}

TEST_F(Transport, AZeroLengthSetIsQueuedWithoutACopyAndRetried) {
  driver.answer = Refuse;
  EXPECT_FALSE(access.SetInformation(OID_802_11_BSSID_LIST_SCAN, nullptr, 0, 3));
  ASSERT_EQ(access.SetRetryQueue().size(), 1u);
  EXPECT_TRUE(access.SetRetryQueue()[0].Buffer.empty());
  EXPECT_EQ(access.SetRetryQueue()[0].BufferLength, 0u);
  fake.loop.Advance(1000);
  ASSERT_EQ(driver.log.size(), 3u);
  for (const auto& call : driver.log) EXPECT_TRUE(call.value.empty());
}

TEST_F(Transport, TheSetBitIsAddedOnceWhetherOrNotTheCallerGaveIt) {
  const uint8_t on = 1;
  for (uint32_t code : {OID_VND_WPS_CONNECT, OID_VND_WPS_CONNECT | kSetBit}) {
    driver.log.clear();
    EXPECT_TRUE(access.SetInformation(code, &on, 1, 3));
    ASSERT_EQ(driver.log.size(), 1u);
    EXPECT_TRUE(driver.log[0].set);
    EXPECT_EQ(driver.log[0].oid | kSetBit, 0x0DF10149u);
  }
  // A query goes out as given.
  uint32_t state = 0;
  EXPECT_TRUE(access.QueryInformation(OID_VND_LINK_STATE, &state, 4, nullptr));
  EXPECT_FALSE(driver.log.back().set);
  EXPECT_EQ(driver.log.back().oid, OID_VND_LINK_STATE);
}

// A value in read-only data, as the programs' constant records are.
constexpr uint8_t kReadOnlyValue[4] = {7, 0, 0, 0};

TEST_F(Transport, TheDeviceWorksOnACopySoReadOnlyValuesPassAndAreNeverWritten) {
  for (int version : {10, 8}) {  // XP x64 and XP
    access.SetWindowsVersionCode(version);
    driver.log.clear();
    int refusals = 1;
    driver.answer = [&](uint32_t, std::span<uint8_t> out, uint32_t* count) {
      // A device that writes into the value's buffer must not reach the caller's data.
      std::fill(out.begin(), out.end(), 0xEE);
      *count = uint32_t(out.size());
      return refusals-- > 0 ? int32_t(ERROR_GEN_FAILURE) : int32_t(ERROR_SUCCESS);
    };
    EXPECT_FALSE(access.SetInformation(OID_VND_WIRELESS_MODE, kReadOnlyValue, 4, 3));
    fake.loop.Advance(500);  // the retry, on the entry's own copy
    ASSERT_EQ(driver.log.size(), 2u) << version;
    for (const auto& call : driver.log) {
      EXPECT_NE(call.buffer, kReadOnlyValue);
      EXPECT_EQ(call.value, (std::vector<uint8_t>{7, 0, 0, 0}));
    }
    EXPECT_EQ(kReadOnlyValue[0], 7);
  }
}

TEST_F(Transport, RemovingTheAdapterWithTwoSetsQueuedEmptiesTheQueueAtTheNextTick) {
  driver.answer = Refuse;
  const uint32_t a = 1, b = 2;
  access.SetInformation(OID_VND_RADIO, &a, 4, 3);
  fake.loop.Advance(200);
  access.SetInformation(OID_VND_OP_MODE, &b, 4, 3);
  ASSERT_EQ(access.SetRetryQueue().size(), 2u);
  TimerId first = access.SetRetryQueue()[0].TimerId;
  TimerId second = access.SetRetryQueue()[1].TimerId;

  driver.Unplug();
  fake.loop.Advance(300);  // the first entry's tick finds no device
  EXPECT_TRUE(access.SetRetryQueue().empty());
  EXPECT_FALSE(fake.loop.IsThreadTimerActive(first));
  EXPECT_FALSE(fake.loop.IsThreadTimerActive(second));
  EXPECT_EQ(fake.loop.ActiveTimerCount(), 0u);
  EXPECT_EQ(driver.log.size(), 2u);
}

TEST_F(Transport, WithoutADeviceNothingIsSentOrQueued) {
  driver.Unplug();
  const uint32_t v = 1;
  EXPECT_FALSE(access.SetInformation(OID_VND_RADIO, &v, 4, 3));
  uint32_t returned = 5;
  EXPECT_TRUE(access.SetRetryQueue().empty());
  EXPECT_FALSE(access.QueryInformation(OID_VND_LINK_STATE, &returned, 4, &returned));
  EXPECT_FALSE(access.IsAdapterPresent());
  driver.PlugInto(fake.deviceIo);
  EXPECT_TRUE(access.IsAdapterPresent());
  EXPECT_EQ(fake.deviceIo.opens, fake.deviceIo.closes);
}

TEST_F(Transport, ATimerWhoseEntryIsGoneStopsItself) {
  driver.answer = Refuse;
  const uint32_t v = 1;
  access.SetInformation(OID_VND_RADIO, &v, 4, 3);
  // A timer of the retry kind that belongs to no entry.
  TimerId stray = fake.loop.SetThreadTimer(500, [&](TimerId id) { access.SetRetryTimerProc(id); });
  fake.loop.Advance(500);
  EXPECT_FALSE(fake.loop.IsThreadTimerActive(stray));
  EXPECT_EQ(access.SetRetryQueue().size(), 1u);  // the real entry is untouched by the stray
  access.DrainSetRetryQueue();
  EXPECT_TRUE(access.SetRetryQueue().empty());
  EXPECT_EQ(fake.loop.ActiveTimerCount(), 0u);
}

TEST_F(Transport, AReplyLongerThanTheBufferNeverOverrunsIt) {
  driver.answer = [](uint32_t, std::span<uint8_t> out, uint32_t* count) {
    std::fill(out.begin(), out.end(), 0xAB);
    *count = 4096;  // claims more than it was given
    return int32_t(ERROR_SUCCESS);
  };
  uint8_t buffer[12] = {};
  uint32_t returned = 0;
  EXPECT_TRUE(access.QueryInformation(OID_VND_LINK_STATE, buffer + 4, 4, &returned));
  EXPECT_EQ(returned, 4u);
  EXPECT_EQ(buffer[3], 0);
  EXPECT_EQ(buffer[8], 0);
}

TEST_F(Transport, DriverVersionAndNetworkTypesTreatShortRepliesAsFailures) {
  std::vector<uint8_t> reply;
  bool succeed = true;
  driver.answer = [&](uint32_t, std::span<uint8_t> out, uint32_t* count) {
    size_t n = std::min(reply.size(), out.size());
    std::copy_n(reply.begin(), n, out.begin());
    *count = uint32_t(n);
    return succeed ? int32_t(ERROR_SUCCESS) : int32_t(ERROR_GEN_FAILURE);
  };

  reply = {0x02, 0x05};
  EXPECT_TRUE(access.ReadDriverVersion());
  EXPECT_EQ(access.DriverVersion(), 0x0502);
  reply = {0x02};
  EXPECT_FALSE(access.ReadDriverVersion());
  EXPECT_EQ(access.DriverVersion(), 0);

  auto le = [](std::initializer_list<uint32_t> words) {
    std::vector<uint8_t> bytes;
    for (uint32_t w : words) {
      for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(w >> (8 * i)));
    }
    return bytes;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> reply;
    bool succeed;
    bool fiveGhz;
    uint32_t present;
  } cases[] = {
      {"b/g/a", le({3, 0, 1, 2}), true, true, 0b0111},
      {"b/g only", le({2, 1, 3}), true, false, 0b1010},
      {"refused", le({1, 2}), false, false, 0},
      {"shorter than the count", {1, 0}, true, false, 0},
      {"count beyond the entries sent", le({4, 1, 2}), true, true, 0b0110},
      {"count beyond four", le({9, 3, 3, 3, 3, 2}), true, false, 0b1000},
  };
  for (const Case& c : cases) {
    reply = c.reply;
    succeed = c.succeed;
    access.ReadSupportedNetworkTypes();
    EXPECT_EQ((access.NetworkTypesPresent() & 0b100) != 0, c.fiveGhz) << c.name;
    EXPECT_EQ(access.NetworkTypesPresent(), c.present) << c.name;
  }
}

}  // namespace
}  // namespace kavo9
