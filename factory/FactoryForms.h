// The factory tabs: hardware configuration and analog calibration, reached
// from "Access Factory Settings" and guarded by the factory password.
#pragma once

#include "forms/Form.h"

namespace qv {

struct HardwareTab : forms::Form {
  HardwareTab();
  using Label = forms::Label;
  using Button = forms::Button;
  using ComboBox = forms::ComboBox;

  Button BTGetHardware{this, "BTGetHardware", "Get Hardware Configuration"};
  Label Labelxx{this, "Labelxx", "Password=BlueHaven"};
  forms::Edit HWPassword{this, "HWPassword", "Enter Password"};
  Button BTSendHardwareSetup{this, "BTSendHardwareSetup", "Send Hardware Configuration"};
  Button BTLoadHardwareFile{this, "BTLoadHardwareFile", "Load Hardware Config File"};
  Button BTSaveHardwareFile{this, "BTSaveHardwareFile", "Save Hardware Config File"};
  forms::Panel HardwarePanel{this, "HardwarePanel", "Hardware Setup is Not Current"};

  Label LBDeviceType{this, "LBDeviceType", "Logger Model"};
  ComboBox DeviceTypeCB{this, "DeviceTypeCB", {"None Selected", "px5Plus", "KR7", "Zed Plus"}};
  Label LBSerialNumber{this, "LBSerialNumber", "Serial Number"};
  forms::Edit SNEdit{this, "SNEdit", "0"};
  forms::UpDown UDSerialNumber{this, "UDSerialNumber", 0, 1000, 0};
  Label LBRunStop{this, "LBRunStop", "Run/Stop Switch"};
  ComboBox RunStopCB{this,
                     "RunStopCB",
                     {"No Switch", "SX-28 Normal Polarity", "SX-28 Reverse Polarity",
                      "Direct Input Switch"}};
  Label LBStatusLED{this, "LBStatusLED", "Status LED"};
  ComboBox StatusLEDCB{this, "StatusLEDCB",
                       {"No Status LED", "SX-28 Status LED", "Direct Status LED"}};

  // The relay lists, each with the ten relay codes, under their port labels.
  Label LBSerialPorts{this, "LBSerialPorts", "Serial Ports"};
  forms::Family<Label> LBRelaySP;
  forms::Family<ComboBox> RelaySP;
  Label LBAnalogPorts{this, "LBAnalogPorts", "Analog Ports"};
  forms::Family<Label> LBRelayAP;
  forms::Family<ComboBox> RelayAP;
  Label LBPumpPower{this, "LBPumpPower", "Pump Power"};
  forms::Family<Label> LBRelayPP;
  forms::Family<ComboBox> RelayPP;

  Button BTKR7Defaults{
      this, "BTKR7Defaults",
      "Load Default Hardware Setup, Analog Calibration, Mux ID and Host Interface Setup into "
      "Flash Memory"};
  Button BTDoneWithHardware{this, "BTDoneWithHardware", "Done"};
};

struct AnalogTab : forms::Form {
  AnalogTab();
  using Label = forms::Label;
  using Button = forms::Button;

  Button BTGetAnalog{this, "BTGetAnalog", "Get Analog Calibration"};
  Label Label2{this, "Label2", "Password=BlueHaven"};
  forms::Edit ALGPassword{this, "ALGPassword", "Enter Password"};
  Button BTSendAnalogCalibration{this, "BTSendAnalogCalibration", "Send Analog Calibration"};
  Button BTLoadAnalogFile{this, "BTLoadAnalogFile", "Load Analog Calibration File"};
  Button BTSaveAnalogFile{this, "BTSaveAnalogFile", "Save Analog Calibration File"};
  forms::Panel AnalogPanel{this, "AnalogPanel", "Analog Calibration is Not Current"};

  // The grid: a row per input, 0 the battery, 1..7 A1..A7.
  forms::GroupBox GBAnalogCal{this, "GBAnalogCal", "Analog Calibration"};
  Label LBOffsetHeading1{this, "LBOffsetHeading1", "Reading"};
  Label LBOffsetHeading2{this, "LBOffsetHeading2", "at 0 Volts"};
  Label LBScaleHeading1{this, "LBScaleHeading1", "Counts"};
  Label LBScaleHeading2{this, "LBScaleHeading2", "per Volt"};
  Label LBVoltageHeading{this, "LBVoltageHeading", "Voltage"};
  forms::Family<Label> LBInput;
  forms::Family<forms::MaskEdit> MEOffset;
  forms::Family<forms::MaskEdit> MEScale;
  forms::Family<Label> AnalogCal;

  Button BTDoneWithAnalog{this, "BTDoneWithAnalog", "Done"};
};

}  // namespace qv
