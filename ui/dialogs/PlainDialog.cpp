#include <QDebug>
#include <QMenuBar>
#include <QVBoxLayout>

#include "ui/Binder.h"
#include "ui/PlainLayout.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"

namespace qv::ui {

// Every control of the form in a plain grid, its menu, if any, on top.
FormDialog* BuildPlainDialog(BuildContext& ctx, forms::Form& form) {
  Binder& b = ctx.binder;
  auto* d = new FormDialog(ctx.owner);
  auto* body = new QWidget(d);
  LayOutPlainly(b, form, *body);
  auto* layout = new QVBoxLayout(d);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(body);

  forms::Window* window = nullptr;
  bool hasMenu = false;
  for (forms::Control* c : form.Controls()) {
    if (c->GetKind() == forms::Kind::MenuItem) hasMenu = true;
    if (c->GetKind() == forms::Kind::Window && !window) window = static_cast<forms::Window*>(c);
  }
  if (hasMenu) {
    auto* bar = new QMenuBar(d);
    b.MakeMenus(form, *bar);
    layout->setMenuBar(bar);
  }
  if (window)
    b.BindWindow(*window, *d);
  else
    qWarning("qvhost: form %s has no window and no builder", form.Name().c_str());
  return d;
}

}  // namespace qv::ui
