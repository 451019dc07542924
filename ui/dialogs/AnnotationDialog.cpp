#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "stream/AnnotationForm.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/widgets/FormDialog.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

namespace {
constexpr int kButtonWidth = 150;
constexpr int kEditWidth = 360;
}  // namespace

// Stays on top of the main window while the operator works there: the note
// and its button, the water sample buttons with the next sample's number,
// the last annotation with its time, and Close.
FormDialog* BuildAnnotationDialog(BuildContext& ctx, AnnotationForm& f) {
  Binder& b = ctx.binder;
  auto* d = new FormDialog(ctx.owner, Qt::WindowStaysOnTopHint);
  auto* layout = new QVBoxLayout(d);
  layout->setContentsMargins(18, 16, 18, 16);
  layout->setSpacing(12);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* note = new QHBoxLayout;
  note->setSpacing(8);
  QLineEdit* edit = b.Make(f.EDITAnnotation, d);
  edit->setMinimumWidth(kEditWidth);
  note->addWidget(edit, 1);
  QPushButton* send = b.Make(f.BTSend, d);
  send->setMinimumWidth(kButtonWidth);
  note->addWidget(send);
  layout->addLayout(note);

  auto* samples = new QGridLayout;
  samples->setHorizontalSpacing(10);
  samples->setVerticalSpacing(6);
  int column = 0;
  for (forms::Button* button : {&f.BTStart, &f.BTEnd, &f.BTReset}) {
    QPushButton* w = b.Make(*button, d);
    w->setMinimumWidth(kButtonWidth);
    samples->addWidget(w, 0, column++);
  }
  auto* next = new QHBoxLayout;
  next->setSpacing(6);
  next->addWidget(b.Make(f.LBNext, d));
  UpDownBox* arrows = b.Make(f.UDNext, d);
  arrows->SetArrowsOnly(true);
  next->addWidget(arrows);
  next->addStretch(1);
  samples->addLayout(next, 1, 0, 1, 3);
  layout->addLayout(samples);

  auto* last = new QFrame(d);
  last->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* inLast = new QVBoxLayout(last);
  inLast->setContentsMargins(10, 6, 10, 8);
  inLast->setSpacing(4);
  QLabel* heading = b.Make(f.lbx, last);
  heading->setFont(HeadingFont(heading->font()));
  heading->setAlignment(Qt::AlignCenter);
  inLast->addWidget(heading);
  QLabel* text = b.Make(f.LBAnnotation, last);
  text->setWordWrap(true);
  inLast->addWidget(text);
  QLabel* when = b.MakeColumns(f.AnnotateDANDT, last, {10});
  when->setFont(FixedFont());
  inLast->addWidget(when);
  layout->addWidget(last);

  auto* close = new QHBoxLayout;
  close->addStretch(1);
  QPushButton* closeButton = b.Make(f.BTClose, d);
  closeButton->setMinimumWidth(kButtonWidth / 2);
  close->addWidget(closeButton);
  layout->addLayout(close);

  b.BindWindow(f.window, *d);
  return d;
}

}  // namespace qv::ui
