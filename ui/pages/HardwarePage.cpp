#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's factory hardware configuration: fetching it, the factory
// password with the command it guards, and the way out of the tab.
void BuildHardwarePage(BuildContext& ctx, QWidget& page) {
  HardwareTab& f = ctx.host.Hardware();
  Binder& b = ctx.binder;

  auto* layout = new QVBoxLayout(&page);
  SetPageSpacing(*layout);
  layout->setSpacing(6);
  QPushButton* get = b.Make(f.BTGetHardware, &page);
  get->setMinimumWidth(kCommandWidth + 40);
  layout->addWidget(get, 0, Qt::AlignLeft);
  layout->addSpacing(kColumnGap);
  layout->addWidget(b.Make(f.Labelxx, &page));
  QLineEdit* password = b.Make(f.HWPassword, &page);
  password->setFixedWidth(kCommandWidth + 40);
  layout->addWidget(password);
  layout->addWidget(b.Make(f.BTKR7Defaults, &page), 0, Qt::AlignLeft);
  layout->addSpacing(kColumnGap);
  QPushButton* done = b.Make(f.BTDoneWithHardware, &page);
  done->setMinimumWidth(kCommandWidth / 2);
  layout->addWidget(done, 0, Qt::AlignLeft);
  layout->addStretch(1);
}

}  // namespace qv::ui
