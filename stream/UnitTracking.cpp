#include "stream/UnitTracking.h"

#include "common/Format.h"

namespace qv {

void UnitTracking::CountGap(int u, std::uint8_t s) {
  const std::uint8_t last = LastSequence[static_cast<std::size_t>(u)];
  ++ModErrorsTotal;
  ++UnitModErrors[static_cast<std::size_t>(u)];
  UnitMissing[static_cast<std::size_t>(u)] = s > last ? static_cast<std::uint32_t>(s - last - 1)
                                                      : static_cast<std::uint32_t>(s + 255 - last);
}

void UnitTracking::BTResetCountersClick() {
  UnitPackets.fill(0);
  UnitModErrors.fill(0);
  UnitMissing.fill(0);
}

void UnitTracking::ShowUnitLines(RealTimeTab& tab) const {
  tab.LBTimeUnit.SetCaption(Format("Time Unit: %lu", static_cast<unsigned long>(UnitPackets[0])));
  for (int n = 1; n <= 4; ++n) {
    const auto i = static_cast<std::size_t>(n);
    tab.LBUnit[n].SetCaption(Format(
        "Unit %d: %lu \t%1lu \t%1lu", n, static_cast<unsigned long>(UnitPackets[i]),
        static_cast<unsigned long>(UnitModErrors[i]), static_cast<unsigned long>(UnitMissing[i])));
  }
}

}  // namespace qv
