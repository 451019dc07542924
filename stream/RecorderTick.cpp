// The recording's once-a-second duties: status texts, rollover, file size,
// the flush to the medium, and what is actually being recorded.
#include "common/Format.h"
#include "stream/Recorder.h"

namespace qv {

std::string Recorder::StatusText() const {
  switch (recordingMode_) {
    case RecordingMode::Off:
      return "Recording:  OFF";
    case RecordingMode::RawInput:
      return "Recording:  Raw Input File";
    case RecordingMode::Archive:
      return "Recording:  Archive File";
    case RecordingMode::OneHour:
      return "Recording:  1 Hour Archive";
    case RecordingMode::OneDay:
      return "Recording:  24 Hour Archive";
    case RecordingMode::Replay:
      return Format("Replay Archive:  %5.3lf secs", replaySeconds_);
    case RecordingMode::ContinuousReplay:
      return Format("Continuous Archive Replay:  %5.3lf secs", replaySeconds_);
    default:
      return "Recording:  Error";
  }
}

void Recorder::RecordingStatusTick() {
  const std::string status = StatusText();
  tab_.LBRecordStatus.SetCaption(status);
  recordTab_.SetCaption(status);
  if (recordingMode_ == RecordingMode::OneHour || recordingMode_ == RecordingMode::OneDay) CheckRollover();
  tab_.LBArchiveFileSize.SetCaption(
      Format("File Size:  %8ld K", static_cast<long>(bytesWritten_ / 1024)));
  // At most about a second of recording is lost to a crash or a power cut.
  if (recordFileOpen_ && recordingMode_ >= RecordingMode::RawInput &&
      recordingMode_ <= RecordingMode::OneDay && !recordFile_.Flush())
    TellWriteFailure();
}

void Recorder::RecordFlagsTick(bool loggerPortOpen, bool anyPcPortOpen) {
  const bool logger = tab_.CBRecordLogger.Checked() || askingLogger_;
  const bool pcLogger = tab_.CBRecordAuxIn.Checked() || askingPcLogger_;
  recordLoggerData_ = logger;
  recordPcLoggerData_ = pcLogger;

  const bool loggerActive = logger && loggerPortOpen;
  const bool pcActive = pcLogger && anyPcPortOpen;
  using forms::Colour;
  auto show = [this](const char* text, Colour colour) {
    tab_.LBActiveUnits.SetCaption(text);
    tab_.LBActiveUnits.SetColour(colour);
  };
  if (loggerActive && pcActive)
    show("Record:  Logger + PC-Logger", Colour::ButtonFace);
  else if (loggerActive)
    show("Record:  Logger Data", pcLogger ? Colour::Yellow : Colour::ButtonFace);
  else if (pcActive)
    show("Record:  PC-Logger Data", logger ? Colour::Yellow : Colour::ButtonFace);
  else
    show("Record:  No Data", Colour::Red);
}

}  // namespace qv
