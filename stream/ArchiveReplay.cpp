#include "stream/ArchiveReplay.h"

#include "common/Format.h"

namespace qv {

ArchiveReplay::ArchiveReplay(Wiring wiring)
    : w_(wiring), reader_([this] { return w_.tab.ReplaySpeedUD.Position(); }) {}

void ArchiveReplay::Start(bool continuous) {
  if (w_.recorder.RecordingMode() != RecordingMode::Off) return;
  FileDialogSpec spec;  // OpenReplayDialog: an existing file only
  spec.title = continuous ? "Open Archive For Continuous Replay" : "Open Archive For Replay";
  const auto path = w_.prompter.OpenFile(spec);
  // A recording begun while the dialog was open is not replaced.
  if (!path || w_.recorder.RecordingMode() != RecordingMode::Off) return;
  if (path->size() > kPathMax || !reader_.Open(*path, continuous)) {
    w_.prompter.ShowNotice("File Error", Format("Unable to Read %s", path->c_str()));
    return;
  }
  startMs_ = NowMs();
  w_.recorder.StartReplay(continuous ? RecordingMode::ContinuousReplay : RecordingMode::Replay,
                          *path);
  if (w_.feedPump) w_.feedPump(&reader_);
}

void ArchiveReplay::Stop() {
  if (!reader_.IsOpen()) return;
  reader_.Close();
  reader_.ClearEnd();
  if (w_.feedPump) w_.feedPump(nullptr);
}

bool ArchiveReplay::TakeEnd() {
  if (!reader_.EndReached()) return false;
  reader_.ClearEnd();
  return true;
}

void ArchiveReplay::SecondTick() {
  if (!reader_.IsOpen()) return;
  w_.recorder.ShowReplayProgress(static_cast<double>(NowMs() - startMs_) * 0.001,
                                 reader_.Position());
}

std::int64_t ArchiveReplay::NowMs() {
  const ClockReading now = w_.clock.Now();
  return now.calendar * 1000 + now.hundredths * 10;
}

}  // namespace qv
