// The recording state, one for the whole program: the mode, the one open
// file, its path and size, what is recorded, and the Record tab's handlers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/Clock.h"
#include "common/Prompter.h"
#include "protocol/RecordingMode.h"
#include "stream/ArchiveNames.h"
#include "stream/RecordFile.h"
#include "stream/StreamForms.h"

namespace qv {

enum class RecordOutcome { NotRecorded, Recorded, WriteFailed };

class Recorder {
 public:
  // recordTab: the page whose caption shows the recording status.
  Recorder(RecordTab& tab, Prompter& prompter, forms::TabSheet& recordTab);

  void BTRecordArchiveClick();
  void BTRecord1HourClick();
  void BTRecord1DayClick();
  void BTRecordRawClick();
  void BTStopRecordClick();
  // Shared by both record check boxes: unchecking asks first.
  void CBRecordAuxInClick(forms::Control& sender);
  void EnableRecordButtons(bool enabled);

  // The PC clock step hands over the local time; the archive names follow it.
  void SetHostClock(const LocalTime& t) { clock_ = HostClockFields::From(t); }

  // One archive record, in modes 2 to 4; other modes write nothing.
  RecordOutcome WriteArchiveRecord(const std::uint8_t* record, int recordLength);
  // A chunk read from the logger port, in mode 1.
  void RecordRawInput(const std::uint8_t* bytes, int count);
  // Modes 3 and 4: opens the current hour's or day's file when it is closed.
  void OpenRolloverFile();
  // Modes 3 and 4, once a second: closes the file when the minute has changed.
  void CheckRollover();

  // Once a second, in the one-second tick's recording step: the status text,
  // the rollover check, the file size, and what was written put on the medium.
  void RecordingStatusTick();
  // Once a second, in its last step: the record flags and the "Record:" line.
  void RecordFlagsTick(bool loggerPortOpen, bool anyPcPortOpen);
  void SecondTick(bool loggerPortOpen, bool anyPcPortOpen) {
    RecordingStatusTick();
    RecordFlagsTick(loggerPortOpen, anyPcPortOpen);
  }

  qv::RecordingMode RecordingMode() const { return recordingMode_; }
  bool RecordFileOpen() const { return recordFileOpen_; }
  const std::string& RecordPath() const { return recordPath_; }
  const std::string& ArchivePrefix() const { return archivePrefix_; }
  const std::string& ArchiveLabelText() const { return archiveLabelText_; }
  std::int64_t BytesWritten() const { return bytesWritten_; }
  bool RecordLoggerData() const { return recordLoggerData_; }
  bool RecordPcLoggerData() const { return recordPcLoggerData_; }
  // A replay of the archive at `path` begins in `mode` (5 or 6): no file of
  // the recorder's is opened, the start buttons go off.
  void StartReplay(qv::RecordingMode mode, const std::string& path);
  // How long a replay has played, for its status text, and its read position,
  // shown as the file size.
  void ShowReplayProgress(double seconds, std::int64_t position) {
    replaySeconds_ = seconds;
    bytesWritten_ = position;
  }

 private:
  std::optional<std::string> AskArchivePath(const char* title);
  void StartRolloverArchives(qv::RecordingMode mode, const char* title);
  // Names the current hour's or day's file, shows it, opens it for appending
  // and takes its size; false (and told) when it cannot be opened.
  bool OpenCurrentArchive();
  void CloseRecordFile();
  void TellWriteFailure();
  // Every start: the mode, a fresh failure notice, the start buttons off.
  void Started(qv::RecordingMode mode);
  std::string StatusText() const;

  RecordTab& tab_;
  Prompter& prompter_;
  forms::TabSheet& recordTab_;

  qv::RecordingMode recordingMode_ = qv::RecordingMode::Off;
  RecordFile recordFile_;
  bool recordFileOpen_ = false;
  std::string recordPath_;
  std::string archivePrefix_;
  std::int64_t bytesWritten_ = 0;
  std::string archiveLabelText_ = "Archive File:";
  bool recordLoggerData_ = true;
  bool recordPcLoggerData_ = true;
  int lastRolloverMinute_ = -1;
  HostClockFields clock_;
  double replaySeconds_ = 0;

  bool writeFailureTold_ = false;  // one notice per recording
  // While an uncheck question is open the box still counts as checked, so
  // answering No loses nothing.
  bool askingLogger_ = false;
  bool askingPcLogger_ = false;
};

}  // namespace qv
