// The data stream and recording subsystem as the rest of the program sees it:
// its two tabs and its state, and what the receive pump and the timers call.
#pragma once

#include <cstdint>
#include <functional>

#include "common/Clock.h"
#include "link/ByteSource.h"
#include "stream/ArchiveReplay.h"
#include "stream/PacketAcceptor.h"
#include "stream/PcPortSlots.h"
#include "stream/RawDisplay.h"
#include "stream/RawDisplayState.h"
#include "stream/Recorder.h"
#include "stream/StreamForms.h"
#include "stream/TextSender.h"
#include "stream/UnitTracking.h"

namespace qv {

class Prompter;
class SerialPortService;

class DataStream {
 public:
  struct Wiring {
    SerialPortService& ports;
    Prompter& prompter;
    PcPortSlots& pcSlots;        // read for routing, SlotBytesOut added
    forms::TabSheet& recordTab;  // TSRecord: its caption shows the recording status
    Clock& clock;                // times a replay
    // Puts a replay in the logger port's place in the receive pump (nullptr:
    // the port again); none where no pump runs.
    std::function<void(ByteSource*)> feedPump = {};
  };

  explicit DataStream(Wiring wiring);
  DataStream(const DataStream&) = delete;
  DataStream& operator=(const DataStream&) = delete;

  RealTimeTab realTimeTab;
  RecordTab recordTab;

  // Start-up: the raw display's port and source lists to their first items.
  void StartUp() { display_.StartUp(); }

  // The receive pump's seams.
  bool RawDisplayPending() const { return displayState_.Pending(); }
  // A chunk as read from the logger link: recorded in a raw input recording,
  // shown while the raw display watches "Raw Logger Data".
  void OfferRawInput(const std::uint8_t* bytes, int count) {
    recorder_.RecordRawInput(bytes, count);
    display_.CopyRawToDisplay(bytes, count);
  }
  // A logger data packet, recorded when "Record Logger Data" is in force.
  AcceptResult AcceptDataPacket(std::uint8_t* record, int recordLength) {
    return acceptor_.AcceptDataPacket(record, recordLength, recorder_.RecordLoggerData());
  }
  // Every packet kept, the logger's or the PC Logger's, for the plots.
  void SetKeptPacketListener(KeptPacketListener listener) {
    acceptor_.SetKeptPacketListener(std::move(listener));
  }
  // The framer met a payload length above the limit.
  void PayloadLengthError(int length) { units_.PayloadLengthError(length); }

  // The PC Logger's seams: its own packets, recorded when "Record PC-Logger"
  // is in force, and its records for the "Raw PC Logger Data" display.
  AcceptResult AcceptPcLoggerPacket(std::uint8_t* record, int recordLength) {
    return acceptor_.AcceptDataPacket(record, recordLength, recorder_.RecordPcLoggerData());
  }
  void CopyPcLoggerToDisplay(const std::uint8_t* bytes, int count) {
    display_.CopyPcLoggerToDisplay(bytes, count);
  }
  bool RecordPcLoggerData() const { return recorder_.RecordPcLoggerData(); }

  qv::RecordingMode RecordingMode() const { return recorder_.RecordingMode(); }

  // Fast tick: a replay that has reached its end is stopped.
  void ReplayEndCheck() {
    if (replay_.TakeEnd()) BTStopRecordClick();
  }
  // "Stop": ends any recording or replay.
  void BTStopRecordClick() {
    replay_.Stop();
    recorder_.BTStopRecordClick();
  }

  // Fast tick, last step: the pending raw display chunk goes to the memo.
  void FastTickEnd() { display_.FastTickEnd(); }
  // Fast tick, PC clock step: the local time names the hourly and daily files.
  void SetHostClock(const LocalTime& t) { recorder_.SetHostClock(t); }

  // One-second tick, recording step: status text and tab caption, rollover,
  // file size, flush. Then the unit lines and the total for "Mod Errors:  %1lu".
  void RecordingStatusTick() {
    replay_.SecondTick();
    recorder_.RecordingStatusTick();
  }
  void UnitLinesTick() { units_.ShowUnitLines(realTimeTab); }
  std::uint32_t ModErrorsTotal() const { return units_.ModErrorsTotal; }
  // One-second tick, last step: the record flags and the "Record:" line, from
  // whether the logger port and any PC Logger port are open.
  void RecordFlagsTick();
  // Both recording steps at once, for callers that need no order between them.
  void SecondTick() {
    RecordingStatusTick();
    RecordFlagsTick();
  }

  // PageControl1Change: any page change switches the raw display off.
  void PageChanged() { display_.PageControl1Change(); }

  // The parts, for tests and for the host configuration.
  RawDisplay& Display() { return display_; }
  RawDisplayState& DisplayState() { return displayState_; }
  UnitTracking& Units() { return units_; }
  Recorder& Recording() { return recorder_; }
  ArchiveReplay& Replay() { return replay_; }
  TextSender& Sender() { return sender_; }

 private:
  void WireHandlers();

  Wiring w_;
  RawDisplayState displayState_;
  UnitTracking units_;
  RawDisplay display_;
  TextSender sender_;
  Recorder recorder_;
  ArchiveReplay replay_;
  PacketAcceptor acceptor_;
};

}  // namespace qv
