// Cutting a port's text into lines of numbers: every run of characters that
// are not part of a number becomes one comma, carriage returns and line feeds
// end a line (a run of them once), and a line that grows to 300 characters is
// thrown away. Then the value of one column of such a line.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class LineAssembler {
 public:
  static constexpr int kLineLimit = 299;  // a line reaching 300 characters is discarded

  using LineHandler = std::function<void(std::string_view line)>;

  // Assembles the bytes in order; `handle` gets every line as it ends.
  void Feed(const std::uint8_t* bytes, int count, const LineHandler& handle);
  std::string_view Line() const { return {text_, static_cast<std::size_t>(length_)}; }

 private:
  char text_[kLineLimit + 2] = {};
  int length_ = 0;
  bool lineEnded_ = false;
  bool separatorPending_ = true;  // no comma before the stream's first number
};

// Values above this are no reading (a column the line lacks reads as 99999.9).
inline constexpr double kLargestPlotValue = 99999.0;

// The value of the 1-based `column` of an assembled line, its fields split at
// commas with empty ones skipped; nothing when the line has no such field, the
// field does not start with a number, or the value is above 99999.
std::optional<double> ColumnValue(std::string_view line, int column);

}  // namespace qv
