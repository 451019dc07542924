// Every record and frame of the wire format: golden bytes where the logger's
// own examples exist, and one table that takes each codec round the trip and
// through the damage its decoder must refuse.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ByteOrder.h"
#include "protocol/ByteSum.h"
#include "protocol/CommandFrame.h"
#include "protocol/Commands.h"
#include "protocol/DataPacket.h"
#include "protocol/AnalogCalRecord.h"
#include "protocol/FlashErrorPacket.h"
#include "protocol/HardwareConfigRecord.h"
#include "protocol/PortTestFrame.h"
#include "protocol/SetupRecord.h"
#include "protocol/StatusRecord.h"

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename Array>
Bytes ToBytes(const Array& a) {
  return Bytes(a.begin(), a.end());
}

TEST(ByteSumTest, WrapsModulo65536AndSealsRecords) {
  std::vector<std::uint8_t> bytes(300, 0xFF);  // 76500 = 65536 + 10964
  EXPECT_EQ(ByteSum16(bytes.data(), bytes.size()), 10964);
  std::uint8_t frame[12] = {0x02, 0x02, 0xAC, 0xAC};
  SealChecksum(frame, sizeof frame);
  EXPECT_EQ(frame[10], 0x5C);
  EXPECT_EQ(frame[11], 0x01);
  EXPECT_TRUE(ChecksumValid(frame, sizeof frame));
  frame[3] ^= 1;
  EXPECT_FALSE(ChecksumValid(frame, sizeof frame));
}

TEST(CommandFrameTest, GoldenFramesBothWays) {
  struct Case {
    CommandFrame frame;
    Bytes bytes;
  };
  const Case cases[] = {
      {{CmdGetSetup, 0, 0}, {0x02, 0x02, 0xAC, 0xAC, 0, 0, 0, 0, 0, 0, 0x5C, 0x01}},
      {{CmdSetLoggerId, 3, 0}, {0x02, 0x02, 0xA6, 0xA6, 0, 0, 0, 0, 0x03, 0x00, 0x53, 0x01}},
      // Long value least significant byte first at offset 4.
      {{CmdSetTime, 0, 0x12345678},
       {0x02, 0x02, 0xAE, 0xAE, 0x78, 0x56, 0x34, 0x12, 0, 0, 0x74, 0x02}},
      // Negative values travel as two's complement.
      {{CmdUploadBlockReply, -1, -1},
       {0x02, 0x02, 0xA9, 0xA9, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x50, 0x07}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToBytes(c.frame.Encode()), c.bytes) << std::hex << c.frame.code;
    EXPECT_EQ(CommandFrame::Decode(c.bytes), c.frame) << std::hex << c.frame.code;
  }
}

TEST(CommandFrameTest, DecoderRefusesWhatIsNoFrame) {
  const Bytes good = ToBytes(BuildCommandFrame(CmdClearMemory, 1, 0));
  Bytes otherMarker = good;
  otherMarker[0] = otherMarker[1] = 0x03;
  SealChecksum(otherMarker.data(), otherMarker.size());
  Bytes badSum = good;
  badSum[11] ^= 0x01;
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {{"short", Bytes(good.begin(), good.end() - 1)},
               {"other marker", otherMarker},
               {"bad byte sum", badSum},
               {"empty", {}}};
  for (const auto& c : cases) EXPECT_FALSE(CommandFrame::Decode(c.bytes).has_value()) << c.name;
  // Trailing bytes are the next frame's, not this one's.
  Bytes longer = good;
  longer.push_back(0x02);
  EXPECT_EQ(CommandFrame::Decode(longer), (CommandFrame{CmdClearMemory, 1, 0}));
}

