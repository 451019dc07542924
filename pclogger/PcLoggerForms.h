// The PC-Logger tab: six PC port slots, each a meter input or a logger
// output on a COM port of the PC, the PC Logger's sample rate and its
// time option.
#pragma once

#include <string>
#include <vector>

#include "forms/Form.h"

namespace qv {

// "In Active", "Meter Input", "Logger Output": the port kinds by item index.
std::vector<std::string> PortKindItems();
// "OFF", "COM1" ... "COM10", "COM 11", "COM 12": item index = COM number.
std::vector<std::string> DeckPortItems();

struct PcLoggerTab : forms::Form {
  PcLoggerTab();
  using Label = forms::Label;
  using ComboBox = forms::ComboBox;
  using UpDown = forms::UpDown;
  template <class T>
  using Family = forms::Family<T>;

  Label LBInPortHdr{this, "LBInPortHdr", "  PC  Inputs  "};
  Label LBOutPortHdr{this, "LBOutPortHdr",
                     "                      PC  Outputs                     "};
  // The slot rows: "Port 1" to "Port 6".
  Family<Label> LBDeckSlot{this, "LBDeckSlot%d", 1, 6};
  Family<ComboBox> PortTypeCB{this, "PortType%dCB", 1, 6};
  Family<ComboBox> DeckPortCB{this, "DeckPort%dCB", 1, 6};
  Family<ComboBox> DeckSetupCB{this, "DeckSetup%dCB", 1, 6};
  Family<Label> LBInPort{this, "LBInPort%d", 1, 6};
  Family<UpDown> UDDeckType{this, "UDDeckType%d", 1, 6, 1, 4, 2};
  Family<Label> LBDeckType{this, "LBDeckType%d", 1, 6};
  Family<UpDown> UDOutPort{this, "UDOutPort%d", 1, 6, 1, 9, 1};
  Family<Label> LBOutPort{this, "LBOutPort%d", 1, 6};

  forms::Button BTLoadDeck{this, "BTLoadDeck", "Load New Setup"};
  forms::Button BTRestoreDeck{this, "BTRestoreDeck", "Restore Last Setup"};
  forms::Panel PCLoggerPanel{this, "PCLoggerPanel", "Setup is Not Loaded"};

  forms::GroupBox GBPcLoggerId{this, "GBPcLoggerId", "PC Logger ID = 1"};
  UpDown UDDeckRate{this, "UDDeckRate", 1, 18, 1};
  Label LBDeckRate{this, "LBDeckRate", "Sample Rate:  1.0 Hz"};
  Label LBDeckTimer{this, "LBDeckTimer", "Sample Interval: 1000 ms"};
  forms::CheckBox CBRecordPCTime{this, "CBRecordPCTime", "Add PC Time to Port 9 "};
};

}  // namespace qv
