// The operation-state codes the logger reports in its status record.
#pragma once

#include <cstdint>

namespace qv {

inline constexpr std::int16_t kStateOff = 0;
inline constexpr std::int16_t kStateDelay = 2;
inline constexpr std::int16_t kStatePreFlush = 3;
inline constexpr std::int16_t kStateWarmup = 4;
inline constexpr std::int16_t kStateFlush = 5;
inline constexpr std::int16_t kStateSampling = 6;
inline constexpr std::int16_t kStateClearMemory = 7;
inline constexpr std::int16_t kStateSleeping = 8;
inline constexpr std::int16_t kStateStandby = 9;
inline constexpr std::int16_t kStateUpload = 10;
inline constexpr std::int16_t kStateEndOfRun = 30;

// The status panel's text of a state, for the log.
const char* StateName(std::int16_t state);

}  // namespace qv
