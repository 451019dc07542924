#include <algorithm>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"

namespace qv::ui {

// The logger's run directory, run-file upload and extraction: the list of
// run files takes the room, its commands stand beside it, the choice of file
// types over "Parse Run Files"; the pad notice runs under the list.
void BuildUploadPage(BuildContext& ctx, QWidget& page) {
  UploadTab& f = ctx.host.Upload();
  Binder& b = ctx.binder;

  auto* layout = new QVBoxLayout(&page);
  SetPageSpacing(*layout);
  auto* row = new QHBoxLayout;
  row->setSpacing(kColumnGap);
  row->addWidget(b.Make(f.LBProfiles, &page), 1);
  auto* commands = new QVBoxLayout;
  commands->setSpacing(6);
  QPushButton* get = b.Make(f.BTGetDirectory, &page);
  QGroupBox* types = b.Make(f.ExtractFilesRG, &page);
  QPushButton* extract = b.Make(f.BTExtract, &page);
  // One column width, wide enough for the longest choice.
  const int width = std::max(kCommandWidth, types->sizeHint().width());
  for (QWidget* w : {static_cast<QWidget*>(get), static_cast<QWidget*>(types),
                     static_cast<QWidget*>(extract)})
    w->setFixedWidth(width);
  commands->addWidget(get);
  commands->addSpacing(kSectionGap * 2);
  commands->addWidget(types);
  commands->addWidget(extract);
  commands->addStretch(1);
  row->addLayout(commands);
  layout->addLayout(row, 1);
  QLabel* pad = b.Make(f.LBAddPad, &page);
  pad->setFont(HeadingFont(pad->font()));
  layout->addWidget(pad);
}

}  // namespace qv::ui
