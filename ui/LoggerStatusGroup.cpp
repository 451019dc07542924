#include <QGridLayout>
#include <QLabel>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/LeftColumn.h"
#include "ui/Look.h"

namespace qv::ui {

namespace {
constexpr int kClockPixels = 15;
constexpr int kRemotePanelHeight = 26;
}  // namespace

// The logger's clock on top, then its state, run, voltages and memory as
// caption and value, right-aligned values in a narrow column; lines the
// status hides collapse.
void BuildLoggerStatusGroup(BuildContext& ctx, QWidget& group) {
  LoggerStatusGroup& f = ctx.host.Status().group;
  Binder& b = ctx.binder;

  auto* grid = new QGridLayout(&group);
  grid->setContentsMargins(8, 8, 8, 8);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  int r = 0;
  auto whole = [&](QLabel* w) {
    w->setAlignment(Qt::AlignCenter);
    grid->addWidget(w, r++, 0, 1, 2);
    return w;
  };
  auto pair = [&](forms::Label& caption, forms::Label& value) {
    grid->addWidget(b.Make(caption, &group), r, 0);
    QLabel* v = b.Make(value, &group);
    v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(v, r++, 1);
    return v;
  };
  auto gap = [&] { grid->addItem(new QSpacerItem(0, 6), r++, 0); };

  QLabel* clock = whole(b.Make(f.LBDandT, &group));
  clock->setFont(PixelFont(FixedFont(), kClockPixels, true));
  clock->setContentsMargins(2, 3, 2, 3);
  whole(b.Make(f.LBDrift, &group));
  QLabel* mode = whole(b.Make(f.LoggerMode, &group));
  mode->setFont(HeadingFont(mode->font()));
  mode->setWordWrap(true);
  gap();

  QLabel* operation = pair(f.LBOperationCaption, f.LBOperation);
  operation->setFont(HeadingFont(operation->font()));
  operation->setContentsMargins(3, 0, 3, 0);
  pair(f.LBTimeLeftCaption, f.LBTimeLeft);
  grid->addWidget(b.Make(f.LBRunNumber, &group), r++, 0, 1, 2);
  grid->addWidget(b.Make(f.LBRunSize, &group), r++, 0, 1, 2);
  gap();

  QLabel* volts = b.Make(f.LBVoltsCaption, &group);
  volts->setFont(HeadingFont(volts->font()));
  grid->addWidget(volts, r++, 0, 1, 2);
  pair(f.LBCurrentCaption, f.LBCurrentV);
  pair(f.LBStartCaption, f.LBStartV);
  pair(f.LBEndCaption, f.LBEndV);
  gap();

  pair(f.LBFreeDiskCaption, f.LBFreeDisk);
  pair(f.LBTotalDiskCaption, f.LBTotalDisk);
  QLabel* power = b.Make(f.LBPower, &group);
  power->setFont(FixedFont());
  grid->addWidget(power, r++, 0, 1, 2);
  grid->addWidget(b.Make(f.LBRunStop, &group), r++, 0, 1, 2);
  grid->addWidget(b.Make(f.HostType, &group), r++, 0, 1, 2);

  QLabel* remote = b.Make(f.RemoteHostPanel, &group);
  remote->setFixedHeight(kRemotePanelHeight);
  remote->setFont(HeadingFont(remote->font()));
  grid->addWidget(remote, r++, 0, 1, 2);
  grid->setColumnStretch(1, 1);
}

}  // namespace qv::ui
