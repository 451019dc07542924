// The pace of a serial line: a byte takes ten bit times (start, eight data or
// seven and parity, stop), so a line carries a tenth of its baud each second.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

class LinePacer {
 public:
  // Credit a quiet line may have saved up: a late pass catches up this much.
  static constexpr std::int64_t kBurstMs = 100;

  static std::int32_t BytesPerSecond(std::int32_t baud) { return baud > 0 ? baud / 10 : 0; }

  // How many bytes the line has had time for by `nowMs` (a steady count).
  std::size_t Allowance(std::int64_t nowMs, std::int32_t baud);
  // Bytes that went out.
  void Spend(std::size_t bytes);

 private:
  std::int64_t lastMs_ = -1;
  double credit_ = 0.0;
};

}  // namespace qv
