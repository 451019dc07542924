#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "link/LinkForms.h"
#include "ui/Binder.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"

namespace qv::ui {

// Logger port and line setting; stays on top, and Qt centres it on the main
// window each time it is shown.
FormDialog* BuildHostPortDialog(BuildContext& ctx, ConfigureHostPortForm& f) {
  auto* d = new FormDialog(ctx.owner, Qt::WindowStaysOnTopHint);
  auto* grid = new QGridLayout(d);
  grid->setContentsMargins(18, 16, 18, 16);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(10);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  grid->addWidget(ctx.binder.Make(f.LBHostPort, d), 0, 0);
  QComboBox* port = ctx.binder.Make(f.HostPortCB, d);
  port->setMinimumContentsLength(18);
  grid->addWidget(port, 0, 1);
  grid->addWidget(ctx.binder.Make(f.LBHostSetup, d), 1, 0);
  QComboBox* setting = ctx.binder.Make(f.HostSetupCB, d);
  setting->setMinimumContentsLength(18);
  grid->addWidget(setting, 1, 1);

  ctx.binder.BindWindow(f.window, *d);
  return d;
}

}  // namespace qv::ui
