// The main window's frame: the main menu, the page control with its ten tabs,
// the five timers and the left column's host status. Tab contents are forms of
// the subsystems that own them.
#pragma once

#include "forms/Form.h"

namespace qv {

struct MainForm : forms::Form {
  MainForm();

  // The window's size at a first start, and where the page control stands in it.
  static constexpr int kDesignWidth = 1040;
  static constexpr int kDesignHeight = 700;
  static constexpr int kPagesLeft = 168;
  static constexpr int kPagesTop = 8;

  using MenuItem = forms::MenuItem;
  forms::Window window{this, "TForm1", "QV Host"};

  // Main menu, in menu order.
  MenuItem MenuFiles{this, "MenuFiles", "Files"};
  MenuItem LoadHostSetupFile{this, "LoadHostSetupFile", "Open Host Configuration File", &MenuFiles};
  MenuItem StoreHostSetupFile{this, "StoreHostSetupFile", "Save Host Connfiguration File", &MenuFiles};
  MenuItem Exit1{this, "Exit1", "E&xit", &MenuFiles};

  MenuItem MenuModes{this, "MenuModes", "Modes"};
  MenuItem Menupx5PassThru{this, "Menupx5PassThru", "px5 Pass Thru", &MenuModes};
  MenuItem MenuMoored{this, "MenuMoored", "Moored Logging", &MenuModes};
  MenuItem MenuProfile{this, "MenuProfile", "Profile Logging", &MenuModes};
  MenuItem MenuRealTimeOutput{this, "MenuRealTimeOutput", "Real Time Output", &MenuModes};
  MenuItem MenuAnalog{this, "MenuAnalog", "Analog Output", &MenuModes};
  MenuItem MenuAdvanced{this, "MenuAdvanced", "Advanced User", &MenuModes};
  MenuItem MenuNSQ3{this, "MenuNSQ3", "NSQ 3 Output", &MenuModes};

  MenuItem MenuCommands{this, "MenuCommands", "Commands"};
  MenuItem MenuFactorySettings{this, "MenuFactorySettings", "Access Factory Settings", &MenuCommands};
  MenuItem ResetToMonitor{this, "ResetToMonitor", "Reset To Monitor", &MenuFactorySettings};
  MenuItem MenuChangeLoggerID{this, "MenuChangeLoggerID", "Change Logger ID", &MenuFactorySettings};
  MenuItem AnalogCal{this, "AnalogCal", "Show Analog Calibration", &MenuFactorySettings};
  MenuItem HardwareConfig{this, "HardwareConfig", "Show Hardware Configuration", &MenuFactorySettings};
  MenuItem LoadDefaultFlashSetup1{this, "LoadDefaultFlashSetup1", "Load Default Flash Setup", &MenuFactorySettings};
  MenuItem ToggleDebug{this, "ToggleDebug", "Write Debug File", &MenuFactorySettings};
  MenuItem AddPad1{this, "AddPad1", "Add Pad", &MenuFactorySettings};
  MenuItem MenuAnnotateFile{this, "MenuAnnotateFile", "Annotate Archive File", &MenuCommands};
  MenuItem MenuLoggerTimeUpdate{this, "MenuLoggerTimeUpdate", "Synchronize Logger Time", &MenuCommands};
  MenuItem MenuAutoTimeUpdate{this, "MenuAutoTimeUpdate", "Automatic Time Sync", &MenuLoggerTimeUpdate};
  MenuItem MenuUpdateTimeNow{this, "MenuUpdateTimeNow", "Synchronize Time Now", &MenuLoggerTimeUpdate};
  MenuItem MenuAdvancedSettings{this, "MenuAdvancedSettings", "Show Advanced Settings", &MenuCommands};
  MenuItem MenuMooredTimeUpdate{this, "MenuMooredTimeUpdate", "Moored Time Source", &MenuAdvancedSettings};
  MenuItem MenuTestOneSerialPort{this, "MenuTestOneSerialPort", "Test One Logger Port", &MenuCommands};

  MenuItem MenuComPorts{this, "MenuComPorts", "COM_Ports"};
  MenuItem MenuAuxInSetup{this, "MenuAuxInSetup", "Aux Input", &MenuComPorts};
  MenuItem ConfigureSurfacePorts{this, "ConfigureSurfacePorts", "Configure Surface Ports", &MenuAuxInSetup};
  MenuItem CloseAllSurfacePorts{this, "CloseAllSurfacePorts", "Close All Surface Ports", &MenuAuxInSetup};
  MenuItem MenuLoggerPortSetup{this, "MenuLoggerPortSetup", "Logger Port", &MenuComPorts};
  MenuItem AutoBaudRateDetection{this, "AutoBaudRateDetection", "Auto Baud Rate Detection", &MenuLoggerPortSetup};
  MenuItem ConfigureHostPortFrom{this, "ConfigureHostPortFrom", "Configure Logger Port", &MenuLoggerPortSetup};
  MenuItem ChangeHostInterface{this, "ChangeHostInterface", "Change Logger Interface Type", &MenuLoggerPortSetup};
  MenuItem HostPortStats{this, "HostPortStats", "Logger Port Statistics", &MenuLoggerPortSetup};

