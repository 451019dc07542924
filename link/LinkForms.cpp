#include "link/LinkForms.h"

#include "common/Format.h"

namespace qv {

std::vector<std::string> HostSettingItems() {
  return {"OFF",  "600",         "1200",  "2400",  "4800",  "4800,7,E,1",
          "9600", "9600, 7,E,1", "19200", "38400", "57600", "115200"};
}

std::vector<std::string> HostPortItems() {
  std::vector<std::string> items{"No Port Selected"};
  for (int com = 1; com <= 12; ++com) items.push_back(Format("COM %d", com));
  return items;
}

ConfigureHostPortForm::ConfigureHostPortForm() : Form("TConfigureHostPortForm") {
  HostPortCB.SetDropDownCount(11);
}

RS422Form::RS422Form() : Form("TRS422Form") {}

StatsForm::StatsForm() : Form("TStatsForm") {
  for (int line = 1; line <= 9; ++line) SFLB[line].SetVisible(false);
  LBAuxPort.SetVisible(false);
  LBAuxBytesPerSec.SetVisible(false);
  LBAuxTotalOut.SetVisible(false);
}

}  // namespace qv
