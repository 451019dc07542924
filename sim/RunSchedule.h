// The states of a run and their lengths from the setup's times; a moored logger
// sleeps out the interval and goes again from Pre-Flush, the others sample until stopped.
#pragma once

#include <cstdint>

#include "protocol/OperationState.h"
#include "protocol/SetupRecord.h"

namespace qv {

enum class RunPhase { Delay, PreFlush, Warmup, Flush, Sampling, Interval };

// The status state code shown during the phase.
OperationState StateOfPhase(RunPhase phase);

// How long the phase lasts in seconds: 0 skips it, -1 means until stopped.
// The interval lasts at least a second, so a moored cycle always moves on.
std::int64_t PhaseSeconds(const SetupView& setup, RunPhase phase);

RunPhase PhaseAfter(RunPhase phase);

bool IsMoored(const SetupView& setup);

}  // namespace qv