  MenuItem MenuLoggerTabs{this, "MenuLoggerTabs", "Logger_Tabs"};
  MenuItem MenuDisplaylLoggerTabs{this, "MenuDisplaylLoggerTabs", "Display All Logger Tabs", &MenuLoggerTabs};
  MenuItem MenuHideLoggerTabs{this, "MenuHideLoggerTabs", "Hide All Logger Tabs", &MenuLoggerTabs};
  MenuItem MenuPortSetup{this, "MenuPortSetup", "Port Setup", &MenuLoggerTabs};
  MenuItem MenuLoggerControl{this, "MenuLoggerControl", "Logger Control", &MenuLoggerTabs};
  MenuItem MenuDataStatus{this, "MenuDataStatus", "Data Status", &MenuLoggerTabs};
  MenuItem MenuUpload{this, "MenuUpload", "Upload Logger Data", &MenuLoggerTabs};

  MenuItem MenuRealTimeTabs{this, "MenuRealTimeTabs", "Real_Time_Tabs"};
  MenuItem DisplayAllHostTabs1{this, "DisplayAllHostTabs1", "Display All Real Time Tabs", &MenuRealTimeTabs};
  MenuItem HideAllRealTimeTabs{this, "HideAllRealTimeTabs", "Hide All Real Time Tabs", &MenuRealTimeTabs};
  MenuItem MenuAuxIn{this, "MenuAuxIn", "PC Logger", &MenuRealTimeTabs};
  MenuItem MenuPlotSetup{this, "MenuPlotSetup", "Plot Setup", &MenuRealTimeTabs};
  MenuItem MenuRecord{this, "MenuRecord", "Record Data", &MenuRealTimeTabs};
  MenuItem MenuRealTime{this, "MenuRealTime", "Real Time Data", &MenuRealTimeTabs};
  MenuItem MenuReplay{this, "MenuReplay", "Replay Data", &MenuRealTimeTabs};

  MenuItem MenuHelp{this, "MenuHelp", "Help"};
  MenuItem ShowHints{this, "ShowHints", "Show Hints", &MenuHelp};

  // The page control and its tabs, in tab order.
  forms::PageControl PageControl1{this, "PageControl1"};
  forms::TabSheet TSPortSetup{this, "TSPortSetup", "Port Setup"};
  forms::TabSheet TSLoggerControl{this, "TSLoggerControl", "Logger Control"};
  forms::TabSheet TSDataStatus{this, "TSDataStatus", "Data Status"};
  forms::TabSheet TSUpload{this, "TSUpload", "Upload Logger Data"};
  forms::TabSheet TSRealTime{this, "TSRealTime", "Real Time Data"};
  forms::TabSheet TSRecord{this, "TSRecord", "Recording: OFF"};
  forms::TabSheet TSAuxIn{this, "TSAuxIn", "PC-Logger"};
  forms::TabSheet TSPlotSetup{this, "TSPlotSetup", "Plot Setup"};
  forms::TabSheet TSHardware{this, "TSHardware", "Hardware Configuration"};
  forms::TabSheet TSAnalog{this, "TSAnalog", "Analog Calibration"};

  // The left column: host status, the setup panel, the logger status frame.
  forms::GroupBox GBHostStatus{this, "GBHostStatus", "Host Status"};
  forms::Label LBHostDandT{this, "LBHostDandT", "MM-DD-YY  HH:MM:SS"};
  forms::Label HostMode{this, "HostMode", ""};
  forms::Panel PStore{this, "PStore", "Setup Not Current"};
  forms::Panel FlashPanel{this, "FlashPanel", "Bad Flash Operations"};
  forms::GroupBox GBLoggerStatus{this, "GBLoggerStatus", "Logger Status"};
  forms::Label Label78{this, "Label78", "No Logger Status"};

  forms::Timer Timer55ms{this, "Timer55ms", 25, true};
  forms::Timer Timer475ms{this, "Timer475ms", 1000, true};
  forms::Timer Timer1000ms{this, "Timer1000ms", 1000, true};
  forms::Timer TTimeout{this, "TTimeout", 1500, false};
  forms::Timer RTTimeout{this, "RTTimeout", 5000, true};
};

}  // namespace qv
