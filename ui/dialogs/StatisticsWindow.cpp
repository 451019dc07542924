#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

#include "link/LinkForms.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"

namespace qv::ui {

namespace {
// Wide enough for the longest line with large counts, so the window keeps
// its width while the numbers change.
constexpr int kLineChars = 32;
}  // namespace

// Nine statistics lines in columns of a fixed-width font; the coloured lines
// show as bars.
FormDialog* BuildStatisticsWindow(BuildContext& ctx, StatsForm& f) {
  Binder& b = ctx.binder;
  auto* d = new FormDialog(ctx.owner);
  auto* layout = new QVBoxLayout(d);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(2);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const QFont fixed = FixedFont();
  const int width = QFontMetrics(fixed).horizontalAdvance(QString(kLineChars, QLatin1Char('0')));
  auto line = [&](forms::Label& label) {
    QLabel* w = b.Make(label, d);
    w->setFont(fixed);
    w->setContentsMargins(6, 2, 6, 2);
    w->setMinimumWidth(width + 12);
    layout->addWidget(w);
  };
  for (int n = f.SFLB.First(); n <= f.SFLB.Last(); ++n) line(f.SFLB[n]);
  for (forms::Label* aux : {&f.LBAuxPort, &f.LBAuxBytesPerSec, &f.LBAuxTotalOut}) line(*aux);

  b.BindWindow(f.window, *d);
  return d;
}

}  // namespace qv::ui
