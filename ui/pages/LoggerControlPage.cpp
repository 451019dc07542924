#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

namespace {
enum Column { kLabel, kValue, kUnit };
// A time box: the five digits of 10000 and its arrows.
constexpr int kValueChars = 10;
}  // namespace

// The sampling schedule in one group: the mode choices (which the display
// mode may hide), the six times in a grid of value and unit, the cut-off
// and the analog rate with the values their arrows set; beside it the setup
// commands and the commands that run the logger.
void BuildLoggerControlPage(BuildContext& ctx, QWidget& page) {
  LoggerControlTab& f = ctx.host.Setup().loggerControl;
  Binder& b = ctx.binder;

  auto* row = new QHBoxLayout(&page);
  SetPageSpacing(*row);

  QGroupBox* sample = b.Make(f.GBSampleSetup, &page);
  auto* grid = new QGridLayout(sample);
  grid->setHorizontalSpacing(kCellSpacing);
  grid->setVerticalSpacing(kRowSpacing + 2);
  int r = 0;
  for (auto [label, combo] : {std::pair{&f.ModeLB, &f.ModeCB}, std::pair{&f.FileLB, &f.FileCB},
                              std::pair{&f.OutputLB, &f.OutputCB},
                              std::pair{&f.TimeSourceLB, &f.TimeSourceCB}}) {
    grid->addWidget(b.Make(*label, sample), r, kLabel);
    grid->addWidget(b.Make(*combo, sample), r++, kValue, 1, 2);
  }

  struct Time {
    forms::Label& label;
    forms::UpDown& updown;
    forms::ComboBox& unit;
  };
  const Time times[] = {{f.LBDelay, f.DelayUD, f.DelayCombo},
                        {f.LBPreFlush, f.PreFlushUD, f.PreFlushCombo},
                        {f.LBWarmup, f.WarmupUD, f.WarmupCombo},
                        {f.LBFlush, f.FlushUD, f.FlushCombo},
                        {f.LBSample, f.SampleUD, f.SampleCombo},
                        {f.LBSampleInterval, f.IntervalUD, f.IntervalCombo}};
  const int valueWidth =
      QFontMetrics(page.font()).horizontalAdvance(QString(kValueChars, QLatin1Char('0')));
  bool first = true;
  for (const Time& t : times) {
    QLabel* label = b.Make(t.label, sample);
    UpDownBox* value = b.Make(t.updown, sample);
    value->setAlignment(Qt::AlignRight);
    value->setMinimumWidth(valueWidth);
    QComboBox* unit = b.Make(t.unit, sample);
    const Qt::Alignment bottom = first ? Qt::AlignBottom : Qt::Alignment();
    // The first time keeps the schedule apart from the choices above it.
    if (first)
      GapAbove(label, kSectionGap,
               std::max(value->sizeHint().height(), unit->sizeHint().height()));
    grid->addWidget(label, r, kLabel);
    grid->addWidget(value, r, kValue, bottom);
    grid->addWidget(unit, r++, kUnit, bottom);
    first = false;
  }

  // Arrows beside the value they set, which a label shows.
  auto stepped = [&](forms::Label& caption, forms::UpDown& updown, forms::Label& shown, int gap) {
    auto* pair = new QHBoxLayout;
    pair->setSpacing(6);
    QLabel* value = b.Make(shown, sample);
    value->setFont(FixedFont());
    pair->addWidget(value);
    UpDownBox* arrows = b.Make(updown, sample);
    arrows->SetArrowsOnly(true);
    pair->addWidget(arrows);
    pair->addStretch(1);
    QLabel* label = b.Make(caption, sample);
    if (gap > 0) GapAbove(label, gap, arrows->sizeHint().height());
    grid->addWidget(label, r, kLabel);
    grid->addLayout(pair, r++, kValue, 1, 2, gap > 0 ? Qt::AlignBottom : Qt::Alignment());
  };
  stepped(f.LBLowVoltageCaption, f.UDLVCutOff, f.LBLowVoltage, kSectionGap);
  stepped(f.LBAnalogRateCaption, f.UDAnalogRate, f.LBAnalogRate, 0);

  grid->addItem(new QSpacerItem(0, kSectionGap / 2), r++, kLabel);
  grid->addWidget(b.Make(f.CBAutoStart, sample), r++, kLabel, 1, 3);
  grid->setColumnStretch(kUnit + 1, 1);
  grid->setRowStretch(r, 1);

  row->addWidget(sample, 0, Qt::AlignTop);

  auto* side = new QVBoxLayout;
  side->setSpacing(kColumnGap);
  side->addWidget(SetupCommands(b, f.BTGetSetup2, f.BTStoreSetup2, f.GBSetupFile2, f.Button3,
                                f.BTOpenSetupFile2, &page));
  QGroupBox* commands = b.Make(f.GBLoggerCommands, &page);
  commands->setFixedWidth(kCommandWidth);
  auto* inCommands = new QVBoxLayout(commands);
  inCommands->setSpacing(6);
  for (forms::Button* button : {&f.BTBegin, &f.BTStop, &f.BTSleep, &f.BTClearMemory})
    inCommands->addWidget(b.Make(*button, commands));
  side->addWidget(commands);
  side->addStretch(1);
  row->addLayout(side);
  row->addStretch(1);
}

}  // namespace qv::ui
