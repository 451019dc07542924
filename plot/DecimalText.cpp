#include "plot/DecimalText.h"

#include <charconv>
#include <cmath>

namespace qv {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> LeadingDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t start = i;
  // The mantissa: digits, a point, digits; at least one digit in all.
  std::size_t intDigits = 0, leadingZeros = 0, fractionZeros = 0;
  bool significant = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (!significant && text[i] == '0') ++leadingZeros;
    significant = significant || text[i] != '0';
    ++intDigits;
  }
  std::size_t fractionDigits = 0;
  if (i < text.size() && text[i] == '.') {
    std::size_t j = i + 1;
    bool seen = false;
    for (; j < text.size() && IsDigit(text[j]); ++j, ++fractionDigits) {
      if (!seen && text[j] == '0') ++fractionZeros;
      seen = seen || text[j] != '0';
    }
    if (intDigits + fractionDigits > 0) i = j;
  }
  if (intDigits + fractionDigits == 0) return std::nullopt;
  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool minus = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) minus = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      for (; j < text.size() && IsDigit(text[j]); ++j)
        if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
      if (minus) exponent = -exponent;
      i = j;
    }
  }
  double value = 0.0;
  const auto [end, error] =
      std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::general);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Where the first significant digit stands decides which way it ran out.
    const long magnitude = intDigits > leadingZeros
                               ? static_cast<long>(intDigits - leadingZeros) + exponent
                               : exponent - static_cast<long>(fractionZeros);
    value = magnitude > 0 ? HUGE_VAL : 0.0;
  } else if (error != std::errc{}) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace qv
