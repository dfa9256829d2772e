#include "station/networks/queue/ActionQueue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "common/adapter/RequestCatalogue.h"
#include "common/adapter/testing/ScriptedDriver.h"
#include "station/networks/BssRecordBuilder.h"

namespace kavo9 {
namespace {

using build::BssListBuilder;
using build::BssRecordBuilder;
using build::Bytes;

struct FakeHost : ScanCycleHost {
  std::vector<uint32_t> timerStarts;
  std::vector<int32_t> allowed{1, 6, 11, 36};
  uint64_t now = 130'000'000'000'000'000ull;
  int outsideReads = 0;
  void StartScanWaitTimer(uint32_t ms) override { timerStarts.push_back(ms); }
  std::vector<int32_t> AllowedChannels() override { return allowed; }
  uint64_t UtcFileTime() override { return now; }
  void OnListReadOutsideQueue() override { ++outsideReads; }
};

// A connect record that tells when it is freed.
struct Record : ActionPayload {
  int id;
  std::map<int, bool>* freed;
  Record(int i, std::map<int, bool>* f) : id(i), freed(f) {}
  ~Record() override { (*freed)[id] = true; }
};

struct Steps : ConnectStepsPort, LastConnectRecordPort, WpsScanPort {
  std::vector<std::string> calls;
  bool needsCredentials = false;
  void RunConnectRecord(ActionPayload& r) override {
    calls.push_back("record " + std::to_string(static_cast<Record&>(r).id));
  }
  void RunConnectSsid(const SsidPayload&) override { calls.push_back("ssid"); }
  void RunConnectBssid(const BssidPayload&) override { calls.push_back("bssid"); }
  void StoreCopy(const ActionPayload& r) override {
    calls.push_back("store " + std::to_string(static_cast<const Record&>(r).id));
  }
  bool NeedsUnstoredCredentials() const override { return needsCredentials; }
  void DisableScanControls() override { calls.push_back("wps off"); }
  void OnScanListRead() override { calls.push_back("wps list"); }
};

class ActionQueueTest : public ::testing::Test {
 protected:
  ActionQueueTest() { driver.AnswerDword(OID_VND_WIRELESS_MODE, 0); }

  ScriptedDriver driver;
  FakeHost host;
  Steps steps;
  std::map<int, bool> freed;
  ActionQueue queue{{driver, host, steps, steps, steps}};

  std::unique_ptr<ActionPayload> NewRecord(int id) { return std::make_unique<Record>(id, &freed); }
  std::vector<uint32_t> Kinds() const {
    std::vector<uint32_t> kinds;
    for (const auto& e : queue.Queue()) kinds.push_back(e.Action);
    return kinds;
  }
};

TEST_F(ActionQueueTest, ScansQueuedWhileOneRunsCollapseIntoOne) {
  queue.RequestScan();
  ASSERT_TRUE(queue.ScanPending());
  EXPECT_EQ(int(driver.Count("S OID_802_11_BSSID_LIST_SCAN")), 1);
  for (int i = 0; i < 3; ++i) queue.RequestScan();
  EXPECT_EQ(Kinds(), (std::vector<uint32_t>{ACTION_SCAN, ACTION_SCAN}));
  EXPECT_EQ(int(driver.Count("S OID_802_11_BSSID_LIST_SCAN")), 1) << "the running scan waits";

  // The scan-wait timer: the list is read, the finished scan leaves, the queued one starts.
  queue.OnScanWaitTimer(false);
  EXPECT_EQ(int(driver.Count("Q OID_802_11_BSSID_LIST")), 1);
  EXPECT_EQ(int(driver.Count("S OID_802_11_BSSID_LIST_SCAN")), 2);
  EXPECT_EQ(Kinds(), (std::vector<uint32_t>{ACTION_SCAN}));
  queue.OnScanWaitTimer(false);
  EXPECT_TRUE(queue.Queue().empty());
  EXPECT_FALSE(queue.ScanPending());
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"wps off", "wps list", "wps off", "wps list"}));
}

TEST_F(ActionQueueTest, NewerConnectRecordReplacesOlderOnesAndFreesThem) {
  queue.RequestScan();  // a running scan holds the queue
  EXPECT_FALSE(queue.QueueAction(ACTION_CONNECT_RECORD, NewRecord(1)));
  EXPECT_FALSE(queue.QueueAction(ACTION_CONNECT_SSID, std::make_unique<SsidPayload>()));
  EXPECT_FALSE(queue.QueueAction(ACTION_CONNECT_RECORD, NewRecord(2)));
  EXPECT_TRUE(freed[1]);
  EXPECT_FALSE(freed[2]);
  EXPECT_EQ(Kinds(),
            (std::vector<uint32_t>{ACTION_SCAN, ACTION_CONNECT_RECORD, ACTION_CONNECT_SSID}));

  queue.OnScanWaitTimer(false);
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"wps off", "store 1", "store 2", "wps list",
                                                   "record 2", "ssid"}));
  EXPECT_TRUE(freed[2]) << "the queue frees a record once it has run";
  EXPECT_TRUE(queue.Queue().empty());
}