TEST(DataPacketTest, TheLoggersExampleAndItsArchiveRecord) {
  // Logger ID 2, sequence 7, time stamp 1000, three bytes on port 1, two on port 9.
  const Bytes line = {0x08, 0x08, 0x01, 0x00, 0x02, 0x07, 0x00, 0x05, 0x00, 0x00, 0x03,
                      0xE8, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x41, 0x31, 0x0D,
                      0x0D, 0x0A, 0x23, 0x23, 0x23, 0x23, 0x31, 0x02};
  const Bytes archive = {0x01, 0x00, 0x02, 0x07, 0x05, 0x00, 0xE8, 0x03, 0x00, 0x00, 0x03, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x02, 0x00, 0x41, 0x31, 0x0D, 0x0D, 0x0A, 0x23, 0x23, 0x23, 0x23};
  const Bytes port1 = {0x41, 0x31, 0x0D};
  const Bytes port9 = {0x0D, 0x0A};
  DataPorts ports{};
  ports[0] = port1;
  ports[8] = port9;
  EXPECT_EQ(BuildDataPacket(2, 7, 1000, ports), line);

  const std::optional<DataPacket> p = DataPacket::Decode(line);
  ASSERT_TRUE(p.has_value());
  EXPECT_EQ(p->header.loggerId, 2);
  EXPECT_EQ(p->header.sequence, 7);
  EXPECT_EQ(p->header.timeStamp, 1000u);
  EXPECT_EQ(ToBytes(p->Port(1)), port1);
  EXPECT_EQ(ToBytes(p->Port(9)), port9);
  EXPECT_TRUE(p->Port(5).empty());
  EXPECT_EQ(p->EncodeArchive(), archive);
  EXPECT_EQ(DataPacket::DecodeArchive(archive), p);

  // The host's way: the header turned round in place, the rest as received.
  Bytes record(line.begin() + 2, line.end() - 2);
  ConvertRecordHeaderToArchiveOrder(record.data());
  EXPECT_EQ(record, archive);
}

// One row per codec: a typical value and its bytes both ways, then the
// damage the decoder must refuse (a wrong last byte, a short buffer, the
// type of another packet).
struct CodecCase {
  const char* name;
  std::size_t size;
  std::function<Bytes()> encode;
  // Decodes and encodes again; nothing when the decoder refuses.
  std::function<std::optional<Bytes>(const Bytes&)> roundTrip;
  bool typed = true;   // opens with its packet type twice
  bool summed = true;  // closes with its byte sum
};

template <typename Record>
std::function<std::optional<Bytes>(const Bytes&)> RoundTripOf(const Record& value) {
  return [value](const Bytes& bytes) -> std::optional<Bytes> {
    const std::optional<Record> decoded = Record::Decode(bytes);
    if (!decoded) return std::nullopt;
    EXPECT_EQ(*decoded, value);
    return ToBytes(decoded->Encode());
  };
}

StatusRecord SampleStatus() {
  StatusRecord r;
  r.operationState = OperationState::Sampling;
  r.runNumber = 12;
  r.loggerTime = 1'800'000'123;
  r.timeLeft = 0xFFFFFFF0u;
  r.loggerModel = 3;
  r.loggerId = 254;
  r.serialMask = 0x03FF;
  r.analogMask = 0x007F;
  r.pumpMask = 0x000F;
  for (int i = 0; i < 9; ++i) r.portDataRates[i] = static_cast<std::int16_t>(i * 11 - 40);
  r.powerFlags = 0x0081;
  r.currentVoltage = 12345;
  r.startVoltage = -6500;
  r.endVoltage = 10500;
  r.runStopSwitch = 4;
  for (int i = 0; i < 8; ++i) r.analogVoltages[i] = static_cast<std::int16_t>(1000 + i);
  for (int i = 0; i < 9; ++i) r.portFileSizes[i] = -1000 + 77777 * i;
  r.analogFileSize = 1024;
  r.otherFileSize = -5;
  r.freeDisk = 1 << 30;
  r.totalDisk = 0x7FFFFFFF;
  r.firmwareStamp = StatusRecord::MakeFirmwareStamp(6, 10, 4, 15, 21);
  return r;
}

