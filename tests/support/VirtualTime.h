// Runs form timers on a fake clock, so that timed behaviour is tested by
// letting the timers themselves run: each enabled timer fires once per
// interval of virtual time, a timer disabled and enabled again starts its
// interval afresh (as a real one does), and peers such as a simulated logger
// on the line move on with the clock before every firing.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "forms/Controls.h"
#include "tests/support/FakeClock.h"

namespace qv::testing {

class VirtualTime {
 public:
  explicit VirtualTime(FakeClock& clock) : clock_(clock) {}
  ~VirtualTime();
  VirtualTime(const VirtualTime&) = delete;
  VirtualTime& operator=(const VirtualTime&) = delete;

  // Timers added earlier fire first when several are due at once.
  void Add(forms::Timer& timer);
  // Called with the virtual time in ms each time the clock has moved.
  void AddPeer(std::function<void(std::int64_t nowMs)> peer);

  void RunFor(std::int64_t ms);
  // Runs until `done` holds after a firing, or `maxMs` have passed; says whether it held.
  bool RunUntil(const std::function<bool()>& done, std::int64_t maxMs);
  // Virtual milliseconds since this driver was made.
  std::int64_t NowMs() const { return nowMs_; }
  // How often each timer has fired, in the order added.
  std::int64_t Fired(const forms::Timer& timer) const;

 private:
  struct Entry {
    forms::Timer* timer;
    bool armed = false;
    std::int64_t dueMs = 0;
    std::int64_t fired = 0;
  };
  void Rearm(Entry& e);
  // Moves to the next due firing not later than `limitMs`; false when none is due by then.
  bool Step(std::int64_t limitMs);

  FakeClock& clock_;
  std::int64_t nowMs_ = 0;
  std::vector<std::unique_ptr<Entry>> timers_;
  std::vector<std::function<void(std::int64_t)>> peers_;
};

}  // namespace qv::testing
