// The run summary as the operator reads it: how the run was set up, the
// logger's identity and what the run recorded.
#pragma once

#include <string>

#include "protocol/RunFile.h"

namespace qv {

// The summary's text, lines ending in "\n".
std::string RunSummaryText(const RunSummaryRecord& r);
// Each "\n" as carriage return and line feed, as the summary file stores it.
std::string WithCrLf(const std::string& text);

// The table texts, for callers that show one of them alone.
std::string OutputSettingText(int outputFormat);
std::string MeterTypeName(int meterType);
char ParityLetter(int parity);

}  // namespace qv
