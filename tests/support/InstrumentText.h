// What the simulated instruments send, read back as text for checks: the
// lines of a port's bytes, a CTD's line, and an NMEA sentence's checksum.
#pragma once

#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "protocol/DataPacket.h"
#include "sim/SimMeter.h"

namespace qv::testing {

// Port k's bytes of every record, joined in order.
inline std::vector<std::uint8_t> PortStream(const std::vector<DataPacket>& records, int k) {
  std::vector<std::uint8_t> all;
  for (const DataPacket& r : records) all.insert(all.end(), r.Port(k).begin(), r.Port(k).end());
  return all;
}

// The complete lines (each ending in CR LF, which is left off); a last line
// without its end is not one.
inline std::vector<std::string> TextLines(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::string> lines;
  const std::string text(bytes.begin(), bytes.end());
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
    lines.push_back(text.substr(at, end - at));
  return lines;
}

// "T= 12.50, S=35.1 C": the ASCII CTD's line.
inline bool IsCtdLine(const std::string& line) {
  return std::regex_match(line, std::regex(R"(T=[ \d]{3}\.\d\d, S=\d\d\.\d C)"));
}

// "$...*HH" whose two hexadecimal digits are its checksum.
inline bool IsNmeaSentence(const std::string& line) {
  const std::size_t star = line.find('*');
  if (line.empty() || line[0] != '$' || star == std::string::npos || star + 3 != line.size())
    return false;
  return std::stoi(line.substr(star + 1), nullptr, 16) == NmeaChecksum(line.c_str());
}

// Port 1 of the PC Logger's records holds a CTD's whole lines, at least
// `ctdLines` of them, and port 2 a GPS's sentences, at least `sentences`.
inline void ExpectCtdOnPort1AndGpsOnPort2(const std::vector<DataPacket>& records,
                                          std::size_t ctdLines, std::size_t sentences) {
  const std::vector<std::string> ctd = TextLines(PortStream(records, 1));
  EXPECT_GE(ctd.size(), ctdLines);
  for (const std::string& line : ctd) EXPECT_TRUE(IsCtdLine(line)) << line;
  const std::vector<std::string> gps = TextLines(PortStream(records, 2));
  EXPECT_GE(gps.size(), sentences);
  for (const std::string& s : gps) EXPECT_TRUE(IsNmeaSentence(s)) << s;
}

}  // namespace qv::testing
