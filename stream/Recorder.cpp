// Starting and stopping recordings, and writing to the recording file.
#include "stream/Recorder.h"

#include "common/Format.h"

namespace qv {

Recorder::Recorder(RecordTab& tab, Prompter& prompter, forms::TabSheet& recordTab)
    : tab_(tab), prompter_(prompter), recordTab_(recordTab) {}

void Recorder::EnableRecordButtons(bool enabled) {
  for (forms::Button* b :
       {&tab_.BTRecordArchive, &tab_.BTRecordRaw, &tab_.BTRecord1Hour, &tab_.BTRecord1Day,
        &tab_.ReplayArchiveBT, &tab_.BTReplayRaw, &tab_.ReplayContinuousBT})
    b->SetEnabled(enabled);
}

std::optional<std::string> Recorder::AskArchivePath(const char* title) {
  FileDialogSpec spec;
  spec.title = title;
  spec.overwritePrompt = true;
  return prompter_.SaveFile(spec);
}

void Recorder::Started(qv::RecordingMode mode) {
  recordingMode_ = mode;
  writeFailureTold_ = false;
  EnableRecordButtons(false);
}

// A recording never starts over another, not even over one begun while the
// dialog was open, so an open file is never lost.
void Recorder::BTRecordArchiveClick() {
  if (recordingMode_ != RecordingMode::Off) return;
  const auto path = AskArchivePath("Record Continuous Archive");
  if (!path || recordingMode_ != RecordingMode::Off) return;
  if (!recordFile_.Open(*path, RecordFile::OpenMode::Truncate)) {
    prompter_.ShowNotice("File Error", "Unable to Create Archive File");
    return;
  }
  recordPath_ = *path;
  archiveLabelText_ = Format("Archive File:  %s", recordPath_.c_str());
  tab_.LBArchiveFileName.SetCaption(archiveLabelText_);
  recordFileOpen_ = true;
  bytesWritten_ = 0;
  Started(RecordingMode::Archive);
}

void Recorder::BTRecord1HourClick() {
  StartRolloverArchives(RecordingMode::OneHour, "Record 1 Hour Archive");
}

void Recorder::BTRecord1DayClick() {
  StartRolloverArchives(RecordingMode::OneDay, "Record 1 Day Archive");
}

void Recorder::StartRolloverArchives(qv::RecordingMode mode, const char* title) {
  if (recordingMode_ != RecordingMode::Off) return;
  const auto path = AskArchivePath(title);
  if (!path || recordingMode_ != RecordingMode::Off) return;
  archivePrefix_ = *path;
  Started(mode);
  // Creates the file at once and shows the size of one that is continued;
  // the first accepted packet opens it again.
  recordFileOpen_ = false;
  if (OpenCurrentArchive()) recordFile_.Close();
}

bool Recorder::OpenCurrentArchive() {
  const bool hourly = recordingMode_ == RecordingMode::OneHour;
  recordPath_ = hourly ? OneHourArchiveName(archivePrefix_, clock_)
                       : OneDayArchiveName(archivePrefix_, clock_);
  archiveLabelText_ = Format(hourly ? "1 Hour Archive File:  %s" : "24 Hour Archive File:  %s",
                             recordPath_.c_str());
  tab_.LBArchiveFileName.SetCaption(archiveLabelText_);
  if (!recordFile_.Open(recordPath_, RecordFile::OpenMode::Append)) {
    bytesWritten_ = 0;
    TellWriteFailure();
    return false;
  }
  bytesWritten_ = recordFile_.Size();
  return true;
}

void Recorder::OpenRolloverFile() {
  if (recordFileOpen_) return;
  if (recordingMode_ != RecordingMode::OneHour && recordingMode_ != RecordingMode::OneDay) return;
  if (OpenCurrentArchive()) recordFileOpen_ = true;
}

void Recorder::CheckRollover() {
  if (clock_.minute == lastRolloverMinute_) return;
  lastRolloverMinute_ = clock_.minute;
  if (recordFileOpen_) CloseRecordFile();
}

void Recorder::BTRecordRawClick() {
  if (recordingMode_ != RecordingMode::Off) return;
  FileDialogSpec spec;
  spec.title = "Record Raw File";
  spec.defaultExtension = "raw";
  spec.filter = "Raw Files|*.raw|All Files|*.*";
  spec.overwritePrompt = true;
  const auto path = prompter_.SaveFile(spec);
  if (!path || recordingMode_ != RecordingMode::Off) return;
  if (!recordFile_.Open(*path, RecordFile::OpenMode::Truncate)) {
    prompter_.ShowNotice("File Error", "Unable to Create Raw Data File");
    return;
  }
  recordPath_ = *path;
  archiveLabelText_ = Format("Raw Input File:  %s", recordPath_.c_str());
  tab_.LBArchiveFileName.SetCaption(archiveLabelText_);
  bytesWritten_ = 0;
  recordFileOpen_ = true;
  Started(RecordingMode::RawInput);
}

void Recorder::StartReplay(qv::RecordingMode mode, const std::string& path) {
  if (recordingMode_ != RecordingMode::Off || !IsReplay(mode)) return;
  archiveLabelText_ = Format("Archive File:  %s", path.c_str());
  tab_.LBArchiveFileName.SetCaption(archiveLabelText_);
  bytesWritten_ = 0;
  replaySeconds_ = 0;
  Started(mode);
}

void Recorder::BTStopRecordClick() {
  if (recordingMode_ != RecordingMode::Off) {
    recordingMode_ = RecordingMode::Off;
    // A file the rollover check already closed is not closed twice.
    if (recordFile_.IsOpen()) CloseRecordFile();
    recordFileOpen_ = false;
  }
  EnableRecordButtons(true);
}

void Recorder::CloseRecordFile() {
  recordFileOpen_ = false;
  if (!recordFile_.Close()) TellWriteFailure();
}

void Recorder::TellWriteFailure() {
  if (writeFailureTold_) return;
  // Set first: the box is modal and the timers go on writing inside it.
  writeFailureTold_ = true;
  prompter_.ShowNotice("File Error", Format("Unable to Write to %s", recordPath_.c_str()));
}

RecordOutcome Recorder::WriteArchiveRecord(const std::uint8_t* record, int recordLength) {
  switch (recordingMode_) {
    case RecordingMode::Archive:
      break;
    case RecordingMode::OneHour:
    case RecordingMode::OneDay:
      OpenRolloverFile();
      break;
    default:
      return RecordOutcome::NotRecorded;
  }
  if (!recordFileOpen_ || recordLength <= 0) return RecordOutcome::WriteFailed;
  if (recordFile_.WriteRecord(record, static_cast<std::size_t>(recordLength))) {
    bytesWritten_ += recordLength;
    return RecordOutcome::Recorded;
  }
  TellWriteFailure();
  return RecordOutcome::WriteFailed;
}

void Recorder::RecordRawInput(const std::uint8_t* bytes, int count) {
  if (recordingMode_ != RecordingMode::RawInput || !recordFileOpen_ || count <= 0) return;
  if (recordFile_.WriteRecord(bytes, static_cast<std::size_t>(count)))
    bytesWritten_ += count;
  else
    TellWriteFailure();
}

void Recorder::CBRecordAuxInClick(forms::Control& sender) {
  const bool logger = &sender == &tab_.CBRecordLogger;
  forms::CheckBox& box = logger ? tab_.CBRecordLogger : tab_.CBRecordAuxIn;
  bool& asking = logger ? askingLogger_ : askingPcLogger_;
  if (box.Checked() || asking) return;
  prompter_.Sound(Beep::Question);
  asking = true;
  const Answer answer =
      prompter_.Ask("Archive File Change",
                    logger ? "Do you really want to turn OFF the Logger Recording?"
                           : "Do you really want to turn OFF the PC-Logger Recording?",
                    Buttons::YesNo, Icon::Question);
  asking = false;
  // Setting the check runs this handler again; checked, it asks nothing.
  if (answer == Answer::No) box.SetChecked(true);
}

}  // namespace qv
