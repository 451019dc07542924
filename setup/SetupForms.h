// The two tabs that show and edit the logger's setup: Port Setup (the 19 port
// rows) and Logger Control (mode, formats, times and the command buttons).
#pragma once

#include "forms/Form.h"

namespace qv {

struct PortSetupTab : forms::Form {
  PortSetupTab();
  using Label = forms::Label;
  using ComboBox = forms::ComboBox;
  using CheckBox = forms::CheckBox;
  template <class T>
  using Family = forms::Family<T>;

  Label LBHostPortSetup{this, "LBHostPortSetup", "Host Port:"};
  ComboBox CBHostPortSetup{this, "CBHostPortSetup"};

  Label LBSerialHeading{this, "LBSerialHeading", "Serial Ports"};
  Label LBMeterHeading{this, "LBMeterHeading", "Meter Type"};
  Label LBLineHeading{this, "LBLineHeading", "Line Setting"};
  Label SOPHLB1{this, "SOPHLB1", "Once"};
  Label SOPHLB2{this, "SOPHLB2", "per Hour"};
  Family<Label> LBS{this, "LBS%d", 1, 8};
  Family<ComboBox> ComboMeter{this, "ComboMeter%d", 1, 8};
  Family<ComboBox> CBPortSetup{this, "CBPort%dSetup", 1, 8};
  Family<CheckBox> SOPH{this, "SOPH%d", 1, 8};

  Label LBAnalogSetup{this, "LBAnalogSetup", "Analog Ports"};
  Label AOPHLB1{this, "AOPHLB1", "Once"};
  Label AOPHLB2{this, "AOPHLB2", "per Hour"};
  Family<Label> LBAnalog{this, "LBAnalog%d", 1, 7};
  Family<ComboBox> CBAnalog{this, "CBAnalog%d", 1, 7};
  Family<CheckBox> AOPH{this, "AOPH%d", 1, 7};

  Label LBPump{this, "LBPump", "Pump Ports"};
  Label POPHLB1{this, "POPHLB1", "Once"};
  Label POPHLB2{this, "POPHLB2", "per Hour"};
  Family<Label> LBPumpPort{this, "LBPump%d", 1, 4};
  Family<ComboBox> CBPump{this, "CBPump%d", 1, 4};
  Family<CheckBox> POPH{this, "POPH%d", 1, 4};

  forms::Button BTGetSetup1{this, "BTGetSetup1", "Get Setup"};
  forms::Button BTStoreSetup1{this, "BTStoreSetup1", "Send Setup"};
  forms::GroupBox GBSetupFile1{this, "GBSetupFile1", "Setup File"};
  forms::Button BTSaveSetupFile2{this, "BTSaveSetupFile2", "Save Setup File"};
  forms::Button BTOpenSetupFile1{this, "BTOpenSetupFile1", "Open Setup File"};
};

struct LoggerControlTab : forms::Form {
  LoggerControlTab();
  using Label = forms::Label;
  using ComboBox = forms::ComboBox;
  using UpDown = forms::UpDown;
  using Edit = forms::Edit;

  forms::GroupBox GBSampleSetup{this, "GBSampleSetup", "Sample Setup"};
  Label ModeLB{this, "ModeLB", "Operating Mode"};
  ComboBox ModeCB{this, "ModeCB"};
  Label FileLB{this, "FileLB", "Data Storage"};
  ComboBox FileCB{this, "FileCB"};
  Label OutputLB{this, "OutputLB", "Serial Output"};
  ComboBox OutputCB{this, "OutputCB"};
  Label TimeSourceLB{this, "TimeSourceLB", "Moored Time Source"};
  ComboBox TimeSourceCB{this, "TimeSourceCB"};

  Label LBDelay{this, "LBDelay", "Delay"};
  UpDown DelayUD{this, "DelayUD", 0, 100, 0, 5};
  Edit DelayEdit{this, "DelayEdit"};
  ComboBox DelayCombo{this, "DelayCombo"};
  Label LBPreFlush{this, "LBPreFlush", "Pre-Flush"};
  UpDown PreFlushUD{this, "PreFlushUD", 0, 300, 0, 5};
  Edit PreFlushEdit{this, "PreFlushEdit"};
  ComboBox PreFlushCombo{this, "PreFlushCombo"};
  Label LBWarmup{this, "LBWarmup", "Warmup"};
  UpDown WarmupUD{this, "WarmupUD", 0, 10000, 0, 5};
  Edit WarmupEdit{this, "WarmupEdit"};
  ComboBox WarmupCombo{this, "WarmupCombo"};
  Label LBFlush{this, "LBFlush", "Flush"};
  UpDown FlushUD{this, "FlushUD", 0, 300, 0, 5};
  Edit FlushEdit{this, "FlushEdit"};
  ComboBox FlushCombo{this, "FlushCombo"};
  Label LBSample{this, "LBSample", "Sample"};
  UpDown SampleUD{this, "SampleUD", 1, 10000, 1, 5};
  Edit SampleEdit{this, "SampleEdit"};
  ComboBox SampleCombo{this, "SampleCombo"};
  Label LBSampleInterval{this, "LBSampleInterval", "Sample Interval"};
  UpDown IntervalUD{this, "IntervalUD", 1, 10000, 1, 5};
  Edit IntervalEdit{this, "IntervalEdit"};
  ComboBox IntervalCombo{this, "IntervalCombo"};

  Label LBLowVoltageCaption{this, "LBLowVoltageCaption", "Low Voltage Cut-Off"};
  UpDown UDLVCutOff{this, "UDLVCutOff", 65, 140, 65, 1};
  Label LBLowVoltage{this, "LBLowVoltage", " 6.5 V"};
  Label LBAnalogRateCaption{this, "LBAnalogRateCaption", "Analog Rate"};
  UpDown UDAnalogRate{this, "UDAnalogRate", 1, 20, 1, 1};
  Label LBAnalogRate{this, "LBAnalogRate", "1 Hz  1000 ms"};
  forms::CheckBox CBAutoStart{this, "CBAutoStart", "Start Sample When Powered"};

  forms::Button BTGetSetup2{this, "BTGetSetup2", "Get Setup"};
  forms::Button BTStoreSetup2{this, "BTStoreSetup2", "Send Setup"};
  forms::GroupBox GBSetupFile2{this, "GBSetupFile2", "Setup File"};
  forms::Button Button3{this, "Button3", "Save Setup File"};
  forms::Button BTOpenSetupFile2{this, "BTOpenSetupFile2", "Open Setup File"};

  forms::GroupBox GBLoggerCommands{this, "GBLoggerCommands", "Logger Commands"};
  forms::Button BTBegin{this, "BTBegin", "Begin Sample"};
  forms::Button BTStop{this, "BTStop", "Stop"};
  forms::Button BTSleep{this, "BTSleep", "Sleep"};
  forms::Button BTClearMemory{this, "BTClearMemory", "Clear Logger Memory"};
};

}  // namespace qv
