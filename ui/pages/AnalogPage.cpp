#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's analog calibration: fetching it, the factory password, and
// the way out of the tab.
void BuildAnalogPage(BuildContext& ctx, QWidget& page) {
  AnalogTab& f = ctx.host.Analog();
  Binder& b = ctx.binder;

  auto* layout = new QVBoxLayout(&page);
  SetPageSpacing(*layout);
  layout->setSpacing(6);
  QPushButton* get = b.Make(f.BTGetAnalog, &page);
  get->setMinimumWidth(kCommandWidth + 40);
  layout->addWidget(get, 0, Qt::AlignLeft);
  layout->addSpacing(kColumnGap);
  layout->addWidget(b.Make(f.Label2, &page));
  QLineEdit* password = b.Make(f.ALGPassword, &page);
  password->setFixedWidth(kCommandWidth + 40);
  layout->addWidget(password);
  layout->addSpacing(kColumnGap);
  QPushButton* done = b.Make(f.BTDoneWithAnalog, &page);
  done->setMinimumWidth(kCommandWidth / 2);
  layout->addWidget(done, 0, Qt::AlignLeft);
  layout->addStretch(1);
}

}  // namespace qv::ui
