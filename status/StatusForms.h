// The status subsystem's windows: the Logger Status group, the Data Status
// tab, the sleep dialog, the logger-ID dialog and the warning window.
#pragma once

#include "forms/Form.h"

namespace qv {

struct LoggerStatusGroup : forms::Form {
  LoggerStatusGroup();
  using Label = forms::Label;
  Label LBDandT{this, "LBDandT", "HH:MM:SS  MM/DD/YY"};
  Label LBDrift{this, "LBDrift", ""};
  Label LoggerMode{this, "LoggerMode", ""};
  Label LBOperationCaption{this, "LBOperationCaption", "Status:"};
  Label LBOperation{this, "LBOperation", ""};
  Label LBTimeLeftCaption{this, "LBTimeLeftCaption", "Time Left"};
  Label LBTimeLeft{this, "LBTimeLeft", ""};
  Label LBRunNumber{this, "LBRunNumber", "Run Number:"};
  Label LBRunSize{this, "LBRunSize", "Run File Size:"};
  Label LBVoltsCaption{this, "LBVoltsCaption", "Voltage"};
  Label LBCurrentCaption{this, "LBCurrentCaption", "Current:"};
  Label LBCurrentV{this, "LBCurrentV", ""};
  Label LBStartCaption{this, "LBStartCaption", "Start:"};
  Label LBStartV{this, "LBStartV", ""};
  Label LBEndCaption{this, "LBEndCaption", "End:"};
  Label LBEndV{this, "LBEndV", ""};
  Label LBFreeDiskCaption{this, "LBFreeDiskCaption", "Free Disk:"};
  Label LBFreeDisk{this, "LBFreeDisk", ""};
  Label LBTotalDiskCaption{this, "LBTotalDiskCaption", "Total Disk:"};
  Label LBTotalDisk{this, "LBTotalDisk", ""};
  Label LBPower{this, "LBPower", "Power: "};
  Label LBRunStop{this, "LBRunStop", ""};
  Label HostType{this, "HostType", "Host:  RS232"};
  forms::Panel RemoteHostPanel{this, "RemoteHostPanel", "Remote Host Is On"};
};

struct DataStatusTab : forms::Form {
  DataStatusTab();
  using Label = forms::Label;
  template <class T>
  using Family = forms::Family<T>;
  Label LBSerial{this, "LBSerial", "Serial Ports"};
  Label LBTypeHeading{this, "LBTypeHeading", "Type"};
  Label LBRateHeading{this, "LBRateHeading", "Data Rate"};
  Label LBSizeHeading{this, "LBSizeHeading", "File Size"};
  Family<Label> MLabel{this, "M%dLabel", 1, 8};
  Family<Label> MTypeLabel{this, "M%dTypeLabel", 1, 8, "OFF"};
  Family<Label> MBPSLabel{this, "M%dBPSLabel", 1, 8, "Bytes/Second:"};
  Family<Label> MStatusLabel{this, "M%dStatusLabel", 1, 8, "0"};
  Family<Label> MFSLabel{this, "M%dFSLabel", 1, 8, "File Size:"};
  Family<Label> MFileSizeLabel{this, "M%dFileSizeLabel", 1, 8, "0 K"};
  Label LBAnalog{this, "LBAnalog", "Analog Inputs (V)"};
  Family<Label> LBA{this, "LBA%d", 1, 7};
  Family<Label> Analog{this, "Analog%d", 1, 7, "0.000"};
  Label AnalogFS{this, "AnalogFS", "Analog File Size:"};
  Label AnalogFileSizeLabel{this, "AnalogFileSizeLabel", "0"};
  // The PC Logger's open ports, each second: the bytes in or out.
  Label LBSurface{this, "LBSurface", "                     PC Logger                  "};
  Family<Label> LBSurfacePort{this, "LBSurfacePort%d", 1, 6};
};

struct SleepForm : forms::Form {
  SleepForm();
  using Label = forms::Label;
  forms::Window window{this, "TSleepForm", "Sleep Options"};
  Label LBHostCaption{this, "LBHostCaption", "Host Time and Date:"};
  Label HostTime{this, "HostTime", "00:00:00"};
  Label HostDate{this, "HostDate", "00/00/00"};
  Label LBMeterCaption{this, "LBMeterCaption", "Meter Time and Date:"};
  Label SleepTime{this, "SleepTime", "00:00:00"};
  Label SleepDate{this, "SleepDate", "00/00/00"};
  forms::GroupBox MooredSleepGB{this, "MooredSleepGB", "Moored Mode Sleep Option"};
  Label LBSleepUntil{this, "LBSleepUntil", "Sleep Until:"};
  forms::MaskEdit METime{this, "METime", "HH:MM:SS"};
  Label LBOn{this, "LBOn", "on"};
  forms::MaskEdit MEDate{this, "MEDate", "MM/DD/YY"};
  Label LBDaylight{this, "LBDaylight", "Don't Forget about Daylight Savings Time Changes"};
  Label LBNote1{this, "LBNote1", "Note:  All times are in a 24-hour format.  (00:00:00-23-59:59)"};
  Label LBNote2{this, "LBNote2", "Dates are MM/DD/YY"};
  forms::Button SleepButton{this, "SleepButton", "SLEEP"};
  forms::Button CancelButton{this, "CancelButton", "CANCEL"};
};

struct MuxIDForm : forms::Form {
  MuxIDForm();
  forms::Window window{this, "TMuxIDForm", "Set Logger ID"};
  forms::Label LBCurrentMuxID{this, "LBCurrentMuxID", "Current Logger ID:  XXX"};
  forms::Label LBChangeCaption{this, "LBChangeCaption", "Change Logger ID to:  "};
  forms::Label LBNewMuxID{this, "LBNewMuxID", "002"};
  forms::UpDown UDMuxID{this, "UDMuxID", 2, 4, 2};
  forms::Button BTSendMuxID{this, "BTSendMuxID", "Send New Logger ID"};
};

struct WarningForm : forms::Form {
  WarningForm();
  forms::Window window{this, "TForm2", "WARNING!!!"};
  forms::Label Label1{this, "Label1", "Label1"};
  forms::Button Button1{this, "Button1", "OK"};
};

}  // namespace qv
