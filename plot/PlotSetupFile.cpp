#include "plot/PlotSetupFile.h"

#include <charconv>
#include <optional>
#include <vector>

#include "common/Format.h"

namespace qv {

namespace {

constexpr char kInvalid[] = "Invalid Record in *.PLT File - The PLT File was NOT Loaded";

// A text kept on one line and short enough for the reader.
std::string OneLine(const std::string& text) {
  std::string out = text.substr(0, kPlotSetupTextLimit);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The next blank-separated token from `at` on; `at` moves past it.
std::string_view Token(std::string_view line, std::size_t& at) {
  while (at < line.size() && line[at] == ' ') ++at;
  const std::size_t start = at;
  while (at < line.size() && line[at] != ' ') ++at;
  return line.substr(start, at - start);
}

std::optional<int> Integer(std::string_view token) {
  if (!token.empty() && token.front() == '+') token.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (token.empty() || error != std::errc{} || end != token.data() + token.size()) return std::nullopt;
  return value;
}

}  // namespace

std::string WritePlotSetupText(const PlotSetupRows& rows) {
  std::string out = std::string(kPlotSetupHeader) + "\n";
  int line = 1;
  for (const PlotRowSetup& r : rows) {
    for (int value : {r.loggerId, r.port, r.plotType, r.column}) out += Format("%d 1 %d\n", line++, value);
    for (const std::string* text : {&r.label, &r.scale, &r.offset, &r.units})
      out += Format("%d 0 %s\n", line++, OneLine(*text).c_str());
  }
  return out;
}

std::variant<PlotSetupRows, PlotSetupError> ReadPlotSetupText(std::string_view text) {
  if (text.size() > kPlotSetupFileLimit)
    return PlotSetupError{kInvalid, "The file is too large to be a plot setup"};
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty() || lines[0].substr(0, 13) != std::string_view(kPlotSetupHeader).substr(0, 13))
    return PlotSetupError{kInvalid, "The file is not a plot setup"};
  PlotSetupRows rows;
  for (int n = 1; n <= kPlotSetupLines; ++n) {
    if (static_cast<std::size_t>(n) >= lines.size())
      return PlotSetupError{kInvalid, Format("The file ends before line %d", n)};
    const std::string_view line = lines[static_cast<std::size_t>(n)];
    auto bad = [&] { return PlotSetupError{kInvalid, std::string(line.substr(0, 80))}; };
    if (line.size() > kPlotSetupLineLimit) return bad();
    std::size_t at = 0;
    const std::optional<int> number = Integer(Token(line, at));
    if (!number) return bad();
    if (*number != n)
      return PlotSetupError{"Bad Line Number in *.PLT File - The PLT File was Not Loaded",
                            Format("Looking for Line %d, Found Line %d", n, *number)};
    PlotRowSetup& row = rows[static_cast<std::size_t>((n - 1) / kPlotSetupFields)];
    const int field = (n - 1) % kPlotSetupFields;
    const std::optional<int> count = Integer(Token(line, at));
    if (field < 4) {
      const std::optional<int> value = Integer(Token(line, at));
      if (count != 1 || !value) return bad();
      int* fields[] = {&row.loggerId, &row.port, &row.plotType, &row.column};
      *fields[field] = *value;
    } else {
      if (count != 0) return bad();
      // The text is all after the one blank behind the count.
      const std::string_view rest = at < line.size() ? line.substr(at + 1) : std::string_view{};
      std::string* texts[] = {&row.label, &row.scale, &row.offset, &row.units};
      *texts[field - 4] = std::string(rest);
    }
  }
  return rows;
}

}  // namespace qv
