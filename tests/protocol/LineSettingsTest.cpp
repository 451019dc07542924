// The one table of line settings: codes, their lines, and the way back from
// a baud and data-bit count.
#include <gtest/gtest.h>

#include "protocol/LineSettings.h"

namespace qv {
namespace {

TEST(LineSettingsTest, BaudAndDataBitsMapToTheCodesBothWays) {
  struct Case {
    int baud, dataBits;
    int code;      // SettingCodeOf
    int hostPort;  // HostPortSettingCode
  };
  const Case cases[] = {
      {600, 8, 1, 1},      {1200, 7, 2, 2},     {2400, 8, 3, 3},   {4800, 8, 4, 4},
      {4800, 7, 5, 5},     {4800, 5, 5, 5},     {9600, 8, 6, 6},   {9600, 7, 7, 7},
      {19200, 7, 8, 8},    {38400, 8, 9, 9},    {57600, 8, 10, 10}, {115200, 8, 11, 11},
      {0, 8, 0, 6},        {300, 8, 0, 6},      {12345, 7, 0, 6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SettingCodeOf(c.baud, c.dataBits), c.code) << c.baud << "/" << c.dataBits;
    EXPECT_EQ(HostPortSettingCode(c.baud, c.dataBits), c.hostPort) << c.baud << "/" << c.dataBits;
  }
  for (int code = 1; code <= kSettingCodes; ++code) {
    const LineCode& line = LineOfSettingCode(code);
    EXPECT_EQ(SettingCodeOf(line.baud, line.dataBits), code);
    EXPECT_EQ(line.parity, line.dataBits == 7 ? 'E' : 'N') << code;
  }
  EXPECT_STREQ(LineOfSettingCode(5).text, "4800,E,7,1");
  EXPECT_STREQ(LineOfSettingCode(0).text, "9600,N,8,1");
  EXPECT_STREQ(LineOfSettingCode(12).text, "9600,N,8,1");
}

}  // namespace
}  // namespace qv
