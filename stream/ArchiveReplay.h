// The Record tab's replay: choosing an archive and playing it through the
// receive path in the logger port's place, once or over and over, its
// progress in the recording status, and its end.
#pragma once

#include <cstdint>
#include <functional>

#include "common/Clock.h"
#include "common/Prompter.h"
#include "stream/Recorder.h"
#include "stream/ReplayReader.h"
#include "stream/StreamForms.h"

namespace qv {

class ArchiveReplay {
 public:
  // The path buffer holds this many characters; a longer path is refused.
  static constexpr std::size_t kPathMax = 255;

  struct Wiring {
    RecordTab& tab;
    Recorder& recorder;
    Prompter& prompter;
    Clock& clock;
    // Puts a source in the logger port's place in the receive pump; nullptr
    // gives the logger port back.
    std::function<void(ByteSource*)> feedPump;
  };

  explicit ArchiveReplay(Wiring wiring);

  void ReplayArchiveBTClick() { Start(false); }
  void ReplayContinuousBTClick() { Start(true); }
  // Part of every Stop: the archive closed, the logger port read again.
  void Stop();
  // Fast tick: true once when the replay has reached its end (Stop is then due).
  bool TakeEnd();
  // One-second tick, before the status text: the time played and the read position.
  void SecondTick();

  ReplayReader& Reader() { return reader_; }

 private:
  void Start(bool continuous);
  std::int64_t NowMs();

  Wiring w_;
  ReplayReader reader_;
  std::int64_t startMs_ = 0;
};

}  // namespace qv
