#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "diagnostics/TestPortForm.h"
#include "ui/Binder.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"

namespace qv::ui {

// The port to test and the two line settings, each under its caption, and
// start and stop; stays on top, centred on the main window.
FormDialog* BuildTestPortDialog(BuildContext& ctx, TestPortForm& f) {
  Binder& b = ctx.binder;
  auto* d = new FormDialog(ctx.owner, Qt::WindowStaysOnTopHint);
  auto* grid = new QGridLayout(d);
  grid->setContentsMargins(18, 16, 18, 16);
  grid->setHorizontalSpacing(14);
  grid->setVerticalSpacing(4);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  const std::pair<forms::Label*, forms::ComboBox*> choices[] = {
      {&f.LBTestPort, &f.CBTestPort},
      {&f.LBTestPortSetup, &f.CBTestPortSetup},
      {&f.LBHostPortSetup, &f.CBHostPortSetup}};
  int column = 0;
  for (const auto& [caption, list] : choices) {
    grid->addWidget(b.Make(*caption, d), 0, column);
    QComboBox* w = b.Make(*list, d);
    w->setMinimumContentsLength(12);
    grid->addWidget(w, 1, column++);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(b.Make(f.BTTestPort, d));
  buttons->addWidget(b.Make(f.BTStopTest, d));
  grid->addLayout(buttons, 2, 0, 1, column);
  grid->setRowMinimumHeight(2, 44);

  b.BindWindow(f.window, *d);
  return d;
}

}  // namespace qv::ui
