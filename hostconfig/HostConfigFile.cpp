#include "hostconfig/HostConfigFile.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "common/Format.h"

namespace qv {

namespace {

// Line 4 names the last setup file; a line end in the name would start a
// line of its own and spoil every line after it.
std::string OnOneLine(std::string text) {
  std::replace_if(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, '?');
  return text;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::vector<std::string_view> Tokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) tokens.push_back(line.substr(start, i - start));
  }
  return tokens;
}

// A whole token of decimal digits with an optional sign, within [min, max].
std::optional<long> Decimal(std::string_view token, long min, long max) {
  if (!token.empty() && token.front() == '+') {
    token.remove_prefix(1);
    if (!token.empty() && token.front() == '-') return std::nullopt;
  }
  long value = 0;
  const char* end = token.data() + token.size();
  auto [ptr, ec] = std::from_chars(token.data(), end, value);
  if (ec != std::errc() || ptr != end || value < min || value > max) return std::nullopt;
  return value;
}

constexpr const char* kCaptionE1 = "Invalid Record in *.QVH File - The QVH File was NOT Loaded E1";
constexpr const char* kCaptionE2 = "Bad Line Number in *.QVH File - The QVH File was Not Loaded E2";
constexpr const char* kCaptionE4 = "Invalid Record in *.QVH File - The QVH File was NOT Loaded E4";

}  // namespace

std::string FormatHostConfig(const HostConfigText& config) {
  std::string text = Format("QV Host Version=%4.2f\n", kHostProgramVersion);
  for (int n = 1; n <= kHostConfigLines; ++n) {
    const std::vector<std::int16_t>& values = config.values[static_cast<std::size_t>(n)];
    const int count = kHostConfigCounts[static_cast<std::size_t>(n)];
    text += Format("%d %d", n, count);
    if (n == 4) {
      text += " " + OnOneLine(config.setupFileName) + "\n";
      continue;
    }
    for (int i = 0; i < count; ++i) {
      const int v = i < static_cast<int>(values.size()) ? values[static_cast<std::size_t>(i)] : 0;
      text += Format(" %d", v);
    }
    if (n == 13) text += " ";
    if (n == 22) text += " Last.plt";
    text += "\n";
  }
  return text;
}

HostConfigReader::HostConfigReader(std::string_view text, Prompter& prompter)
    : rest_(text), prompter_(prompter) {
  NextLine();  // the header: "QV Host Version=..."
}

std::optional<std::string_view> HostConfigReader::NextLine() {
  if (rest_.empty()) return std::nullopt;
  const std::size_t end = rest_.find('\n');
  std::string_view line = rest_.substr(0, end);
  rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool HostConfigReader::ReadHostConfigLine(int lineNumber, int count,
                                          std::vector<std::int16_t>& values) {
  const std::optional<std::string_view> read = NextLine();
  if (!read) {
    // The file ends early: refused like a line that is no record.
    prompter_.ShowNotice(kCaptionE1, Format("End of File before Line %d", lineNumber));
    return false;
  }
  const std::string line(*read);
  const std::vector<std::string_view> tokens = Tokens(line);

  const std::optional<long> number =
      tokens.empty() ? std::nullopt
                     : Decimal(tokens[0], std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  if (!number) {
    prompter_.ShowNotice(kCaptionE1, line);
    return false;
  }
  if (*number != lineNumber) {
    prompter_.ShowNotice(kCaptionE2,
                         Format("Looking for Line %d, Found Line %d", lineNumber, static_cast<int>(*number)));
    return false;
  }

  // As a scanf of the second token would tell it: 1 read, 0 no number, -1 none there.
  int fields = -1;
  long found = 0;
  if (tokens.size() > 1) {
    const std::optional<long> c =
        Decimal(tokens[1], std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    fields = c ? 1 : 0;
    found = c.value_or(0);
  }
  if (fields != 1 || found < 0 || found > kHostConfigMaxCount || found != count) {
    prompter_.ShowNotice(Format("Invalid Record in *.QVH, j %d count %d lcount %d", fields, count,
                                static_cast<int>(found)),
                         line);
    return false;
  }

  std::vector<std::int16_t> read16;
  for (int i = 0; i < count; ++i) {
    const std::size_t t = static_cast<std::size_t>(i) + 2;
    const std::optional<long> v =
        t < tokens.size() ? Decimal(tokens[t], std::numeric_limits<std::int16_t>::min(),
                                    std::numeric_limits<std::int16_t>::max())
                          : std::nullopt;
    if (!v) {
      prompter_.ShowNotice(kCaptionE4, line);
      return false;
    }
    read16.push_back(static_cast<std::int16_t>(*v));
  }
  values = std::move(read16);
  return true;
}

std::optional<HostConfigValues> ReadHostConfig(std::string_view text, Prompter& prompter) {
  HostConfigReader reader(text, prompter);
  HostConfigValues values;
  for (int n = 1; n <= kHostConfigLines; ++n) {
    const auto i = static_cast<std::size_t>(n);
    if (!reader.ReadHostConfigLine(n, kHostConfigCounts[i], values[i])) return std::nullopt;
  }
  return values;
}

}  // namespace qv
