// Line faults and wrong-baud noise: seeded, at their rates, and never a packet.
#include <gtest/gtest.h>

#include <vector>

#include "sim/FaultInjector.h"
#include "sim/LineGarbler.h"
#include "status/StatusRecord.h"
#include "tests/sim/SimTestSupport.h"

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
  r.operationState = 9;
  Bytes status(132);
  r.Encode(status.data());

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

}  // namespace
}  // namespace qv
