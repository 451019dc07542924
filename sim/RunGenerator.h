// Runs a simulated logger holds in its flash before the simulation starts:
// seeded, each recorded as a logger of the model records a sampling run, and
// together using every record type the model's ports allow, the rare ones
// included (a complete archive record whose "####" is lost, a multiplexed
// note starting CR LF " *", the sender unit ID, records of length 0).
#pragma once

#include <cstdint>
#include <vector>

#include "sim/RunFileWriter.h"

namespace qv {

struct GeneratedRun {
  std::int16_t runNumber = 0;
  RunStyle style = RunStyle::Packets;
  std::vector<std::uint8_t> bytes;
};

// `count` runs numbered from 1, the last one ending before `endTime` (a
// logger time). The styles take turns, so three runs or more of a KR7 hold
// all 25 record types.
std::vector<GeneratedRun> GeneratePreloadedRuns(int model, std::uint64_t seed, int count,
                                                std::uint32_t endTime);

// One moored run of at least `bytes` bytes with every serial port of the
// model busy, for measuring extraction.
std::vector<std::uint8_t> GenerateLargeRun(int model, RunStyle style, std::size_t bytes,
                                           std::uint64_t seed);

}  // namespace qv
