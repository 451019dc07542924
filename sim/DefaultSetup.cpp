#include "sim/DefaultSetup.h"

#include <cstring>

#include "sim/LoggerLine.h"
#include "sim/LoggerModel.h"
#include "sim/SimOptions.h"

namespace qv {

namespace {

struct PortPlan {
  std::int16_t meterType;
  std::int32_t baud;
  std::int16_t dataBits;
};

constexpr PortPlan kOff{0, 0, 8};
constexpr PortPlan kPx5{1, 19200, 8};
constexpr PortPlan kCtd{3, 9600, 8};     // ASCII
constexpr PortPlan kGps{6, 4800, 8};
constexpr PortPlan kBinary{4, 19200, 8};
constexpr PortPlan kPump{7, 0, 7};       // "ON"

// The factory fills the spare fields; the host must carry them untouched.
void FillSpares(SetupBytes& b) {
  const std::uint8_t spare1[4] = {0x51, 0x56, 0x01, 0x00};
  const std::uint8_t spare2[2] = {0x3C, 0x00};
  const std::uint8_t spare3[4] = {0x00, 0x10, 0x00, 0x00};
  const std::uint8_t spare4[4] = {0xA5, 0x5A, 0x02, 0x00};
  const std::uint8_t spare5[2] = {0x07, 0x00};
  std::memcpy(b.data() + 4, spare1, sizeof spare1);
  std::memcpy(b.data() + 168, spare2, sizeof spare2);
  std::memcpy(b.data() + 176, spare3, sizeof spare3);
  std::memcpy(b.data() + 182, spare4, sizeof spare4);
  std::memcpy(b.data() + 188, spare5, sizeof spare5);
}

}  // namespace

SetupBytes DefaultSetup(int model, const LineSetting& hostLine) {
  SetupBytes bytes{};
  SetupRecord s(bytes);
  s.SetHeader(kSetupHeader);
  s.SetMode(1);  // Moored Mode
  FillSpares(bytes);

  s.SetTimeField(SetupRecord::DelayTime, 5);
  s.SetTimeField(SetupRecord::PreFlushTime, 3);
  s.SetTimeField(SetupRecord::WarmUpTime, 5);
  s.SetTimeField(SetupRecord::FlushTime, 3);
  s.SetTimeField(SetupRecord::SampleTime, 20);
  s.SetTimeField(SetupRecord::SampleInterval, 30);

  PortPlan ports[9] = {kOff, kOff, kOff, kOff, kOff, kOff, kOff, kOff, kOff};
  int gpsPort = 0;
  if (HasBuiltInPx5(model)) {
    ports[1] = kPx5;
    ports[2] = kCtd;
    ports[3] = kGps;
    gpsPort = 3;
    if (model == kModelZedPlus) ports[4] = kBinary;
  } else {
    ports[1] = kCtd;
    ports[2] = kGps;
    ports[3] = kBinary;
    ports[4] = kPump;
    gpsPort = 2;
  }
  for (int p = 1; p <= 8; ++p) {
    s.SetPortMeterType(p, ports[p].meterType);
    s.SetPortBaud(p, ports[p].baud);
    s.SetPortDataBits(p, ports[p].dataBits);
    s.SetPortParity(p, 0);
  }
  SetHostPortLine(s, hostLine);
  s.SetPortMeterType(0, 0);
  for (int p = 0; p <= 8; ++p) s.SetPortLowVoltage(p, 105);
  // The GPS fix is kept once an hour.
  s.SetOncePerHourMask(1 << (gpsPort - 1));

  const ModelPorts hw = PortsOfModel(model);
  for (int n = 1; n <= 7; ++n)
    s.SetAnalogPortMode(n, (hw.analogMask & (1 << (n - 1))) ? 1 : 0);
  s.SetPumpPortMode(1, 1);

  s.SetAnalogRate(1);
  s.SetOutputFormat(0);  // Status
  s.SetFileFormat(1);    // QV Archive Files
  s.SetAutoStart(0);
  s.SetTimeSource(0);
  s.SealChecksum();
  return bytes;
}

}  // namespace qv
