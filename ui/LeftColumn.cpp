#include "ui/LeftColumn.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/Look.h"

namespace qv::ui {

namespace {
constexpr int kColumnWidth = 190;
}  // namespace

QWidget* BuildLeftColumn(BuildContext& ctx, QWidget* parent) {
  MainForm& m = ctx.host.Main();
  Binder& b = ctx.binder;

  auto* column = new QWidget(parent);
  column->setFixedWidth(kColumnWidth);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(10);

  QGroupBox* host = b.Make(m.GBHostStatus, column);
  auto* hostLayout = new QVBoxLayout(host);
  hostLayout->setSpacing(4);
  QLabel* clock = b.Make(m.LBHostDandT, host);
  clock->setFont(FixedFont());
  clock->setAlignment(Qt::AlignCenter);
  QLabel* mode = b.Make(m.HostMode, host);
  mode->setAlignment(Qt::AlignCenter);
  mode->setWordWrap(true);
  hostLayout->addWidget(clock);
  hostLayout->addWidget(mode);
  layout->addWidget(host);

  for (forms::Panel* panel : {&m.PStore, &m.FlashPanel}) {
    QLabel* w = b.Make(*panel, column);
    PanelLook(*w);
    layout->addWidget(w, 0, Qt::AlignHCenter);
  }

  QLabel* noStatus = b.Make(m.Label78, column);
  noStatus->setAlignment(Qt::AlignCenter);
  layout->addWidget(noStatus);

  QGroupBox* logger = b.Make(m.GBLoggerStatus, column);
  BuildLoggerStatusGroup(ctx, *logger);
  layout->addWidget(logger);

  layout->addStretch(1);
  return column;
}

}  // namespace qv::ui
