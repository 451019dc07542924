#include "sim/RunFileWriter.h"

#include <algorithm>

#include "common/ByteOrder.h"
#include "common/Format.h"
#include "sim/LoggerModel.h"
#include "sim/PortUse.h"
#include "protocol/DataPacket.h"

namespace qv {

namespace {

constexpr std::size_t kLongestRecord = 32767;
constexpr std::size_t kTimeStampSize = 4;

int MeterType(int port) { return port <= 4 ? kRecMeter1 + port - 1 : kRecMeter5 + port - 5; }

int MuxType(int port) {
  if (port == 9) return kRecAnalogMux;
  return port <= 4 ? kRecArchiveMux1 + port - 1 : kRecArchiveMux5 + port - 5;
}

std::vector<std::uint8_t> Text(const std::string& s) { return {s.begin(), s.end()}; }

// "MM/DD/YY HH:MM:SS" of a logger time.
std::string DateAndTime(std::uint32_t t) {
  const CivilTime c = CivilTimeOf(t);
  return Format("%02d/%02d/%02d %02d:%02d:%02d", c.month, c.day, c.year % 100, c.hour, c.minute,
                c.second);
}

}  // namespace

void RunFileWriter::SenderUnitId(std::uint8_t loggerId) {
  const std::uint8_t data[2] = {0, loggerId};
  Record(kRecSenderUnitId, data);
}

void RunFileWriter::ArchiveHeader(std::uint8_t loggerId, std::uint8_t sequence, std::uint32_t time,
                                  bool sevenBytes) {
  std::uint8_t data[7] = {loggerId, sequence, 0, 0, 0, 0, 1};
  WriteLE32(data + 2, time);
  Record(kRecArchiveHeader, std::span<const std::uint8_t>(data, sevenBytes ? 7 : 6));
}

void RunFileWriter::Split(int type, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) Record(type, bytes);
  for (; !bytes.empty(); bytes = bytes.subspan(std::min(bytes.size(), kLongestRecord)))
    Record(type, bytes.first(std::min(bytes.size(), kLongestRecord)));
}

void RunFileWriter::Meter(int port, std::span<const std::uint8_t> bytes) { Split(MeterType(port), bytes); }

void RunFileWriter::Analog(std::span<const std::uint8_t> bytes) { Split(kRecAnalogRaw, bytes); }

