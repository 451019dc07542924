// The command codes the host sends to the logger, and the plain stop texts.
// Each code is two equal bytes, so it reads the same in either byte order.
#pragma once

#include <cstdint>
#include <string_view>

namespace qv {

inline constexpr std::uint16_t CmdStop = 0xA1A1;
inline constexpr std::uint16_t CmdBeginSample = 0xA2A2;
inline constexpr std::uint16_t CmdLoadFactoryDefaults = 0xA4A4;
inline constexpr std::uint16_t CmdSetLoggerId = 0xA6A6;
inline constexpr std::uint16_t CmdSleepUntil = 0xA7A7;
inline constexpr std::uint16_t CmdGetHardwareConfiguration = 0xA8A8;
inline constexpr std::uint16_t CmdUploadBlockReply = 0xA9A9;
inline constexpr std::uint16_t CmdGetSetup = 0xACAC;
inline constexpr std::uint16_t CmdGetAnalogCalibration = 0xADAD;
inline constexpr std::uint16_t CmdSetTime = 0xAEAE;
inline constexpr std::uint16_t CmdLoadDefaultSetup = 0xAFAF;
inline constexpr std::uint16_t CmdSelectRs232 = 0xB4B4;
inline constexpr std::uint16_t CmdSelectRs422 = 0xB5B5;
inline constexpr std::uint16_t CmdResetToMonitor = 0xB6B6;
inline constexpr std::uint16_t CmdGetDirectory = 0xB8B8;
inline constexpr std::uint16_t CmdUploadRun = 0xBABA;
inline constexpr std::uint16_t CmdClearMemory = 0xBDBD;

// The name of a command code ("CmdGetSetup"); nullptr for a code not listed.
const char* CommandName(std::uint16_t code);

// Stop as plain text: a logger at 7 data bits gets only the first, any other
// the CmdStop frame and then the second. The four blanks only wake the line.
inline constexpr std::string_view kStopText7E1 = "    STOP7E1STOP7E1";
inline constexpr std::string_view kStopTextBreak = "    BREAKBREAKBREAK";
inline constexpr std::size_t kStopTextLead = 4;

}  // namespace qv
