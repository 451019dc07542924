// The one recording mode of the program: what the open file is for.
#pragma once

namespace qv {

enum class RecordingMode {
  Off = 0,
  RawInput = 1,          // the logger link's bytes as they arrive
  Archive = 2,           // one continuous archive file
  OneHour = 3,           // a new archive file every hour
  OneDay = 4,            // a new archive file every day
  Replay = 5,            // an archive played back
  ContinuousReplay = 6,  // an archive played back over and over
};

inline bool IsReplay(RecordingMode mode) {
  return mode == RecordingMode::Replay || mode == RecordingMode::ContinuousReplay;
}

}  // namespace qv
