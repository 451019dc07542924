// The plot setup file (".plt"): the eight rows of the Plot Setup tab as
// numbered lines in the manner of the host configuration file. A header line,
// then one line per field of each row, rows in order: "n 1 value" for the
// logger ID, port, plot type and column, "n 0 text" for the label, scale,
// offset and units as typed.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "plot/PlotRecord.h"

namespace qv {

inline constexpr char kPlotSetupHeader[] = "QV Plot Setup Version=1.00";
inline constexpr int kPlotSetupFields = 8;
inline constexpr int kPlotSetupLines = kPlots * kPlotSetupFields;
// Longer lines are no line of this file; texts are cut to fit when written.
inline constexpr std::size_t kPlotSetupLineLimit = 499;
inline constexpr std::size_t kPlotSetupTextLimit = 200;
// A file this large cannot be a plot setup.
inline constexpr std::size_t kPlotSetupFileLimit = 64 * 1024;

struct PlotRowSetup {
  int loggerId = 2;
  int port = 1;
  int plotType = 1;
  int column = 0;
  std::string label;
  std::string scale = "1.0";
  std::string offset = "0.0";
  std::string units = "units";
  bool operator==(const PlotRowSetup&) const = default;
};

using PlotSetupRows = std::array<PlotRowSetup, kPlots>;

// Why a file was refused, in the words of the notice that says so.
struct PlotSetupError {
  std::string caption;
  std::string text;
};

std::string WritePlotSetupText(const PlotSetupRows& rows);
// The rows of a whole file's text, or why it is none.
std::variant<PlotSetupRows, PlotSetupError> ReadPlotSetupText(std::string_view text);

}  // namespace qv
