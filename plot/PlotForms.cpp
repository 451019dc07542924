#include "plot/PlotForms.h"

#include <memory>
#include <string>

namespace qv {

namespace {

template <class T>
auto Numbered(forms::Form* owner, const char* name, const char* caption) {
  return [owner, name, caption](int n) {
    const std::string number = std::to_string(n);
    return std::make_unique<T>(owner, name + number, caption + number);
  };
}

}  // namespace

PlotSetupTab::PlotSetupTab()
    : Form("PlotSetupTab"),
      EDPlotLabel(1, 8, Numbered<forms::Edit>(this, "EDPlotLabel", "Plot ")),
      BTPlot(1, 8, Numbered<forms::Button>(this, "BTPlot", "Plot ")) {
  for (int n = 1; n <= 8; ++n) {
    UDPlotType[n].SetVisible(false);
    LPlotType[n].SetVisible(false);
    BTPlot[n].SetVisible(false);
  }
  CBSelectChannel.SetVisible(false);
  UDDepthCol.SetVisible(false);
  PlotMuxIDLB.SetVisible(false);
  PlotMuxIDUD.SetVisible(false);
}

PlotForm::PlotForm() : Form("TPlotForm1") {}

}  // namespace qv
