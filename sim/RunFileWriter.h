// The bytes of a run file as a logger writes them into its flash while it
// samples: raw meter records, multiplexed records with their time stamps,
// archive headers and complete archive records, battery and time-stamp
// records, the sender unit ID, and the run summary at the end.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "protocol/RunFile.h"
#include "protocol/SetupRecord.h"
#include "sim/SimMeter.h"
#include "sim/SimRandom.h"

namespace qv {

// How a logger stores its data in a run: raw records under an archive header
// for each second, multiplexed records stamped with their second, or the
// archive records of the data packets it sends.
enum class RunStyle { Headers, Multiplexed, Packets };

class RunFileWriter {
 public:
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }
  std::size_t Size() const { return bytes_.size(); }

  // Any record as it stands, damaged or unknown ones included.
  void Record(int type, std::span<const std::uint8_t> data) { AppendRunRecord(bytes_, type, data); }
  void SenderUnitId(std::uint8_t loggerId);
  // A header of 7 bytes (the logger's extended form) sets marker 2 of the packet built from it.
  void ArchiveHeader(std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t time,
                     bool sevenBytes = false);
  // Raw bytes of serial port 1..8; records longer than a record can be are split.
  void Meter(int port, std::span<const std::uint8_t> bytes);
  void Analog(std::span<const std::uint8_t> bytes);
  // Multiplexed bytes of serial port 1..8, or 9 for the analog port.
  void Mux(int port, std::uint32_t time, std::span<const std::uint8_t> bytes);
  void ArchiveTime(std::uint32_t time);
  // A data packet as sent (type bytes to checksum) kept as an archive record;
  // `trailerLost` writes it as the logger sometimes does, "##" and two zeros.
  void ArchivePacket(std::span<const std::uint8_t> packet, bool trailerLost = false);
  void Battery(std::uint32_t time, std::int16_t millivolts);
  void TimeStamp(std::uint32_t time);
  void Summary(const RunSummaryRecord& summary);

 private:
  void Split(int type, std::span<const std::uint8_t> bytes);

  std::vector<std::uint8_t> bytes_;
};

// Everything a sampling run is recorded from.
struct RunPlan {
  int model = 2;
  RunStyle style = RunStyle::Packets;
  SetupBytes setup{};
  std::int16_t runNumber = 1;
  std::uint8_t loggerId = 1;
  std::int16_t serialNumber = 101;
  std::int16_t firmwareMajor = 6;
  std::int16_t firmwareMinor = 10;
  std::uint32_t startTime = 0;  // logger time the run begins
  int samples = 1;              // moored runs: how many samples
  std::int32_t totalMemory = 64 * 1024 * 1024;
  std::int32_t freeBefore = 64 * 1024 * 1024;
  std::int16_t powerSetting = 14720;  // kHz
  std::uint64_t seed = 1;
  // Binary meters send this many frames a second (the analog rate otherwise).
  int scansPerSecond = 0;
};

// Records a run as the logger does, one sample at a time: the delay, flush
// and warm-up pass, then the sample is recorded second by second; the end
// writes the summary built from the setup.
class SamplingRecorder {
 public:
  explicit SamplingRecorder(const RunPlan& plan);
  SamplingRecorder(const SamplingRecorder&) = delete;
  SamplingRecorder& operator=(const SamplingRecorder&) = delete;

  void Sample();
  // The summary; the run file is complete.
  std::vector<std::uint8_t> End();
  std::size_t Size() const { return w_.Size(); }
  RunFileWriter& Writer() { return w_; }

 private:
  void Second(std::uint32_t t, std::int64_t ms);

  RunPlan plan_;
  SetupRecord setup_;
  RunFileWriter w_;
  SimRandom rng_;
  std::array<SimMeter, 9> meters_{};  // serial ports 1..8
  std::array<Drift, 8> analog_{};     // analog ports 1..7
  std::array<std::int32_t, 9> fileSizes_{};  // 0 analog, 1..8 the serial ports
  std::array<std::vector<std::uint8_t>, 9> ports_;  // one second's bytes, 8 the analog port
  std::uint32_t time_;
  std::uint8_t sequence_ = 0;
  int samplesDone_ = 0;
  std::int16_t millivolts_ = 12600;
};

// A whole run under the plan: `plan.samples` samples when moored, one otherwise.
std::vector<std::uint8_t> RecordSamplingRun(const RunPlan& plan);

// The summary a logger writes at the end of a run: the setup's fields, the
// run's sizes and voltages.
RunSummaryRecord SummaryOfRun(const RunPlan& plan, const std::array<std::int32_t, 9>& fileSizes,
                              std::int32_t runBytes, std::int16_t finalMillivolts);

}  // namespace qv
