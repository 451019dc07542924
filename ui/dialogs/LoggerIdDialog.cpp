#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "status/StatusForms.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

// The logger's present ID, the new one with the arrows that choose it, and
// the button that sends it.
FormDialog* BuildLoggerIdDialog(BuildContext& ctx, MuxIDForm& f) {
  Binder& b = ctx.binder;
  auto* d = new FormDialog(ctx.owner);
  auto* layout = new QVBoxLayout(d);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(12);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const QFont fixed = FixedFont();
  QLabel* current = b.Make(f.LBCurrentMuxID, d);
  current->setFont(fixed);
  layout->addWidget(current);

  auto* change = new QHBoxLayout;
  change->setSpacing(4);
  QLabel* caption = b.Make(f.LBChangeCaption, d);
  caption->setFont(fixed);
  change->addWidget(caption);
  QLabel* id = b.Make(f.LBNewMuxID, d);
  id->setFont(HeadingFont(fixed));
  id->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  id->setContentsMargins(4, 1, 4, 1);
  change->addWidget(id);
  UpDownBox* arrows = b.Make(f.UDMuxID, d);
  arrows->SetArrowsOnly(true);
  change->addWidget(arrows);
  change->addStretch(1);
  layout->addLayout(change);

  layout->addWidget(b.Make(f.BTSendMuxID, d));

  b.BindWindow(f.window, *d);
  return d;
}

}  // namespace qv::ui
