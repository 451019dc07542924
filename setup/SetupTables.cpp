#include "setup/SetupTables.h"

#include "common/Format.h"
#include "link/SerialPortService.h"

namespace qv {

std::vector<std::string> MeterTypeItems() {
  return {"Serial 1 OFF", "PX5",      "KSP",         "ASCII",  "BINARY",  "LUM-K4",        "GPS",
          "Pump",         "Remote Host", "SBE-37 SM", "NSQ-S", "QV TEST", "Wake / Binary"};
}

const char* MeterTypeStatusText(int code) {
  static const char* const texts[] = {"Off",  "px5",         "ksp",   "ASCII", "Binary",
                                      "LUM-K4", "GPS",       "Pump",  "Remote Host", "SBE16",
                                      "NSQ-S", "QV-Test",    "Wake-Binary", "QV-Logger"};
  if (code < 0 || code > 13) return "OFF";
  return texts[code];
}

std::vector<std::string> PortSetupItems() {
  return {"OFF",  "600",        "1200",  "2400",  "4800",  "4800,7,E,1", "9600",
          "9600,7,E,1", "19200", "38400", "57600", "115200", "ON"};
}

std::vector<std::string> HostPortSetupItems() {
  auto items = PortSetupItems();
  items.pop_back();
  return items;
}

std::vector<std::string> AnalogItems(int n) {
  return {Format("Analog %d OFF", n), Format("Analog %d ON", n), "Pump ON"};
}

std::vector<std::string> PumpItems(int n) {
  std::vector<std::string> items{Format("Pump %d OFF", n), Format("Pump %d ON", n)};
  if (n == 4)
    for (int ms = 500; ms <= 5000; ms += 500) items.push_back(Format("Purge %d ms", ms));
  return items;
}

std::vector<std::string> ModeItems() {
  std::vector<std::string> items{"Profile Mode", "Moored Mode", "Real Time Mode", "Analog Mode"};
  for (int n = 1; n <= 8; ++n) items.push_back(Format("Run Only Serial %d", n));
  return items;
}

std::vector<std::string> OutputItems() {
  std::vector<std::string> items{"Status", "Real Time Data + Status", "Real Time Data",
                                 "Analog Data"};
  for (int n = 1; n <= 8; ++n) items.push_back(Format("Output Serial %d Data", n));
  return items;
}

std::vector<std::string> FileItems() { return {"No Data Storage", "QV Archive Files"}; }

std::vector<std::string> TimeSourceItems() {
  return {"Internal - No Time Updates", "Host PC Time", "GPS Time", "GPS Time or Host PC  "};
}

std::vector<std::string> TimeUnitItems() { return {"Seconds", "Minutes", "Hours"}; }

// Rows 1 to 11 show the host's setting codes; row 0 ("OFF") and row 12 carry
// no baud.
PortLine PortSetupIndexToBaud(int item) {
  if (item == 0) return {0, 8, 0};
  if (item == 12) return {0, 7, 0};
  if (item < 0 || item > 12) return {9600, 8, 0};
  const LineSetting line = SettingForCode(item);
  return {line.baud, static_cast<std::int16_t>(line.dataBits),
          static_cast<std::int16_t>(line.parity == 'E' ? 2 : 0)};
}

int BaudToPortSetupIndex(std::int32_t baud, int dataBits) {
  if (baud == 0) return dataBits == 8 ? 0 : 12;
  const int code = SettingCodeFor(static_cast<int>(baud), dataBits);
  return code != 0 ? code : 6;
}

const char* ModeText(int mode, int loggerModel) {
  bool px5Inside = loggerModel == 1 || loggerModel == 3;
  switch (mode) {
    case 0: return "Profile Logging";
    case 1: return "Moored Logging";
    case 2: return "Real Time Data";
    case 3: return "Analog Output";
    case 4: return px5Inside ? "Direct To px5" : "Direct To PORT1";
    case 5: return px5Inside ? "Direct To PORT1" : "Direct To PORT2";
    case 6: return px5Inside ? "Direct To PORT2" : "Direct To PORT3";
    case 7: return px5Inside ? "Direct To PORT3" : "Direct To PORT4";
    case 8: return "Direct To PORT5";
    case 9: return "Direct To PORT6";
    case 10: return "Direct To PORT7";
    case 11: return "Direct To PORT8";
    default: return "Unknown Mode";
  }
}

}  // namespace qv