TEST_F(ActionQueueTest, WhetherToRunNow) {
  // One entry: run.
  EXPECT_TRUE(queue.QueueAction(ACTION_CONNECT_SSID, std::make_unique<SsidPayload>()));
  // A connect at the head with anything behind it: run.
  EXPECT_TRUE(queue.QueueAction(ACTION_SCAN, nullptr));
  queue.FreeAll();

  // A record at the head and a scan behind it: held while the record waits for credentials.
  EXPECT_TRUE(queue.QueueAction(ACTION_CONNECT_RECORD, NewRecord(1)));
  steps.needsCredentials = true;
  EXPECT_FALSE(queue.QueueAction(ACTION_SCAN, nullptr));
  steps.needsCredentials = false;
  EXPECT_TRUE(queue.QueueAction(ACTION_SCAN, nullptr));
  queue.FreeAll();

  // A scan at the head: it continues the queue itself.
  EXPECT_TRUE(queue.QueueAction(ACTION_SCAN, nullptr));
  EXPECT_FALSE(queue.QueueAction(ACTION_CONNECT_BSSID, std::make_unique<BssidPayload>()));

  // Connect kinds without data are refused.
  EXPECT_FALSE(queue.QueueAction(ACTION_CONNECT_RECORD, nullptr));
  EXPECT_FALSE(queue.QueueAction(7, nullptr));
  EXPECT_EQ(queue.Queue().size(), 2u);
}

TEST_F(ActionQueueTest, ConnectsRunBeforeTheScanBehindThem) {
  queue.QueueAction(ACTION_CONNECT_RECORD, NewRecord(1));
  queue.QueueAction(ACTION_SCAN, nullptr);
  queue.RunActionQueue();
  EXPECT_EQ(steps.calls, (std::vector<std::string>{"store 1", "record 1", "wps off"}));
  EXPECT_TRUE(queue.ScanPending());
  EXPECT_EQ(Kinds(), (std::vector<uint32_t>{ACTION_SCAN}));
}

TEST_F(ActionQueueTest, ScanWaitFollowsTheWirelessMode) {
  const std::pair<uint32_t, uint32_t> cases[] = {{0, 3000}, {1, 3000}, {2, 5000},
                                                 {3, 5000}, {4, 3000}, {5, 5000},
                                                 {6, 3000}, {8, 5000}, {9, 3000}};
  for (auto [mode, ms] : cases) {
    driver.AnswerDword(OID_VND_WIRELESS_MODE, mode);
    queue.FreeAll();
    queue.OnScanWaitTimer(false);  // finishes any pending scan
    queue.RequestScan();
    EXPECT_EQ(host.timerStarts.back(), ms) << "mode " << mode;
  }
}

TEST_F(ActionQueueTest, ScanWaitTimerRunsTheQueueOnlyWhenThereIsSomethingToDo) {
  queue.QueueAction(ACTION_SCAN, nullptr);  // queued but never started
  queue.OnScanWaitTimer(false);
  EXPECT_EQ(int(driver.Count("S OID_802_11_BSSID_LIST_SCAN")), 0);
  queue.OnScanWaitTimer(true);  // automatic reconnection runs what waits
  EXPECT_EQ(int(driver.Count("S OID_802_11_BSSID_LIST_SCAN")), 1);
}

Bytes Network(uint8_t last, uint32_t khz, std::string_view ssid) {
  return BssRecordBuilder().Bssid({0, 1, 2, 3, 4, last}).Ssid(ssid).FrequencyKhz(khz).Build();
}

TEST_F(ActionQueueTest, ListReadMergesFiltersAndAges) {
  driver.answers[OID_802_11_BSSID_LIST] =
      BssListBuilder()
          .Add(Network(1, 2412000, "one"))
          .Add(Network(2, 2472000, "thirteen"))  // channel 13 is not allowed
          .Add(Network(3, 5180000, "five"))
          .Build();
  queue.ReadAndMergeBssList();
  EXPECT_EQ(queue.Merged().Count(), 2u);

  driver.answers[OID_802_11_BSSID_LIST] = BssListBuilder().Add(Network(1, 2412000, "one")).Build();
  host.now += 14 * 10'000'000ull;
  queue.ReadAndMergeBssList();
  EXPECT_EQ(queue.Merged().Count(), 2u) << "'five' is remembered for 15 seconds";

  host.now += 2 * 10'000'000ull;
  queue.ReadAndMergeBssList();
  EXPECT_EQ(queue.Merged().Count(), 1u);

  // A failed query leaves the previous list, which counts as fresh again.
  driver.answers.erase(OID_802_11_BSSID_LIST);
  host.now += 60 * 10'000'000ull;
  queue.ReadAndMergeBssList();
  ASSERT_EQ(queue.Merged().Count(), 1u);
  EXPECT_EQ(queue.Merged().LastSeen[0], host.now);
}

TEST_F(ActionQueueTest, ListReadOutsideTheQueueTellsTheHost) {
  driver.answers[OID_802_11_BSSID_LIST] = BssListBuilder().Add(Network(1, 2412000, "one")).Build();
  queue.RefreshScanList();
  EXPECT_EQ(host.outsideReads, 1);
  EXPECT_EQ(queue.Merged().Count(), 1u);
}

TEST_F(ActionQueueTest, StoredListIsStampedAndKeepsOnlyWholeRecords) {
  const Bytes list = BssListBuilder()
                         .Add(Network(1, 2412000, "one"))
                         .Add(Network(2, 2485000, "no channel"))  // not filtered here
                         .Add(BssRecordBuilder().IeLengthOverride(5000).Build())
                         .Build();
  queue.StoreScanList(list.data(), uint32_t(list.size()), 42);
  EXPECT_EQ(queue.Merged().Count(), 2u);
  EXPECT_EQ(queue.Merged().LastSeen, (std::vector<uint64_t>{42, 42}));
  queue.StoreScanList(nullptr, 0, 43);
  EXPECT_EQ(queue.Merged().Count(), 0u);
}

}  // namespace
}  // namespace kavo9
