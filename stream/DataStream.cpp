#include "stream/DataStream.h"

#include "link/SerialPortService.h"

namespace qv {

using forms::Control;

DataStream::DataStream(Wiring wiring)
    : w_(wiring),
      display_(realTimeTab, displayState_),
      sender_(realTimeTab, display_.Lines(), wiring.ports),
      recorder_(recordTab, wiring.prompter, wiring.recordTab),
      replay_({recordTab, recorder_, wiring.prompter, wiring.clock, wiring.feedPump}),
      acceptor_(units_, displayState_, wiring.pcSlots, wiring.ports, wiring.prompter, recorder_) {
  WireHandlers();
}

void DataStream::WireHandlers() {
  realTimeTab.RawPortCB.OnChange = [this](Control&) { display_.RawPortCBChange(); };
  realTimeTab.RawSourceCB.OnChange = [this](Control&) { display_.RawPortCBChange(); };
  realTimeTab.RawMuxIDUD.OnClick = [this](Control&) { display_.RawMuxIDUDClick(); };
  realTimeTab.BTDisplayRaw.OnClick = [this](Control&) { display_.BTDisplayRawClick(); };
  realTimeTab.BTSendText.OnClick = [this](Control&) { sender_.BTSendTextClick(); };
  realTimeTab.EditSendText.OnEnterKey = [this](Control&) { sender_.EditSendTextKeyDown(); };
  realTimeTab.BTResetCounters.OnClick = [this](Control&) { units_.BTResetCountersClick(); };

  recordTab.BTRecordArchive.OnClick = [this](Control&) { recorder_.BTRecordArchiveClick(); };
  recordTab.BTRecord1Hour.OnClick = [this](Control&) { recorder_.BTRecord1HourClick(); };
  recordTab.BTRecord1Day.OnClick = [this](Control&) { recorder_.BTRecord1DayClick(); };
  recordTab.BTRecordRaw.OnClick = [this](Control&) { recorder_.BTRecordRawClick(); };
  recordTab.BTStopRecord.OnClick = [this](Control&) { BTStopRecordClick(); };
  recordTab.ReplayArchiveBT.OnClick = [this](Control&) { replay_.ReplayArchiveBTClick(); };
  recordTab.ReplayContinuousBT.OnClick = [this](Control&) { replay_.ReplayContinuousBTClick(); };
  recordTab.CBRecordLogger.OnClick = [this](Control& c) { recorder_.CBRecordAuxInClick(c); };
  recordTab.CBRecordAuxIn.OnClick = [this](Control& c) { recorder_.CBRecordAuxInClick(c); };
}

void DataStream::RecordFlagsTick() {
  bool anyPcPortOpen = false;
  for (int n = kFirstPcPortSlot; n <= kLastPcPortSlot; ++n)
    anyPcPortOpen = anyPcPortOpen || w_.ports.IsPortSlotOpen(n);
  recorder_.RecordFlagsTick(w_.ports.IsPortSlotOpen(kLoggerSlot), anyPcPortOpen);
}

}  // namespace qv
