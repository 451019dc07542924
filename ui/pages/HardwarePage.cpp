#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

namespace {

// A column of relay lists under its heading, each beside its port label.
QGridLayout* RelayColumn(Binder& b, QWidget& page, forms::Label& heading,
                         forms::Family<forms::Label>& labels,
                         forms::Family<forms::ComboBox>& lists) {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(kCellSpacing);
  grid->setVerticalSpacing(kRowSpacing);
  grid->addWidget(Heading(b.Make(heading, &page)), 0, 0, 1, 2);
  for (int n = labels.First(); n <= labels.Last(); ++n) {
    grid->addWidget(b.Make(labels[n], &page), n - labels.First() + 1, 0);
    grid->addWidget(b.Make(lists[n], &page), n - labels.First() + 1, 1);
  }
  grid->setRowStretch(labels.Count() + 1, 1);
  return grid;
}

}  // namespace

// The unit's identity on top, the relay feeding each port below it in three
// columns (serial, analog, pump), the commands on the right, and the factory
// defaults command at the foot.
void BuildHardwarePage(BuildContext& ctx, QWidget& page) {
  HardwareTab& f = ctx.host.Hardware();
  Binder& b = ctx.binder;

  auto* outer = new QVBoxLayout(&page);
  SetPageSpacing(*outer);
  auto* row = new QHBoxLayout;
  row->setSpacing(kColumnGap);
  outer->addLayout(row, 1);

  auto* left = new QVBoxLayout;
  left->setSpacing(kColumnGap);
  auto* identity = new QGridLayout;
  identity->setHorizontalSpacing(kCellSpacing);
  identity->setVerticalSpacing(kRowSpacing + 2);
  int r = 0;
  identity->addWidget(b.Make(f.LBDeviceType, &page), r, 0);
  identity->addWidget(b.Make(f.DeviceTypeCB, &page), r++, 1);
  identity->addWidget(b.Make(f.LBSerialNumber, &page), r, 0);
  identity->addWidget(b.Make(f.UDSerialNumber, &page), r++, 1, Qt::AlignLeft);
  identity->addWidget(b.Make(f.LBRunStop, &page), r, 0);
  identity->addWidget(b.Make(f.RunStopCB, &page), r++, 1);
  identity->addWidget(b.Make(f.LBStatusLED, &page), r, 0);
  identity->addWidget(b.Make(f.StatusLEDCB, &page), r++, 1);
  identity->setColumnStretch(2, 1);
  left->addLayout(identity);

  auto* relays = new QHBoxLayout;
  relays->setSpacing(kColumnGap + 12);
  relays->addLayout(RelayColumn(b, page, f.LBSerialPorts, f.LBRelaySP, f.RelaySP));
  relays->addLayout(RelayColumn(b, page, f.LBAnalogPorts, f.LBRelayAP, f.RelayAP));
  relays->addLayout(RelayColumn(b, page, f.LBPumpPower, f.LBRelayPP, f.RelayPP));
  relays->addStretch(1);
  left->addLayout(relays, 1);
  row->addLayout(left, 1);

  row->addWidget(FactoryCommands(b,
                                 {f.BTGetHardware, f.BTSendHardwareSetup, f.BTLoadHardwareFile,
                                  f.BTSaveHardwareFile, f.HardwarePanel, f.Labelxx, f.HWPassword,
                                  f.BTDoneWithHardware},
                                 &page),
                 0, Qt::AlignTop);
  outer->addWidget(b.Make(f.BTKR7Defaults, &page), 0, Qt::AlignLeft);
}

}  // namespace qv::ui
