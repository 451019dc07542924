// The Plot Setup tab with its eight rows, and the plot window (TPlotForm1),
// one per row, that draws the row's values against the sample count.
#pragma once

#include "forms/Form.h"
#include "plot/PlotSeries.h"

namespace qv {

struct PlotSetupTab : forms::Form {
  PlotSetupTab();
  using Label = forms::Label;
  using UpDown = forms::UpDown;
  using Edit = forms::Edit;
  static constexpr int kLargestColumn = 99;

  Label LBLoggerIdHeading{this, "LBLoggerIdHeading", "Logger ID"};
  Label LBSerialDataHeading{this, "LBSerialDataHeading", "Serial Data"};
  Label LBColumnHeading{this, "LBColumnHeading", "Column"};
  Label LBPlotTypeHeading{this, "LBPlotTypeHeading", "Plot Type"};
  Label LBLabelHeading{this, "LBLabelHeading", "     Label     "};
  Label LBScaleHeading{this, "LBScaleHeading", "  Scale  "};
  Label LBOffsetHeading{this, "LBOffsetHeading", "  Offset  "};
  Label LBUnitsHeading{this, "LBUnitsHeading", "      Units      "};

  // Row n (1..8).
  forms::Family<Label> LMux{this, "LMux%d", 1, 8, "02"};
  forms::Family<UpDown> UDMux{this, "UDMux%d", 1, 8, 1, 4, 2};
  forms::Family<Label> LPort{this, "LPort%d", 1, 8, "1"};
  forms::Family<UpDown> UDPort{this, "UDPort%d", 1, 8, 1, 9, 1};
  forms::Family<Label> LPlotCol{this, "LPlotCol%d", 1, 8, "XX"};
  forms::Family<UpDown> UDPlotCol{this, "UDPlotCol%d", 1, 8, 0, kLargestColumn, 0};
  forms::Family<Label> LPlotType{this, "LPlotType%d", 1, 8, "vs. Counter"};
  forms::Family<UpDown> UDPlotType{this, "UDPlotType%d", 1, 8, 0, 4, 1};
  forms::Family<Edit> EDPlotLabel;
  forms::Family<Edit> EDScale{this, "EDScale%d", 1, 8, "1.0"};
  forms::Family<Edit> EDOffset{this, "EDOffset%d", 1, 8, "0.0"};
  forms::Family<Edit> EDUnits{this, "EDUnits%d", 1, 8, "units"};
  forms::Family<forms::Button> BTPlot;

  forms::Button BTClearPlotSetup{this, "BTClearPlotSetup", "Clear Plot Setup"};
  forms::Button BTLoadPlotSetup{this, "BTLoadPlotSetup", "Load Plot Setup"};
  forms::Button BTStorePlotSetup{this, "BTStorePlotSetup", "Save Plot Setup"};

  // Left on the tab from an earlier design; nothing reads them, so they stay hidden.
  forms::ComboBox CBSelectChannel{this, "CBSelectChannel", {"Channel 1"}};
  UpDown UDDepthCol{this, "UDDepthCol", 0, 20, 0};
  Label PlotMuxIDLB{this, "PlotMuxIDLB", "Logger ID:  XXX"};
  UpDown PlotMuxIDUD{this, "PlotMuxIDUD", 1, 4, 2};
};

struct PlotForm : forms::Form {
  PlotForm();
  using Label = forms::Label;

  forms::Window window{this, "TPlotForm1", "Plot"};
  Label Label1{this, "Label1", "Raw:"};
  Label LBRawData{this, "LBRawData", ":  "};
  Label LScale{this, "LScale", "Scale"};
  Label LOffset{this, "LOffset", "Offset"};
  Label LUnits{this, "LUnits", "Units:"};
  Label Lvs{this, "Lvs", "vs. "};
  forms::Button BTClearPlot{this, "BTClearPlot", "Clear  Plot"};
  forms::Button Button2{this, "Button2", "Close All Plots"};
  // The chart: not a form control, a view follows it by itself.
  PlotSeries iPlot1;
};

}  // namespace qv
