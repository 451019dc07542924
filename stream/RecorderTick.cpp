// The recording's once-a-second duties: status texts, rollover, file size,
// the flush to the medium, and what is actually being recorded.
#include "common/Format.h"
#include "stream/Recorder.h"

namespace qv {

std::string Recorder::StatusText() const {
  switch (recordingMode_) {
    case kRecordingOff:
      return "Recording:  OFF";
    case kRecordingRawInput:
      return "Recording:  Raw Input File";
    case kRecordingArchive:
      return "Recording:  Archive File";
    case kRecordingOneHour:
      return "Recording:  1 Hour Archive";
    case kRecordingOneDay:
      return "Recording:  24 Hour Archive";
    case kReplayArchive:
      return Format("Replay Archive:  %5.3lf secs", replaySeconds_);
    case kReplayContinuous:
      return Format("Continuous Archive Replay:  %5.3lf secs", replaySeconds_);
    default:
      return "Recording:  Error";
  }
}

void Recorder::RecordingStatusTick() {
  const std::string status = StatusText();
  tab_.LBRecordStatus.SetCaption(status);
  recordTab_.SetCaption(status);
  if (recordingMode_ == kRecordingOneHour || recordingMode_ == kRecordingOneDay) CheckRollover();
  tab_.LBArchiveFileSize.SetCaption(
      Format("File Size:  %8ld K", static_cast<long>(bytesWritten_ / 1024)));
  // At most about a second of recording is lost to a crash or a power cut.
  if (recordFileOpen_ && recordingMode_ >= kRecordingRawInput &&
      recordingMode_ <= kRecordingOneDay && !recordFile_.Flush())
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
