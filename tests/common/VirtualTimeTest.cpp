// The virtual-time driver must fire timers as the real ones do, or every timed
// test built on it proves nothing.
#include <gtest/gtest.h>

#include "forms/Form.h"
#include "tests/support/VirtualTime.h"

namespace qv::testing {
namespace {

struct Timers : forms::Form {
  Timers() : forms::Form("Timers") {}
  forms::Timer fast{this, "fast", 25, true};
  forms::Timer slow{this, "slow", 5000, true};
};

TEST(VirtualTime, FiresEachTimerOncePerIntervalAndMovesTheClock) {
  FakeClock clock(1000);
  Timers t;
  VirtualTime vt(clock);
  vt.Add(t.fast);
  vt.Add(t.slow);
  int fast = 0, slow = 0;
  std::vector<std::int64_t> peerTimes;
  t.fast.OnTimer = [&](forms::Control&) { ++fast; };
  t.slow.OnTimer = [&](forms::Control&) { ++slow; };
  vt.AddPeer([&](std::int64_t ms) { peerTimes.push_back(ms); });
  vt.RunFor(10000);
  EXPECT_EQ(fast, 400);
  EXPECT_EQ(slow, 2);
  EXPECT_EQ(clock.Calendar(), 1010);
  EXPECT_EQ(peerTimes.front(), 25);
  EXPECT_EQ(peerTimes.back(), 10000);
}

TEST(VirtualTime, ATimerEnabledAgainInsideItsHandlerStartsItsIntervalAfresh) {
  FakeClock clock(0);
  Timers t;
  VirtualTime vt(clock);
  vt.Add(t.slow);
  std::vector<std::int64_t> at;
  t.slow.OnTimer = [&](forms::Control&) {
    at.push_back(vt.NowMs());
    t.slow.SetEnabled(false);
    vt.RunFor(2000);  // a box stays open for two seconds
    t.slow.SetEnabled(true);
  };
  t.fast.SetEnabled(false);
  vt.RunFor(12000);
  ASSERT_EQ(at.size(), 2u);
  EXPECT_EQ(at[0], 5000);
  EXPECT_EQ(at[1], 12000);

  // Disabled for a while: nothing fires, and enabling counts from then.
  t.slow.SetEnabled(false);
  vt.RunFor(20000);
  EXPECT_EQ(at.size(), 2u);
  t.slow.SetEnabled(true);
  EXPECT_TRUE(vt.RunUntil([&] { return at.size() == 3; }, 6000));
  EXPECT_EQ(at[2], 39000);
}

}  // namespace
}  // namespace qv::testing
