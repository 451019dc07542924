// Reading the operator's decimal text the way the standard conversion does
// (leading blanks skipped, the longest number at the start, 0 without one),
// but the same in every locale and only for decimal numbers.
#pragma once

#include <optional>
#include <string_view>

namespace qv {

// The number at the start of `text` after blanks; nothing when there is none.
// Too large a number gives an infinity, too small a one 0.
std::optional<double> LeadingDecimal(std::string_view text);
// The same, 0 when the text starts with no number.
inline double ReadDecimalText(std::string_view text) { return LeadingDecimal(text).value_or(0.0); }

}  // namespace qv
