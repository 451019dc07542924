#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/HostProgram.h"
#include "ui/Binder.h"
#include "ui/Look.h"
#include "ui/pages/PageParts.h"
#include "ui/pages/Pages.h"
#include "ui/widgets/UpDownBox.h"

namespace qv::ui {

namespace {
constexpr int kStatusPixels = 15;
}  // namespace

// The recording's state on top (what runs, into which file, how much, and
// what data is actually recorded), under it the buttons that start and stop
// a recording beside the choice of what is recorded; the replay buttons
// and the replay speed below them while they are shown.
void BuildRecordPage(BuildContext& ctx, QWidget& page) {
  RecordTab& f = ctx.host.Stream().recordTab;
  Binder& b = ctx.binder;

  auto* layout = new QVBoxLayout(&page);
  SetPageSpacing(*layout);

  auto* state = new QFrame(&page);
  state->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* inState = new QVBoxLayout(state);
  inState->setContentsMargins(12, 10, 12, 10);
  inState->setSpacing(6);
  QLabel* status = b.Make(f.LBRecordStatus, state);
  status->setFont(PixelFont(status->font(), kStatusPixels, true));
  inState->addWidget(status);
  inState->addWidget(b.MakeElided(f.LBArchiveFileName, state));
  QLabel* size = b.Make(f.LBArchiveFileSize, state);
  size->setFont(FixedFont());
  inState->addWidget(size);
  QLabel* active = b.Make(f.LBActiveUnits, state);
  active->setFont(HeadingFont(active->font()));
  active->setContentsMargins(8, 3, 8, 3);
  inState->addWidget(active, 0, Qt::AlignLeft);
  layout->addWidget(state);

  auto* controls = new QHBoxLayout;
  controls->setSpacing(kColumnGap * 2);
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(6);
  auto button = [&](forms::Button& c, QVBoxLayout* into) {
    QPushButton* w = b.Make(c, &page);
    w->setFixedWidth(kCommandWidth + 20);
    into->addWidget(w);
  };
  for (forms::Button* start : {&f.BTRecordArchive, &f.BTRecord1Hour, &f.BTRecord1Day,
                               &f.BTRecordRaw})
    button(*start, buttons);
  buttons->addSpacing(8);
  button(f.BTStopRecord, buttons);
  controls->addLayout(buttons);

  auto* what = new QVBoxLayout;
  what->setSpacing(8);
  what->addWidget(b.Make(f.CBRecordLogger, &page));
  what->addWidget(b.Make(f.CBRecordAuxIn, &page));
  what->addStretch(1);
  controls->addLayout(what);
  controls->addStretch(1);
  layout->addLayout(controls);

  auto* replay = new QHBoxLayout;
  replay->setSpacing(kColumnGap * 2);
  auto* replayButtons = new QVBoxLayout;
  replayButtons->setSpacing(6);
  for (forms::Button* start : {&f.ReplayArchiveBT, &f.BTReplayRaw, &f.ReplayContinuousBT})
    button(*start, replayButtons);
  replay->addLayout(replayButtons);
  // The replay speed: its caption, the number with its arrows, and what the numbers mean.
  auto* speed = new QVBoxLayout;
  speed->setSpacing(4);
  speed->addWidget(b.Make(f.ReplaySpeedLB1, &page));
  UpDownBox* speedBox = b.Make(f.ReplaySpeedUD, &page);
  speedBox->setMaximumWidth(kCommandWidth / 2);
  speed->addWidget(speedBox);
  speed->addWidget(b.Make(f.ReplaySpeedLB2, &page));
  speed->addStretch(1);
  replay->addLayout(speed);
  replay->addStretch(1);
  layout->addLayout(replay);
  layout->addStretch(1);
}

}  // namespace qv::ui
