#include "sim/LinePacer.h"

#include <algorithm>

namespace qv {

std::size_t LinePacer::Allowance(std::int64_t nowMs, std::int32_t baud) {
  const double perMs = BytesPerSecond(baud) / 1000.0;
  if (lastMs_ >= 0 && nowMs > lastMs_) {
    const double limit = std::max(1.0, perMs * static_cast<double>(kBurstMs));
    credit_ = std::min(limit, credit_ + perMs * static_cast<double>(nowMs - lastMs_));
  }
  lastMs_ = std::max(lastMs_, nowMs);
  return static_cast<std::size_t>(credit_);
}

void LinePacer::Spend(std::size_t bytes) {
  credit_ = std::max(0.0, credit_ - static_cast<double>(bytes));
}

}  // namespace qv
