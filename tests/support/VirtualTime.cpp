#include "tests/support/VirtualTime.h"

namespace qv::testing {

VirtualTime::~VirtualTime() {
  for (auto& e : timers_) e->timer->SetChangeListener({});
}

void VirtualTime::Add(forms::Timer& timer) {
  timers_.push_back(std::make_unique<Entry>(Entry{&timer}));
  Entry* e = timers_.back().get();
  Rearm(*e);
  timer.SetChangeListener([this, e] { Rearm(*e); });
}

void VirtualTime::AddPeer(std::function<void(std::int64_t)> peer) {
  peers_.push_back(std::move(peer));
}

void VirtualTime::Rearm(Entry& e) {
  if (!e.timer->Enabled()) {
    e.armed = false;
  } else if (!e.armed) {
    e.armed = true;
    e.dueMs = nowMs_ + e.timer->Interval();
  }
}

bool VirtualTime::Step(std::int64_t limitMs) {
  Entry* next = nullptr;
  for (auto& e : timers_)
    if (e->armed && (!next || e->dueMs < next->dueMs)) next = e.get();
  if (!next || next->dueMs > limitMs) return false;
  if (next->dueMs > nowMs_) {
    clock_.AdvanceMs(next->dueMs - nowMs_);
    nowMs_ = next->dueMs;
    for (auto& peer : peers_) peer(nowMs_);
  }
  next->dueMs += next->timer->Interval();
  ++next->fired;
  next->timer->Fire();
  return true;
}

void VirtualTime::RunFor(std::int64_t ms) {
  const std::int64_t end = nowMs_ + ms;
  while (Step(end)) {
  }
  if (end > nowMs_) {
    clock_.AdvanceMs(end - nowMs_);
    nowMs_ = end;
    for (auto& peer : peers_) peer(nowMs_);
  }
}

bool VirtualTime::RunUntil(const std::function<bool()>& done, std::int64_t maxMs) {
  const std::int64_t end = nowMs_ + maxMs;
  if (done()) return true;
  while (Step(end))
    if (done()) return true;
  RunFor(end - nowMs_);
  return done();
}

std::int64_t VirtualTime::Fired(const forms::Timer& timer) const {
  for (auto& e : timers_)
    if (e->timer == &timer) return e->fired;
  return 0;
}

}  // namespace qv::testing
