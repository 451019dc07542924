// One receive cycle, run by the fast tick: read what has arrived from the
// logger port (or the source put in its place), offer it to the raw tap, hand
// on every complete packet held.
#pragma once

#include <cstdint>
#include <vector>

#include "link/ByteSource.h"
#include "link/PacketConsumer.h"
#include "link/RawInputTap.h"
#include "link/ReceivedRecords.h"
#include "protocol/PacketFramer.h"
#include "protocol/PumpResult.h"

namespace qv {

class SerialPortService;

struct PumpCounters {
  std::uint64_t totalInputBytes = 0;  // every fill
  std::uint64_t packetCount = 0;      // every packet handed on
  int largestPayloadThisSecond = 0;   // cleared by TakeLargestPayload
};

class ReceivePump {
 public:
  // The largest packet plus ample room to read behind a partial one.
  static constexpr int kBufferSize = 16384;

  ReceivePump(SerialPortService& ports, ReceivedRecords& records, PacketConsumer& consumer,
              RawInputTap& tap);

  PumpResult PumpReceive();
  // Empties the buffer and forgets any decoded data packet header.
  void ResetReceiveBuffer();
  // Reads from `source` instead of the logger port, from a fresh buffer;
  // nullptr goes back to the logger port.
  void SetSource(ByteSource* source);

  const PumpCounters& Counters() const { return counters_; }
  // The one-second tick reads the largest payload of its second and clears it.
  int TakeLargestPayload();

  int Held() const { return end_ - start_; }
  const std::uint8_t* HeldBytes() const { return buffer_.data() + start_; }

 private:
  int Fill();
  bool FrameHeld();
  void HandOn(const Framed& packet);
  void HandOnRecord(PacketType type);
  void Remove(int count);

  LoggerPortSource loggerPort_;
  ByteSource* source_ = &loggerPort_;
  ReceivedRecords& records_;
  PacketConsumer& consumer_;
  RawInputTap& tap_;
  PacketFramer framer_;
  PumpCounters counters_;
  // Held bytes are buffer_[start_, end_): removing from the front only moves
  // start_, and they are moved down when the room behind them runs short.
  std::vector<std::uint8_t> buffer_;
  int start_ = 0;
  int end_ = 0;
};

}  // namespace qv
