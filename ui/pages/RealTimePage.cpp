#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

namespace {
// The unit lines' packet, sequence-error and missing counts start where the
// heading names them: "Mod" at column 26, "Missing" at column 31.
const std::vector<int> kUnitColumns = {26, 31};
constexpr int kMemoMinimumLines = 8;
}  // namespace

// What to show and the switch on top, the received text taking the room
// left, the line to send, and the per-unit packet counters at the foot.
void BuildRealTimePage(BuildContext& ctx, QWidget& page) {
  RealTimeTab& f = ctx.host.Stream().realTimeTab;
  Binder& b = ctx.binder;

  auto* layout = new QVBoxLayout(&page);
  SetPageSpacing(*layout);
  layout->setSpacing(8);

  auto* choices = new QHBoxLayout;
  choices->setSpacing(kCellSpacing);
  QComboBox* source = b.Make(f.RawSourceCB, &page);
  source->setMinimumContentsLength(18);
  choices->addWidget(source);
  QComboBox* port = b.Make(f.RawPortCB, &page);
  port->setMinimumContentsLength(18);
  choices->addWidget(port);
  auto* loggerId = new QHBoxLayout;
  loggerId->setSpacing(4);
  loggerId->addWidget(b.Make(f.RawMuxIDLB, &page));
  UpDownBox* arrows = b.Make(f.RawMuxIDUD, &page);
  arrows->SetArrowsOnly(true);
  loggerId->addWidget(arrows);
  choices->addSpacing(kCellSpacing);
  choices->addLayout(loggerId);
  choices->addStretch(1);
  QPushButton* display = b.Make(f.BTDisplayRaw, &page);
  display->setMinimumWidth(kCommandWidth - 40);
  choices->addWidget(display);
  layout->addLayout(choices);

  QPlainTextEdit* memo = b.Make(f.Memo1, &page);
  memo->setMinimumHeight(memo->fontMetrics().lineSpacing() * kMemoMinimumLines);
  layout->addWidget(memo, 1);

  auto* send = new QHBoxLayout;
  send->setSpacing(kCellSpacing);
  send->addWidget(b.Make(f.EditSendText, &page), 1);
  QPushButton* sendButton = b.Make(f.BTSendText, &page);
  sendButton->setMinimumWidth(kCommandWidth - 40);
  send->addWidget(sendButton);
  layout->addLayout(send);

  auto* counters = new QGridLayout;
  counters->setContentsMargins(0, 4, 0, 0);
  counters->setVerticalSpacing(1);
  counters->setHorizontalSpacing(kCellSpacing);
  int r = 0;
  for (forms::Label* line : {&f.LBUnitHeading, &f.LBTimeUnit, &f.LBUnit[1], &f.LBUnit[2],
                             &f.LBUnit[3], &f.LBUnit[4]}) {
    QLabel* w = b.MakeColumns(*line, &page, kUnitColumns);
    w->setFont(line == &f.LBUnitHeading ? HeadingFont(FixedFont()) : FixedFont());
    counters->addWidget(w, r++, 0);
  }
  QPushButton* reset = b.Make(f.BTResetCounters, &page);
  reset->setMinimumWidth(kCommandWidth - 40);
  counters->addWidget(reset, 0, 2, r, 1, Qt::AlignRight | Qt::AlignBottom);
  counters->setColumnStretch(1, 1);
  layout->addLayout(counters);
}

}  // namespace qv::ui
