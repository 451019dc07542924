// The host configuration file (.qvh): a header line and 22 numbered lines of
// decimal values, "N COUNT V1 ... VCOUNT". Reading checks every line and
// tells the first bad one in its own box; writing gives the lines exactly as
// the program has always written them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Prompter.h"

namespace qv {

inline constexpr int kHostConfigLines = 22;
inline constexpr double kHostProgramVersion = 7.04;
// The most values a line may announce.
inline constexpr int kHostConfigMaxCount = 20;

// How many values each line 1..22 holds ([0] unused).
inline constexpr std::array<int, kHostConfigLines + 1> kHostConfigCounts = {
    0, 2, 1, 3, 0, 12, 11, 13, 4, 4, 8, 9, 15, 4, 2, 8, 8, 8, 8, 8, 9, 8, 1};

// The values of lines 1..22 ([0] unused), each as many as its count.
using HostConfigValues = std::array<std::vector<std::int16_t>, kHostConfigLines + 1>;

// What one file says, ready to be written.
struct HostConfigText {
  HostConfigValues values;
  std::string setupFileName;  // line 4's text, not read back
};

// The whole file: the header, then each line in its own format.
std::string FormatHostConfig(const HostConfigText& config);

// Reads the numbered lines of a file's text one after the other, the header
// line first skipped.
class HostConfigReader {
 public:
  HostConfigReader(std::string_view text, Prompter& prompter);
  // Reads the next line and checks it is line `lineNumber` with `count`
  // values; false after telling the operator what is wrong. Values beyond
  // the count are ignored.
  bool ReadHostConfigLine(int lineNumber, int count, std::vector<std::int16_t>& values);

 private:
  std::optional<std::string_view> NextLine();

  std::string_view rest_;
  Prompter& prompter_;
};

// Every line of the text, checked: nothing when one is bad (its box has been
// shown) or the text ends before line 22.
std::optional<HostConfigValues> ReadHostConfig(std::string_view text, Prompter& prompter);

}  // namespace qv
