// Fuzzes what the plots read from outside: a port's text cut into lines and
// columns, in chunks of any size, and plot setup files. A file read once
// must write out to a file that reads back the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz/FuzzSupport.h"
#include "plot/DecimalText.h"
#include "plot/LineAssembly.h"
#include "plot/PlotSetupFile.h"

namespace qv {
namespace {

using fuzz::Check;

void AssembleLines(const std::vector<std::uint8_t>& bytes, std::size_t chunk) {
  LineAssembler lines;
  int handled = 0;
  const auto handle = [&](std::string_view line) {
    Check(line.size() <= static_cast<std::size_t>(LineAssembler::kLineLimit));
    for (char c : line) Check((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == ',');
    for (int column = 0; column <= 4; ++column) {
      if (const auto v = ColumnValue(line, column)) Check(!(*v > kLargestPlotValue));
    }
    ++handled;
  };
  for (std::size_t at = 0; at < bytes.size(); at += chunk) {
    const std::size_t n = std::min(chunk, bytes.size() - at);
    lines.Feed(bytes.data() + at, static_cast<int>(n), handle);
  }
  (void)LeadingDecimal(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void ReadPlotFile(const std::vector<std::uint8_t>& bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const auto first = ReadPlotSetupText(text);
  const auto* rows = std::get_if<PlotSetupRows>(&first);
  if (!rows) return;
  const std::string written = WritePlotSetupText(*rows);
  const auto again = ReadPlotSetupText(written);
  const auto* rowsAgain = std::get_if<PlotSetupRows>(&again);
  Check(rowsAgain != nullptr);
  Check(WritePlotSetupText(*rowsAgain) == written);
}

}  // namespace
}  // namespace qv

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto in = qv::fuzz::Steer(data, size);
  if (!in) return 0;
  if (in->control & 0x02) {
    qv::ReadPlotFile(in->bytes);
  } else {
    qv::AssembleLines(in->bytes, 1 + (in->control >> 2));
  }
  return 0;
}
