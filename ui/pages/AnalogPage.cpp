#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

namespace {

enum Column { kInput, kOffset, kScale, kVoltage };

// A digits-only entry of the given width, as the calibration masks allow.
QLineEdit* DigitEntry(QLineEdit* edit, int digits) {
  edit->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QString(" *[0-9]{0,%1}").arg(digits)), edit));
  edit->setFont(FixedFont());
  edit->setAlignment(Qt::AlignRight);
  edit->setFixedWidth(QFontMetrics(FixedFont()).horizontalAdvance(QString(digits + 3, '0')));
  return edit;
}

}  // namespace

// The calibration grid (a row per input: reading at 0 volts, counts per
// volt, voltage) and the commands on the right.
void BuildAnalogPage(BuildContext& ctx, QWidget& page) {
  AnalogTab& f = ctx.host.Analog();
  Binder& b = ctx.binder;

  auto* row = new QHBoxLayout(&page);
  SetPageSpacing(*row);
  QGroupBox* group = b.Make(f.GBAnalogCal, &page);
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(kCellSpacing + 6);
  grid->setVerticalSpacing(kRowSpacing + 2);
  StackedHeading(*grid, 0, kOffset, b.Make(f.LBOffsetHeading1, group), b.Make(f.LBOffsetHeading2, group));
  StackedHeading(*grid, 0, kScale, b.Make(f.LBScaleHeading1, group), b.Make(f.LBScaleHeading2, group));
  grid->addWidget(Heading(b.Make(f.LBVoltageHeading, group)), 0, kVoltage, Qt::AlignHCenter | Qt::AlignBottom);
  for (int k = f.LBInput.First(); k <= f.LBInput.Last(); ++k) {
    const int r = k + 1;
    grid->addWidget(b.Make(f.LBInput[k], group), r, kInput);
    grid->addWidget(DigitEntry(b.Make(f.MEOffset[k], group), 4), r, kOffset, Qt::AlignHCenter);
    grid->addWidget(DigitEntry(b.Make(f.MEScale[k], group), 5), r, kScale, Qt::AlignHCenter);
    grid->addWidget(Number(b.Make(f.AnalogCal[k], group), 6), r, kVoltage, Qt::AlignHCenter);
  }
  row->addWidget(group, 0, Qt::AlignTop);
  row->addWidget(FactoryCommands(b,
                                 {f.BTGetAnalog, f.BTSendAnalogCalibration, f.BTLoadAnalogFile,
                                  f.BTSaveAnalogFile, f.AnalogPanel, f.Label2, f.ALGPassword,
                                  f.BTDoneWithAnalog},
                                 &page),
                 0, Qt::AlignTop);
  row->addStretch(1);
}

}  // namespace qv::ui
