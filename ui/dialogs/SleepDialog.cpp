#include <QGridLayout>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>

#include "status/StatusForms.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"

namespace qv::ui {

namespace {
constexpr int kButtonWidth = 110;
}  // namespace

// The two clocks, the wake-up time and date in the moored-mode group with
// its reminder, the notes on the formats, and the two buttons.
FormDialog* BuildSleepDialog(BuildContext& ctx, SleepForm& f) {
  Binder& b = ctx.binder;
  auto* d = new FormDialog(ctx.owner);
  auto* layout = new QVBoxLayout(d);
  layout->setContentsMargins(18, 16, 18, 16);
  layout->setSpacing(10);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* clocks = new QGridLayout;
  clocks->setHorizontalSpacing(14);
  clocks->setVerticalSpacing(4);
  const QFont fixed = FixedFont();
  int r = 0;
  for (auto [caption, time, date] : {std::tuple{&f.LBHostCaption, &f.HostTime, &f.HostDate},
                                     std::tuple{&f.LBMeterCaption, &f.SleepTime, &f.SleepDate}}) {
    clocks->addWidget(b.Make(*caption, d), r, 0);
    for (forms::Label* value : {time, date}) {
      QLabel* w = b.Make(*value, d);
      w->setFont(fixed);
      clocks->addWidget(w, r, value == time ? 1 : 2);
    }
    ++r;
  }
  clocks->setColumnStretch(3, 1);
  layout->addLayout(clocks);

  QGroupBox* moored = b.Make(f.MooredSleepGB, d);
  auto* inMoored = new QVBoxLayout(moored);
  inMoored->setSpacing(8);
  auto* until = new QHBoxLayout;
  until->setSpacing(8);
  until->addWidget(b.Make(f.LBSleepUntil, moored));
  const int editWidth = QFontMetrics(fixed).horizontalAdvance(QStringLiteral("00:00:00")) + 16;
  for (forms::MaskEdit* edit : {&f.METime, &f.MEDate}) {
    QLineEdit* w = b.Make(*edit, moored);
    w->setFont(fixed);
    w->setFixedWidth(editWidth);
    w->setAlignment(Qt::AlignCenter);
    until->addWidget(w);
    if (edit == &f.METime) until->addWidget(b.Make(f.LBOn, moored));
  }
  until->addStretch(1);
  inMoored->addLayout(until);
  QLabel* daylight = b.Make(f.LBDaylight, moored);
  daylight->setFont(HeadingFont(daylight->font()));
  inMoored->addWidget(daylight);
  layout->addWidget(moored);

  auto* notes = new QVBoxLayout;
  notes->setSpacing(2);
  notes->addWidget(b.Make(f.LBNote1, d));
  notes->addWidget(b.Make(f.LBNote2, d));
  layout->addLayout(notes);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(10);
  buttons->addStretch(1);
  for (forms::Button* button : {&f.SleepButton, &f.CancelButton}) {
    QPushButton* w = b.Make(*button, d);
    w->setMinimumWidth(kButtonWidth);
    buttons->addWidget(w);
  }
  layout->addLayout(buttons);

  b.BindWindow(f.window, *d);
  return d;
}

}  // namespace qv::ui
