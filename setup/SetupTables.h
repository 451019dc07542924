// The code tables of the setup record: the items of each setup list, in code
// order, and the texts shown for the codes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

std::vector<std::string> MeterTypeItems();       // "Serial 1 OFF", "PX5", ... "Wake / Binary"
const char* MeterTypeStatusText(int code);       // the Data Status label of a meter type
std::vector<std::string> PortSetupItems();       // 13 items, "OFF" ... "115200", "ON"
std::vector<std::string> HostPortSetupItems();   // the first 12 of them
std::vector<std::string> AnalogItems(int n);     // "Analog n OFF", "Analog n ON", "Pump ON"
std::vector<std::string> PumpItems(int n);       // "Pump n OFF", "Pump n ON" (+ purges for 4)
std::vector<std::string> ModeItems();            // "Profile Mode" ... "Run Only Serial 8"
std::vector<std::string> OutputItems();          // "Status" ... "Output Serial 8 Data"
std::vector<std::string> FileItems();            // "No Data Storage", "QV Archive Files"
std::vector<std::string> TimeSourceItems();
std::vector<std::string> TimeUnitItems();        // "Seconds", "Minutes", "Hours"

struct PortLine {
  std::int32_t baud;
  std::int16_t dataBits;
  std::int16_t parity;
};
// An item of the port setup lists to baud, data bits and parity; no selection
// or an unknown item gives 9600, 8, 0.
PortLine PortSetupIndexToBaud(int item);
// A baud and data-bit count back to the item that shows them.
int BaudToPortSetupIndex(std::int32_t baud, int dataBits);

// The mode's text for the logger model that last reported.
const char* ModeText(int mode, int loggerModel);

}  // namespace qv
