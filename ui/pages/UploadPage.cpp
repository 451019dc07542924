#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's run directory, run-file upload and extraction: the list of
// run files takes the room, its commands stand beside it.
void BuildUploadPage(BuildContext& ctx, QWidget& page) {
  UploadTab& f = ctx.host.Upload();
  Binder& b = ctx.binder;

  auto* row = new QHBoxLayout(&page);
  SetPageSpacing(*row);
  row->addWidget(b.Make(f.LBProfiles, &page), 1);
  auto* commands = new QVBoxLayout;
  commands->setSpacing(6);
  QPushButton* get = b.Make(f.BTGetDirectory, &page);
  get->setFixedWidth(kCommandWidth);
  commands->addWidget(get);
  commands->addStretch(1);
  row->addLayout(commands);
}

}  // namespace qv::ui
