#include "plot/LineAssembly.h"

#include <algorithm>

#include "plot/DecimalText.h"

namespace qv {

namespace {

bool IsNumberCharacter(std::uint8_t c) {
  return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-';
}

}  // namespace

void LineAssembler::Feed(const std::uint8_t* bytes, int count, const LineHandler& handle) {
  for (int i = 0; i < count; ++i) {
    const std::uint8_t c = bytes[i];
    if (c == '\n' || c == '\r') {
      if (!lineEnded_) handle(Line());
      length_ = 0;
      text_[0] = '\0';
      lineEnded_ = true;
      continue;
    }
    if (IsNumberCharacter(c)) {
      text_[length_++] = static_cast<char>(c);
      separatorPending_ = false;
    } else if (!separatorPending_) {
      text_[length_++] = ',';
      separatorPending_ = true;
    }
    text_[length_] = '\0';
    lineEnded_ = false;
    if (length_ > kLineLimit) {
      length_ = 0;
      text_[0] = '\0';
      separatorPending_ = true;
    }
  }
}

std::optional<double> ColumnValue(std::string_view line, int column) {
  if (column < 1) return std::nullopt;
  int field = 0;
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t comma = std::min(line.find(',', at), line.size());
    if (comma > at && ++field == column) {
      const std::optional<double> value = LeadingDecimal(line.substr(at, comma - at));
      if (!value || *value > kLargestPlotValue) return std::nullopt;
      return value;
    }
    at = comma + 1;
  }
  return std::nullopt;
}

}  // namespace qv
