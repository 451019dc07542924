#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "status/StatusForms.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"

namespace qv::ui {

namespace {
constexpr int kTextWidth = 340;
constexpr int kTextPixels = 15;
}  // namespace

// The window in its own colour, its message large and wrapped, OK below.
FormDialog* BuildWarningWindow(BuildContext& ctx, WarningForm& f) {
  Binder& b = ctx.binder;
  auto* d = new FormDialog(ctx.owner);
  ApplyColour(*d, f.window.GetColour(), true);
  auto* layout = new QVBoxLayout(d);
  layout->setContentsMargins(22, 20, 22, 16);
  layout->setSpacing(16);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QLabel* text = b.Make(f.Label1, d);
  text->setFont(PixelFont(text->font(), kTextPixels, true));
  text->setWordWrap(true);
  text->setAlignment(Qt::AlignCenter);
  text->setFixedWidth(kTextWidth);
  layout->addWidget(text);
  QPushButton* ok = b.Make(f.Button1, d);
  ok->setMinimumWidth(100);
  layout->addWidget(ok, 0, Qt::AlignHCenter);

  b.BindWindow(f.window, *d);
  return d;
}

}  // namespace qv::ui
