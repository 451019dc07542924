#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

namespace {
enum Column { kSlot, kKind, kPort, kLine, kInput, kLoggerId, kLoggerIdArrows, kOutPort, kOutPortArrows, kRest };
}  // namespace

// The six slots as rows of one grid (kind, COM port and line setting, then
// the input's ID or the output's logger ID and port), the input and output
// headings over their columns; under them the two setup commands with the
// "Setup is Not Loaded" panel, and the PC Logger's own rate and time option.
void BuildPcLoggerPage(BuildContext& ctx, QWidget& page) {
  PcLoggerTab& f = ctx.host.PcLogger().tab;
  Binder& b = ctx.binder;

  auto* layout = new QVBoxLayout(&page);
  SetPageSpacing(*layout);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(kCellSpacing);
  grid->setVerticalSpacing(kRowSpacing + 2);
  QLabel* inputs = Heading(b.Make(f.LBInPortHdr, &page));
  grid->addWidget(inputs, 0, kInput, Qt::AlignHCenter);
  grid->addWidget(Heading(b.Make(f.LBOutPortHdr, &page)), 0, kLoggerId, 1, 4, Qt::AlignHCenter);
  // The headings' row keeps its height while they hide, so the slots stay put.
  grid->setRowMinimumHeight(0, inputs->sizeHint().height());
  auto arrows = [&](forms::UpDown& c) {
    UpDownBox* w = b.Make(c, &page);
    w->SetArrowsOnly(true);
    return w;
  };
  for (int n = 1; n <= 6; ++n) {
    grid->addWidget(b.Make(f.LBDeckSlot[n], &page), n, kSlot);
    grid->addWidget(b.Make(f.PortTypeCB[n], &page), n, kKind);
    grid->addWidget(b.Make(f.DeckPortCB[n], &page), n, kPort);
    grid->addWidget(b.Make(f.DeckSetupCB[n], &page), n, kLine);
    grid->addWidget(b.Make(f.LBInPort[n], &page), n, kInput, Qt::AlignHCenter);
    grid->addWidget(b.Make(f.LBDeckType[n], &page), n, kLoggerId);
    grid->addWidget(arrows(f.UDDeckType[n]), n, kLoggerIdArrows);
    grid->addWidget(b.Make(f.LBOutPort[n], &page), n, kOutPort);
    grid->addWidget(arrows(f.UDOutPort[n]), n, kOutPortArrows);
  }
  // Hidden lists keep their column's width, so the rows do not jump as kinds change.
  for (auto [column, list] : {std::pair{kPort, &f.DeckPortCB[1]}, std::pair{kLine, &f.DeckSetupCB[1]}})
    if (auto* w = qobject_cast<QComboBox*>(b.ObjectOf(*list)))
      grid->setColumnMinimumWidth(column, w->sizeHint().width());
  grid->setColumnStretch(kRest, 1);
  layout->addLayout(grid);

  auto* foot = new QHBoxLayout;
  foot->setSpacing(kColumnGap * 2);
  auto* commands = new QVBoxLayout;
  commands->setSpacing(6);
  for (forms::Button* button : {&f.BTLoadDeck, &f.BTRestoreDeck}) {
    QPushButton* w = b.Make(*button, &page);
    w->setFixedWidth(kCommandWidth);
    commands->addWidget(w);
  }
  QLabel* panel = b.Make(f.PCLoggerPanel, &page);
  PanelLook(*panel);
  commands->addSpacing(6);
  commands->addWidget(panel);
  commands->addStretch(1);
  foot->addLayout(commands);

  QGroupBox* own = b.Make(f.GBPcLoggerId, &page);
  auto* inOwn = new QGridLayout(own);
  inOwn->setHorizontalSpacing(6);
  QLabel* rate = b.Make(f.LBDeckRate, own);
  rate->setFont(FixedFont());
  inOwn->addWidget(rate, 0, 0);
  UpDownBox* rateArrows = b.Make(f.UDDeckRate, own);
  rateArrows->SetArrowsOnly(true);
  inOwn->addWidget(rateArrows, 0, 1);
  QLabel* timer = b.Make(f.LBDeckTimer, own);
  timer->setFont(FixedFont());
  inOwn->addWidget(timer, 1, 0, 1, 2);
  inOwn->addWidget(b.Make(f.CBRecordPCTime, own), 2, 0, 1, 2);
  foot->addWidget(own, 0, Qt::AlignTop);
  foot->addStretch(1);
  layout->addLayout(foot);
  layout->addStretch(1);
}

}  // namespace qv::ui
