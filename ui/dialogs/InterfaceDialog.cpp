#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/LinkForms.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"

namespace qv::ui {

// The warning before the logger's host interface is switched, the way back,
// and the three choices.
FormDialog* BuildInterfaceDialog(BuildContext& ctx, RS422Form& f) {
  Binder& b = ctx.binder;
  auto* d = new FormDialog(ctx.owner);
  auto* layout = new QVBoxLayout(d);
  layout->setContentsMargins(22, 18, 22, 16);
  layout->setSpacing(6);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QLabel* warning = b.Make(f.LBWarning, d);
  warning->setAlignment(Qt::AlignCenter);
  warning->setFont(PixelFont(warning->font(), 16, true));
  layout->addWidget(warning);
  layout->addSpacing(8);
  layout->addWidget(b.Make(f.LBText1, d));
  layout->addWidget(b.Make(f.LBText2, d));
  layout->addSpacing(10);
  layout->addWidget(b.Make(f.LBText3, d));

  auto* steps = new QVBoxLayout;
  steps->setContentsMargins(24, 2, 0, 0);
  steps->setSpacing(4);
  for (forms::Label* step : {&f.LBStepA, &f.LBStepB, &f.LBStepC, &f.LBStepD})
    steps->addWidget(b.Make(*step, d));
  layout->addLayout(steps);
  layout->addSpacing(16);

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(10);
  buttons->addStretch(1);
  for (forms::Button* button : {&f.RS232Button, &f.RS422Button, &f.RS422Cancel}) {
    QPushButton* w = b.Make(*button, d);
    w->setMinimumWidth(130);
    buttons->addWidget(w);
  }
  layout->addLayout(buttons);

  b.BindWindow(f.window, *d);
  return d;
}

}  // namespace qv::ui