DataPacket SamplePacket(std::size_t payload) {
  DataPacket p;
  p.header.marker1 = 0x5A;
  p.header.marker2 = 0xA5;
  p.header.loggerId = 4;
  p.header.sequence = 255;
  p.header.timeStamp = 0x01020304;
  Bytes bytes(payload);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 31);
  DataPorts ports{};
  ports[1] = std::span<const std::uint8_t>(bytes).first(payload / 2);
  ports[8] = std::span<const std::uint8_t>(bytes).subspan(payload / 2);
  p.SetPorts(ports);
  p.trailer = {'#', '#', '#', '!'};
  return p;
}

HardwareConfigRecord SampleHardware() {
  HardwareConfigRecord r;
  r.hwSerialNumber = 1000;
  r.deviceType = -1;
  r.statusLed = 2;
  r.runStopSwitch = 3;
  r.reserved = {1, 2, 3, 4};
  for (int i = 0; i < HardwareConfigRecord::kRelayEntries; ++i)
    r.relays[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i % 10 - (i == 20 ? 300 : 0));
  return r;
}

AnalogCalRecord SampleCalibration() {
  AnalogCalRecord r;
  r.calHeaderCount = -15;
  r.calHeaderFlag = 0x01020304;
  for (int k = 0; k < AnalogCalRecord::kInputs; ++k) {
    r.analogOffset[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(150 + k);
    r.analogScale[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k == 7 ? 32767 : 5325 - k);
  }
  r.reserved = 9;
  return r;
}

std::vector<CodecCase> Codecs() {
  std::vector<CodecCase> cases;
  for (const CommandFrame f : {CommandFrame{CmdSleepUntil, 0, -2'000'000'000},
                               CommandFrame{CmdUploadRun, 32767, 0}}) {
    cases.push_back({"command frame", kCommandFrameSize, [f] { return ToBytes(f.Encode()); },
                     RoundTripOf(f), false, true});
  }
  const StatusRecord status = SampleStatus();
  cases.push_back({"status record", kStatusRecordSize, [status] { return ToBytes(status.Encode()); },
                   RoundTripOf(status)});
  const HardwareConfigRecord hardware = SampleHardware();
  cases.push_back({"hardware configuration", kHardwareConfigPacketSize,
                   [hardware] { return ToBytes(hardware.Encode()); }, RoundTripOf(hardware)});
  const AnalogCalRecord calibration = SampleCalibration();
  cases.push_back({"analog calibration", kAnalogCalPacketSize,
                   [calibration] { return ToBytes(calibration.Encode()); }, RoundTripOf(calibration)});
  const PortTestFrame test{9, 115200, 4800, 0, 2, 8, 7};
  cases.push_back({"port test frame", kPortTestFrameSize, [test] { return ToBytes(test.Encode()); },
                   RoundTripOf(test), false, true});
  const FlashErrorPacket flash{-2, {1, 2, 3, 4, 5, 6}};
  cases.push_back({"flash error packet", kFlashErrorPacketSize,
                   [flash] { return ToBytes(flash.Encode()); }, RoundTripOf(flash)});
  for (std::size_t payload : {std::size_t{0}, std::size_t{7}, std::size_t{kMaxPayload}}) {
    const DataPacket p = SamplePacket(payload);
    cases.push_back({"data packet", kDataPacketOverhead + payload, [p] { return p.Encode(); },
                     RoundTripOf(p)});
    cases.push_back({"archive record", kDataPacketOverhead - 4 + payload,
                     [p] { return p.EncodeArchive(); },
                     [p](const Bytes& bytes) -> std::optional<Bytes> {
                       const std::optional<DataPacket> d = DataPacket::DecodeArchive(bytes);
                       if (!d) return std::nullopt;
                       EXPECT_EQ(*d, p);
                       return d->EncodeArchive();
                     },
                     false, false});
  }
  return cases;
}

TEST(CodecTest, EveryCodecRoundTripsAndRefusesDamage) {
  for (const CodecCase& c : Codecs()) {
    SCOPED_TRACE(::testing::Message() << c.name << ", " << c.size << " bytes");
    const Bytes bytes = c.encode();
    ASSERT_EQ(bytes.size(), c.size);
    EXPECT_EQ(c.roundTrip(bytes), bytes);

    // Bytes behind a whole one belong to whatever follows.
    Bytes longer = bytes;
    longer.insert(longer.end(), {0x08, 0x08, 0x00});
    EXPECT_EQ(c.roundTrip(longer), bytes);

    EXPECT_FALSE(c.roundTrip(Bytes(bytes.begin(), bytes.end() - 1))) << "one byte short";
    if (!c.summed) continue;
    Bytes damaged = bytes;
    damaged.back() ^= 0x10;
    EXPECT_FALSE(c.roundTrip(damaged)) << "a wrong byte sum";
    if (!c.typed) continue;
    Bytes otherType = bytes;
    otherType[0] = otherType[1] = otherType[0] == 1 ? 2 : 1;
    SealChecksum(otherType.data(), otherType.size());
    EXPECT_FALSE(c.roundTrip(otherType)) << "another type";
  }
}

TEST(CodecTest, StatusFieldsSitWhereTheLoggerPutsThem) {
  const Bytes b = ToBytes(SampleStatus().Encode());
  EXPECT_EQ(b[0], 3);
  EXPECT_EQ(b[1], 3);
  EXPECT_EQ(ReadLE16s(b.data() + 4), 6);  // Sampling
  EXPECT_EQ(ReadLE16s(b.data() + 6), 12);
  EXPECT_EQ(ReadLE32s(b.data() + 8), 1'800'000'123);
  EXPECT_EQ(ReadLE16s(b.data() + 20), 254);
  EXPECT_EQ(ReadLE16s(b.data() + 28 + 2 * 3), 3 * 11 - 40);
  EXPECT_EQ(ReadLE16s(b.data() + 54), 4);
  EXPECT_EQ(ReadLE32s(b.data() + 72 + 4 * 8), -1000 + 77777 * 8);
  EXPECT_EQ(ReadLE32s(b.data() + 120), 0x7FFFFFFF);
  EXPECT_EQ(ReadLE32(b.data() + 124), 0x60A40F15u);
  for (int unused : {2, 3, 16, 17, 128, 129}) EXPECT_EQ(b[unused], 0) << unused;
  EXPECT_DOUBLE_EQ(SampleStatus().FirmwareVersion(), 6.10);
  // Any state code travels, listed or not.
  StatusRecord odd;
  odd.operationState = OperationState{11};
  EXPECT_EQ(StatusRecord::Decode(odd.Encode())->operationState, OperationState{11});
  EXPECT_EQ(OperationStateText(OperationState{11}), nullptr);
  EXPECT_STREQ(OperationStateText(OperationState::EndOfRun), "End of Run");
}

TEST(FactoryRecordTest, FieldsSitAtTheirOffsetsAndFilesAreReadWhateverTheirSum) {
  const Bytes hw = ToBytes(SampleHardware().Encode());
  EXPECT_EQ(hw[0], 7);
  EXPECT_EQ(hw[1], 7);
  EXPECT_EQ(ReadLE16s(hw.data() + 2), 1000);
  EXPECT_EQ(ReadLE16s(hw.data() + 4), -1);
  EXPECT_EQ(ReadLE16s(hw.data() + 8), 3);
  EXPECT_EQ(Bytes(hw.begin() + 10, hw.begin() + 14), (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(ReadLE16s(hw.data() + 16), 1);       // serial port 1's relay
  EXPECT_EQ(ReadLE16s(hw.data() + 34), 0);       // analog port 1's (entry 10)
  EXPECT_EQ(ReadLE16s(hw.data() + 54), 0 - 300); // pump port 4's (entry 20)

  const Bytes cal = ToBytes(SampleCalibration().Encode());
  EXPECT_EQ(cal[0], 6);
  EXPECT_EQ(ReadLE16s(cal.data() + 2), -15);
  EXPECT_EQ(ReadLE32s(cal.data() + 4), 0x01020304);
  EXPECT_EQ(ReadLE16s(cal.data() + 8), 150);
  EXPECT_EQ(ReadLE16s(cal.data() + 24 + 14), 32767);
  EXPECT_EQ(ReadLE16s(cal.data() + 40), 9);

  // A file's type bytes and sum are not examined; only its length counts.
  Bytes file = hw;
  file[0] = file[1] = 0;
  file.back() ^= 0xFF;
  EXPECT_FALSE(HardwareConfigRecord::Decode(file));
  EXPECT_EQ(HardwareConfigRecord::FromFields(file), SampleHardware());
  EXPECT_FALSE(HardwareConfigRecord::FromFields(Bytes(file.begin(), file.end() - 1)));
  Bytes calFile = cal;
  calFile.back() ^= 0xFF;
  EXPECT_EQ(AnalogCalRecord::FromFields(calFile), SampleCalibration());
}

TEST(PortTestFrameTest, TheLoggersExampleFrame) {
  // "Port 3" at "9600,7,E,1" with the host port at "38400".
  const PortTestFrame frame{3, 9600, 38400, 2, 0, 7, 8};
  const Bytes bytes = {0x0A, 0x0A, 0x00, 0x03, 0x00, 0x00, 0x25, 0x80, 0x00, 0x00, 0x96, 0x00,
                       0x00, 0x02, 0x00, 0x00, 0x00, 0x07, 0x00, 0x08, 0x00, 0x00, 0x63, 0x01};
  EXPECT_EQ(ToBytes(frame.Encode()), bytes);
  EXPECT_EQ(PortTestFrame::Decode(bytes), frame);
  Bytes reserved = bytes;
  reserved[21] = 1;
  SealChecksum(reserved.data(), reserved.size());
  EXPECT_FALSE(PortTestFrame::Decode(reserved));
}

TEST(SetupRecordTest, FieldsSitAtTheirOffsetsAndTheSparesStayAsReceived) {
  SetupBytes bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(0x80 + i);
  const SetupBytes received = bytes;
  SetupRecord s(bytes);
  s.SetHeader(kSetupHeader);
  s.SetMode(-2);
  s.SetOncePerHourMask(0x000F0001);
  s.SetTimeField(SetupView::SampleInterval, 86400);
  s.SetPortBaud(8, 115200);
  s.SetPortMeterType(0, 0);
  s.SetPortDataBits(4, 7);
  s.SetPortParity(4, 2);
  s.SetPortLowVoltage(8, 140);
  s.SetAnalogPortMode(7, 2);
  s.SetPumpPortMode(4, 11);
  s.SetAnalogRate(20);
  s.SetOutputFormat(11);
  s.SetFileFormat(1);
  s.SetAutoStart(1);
  s.SetTimeSource(3);
  s.SealChecksum();

  struct Field {
    int offset;
    int width;
    std::int32_t value;
  };
  const Field fields[] = {{0, 2, 0x0101}, {2, 2, -2},      {8, 4, 0x000F0001}, {32, 4, 86400},
                          {68, 4, 115200}, {72, 2, 0},     {98, 2, 7},         {116, 2, 2},
                          {142, 2, 140},  {158, 2, 2},     {166, 2, 11},       {170, 2, 20},
                          {172, 2, 11},   {174, 2, 1},     {180, 2, 1},        {186, 2, 3}};
  for (const Field& f : fields) {
    const std::int32_t at = f.width == 2 ? ReadLE16s(bytes.data() + f.offset)
                                         : ReadLE32s(bytes.data() + f.offset);
    EXPECT_EQ(at, f.value) << "offset " << f.offset;
  }
  for (int spare : {4, 5, 6, 7, 168, 169, 176, 177, 178, 179, 182, 183, 184, 185, 188, 189})
    EXPECT_EQ(bytes[spare], received[spare]) << spare;
  const SetupView view(bytes);
  EXPECT_TRUE(view.ChecksumValid());
  EXPECT_TRUE(HoldsPacket(bytes, PacketType::Setup));
  EXPECT_EQ(view.PumpPortMode(4), 11);
  EXPECT_EQ(view.TimeField(SetupView::SampleInterval), 86400);
}

}  // namespace
}  // namespace qv
