// The headless host program on the real POSIX serial backend, talking to a
// simulated logger on a pseudo-terminal that runs on a thread of its own.
// Timers are fired by the test in real time, the fast tick as often as the
// program's own timer would.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "app/HostProgram.h"
#include "tests/support/ScriptedPrompter.h"
#include "platform/ComPortTable.h"
#include "platform/PosixSerialBackend.h"
#include "platform/SystemClock.h"
#include "sim/Simulator.h"

namespace qv::testing {

class EndToEndFixture : public ::testing::Test {
 public:
  ~EndToEndFixture() override { StopSimulator(); }

  void StartSimulator(SimOptions options = {}) {
    sim_ = std::make_unique<Simulator>(options, simClock_);
    std::string error;
    ASSERT_TRUE(sim_->Open(error)) << error;
    backend_.Table().Set(1, sim_->DevicePath());
    thread_ = std::thread([s = sim_.get()] { s->Run(); });
  }
  void StopSimulator() {
    if (!sim_) return;
    sim_->Stop();
    if (thread_.joinable()) thread_.join();
    sim_.reset();
  }
  Simulator& Sim() { return *sim_; }

  // The first tick, then the operator picks COM 1 in the dialog it opened
  // and, as on a first start, "Advanced User" in the Modes menu.
  void StartHostOnCom1() {
    FastTick();
    host.Link().hostPortForm.HostPortCB.UserSelect(1);
    host.Main().MenuAdvanced.UserClick();
    ASSERT_TRUE(host.Ports().IsPortSlotOpen(0));
  }

  // Runs the program's timers in real time until `done` holds or the time is up.
  // The slow timers may be hurried (the tests stand in for the QTimers).
  bool RunUntil(const std::function<bool()>& done, int timeoutMs, int rtTimeoutEveryMs = 5000,
                int fastEveryMs = 25) {
    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    auto nextFast = start, nextSecond = start + std::chrono::seconds(1);
    auto nextRt = start + std::chrono::milliseconds(rtTimeoutEveryMs);
    while (Clock::now() - start < std::chrono::milliseconds(timeoutMs)) {
      auto now = Clock::now();
      if (now >= nextFast) {
        FastTick();
        nextFast += std::chrono::milliseconds(fastEveryMs);
      }
      if (now >= nextSecond) {
        host.Main().Timer475ms.Fire();
        host.Main().Timer1000ms.Fire();
        nextSecond += std::chrono::seconds(1);
      }
      if (now >= nextRt) {
        host.Main().RTTimeout.Fire();
        nextRt += std::chrono::milliseconds(rtTimeoutEveryMs);
      }
      if (done && done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return done ? done() : true;
  }
  void RunFor(int ms) { RunUntil(nullptr, ms); }
  void FastTick() { host.Main().Timer55ms.Fire(); }

  SystemClock simClock_;
  SystemClock hostClock_;
  PosixSerialBackend backend_{ComPortTable{}};
  ScriptedPrompter prompter;
  HostProgram host{hostClock_, prompter, backend_};

 private:
  std::unique_ptr<Simulator> sim_;
  std::thread thread_;
};

}  // namespace qv::testing
