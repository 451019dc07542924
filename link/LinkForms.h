// The logger link's small windows: the host-port dialog, the interface dialog
// and the statistics window.
#pragma once

#include <string>
#include <vector>

#include "forms/Form.h"

namespace qv {

// The twelve items of every line-setting list of the host.
std::vector<std::string> HostSettingItems();
// "No Port Selected", "COM 1" ... "COM 12".
std::vector<std::string> HostPortItems();

struct ConfigureHostPortForm : forms::Form {
  ConfigureHostPortForm();
  forms::Window window{this, "TConfigureHostPortForm", "Configure Host Port"};
  forms::Label LBHostPort{this, "LBHostPort", "Logger Port:"};
  forms::ComboBox HostPortCB{this, "HostPortCB", HostPortItems()};
  forms::Label LBHostSetup{this, "LBHostSetup", "Line Setting:"};
  forms::ComboBox HostSetupCB{this, "HostSetupCB", HostSettingItems()};
};

struct RS422Form : forms::Form {
  RS422Form();
  forms::Window window{this, "TRS422Form", "Changing Host Port Interface Protocol"};
  forms::Label LBWarning{this, "LBWarning", "**** WARNING ****"};
  forms::Label LBText1{this, "LBText1",
                       "Changing the Host Port Interface to RS-422 will disable the RS-232 line drivers."};
  forms::Label LBText2{this, "LBText2", "Normal PC COM Port Communications will be lost."};
  forms::Label LBText3{this, "LBText3",
                       "If you are unable to return to the RS232 protocol, as a last resort,  you may:"};
  forms::Label LBStepA{this, "LBStepA", "(a)  Set the Host Port to 9600 Baud"};
  forms::Label LBStepB{this, "LBStepB", "(b)  Access this menu"};
  forms::Label LBStepC{this, "LBStepC", "(c)  Cycle the power on this data logger"};
  forms::Label LBStepD{this, "LBStepD",
                       "(d)  Press the 'Switch to RS232' button within 3 seconds of re-applying power "};
  forms::Button RS232Button{this, "RS232Button", "Switch to RS232"};
  forms::Button RS422Button{this, "RS422Button", "Switch to RS422"};
  forms::Button RS422Cancel{this, "RS422Cancel", "CANCEL"};
};

struct StatsForm : forms::Form {
  StatsForm();
  forms::Window window{this, "TStatsForm", "Closed"};
  forms::Family<forms::Label> SFLB{this, "SFLB%d", 1, 9};
  forms::Label LBAuxPort{this, "LBAuxPort", "Aux Port Statistics"};
  forms::Label LBAuxBytesPerSec{this, "LBAuxBytesPerSec", "Bytes/Sec:"};
  forms::Label LBAuxTotalOut{this, "LBAuxTotalOut", "Total Out:"};
};

}  // namespace qv
