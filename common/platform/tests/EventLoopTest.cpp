#include <gtest/gtest.h>

#include <vector>

#include "common/platform/fake/VirtualEventLoop.h"

namespace kavo9 {
namespace {

TEST(VirtualEventLoop, FiresDueTimersInTimeOrder) {
  VirtualEventLoop loop;
  std::vector<std::pair<uint64_t, int>> fired;
  WindowTimers timers(loop, [&](TimerId id) { fired.push_back({loop.MonotonicMs(), int(id)}); });
  timers.Set(1, 2000);
  timers.Set(2, 500);
  timers.Set(3, 2000);  // same due time as 1: fires after it
  loop.Advance(2000);
  std::vector<std::pair<uint64_t, int>> expected{{500, 2},  {1000, 2}, {1500, 2},
                                                 {2000, 1}, {2000, 2}, {2000, 3}};
  EXPECT_EQ(fired, expected);
}

TEST(VirtualEventLoop, SettingAnIdAgainRestartsIt) {
  VirtualEventLoop loop;
  std::vector<uint64_t> fired;
  WindowTimers timers(loop, [&](TimerId) { fired.push_back(loop.MonotonicMs()); });
  timers.Set(1, 2000);
  loop.Advance(1500);
  timers.Set(1, 2000);  // restarts: next at 3500, not 2000
  loop.Advance(2500);
  EXPECT_EQ(fired, std::vector<uint64_t>({3500}));
  EXPECT_TRUE(timers.IsSet(1));
}

TEST(VirtualEventLoop, TimerMayKillItselfAndOwnerDestructionStopsTimers) {
  VirtualEventLoop loop;
  int count = 0;
  {
    WindowTimers* self = nullptr;
    WindowTimers timers(loop, [&](TimerId id) {
      ++count;
      self->Kill(id);
    });
    self = &timers;
    timers.Set(7, 100);
    timers.Set(8, 1000);
    loop.Advance(500);
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(timers.IsSet(7));
    EXPECT_TRUE(timers.IsSet(8));
  }
  EXPECT_EQ(loop.ActiveTimerCount(), 0u);
  loop.Advance(5000);
  EXPECT_EQ(count, 1);
}

TEST(VirtualEventLoop, ThreadTimersHaveDistinctIdsAndPostedTasksRunInOrder) {
  VirtualEventLoop loop;
  std::vector<TimerId> fired;
  TimerId a = loop.SetThreadTimer(500, [&](TimerId id) { fired.push_back(id); });
  TimerId b = loop.SetThreadTimer(500, [&](TimerId id) {
    fired.push_back(id);
    loop.KillThreadTimer(id);
  });
  EXPECT_NE(a, b);
  loop.Advance(1000);
  EXPECT_EQ(fired, std::vector<TimerId>({a, b, a}));
  EXPECT_FALSE(loop.IsThreadTimerActive(b));

  std::vector<int> order;
  loop.Post([&] {
    order.push_back(1);
    loop.Post([&] { order.push_back(3); });
  });
  loop.Post([&] { order.push_back(2); });
  loop.RunPosted();
  EXPECT_EQ(order, std::vector<int>({1, 2, 3}));
}

TEST(VirtualEventLoop, FileTimeAdvancesWithVirtualTime) {
  VirtualEventLoop loop(FileTimeFromUnixMicros(0));
  EXPECT_EQ(loop.UtcFileTime(), 116444736000000000ULL);
  loop.Advance(15'000);
  EXPECT_EQ(loop.UtcFileTime(), 116444736000000000ULL + 150'000'000ULL);
}

}  // namespace
}  // namespace kavo9
