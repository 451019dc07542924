#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

namespace {
enum Column { kPort, kType, kRateCaption, kRate, kSizeCaption, kSize };
// A rate of 32767 and a size of 2097151 K keep their columns' width.
constexpr int kRateChars = 6;
constexpr int kSizeChars = 10;
constexpr int kAnalogChars = 7;
}  // namespace

// The per-port figures of the last status as a table: a row per serial port
// under the column headings, then the analog inputs with their voltages, the
// analog file size in the file-size column. Rows of ports the logger does
// not use collapse.
void BuildDataStatusPage(BuildContext& ctx, QWidget& page) {
  DataStatusTab& f = ctx.host.Status().dataStatus;
  Binder& b = ctx.binder;

  auto* row = new QHBoxLayout(&page);
  SetPageSpacing(*row);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(kCellSpacing + 4);
  grid->setVerticalSpacing(kRowSpacing + 2);
  row->addLayout(grid);
  row->addStretch(1);

  int r = 0;
  grid->addWidget(Heading(b.Make(f.LBSerial, &page)), r, kPort);
  grid->addWidget(Heading(b.Make(f.LBTypeHeading, &page)), r, kType);
  grid->addWidget(Heading(b.Make(f.LBRateHeading, &page)), r, kRateCaption, 1, 2);
  grid->addWidget(Heading(b.Make(f.LBSizeHeading, &page)), r++, kSizeCaption, 1, 2);
  for (int n = f.MLabel.First(); n <= f.MLabel.Last(); ++n, ++r) {
    grid->addWidget(b.Make(f.MLabel[n], &page), r, kPort);
    grid->addWidget(b.Make(f.MTypeLabel[n], &page), r, kType);
    grid->addWidget(b.Make(f.MBPSLabel[n], &page), r, kRateCaption);
    grid->addWidget(Number(b.Make(f.MStatusLabel[n], &page), kRateChars), r, kRate);
    grid->addWidget(b.Make(f.MFSLabel[n], &page), r, kSizeCaption);
    grid->addWidget(Number(b.Make(f.MFileSizeLabel[n], &page), kSizeChars), r, kSize);
  }

  grid->addWidget(Heading(b.Make(f.LBAnalog, &page), 2 * kSectionGap), r, kPort, 1, 2);
  QLabel* analogCaption = b.Make(f.AnalogFS, &page);
  analogCaption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  grid->addWidget(analogCaption, r, kSizeCaption);
  QLabel* analogSize = Number(b.Make(f.AnalogFileSizeLabel, &page), kSizeChars);
  analogSize->setAlignment(Qt::AlignRight | Qt::AlignBottom);
  grid->addWidget(analogSize, r++, kSize);
  for (int n = f.LBA.First(); n <= f.LBA.Last(); ++n, ++r) {
    grid->addWidget(b.Make(f.LBA[n], &page), r, kPort);
    grid->addWidget(Number(b.Make(f.Analog[n], &page), kAnalogChars), r, kType, Qt::AlignLeft);
  }
  // The PC Logger's open ports under the analog inputs, each second.
  grid->addWidget(Heading(b.Make(f.LBSurface, &page), 2 * kSectionGap), r++, kPort, 1, 3,
                  Qt::AlignLeft);
  for (int n = f.LBSurfacePort.First(); n <= f.LBSurfacePort.Last(); ++n, ++r) {
    QLabel* line = b.Make(f.LBSurfacePort[n], &page);
    line->setFont(FixedFont());
    grid->addWidget(line, r, kPort, 1, 3);
  }
  grid->setRowStretch(r, 1);
}

}  // namespace qv::ui
