#include "protocol/LineSettings.h"

namespace qv {

namespace {

// Indexed by setting code; row 0 is never a valid code.
constexpr LineCode kLines[] = {
    {9600, 8, 'N', ""},
    {600, 8, 'N', "600,N,8,1"},
    {1200, 8, 'N', "1200,N,8,1"},
    {2400, 8, 'N', "2400,N,8,1"},
    {4800, 8, 'N', "4800,N,8,1"},
    {4800, 7, 'E', "4800,E,7,1"},
    {9600, 8, 'N', "9600,N,8,1"},
    {9600, 7, 'E', "9600,E,7,1"},
    {19200, 8, 'N', "19200,N,8,1"},
    {38400, 8, 'N', "38400,N,8,1"},
    {57600, 8, 'N', "57600,N,8,1"},
    {115200, 8, 'N', "115200,N,8,1"},
};
static_assert(sizeof kLines / sizeof kLines[0] == kSettingCodes + 1);

}  // namespace

bool IsSettingCode(int code) { return code >= 1 && code <= kSettingCodes; }

const LineCode& LineOfSettingCode(int code) {
  return kLines[IsSettingCode(code) ? code : kDefaultSettingCode];
}

int SettingCodeOf(int baud, int dataBits) {
  // Only 4800 and 9600 have a 7-bit row; the other bauds take their one row.
  const int wanted = dataBits == 8 ? 8 : 7;
  int found = 0;
  for (int code = 1; code <= kSettingCodes; ++code) {
    if (kLines[code].baud != baud) continue;
    if (kLines[code].dataBits == wanted) return code;
    if (found == 0) found = code;
  }
  return found;
}

int HostPortSettingCode(int baud, int dataBits) {
  const int code = SettingCodeOf(baud, dataBits);
  return code != 0 ? code : kDefaultSettingCode;
}

}  // namespace qv
