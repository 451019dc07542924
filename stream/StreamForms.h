// The data stream's two tabs: Real Time Data (raw display, text send, unit
// counters) and Record (recording buttons, what is recorded, file status).
#pragma once

#include "forms/Form.h"

namespace qv {

struct RealTimeTab : forms::Form {
  RealTimeTab();
  using Label = forms::Label;
  using Button = forms::Button;

  forms::ComboBox RawSourceCB{
      this, "RawSourceCB", {"Parsed Data", "Raw Logger Data", "Raw PC Logger Data"}};
  forms::ComboBox RawPortCB{this,
                            "RawPortCB",
                            {"Display Serial 1", "Display Serial 2", "Display Serial 3",
                             "Display Serial 4", "Display Serial 5", "Display Serial 6",
                             "Display Serial 7", "Display Serial 8", "All Analog Data"}};
  forms::UpDown RawMuxIDUD{this, "RawMuxIDUD", 1, 4, 2};
  Label RawMuxIDLB{this, "RawMuxIDLB", "Logger  ID:  XXX"};
  Button BTDisplayRaw{this, "BTDisplayRaw", "Display Data"};
  forms::Memo Memo1{this, "Memo1"};
  forms::Edit EditSendText{this, "EditSendText", "Enter Text"};
  Button BTSendText{this, "BTSendText", "Send w/o CR LF"};
  Button BTResetCounters{this, "BTResetCounters", "Reset Counters"};
  Label LBUnitHeading{this, "LBUnitHeading", "Logger IDs       Packets--Mod--Missing Packets"};
  Label LBTimeUnit{this, "LBTimeUnit", "Time Unit:"};
  forms::Family<Label> LBUnit{this, "LBUnit%d", 1, 4};
};

struct RecordTab : forms::Form {
  RecordTab();
  using Label = forms::Label;
  using Button = forms::Button;

  Button BTRecordArchive{this, "BTRecordArchive", "Record Archive"};
  Button BTRecord1Hour{this, "BTRecord1Hour", "1 Hour Archive Files"};
  Button BTRecord1Day{this, "BTRecord1Day", "1 Day Archive Files"};
  Button BTRecordRaw{this, "BTRecordRaw", "Record Raw Input"};
  Button BTStopRecord{this, "BTStopRecord", "Stop"};
  forms::CheckBox CBRecordLogger{this, "CBRecordLogger", "Record Logger Data", true};
  forms::CheckBox CBRecordAuxIn{this, "CBRecordAuxIn", "Record PC-Logger", true};
  Label LBRecordStatus{this, "LBRecordStatus", "Recording:  OFF"};
  Label LBArchiveFileName{this, "LBArchiveFileName", "Archive File:"};
  Label LBArchiveFileSize{this, "LBArchiveFileSize", "File Size:"};
  Label LBActiveUnits{this, "LBActiveUnits", "Record:"};
  // The replay controls. A raw input file is not replayed: its button stays hidden.
  Button ReplayArchiveBT{this, "ReplayArchiveBT", "Replay Archive"};
  Button BTReplayRaw{this, "BTReplayRaw", "Replay Raw File"};
  Button ReplayContinuousBT{this, "ReplayContinuousBT", "Continuous Archive Replay"};
  Label ReplaySpeedLB1{this, "ReplaySpeedLB1", "Replay Speed"};
  Label ReplaySpeedLB2{this, "ReplaySpeedLB2", "1 = Slow, 10 = Fast"};
  forms::UpDown ReplaySpeedUD{this, "ReplaySpeedUD", 1, 10, 6};
  forms::Edit ReplaySpeedEdit{this, "ReplaySpeedEdit", "6"};
};

}  // namespace qv
