#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

namespace {
enum Column { kLabel, kMeter, kLine, kOncePerHour, kRest };
}  // namespace

// One grid for all 19 ports, so that the port combos, the line settings and
// the once-per-hour boxes each stand in one column whatever rows the logger
// has; rows and headings the status hides collapse with them.
void BuildPortSetupPage(BuildContext& ctx, QWidget& page) {
  PortSetupTab& f = ctx.host.Setup().portSetup;
  Binder& b = ctx.binder;

  auto* row = new QHBoxLayout(&page);
  SetPageSpacing(*row);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(kCellSpacing);
  grid->setVerticalSpacing(kRowSpacing);
  row->addLayout(grid);
  row->addWidget(SetupCommands(b, f.BTGetSetup1, f.BTStoreSetup1, f.GBSetupFile1,
                               f.BTSaveSetupFile2, f.BTOpenSetupFile1, &page),
                 0, Qt::AlignTop);
  row->addStretch(1);

  int r = 0;
  auto box = [&](forms::CheckBox& c) {
    grid->addWidget(b.Make(c, &page), r, kOncePerHour, Qt::AlignHCenter);
  };

  grid->addWidget(Heading(b.Make(f.LBSerialHeading, &page)), r, kLabel);
  grid->addWidget(Heading(b.Make(f.LBMeterHeading, &page)), r, kMeter);
  grid->addWidget(Heading(b.Make(f.LBLineHeading, &page)), r, kLine);
  StackedHeading(*grid, r++, kOncePerHour, b.Make(f.SOPHLB1, &page), b.Make(f.SOPHLB2, &page));
  for (int n = f.LBS.First(); n <= f.LBS.Last(); ++n, ++r) {
    grid->addWidget(b.Make(f.LBS[n], &page), r, kLabel);
    grid->addWidget(b.Make(f.ComboMeter[n], &page), r, kMeter);
    grid->addWidget(b.Make(f.CBPortSetup[n], &page), r, kLine);
    box(f.SOPH[n]);
  }
  // The logger's own host port: a line setting only, in that column.
  QLabel* host = b.Make(f.LBHostPortSetup, &page);
  QComboBox* hostLine = b.Make(f.CBHostPortSetup, &page);
  GapAbove(host, kSectionGap / 2, hostLine->sizeHint().height());
  grid->addWidget(host, r, kLabel);
  grid->addWidget(hostLine, r++, kLine, Qt::AlignBottom);

  grid->addWidget(Heading(b.Make(f.LBAnalogSetup, &page), kSectionGap), r, kLabel, 1, 2);
  StackedHeading(*grid, r++, kOncePerHour, b.Make(f.AOPHLB1, &page), b.Make(f.AOPHLB2, &page));
  for (int n = f.LBAnalog.First(); n <= f.LBAnalog.Last(); ++n, ++r) {
    grid->addWidget(b.Make(f.LBAnalog[n], &page), r, kLabel);
    grid->addWidget(b.Make(f.CBAnalog[n], &page), r, kMeter);
    box(f.AOPH[n]);
  }

  grid->addWidget(Heading(b.Make(f.LBPump, &page), kSectionGap), r, kLabel, 1, 2);
  StackedHeading(*grid, r++, kOncePerHour, b.Make(f.POPHLB1, &page), b.Make(f.POPHLB2, &page));
  for (int n = f.LBPumpPort.First(); n <= f.LBPumpPort.Last(); ++n, ++r) {
    grid->addWidget(b.Make(f.LBPumpPort[n], &page), r, kLabel);
    grid->addWidget(b.Make(f.CBPump[n], &page), r, kMeter);
    box(f.POPH[n]);
  }
  grid->setRowStretch(r, 1);
}

}  // namespace qv::ui