void RunFileWriter::Mux(int port, std::uint32_t time, std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> data(kTimeStampSize);
  WriteLE32(data.data(), time);
  do {
    const std::size_t take = std::min(bytes.size(), kLongestRecord - kTimeStampSize);
    data.resize(kTimeStampSize);
    data.insert(data.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
    Record(MuxType(port), data);
    bytes = bytes.subspan(take);
  } while (!bytes.empty());
}

void RunFileWriter::ArchiveTime(std::uint32_t time) {
  std::uint8_t data[4];
  WriteLE32(data, time);
  Record(kRecArchiveTime, data);
}

void RunFileWriter::ArchivePacket(std::span<const std::uint8_t> packet, bool trailerLost) {
  // The packet less its two type bytes and its checksum, header as on the line.
  std::vector<std::uint8_t> record(packet.begin() + 2, packet.end() - 2);
  if (trailerLost) {
    record[record.size() - 2] = 0;
    record[record.size() - 1] = 0;
  }
  Record(kRecArchiveKrMux, record);
}

void RunFileWriter::Battery(std::uint32_t time, std::int16_t millivolts) {
  Record(kRecBattery, Text(Format("%s %5.2f V\r\n", DateAndTime(time).c_str(), millivolts / 1000.0)));
}

void RunFileWriter::TimeStamp(std::uint32_t time) {
  Record(kRecTimeStamp, Text(DateAndTime(time) + "\r\n"));
}

void RunFileWriter::Summary(const RunSummaryRecord& summary) {
  const auto bytes = summary.Encode();
  Record(kRecSummary, bytes);
}

SamplingRecorder::SamplingRecorder(const RunPlan& plan)
    : plan_(plan), setup_(plan_.setup), rng_(plan.seed), time_(plan.startTime) {
  for (int n = 1; n <= 7; ++n) {
    const double rest = AnalogRestingMv(n);
    analog_[n] = Drift{rest, rest - 50.0, rest + 50.0, 2.0};
  }
  w_.SenderUnitId(plan_.loggerId);
  w_.TimeStamp(time_);
  w_.Battery(time_, millivolts_);
  time_ += static_cast<std::uint32_t>(setup_.TimeField(SetupRecord::DelayTime));
}

void SamplingRecorder::Sample() {
  const auto field = [this](SetupRecord::Time f) {
    return static_cast<std::uint32_t>(std::max(0, setup_.TimeField(f)));
  };
  const std::uint32_t begin = time_ + field(SetupRecord::PreFlushTime) +
                              field(SetupRecord::WarmUpTime) + field(SetupRecord::FlushTime);
  const std::uint32_t seconds = std::max<std::uint32_t>(1, field(SetupRecord::SampleTime));
  const ModelPorts hw = PortsOfModel(plan_.model);
  const int scans = plan_.scansPerSecond > 0 ? plan_.scansPerSecond : std::max<int>(1, setup_.AnalogRate());
  // Meters are powered for the sample only: each starts afresh.
  for (int p = 1; p <= 8; ++p) {
    const bool present = PortPresent(hw.serialMask, p);
    meters_[p].Start(present ? setup_.PortMeterType(p) : 0, present ? setup_.PortBaud(p) : 0, scans,
                     0, rng_.Next());
  }
  w_.TimeStamp(begin);
  if (plan_.style == RunStyle::Multiplexed) w_.ArchiveTime(begin);
  for (std::uint32_t s = 0; s < seconds; ++s) Second(begin + s, (s + 1) * 1000);
  if (plan_.style == RunStyle::Multiplexed) w_.ArchiveTime(begin + seconds);
  millivolts_ = static_cast<std::int16_t>(millivolts_ - 3 - static_cast<int>(rng_.Below(5)));
  w_.Battery(begin + seconds, millivolts_);
  ++samplesDone_;
  const std::uint32_t interval = field(SetupRecord::SampleInterval);
  time_ = setup_.Mode() == 1 ? std::max(begin + seconds, time_ + interval) : begin + seconds;
}

void SamplingRecorder::Second(std::uint32_t t, std::int64_t ms) {
  const ModelPorts hw = PortsOfModel(plan_.model);
  for (int p = 1; p <= 8; ++p) {
    ports_[p - 1].clear();
    meters_[p].Produce(ms, t, ports_[p - 1]);
    fileSizes_[p] += static_cast<std::int32_t>(ports_[p - 1].size());
  }
  // One scan of the analog ports in use, millivolts, most significant byte first.
  std::vector<std::uint8_t>& analog = ports_[8];
  analog.clear();
  for (int n = 1; n <= 7; ++n) {
    if (!PortPresent(hw.analogMask, n) || setup_.AnalogPortMode(n) != 1) continue;
    std::uint8_t mv[2];
    WriteBE16(mv, static_cast<std::uint16_t>(analog_[n].Next(rng_)));
    analog.insert(analog.end(), mv, mv + 2);
  }
  fileSizes_[0] += static_cast<std::int32_t>(analog.size());

  switch (plan_.style) {
    case RunStyle::Headers:
      w_.ArchiveHeader(plan_.loggerId, sequence_++, t, rng_.Chance(0.05));
      for (int p = 1; p <= 8; ++p) {
        // A port with a meter that sent nothing this second still gets its (empty) record.
        if (PortPresent(hw.serialMask, p) && setup_.PortMeterType(p) > 0) w_.Meter(p, ports_[p - 1]);
      }
      if (!analog.empty()) w_.Analog(analog);
      break;
    case RunStyle::Multiplexed:
      for (int p = 1; p <= 9; ++p)
        if (!ports_[p - 1].empty()) w_.Mux(p, t, ports_[p - 1]);
      break;
    case RunStyle::Packets: {
      std::array<std::span<const std::uint8_t>, kDataPorts> spans;
      std::size_t room = kMaxPayload;
      for (int k = 0; k < kDataPorts; ++k) {
        spans[k] = std::span<const std::uint8_t>(ports_[k]).first(std::min(ports_[k].size(), room));
        room -= spans[k].size();
      }
      w_.ArchivePacket(BuildDataPacket(plan_.loggerId, sequence_++, t, spans), rng_.Chance(0.05));
      break;
    }
  }
}

std::vector<std::uint8_t> SamplingRecorder::End() {
  w_.Summary(SummaryOfRun(plan_, fileSizes_, static_cast<std::int32_t>(w_.Size()), millivolts_));
  return w_.Take();
}

std::vector<std::uint8_t> RecordSamplingRun(const RunPlan& plan) {
  SamplingRecorder recorder(plan);
  SetupBytes setup = plan.setup;
  const int samples = SetupRecord(setup).Mode() == 1 ? std::max(1, plan.samples) : 1;
  for (int i = 0; i < samples; ++i) recorder.Sample();
  return recorder.End();
}

RunSummaryRecord SummaryOfRun(const RunPlan& plan, const std::array<std::int32_t, 9>& fileSizes,
                              std::int32_t runBytes, std::int16_t finalMillivolts) {
  SetupBytes bytes = plan.setup;
  const SetupRecord s(bytes);
  const ModelPorts hw = PortsOfModel(plan.model);
  RunSummaryRecord r;
  r.runNumber = plan.runNumber;
  r.mode = s.Mode();
  r.loggerModel = static_cast<std::int16_t>(plan.model);
  r.serialNumber = plan.serialNumber;
  r.fileFormat = s.FileFormat();
  r.outputFormat = s.OutputFormat();
  r.powerSetting = plan.powerSetting;
  for (int p = 0; p <= 8; ++p) {
    const bool present = p == 0 || PortPresent(hw.serialMask, p);
    r.portMeterType[p] = present ? s.PortMeterType(p) : 0;
    r.portBaud[p] = s.PortBaud(p);
    r.portDataBits[p] = s.PortDataBits(p);
    r.portParity[p] = s.PortParity(p);
    r.portLowVoltage[p] = s.PortLowVoltage(p);
  }
  for (int n = 0; n <= 7; ++n) r.analogPortMode[n] = s.AnalogPortMode(n);
  for (int n = 1; n <= 4; ++n) r.pumpPortMode[n - 1] = s.PumpPortMode(n);
  auto time = [&s](SetupRecord::Time f) { return static_cast<std::uint32_t>(s.TimeField(f)); };
  r.delayTime = time(SetupRecord::DelayTime);
  r.preFlushTime = time(SetupRecord::PreFlushTime);
  r.warmUpTime = time(SetupRecord::WarmUpTime);
  r.flushTime = time(SetupRecord::FlushTime);
  r.sampleTime = time(SetupRecord::SampleTime);
  r.sampleInterval = time(SetupRecord::SampleInterval);
  r.startTime = plan.startTime;
  r.unitId = plan.loggerId;
  r.packetInterval = static_cast<std::int16_t>(1000 / std::max<int>(1, s.AnalogRate()));
  r.startVoltage = 12600;
  r.finalVoltage = finalMillivolts;
  r.fileSizes = fileSizes;
  r.freeSpace = plan.freeBefore - runBytes;
  r.totalSpace = plan.totalMemory;
  r.firmware = {plan.firmwareMajor, plan.firmwareMinor, 3, 14, 24};
  return r;
}

}  // namespace qv
