#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

namespace {

enum Column { kMux, kPort, kColumn, kType, kLabel, kScale, kOffset, kUnits, kPlot };

// A number label with the arrows that step it, as one cell.
QHBoxLayout* Stepper(Binder& b, QWidget& page, forms::Label& shown, forms::UpDown& arrows, int chars) {
  auto* cell = new QHBoxLayout;
  cell->setSpacing(4);
  cell->addWidget(Number(b.Make(shown, &page), chars));
  UpDownBox* box = b.Make(arrows, &page);
  box->SetArrowsOnly(true);
  cell->addWidget(box);
  cell->addStretch(1);
  return cell;
}

}  // namespace

// The eight plot rows under their headings, each with its Plot button at the
// end, and the setup's own commands below.
void BuildPlotSetupPage(BuildContext& ctx, QWidget& page) {
  PlotSetupTab& f = ctx.host.Plots().setupTab;
  Binder& b = ctx.binder;

  auto* outer = new QVBoxLayout(&page);
  SetPageSpacing(*outer);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(kCellSpacing);
  grid->setVerticalSpacing(kRowSpacing + 2);
  outer->addLayout(grid);

  const std::pair<forms::Label*, int> headings[] = {
      {&f.LBLoggerIdHeading, kMux}, {&f.LBSerialDataHeading, kPort}, {&f.LBColumnHeading, kColumn},
      {&f.LBPlotTypeHeading, kType}, {&f.LBLabelHeading, kLabel},    {&f.LBScaleHeading, kScale},
      {&f.LBOffsetHeading, kOffset}, {&f.LBUnitsHeading, kUnits}};
  for (const auto& [label, column] : headings) grid->addWidget(Heading(b.Make(*label, &page)), 0, column);
  for (int n = 1; n <= 8; ++n) {
    grid->addLayout(Stepper(b, page, f.LMux[n], f.UDMux[n], 2), n, kMux);
    grid->addLayout(Stepper(b, page, f.LPort[n], f.UDPort[n], 4), n, kPort);
    grid->addLayout(Stepper(b, page, f.LPlotCol[n], f.UDPlotCol[n], 2), n, kColumn);
    grid->addLayout(Stepper(b, page, f.LPlotType[n], f.UDPlotType[n], 11), n, kType);
    QLineEdit* label = b.Make(f.EDPlotLabel[n], &page);
    label->setMinimumWidth(150);
    grid->addWidget(label, n, kLabel);
    for (auto [edit, column] : {std::pair{&f.EDScale[n], kScale}, std::pair{&f.EDOffset[n], kOffset}}) {
      QLineEdit* w = b.Make(*edit, &page);
      w->setFixedWidth(80);
      grid->addWidget(w, n, column);
    }
    QLineEdit* units = b.Make(f.EDUnits[n], &page);
    units->setFixedWidth(110);
    grid->addWidget(units, n, kUnits);
    grid->addWidget(b.Make(f.BTPlot[n], &page), n, kPlot);
  }
  grid->setColumnStretch(kPlot + 1, 1);

  auto* commands = new QHBoxLayout;
  commands->setSpacing(kCellSpacing);
  for (forms::Button* button : {&f.BTClearPlotSetup, &f.BTLoadPlotSetup, &f.BTStorePlotSetup}) {
    QPushButton* w = b.Make(*button, &page);
    w->setMinimumWidth(kCommandWidth - 40);
    commands->addWidget(w);
  }
  commands->addStretch(1);
  outer->addSpacing(kSectionGap);
  outer->addLayout(commands);

  // Left from an earlier design and never shown, but bound like every control.
  auto* unused = new QHBoxLayout;
  unused->addWidget(b.Make(f.CBSelectChannel, &page));
  unused->addWidget(b.Make(f.UDDepthCol, &page));
  unused->addWidget(b.Make(f.PlotMuxIDLB, &page));
  unused->addWidget(b.Make(f.PlotMuxIDUD, &page));
  unused->addStretch(1);
  outer->addLayout(unused);
  outer->addStretch(1);
}

}  // namespace qv::ui
