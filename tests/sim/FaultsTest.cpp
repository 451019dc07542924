// Line faults and wrong-baud noise: seeded, at their rates, and never a
// packet; and when the two ends of the line understand each other.
#include <gtest/gtest.h>

#include <vector>

#include "protocol/StatusRecord.h"
#include "sim/FaultInjector.h"
#include "sim/LineGarbler.h"
#include "sim/LoggerEnd.h"
#include "tests/sim/SimTestSupport.h"
#include "tests/support/FakeClock.h"

namespace qv {
namespace {

using testing::Bytes;

Bytes Ramp(std::size_t n) {
  Bytes b(n);
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(i * 7);
  return b;
}

TEST(FaultInjectorTest, EachFaultAtFullRate) {
  const Bytes in = Ramp(1000);
  EXPECT_EQ(FaultInjector({}, 1).Apply(in), in);
  EXPECT_TRUE(FaultInjector({1.0, 0, 0}, 1).Apply(in).empty());

  const Bytes doubled = FaultInjector({0, 0, 1.0}, 1).Apply(in);
  ASSERT_EQ(doubled.size(), 2 * in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    EXPECT_EQ(doubled[2 * i], in[i]);
    EXPECT_EQ(doubled[2 * i + 1], in[i]);
  }

  const Bytes corrupted = FaultInjector({0, 1.0, 0}, 1).Apply(in);
  ASSERT_EQ(corrupted.size(), in.size());
  for (std::size_t i = 0; i < in.size(); ++i) EXPECT_NE(corrupted[i], in[i]) << i;
}

TEST(FaultInjectorTest, PartialRatesAreSeededAndNearTheirRate) {
  const Bytes in = Ramp(100000);
  const FaultRates rates{0.1, 0.05, 0.02};
  FaultInjector a(rates, 42), b(rates, 42), c(rates, 43);
  const Bytes outA = a.Apply(in);
  EXPECT_EQ(outA, b.Apply(in));
  EXPECT_NE(outA, c.Apply(in));
  EXPECT_NEAR(static_cast<double>(a.Dropped()), 10000, 600);
  EXPECT_NEAR(static_cast<double>(a.Corrupted()), 0.05 * 90000, 400);
  EXPECT_NEAR(static_cast<double>(a.Repeated()), 0.02 * 90000, 250);
  EXPECT_EQ(outA.size(), in.size() - a.Dropped() + a.Repeated());
}

TEST(LineGarblerTest, NoiseNeverHoldsAPacketAndIsSeeded) {
  StatusRecord r;
  r.operationState = OperationState::Standby;
  const StatusRecord::Bytes packet = r.Encode();
  const Bytes status(packet.begin(), packet.end());

  LineGarbler g(7), same(7);
  Bytes all;
  for (int i = 0; i < 2000; ++i) {
    const Bytes noise = g.Garble(status);
    ASSERT_EQ(noise.size(), status.size());
    EXPECT_EQ(noise, same.Garble(status));
    all.insert(all.end(), noise.begin(), noise.end());
  }
  EXPECT_TRUE(testing::PacketsIn(all).empty());
  for (std::size_t i = 1; i < all.size(); ++i)
    ASSERT_FALSE(all[i] >= 1 && all[i] <= 8 && all[i] == all[i - 1]) << i;
}

TEST(LoggerEndTest, ComparesOnlyTheBaudWhereTheFramingIsHidden) {
  FakeClock clock(1800032400);
  LoggerEnd end(SimOptions{}, clock);
  const LineSetting own{2400, 8, 'N', 1};
  struct Case {
    LineSetting host;
    bool visible, hidden;  // match with the framing visible, and hidden
  };
  for (const Case& c : {Case{{2400, 8, 'N', 1}, true, true}, Case{{4800, 8, 'N', 1}, false, false},
                        Case{{2400, 7, 'E', 1}, false, true}}) {
    end.SetFramingVisible(true);
    EXPECT_EQ(end.LinesMatch(c.host, own), c.visible) << c.host.baud << c.host.parity;
    end.SetFramingVisible(false);
    EXPECT_EQ(end.LinesMatch(c.host, own), c.hidden) << c.host.baud << c.host.parity;
  }
}

}  // namespace
}  // namespace qv
