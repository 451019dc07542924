// The eleven line settings of the logger link by setting code, 1 "600,N,8,1"
// to 11 "115200,N,8,1". The same codes number the setting lists (items 1..11)
// and the host-port entry of a setup maps onto them.
#pragma once

namespace qv {

inline constexpr int kSettingCodes = 11;
inline constexpr int kDefaultSettingCode = 6;  // 9600,N,8,1

struct LineCode {
  int baud;
  int dataBits;
  char parity;  // 'N' or 'E'
  const char* text;  // the mode string "baud,parity,data bits,stop bits"
};

bool IsSettingCode(int code);
// The line of a setting code; an unknown code gives the default's.
const LineCode& LineOfSettingCode(int code);
// The setting code of a baud and data-bit count: at 4800 and 9600 anything
// but 8 data bits is the 7-bit even-parity setting, the other bauds ignore
// the data bits; 0 for a baud the link never runs at.
int SettingCodeOf(int baud, int dataBits);
// The setting code a setup's host-port entry stands for; a baud the link
// never runs at (0 included) stands for 9600 with 8 data bits.
int HostPortSettingCode(int baud, int dataBits);

}  // namespace qv
