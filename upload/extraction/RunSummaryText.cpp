#include "upload/extraction/RunSummaryText.h"

#include "common/Format.h"
#include "common/LoggerTime.h"

namespace qv {

namespace {

std::string Heading(const RunSummaryRecord& r) {
  // Logger time is the logger's wall clock: shown as it stands.
  const std::string when = FormatLoggerTime("%m/%d/%y at %H:%M:%S", r.startTime);
  switch (r.mode) {
    case 0: return Format("Run # %1d:  Profile on %s\n\n", r.runNumber, when.c_str());
    case 1: return Format("Run # %1d:  Moored on %s\n\n", r.runNumber, when.c_str());
    default:
      return Format("Run # %1d: Unknown Mode %d  on %s\n\n", r.runNumber, r.mode, when.c_str());
  }
}

std::string ModelLine(const RunSummaryRecord& r) {
  const auto& f = r.firmware;
  switch (r.loggerModel) {
    case 1:
      return Format("px5Plus S/N-%03d\n\nFirmware Version %2d.%02d  %2d/%02d/%02d\n\n",
                    r.serialNumber, f[0], f[1], f[2], f[3], f[4]);
    case 2:
      return Format("KR7 S/N-%03d\n\nFirmware Version %2d.%02d  %2d/%02d/%02d\n\n", r.serialNumber,
                    f[0], f[1], f[2], f[3], f[4]);
    case 3:
      return Format("Zed Plus S/N=%03d\n\nFirmware Version %2d.%02d  %2d/%02d/%02d\n\n",
                    r.serialNumber, f[0], f[1], f[2], f[3], f[4]);
    default:
      return Format(
          "Unknown Meter Type %d S/N-%03d\n\nFirmware Version %2d.%02d  %2d/%02d/%02d\n\n",
          r.loggerModel, r.serialNumber, f[0], f[1], f[2], f[3], f[4]);
  }
}

// "% P" in these texts is a percent sign, not a conversion.
std::string PowerLine(int power) {
  switch (power) {
    case 3860: return Format("60 %% Power:  %d kHz \n\n", power);
    case 7860: return Format("75 %% Power:  %d kHz \n\n", power);
    case 14720: return Format("Standard Power:  %d kHz \n\n", power);
    case 16000: return Format("Turbo Power:  %d kHz \n\n", power);
    default: return Format("Unknown Power: %d kHz \n\n", power);
  }
}

std::string FileFormatLine(int fileFormat) {
  switch (fileFormat) {
    case 0: return "File Format:  No Data Recorded\n";
    case 1: return "File Format:  Quorvane Archive Files\n";
    default: return Format("File Format:  Invalid File Format: %d\n", fileFormat);
  }
}

std::string LoggerLines(const RunSummaryRecord& r) {
  int rate = r.packetInterval;
  switch (r.packetInterval) {
    case 100: rate = 10; break;
    case 125: rate = 8; break;
    case 166: rate = 6; break;
    case 200: rate = 5; break;
    case 250: rate = 4; break;
    case 333: rate = 3; break;
    case 500: rate = 2; break;
    case 1000: rate = 1; break;
    default: break;
  }
  return Format("Logger:\nUnit ID: %1d\nPacket Rate: %1d %s\n\n", r.unitId, rate,
                rate <= 10 ? "Hz" : "ms");
}

std::string PumpLine(const RunSummaryRecord& r) {
  std::string line = "Active Pump Ports: ";
  bool any = false;
  for (int n = 1; n <= 4; ++n) {
    if (r.pumpPortMode[n - 1] > 0) {
      line += Format("\t%d", n);
      any = true;
    }
  }
  if (!any) line += "  None";
  return line + "\n\n";
}

struct DurationFormats {
  const char* hours;
  const char* minutes;
  const char* seconds;
};

std::string Duration(std::uint32_t v, const DurationFormats& f) {
  const unsigned long value = v;
  if (value % 3600 == 0) return Format(f.hours, value / 3600);
  if (value % 60 == 0) return Format(f.minutes, value / 60);
  return Format(f.seconds, value);
}

// The four waits before a sample: "None" when there is none.
struct WaitLine {
  std::uint32_t RunSummaryRecord::*field;
  const char* none;
  DurationFormats formats;
};
constexpr WaitLine kWaits[] = {
    {&RunSummaryRecord::delayTime, "\nDelay Before Start:  None\n",
     {"\nDelay before Start: %1lu Hours\n", "\nDelay before Start: %1lu Minutes\n",
      "\nDelay before Start: %1lu Seconds\n"}},
    {&RunSummaryRecord::preFlushTime, "Pre-Flush:  None\n",
     {"Pre-Flush: %1lu Hours\n", "Pre-Flush: %1lu Minutes\n", "Pre-Flush: %1lu Seconds\n"}},
    {&RunSummaryRecord::warmUpTime, "Meter Warm Up:  None\n",
     {"Meter Warm Up: %1lu Hours\n", "Meter Warm Up: %1lu Minutes\n",
      "Meter Warm Up: %1lu Seconds\n"}},
    {&RunSummaryRecord::flushTime, "Meter Flush:  None\n",
     {"Meter Flush: %1lu Hours\n", "Meter Flush: %1lu Minutes\n", "Meter Flush: %1lu Seconds\n"}},
};

std::string DurationLines(const RunSummaryRecord& r) {
  std::string s;
  for (const WaitLine& w : kWaits) s += r.*w.field == 0 ? w.none : Duration(r.*w.field, w.formats);
  s += Duration(r.sampleTime, {"Sample Time: %1lu Hours\n", "Sample Time: %1lu Minutes\n",
                               "Sample Time: %1lu Seconds\n"});
  if (r.mode == 1)
    s += Duration(r.sampleInterval, {"Sample Interval: %1lu Hours\n",
                                     "Sample Interval: %1lu Minutes\n",
                                     "Sample Interval: %1lu Seconds\n"});
  return s;
}

std::string PortLines(const RunSummaryRecord& r) {
  std::string s = "Serial Ports: Type Baud     Size  Parity Stop\n";
  s += Format("Host Port: RS-XXX %-6ld%c%1d%c%c%c1\n", static_cast<long>(r.portBaud[0]), '\t',
              r.portDataBits[0], '\t', ParityLetter(r.portParity[0]), '\t');
  for (int n = 1; n <= 8; ++n) {
    if (r.portMeterType[n] <= 0) continue;
    s += Format("Port %1d:%c%-s %-6ld%c%1d%c%c%c1\n", n, '\t', MeterTypeName(r.portMeterType[n]).c_str(),
                static_cast<long>(r.portBaud[n]), '\t', r.portDataBits[n], '\t',
                ParityLetter(r.portParity[n]), '\t');
  }
  return s;
}

std::string VoltageLines(const RunSummaryRecord& r) {
  // Computed in single precision, as the logger's own summary is.
  const float start = static_cast<float>(r.startVoltage) * 0.001f;
  const float final = static_cast<float>(r.finalVoltage) * 0.001f;
  return Format("Starting Voltage: %4.1f V\n", static_cast<double>(start)) +
         Format("Final Voltage: %4.1f V\n", static_cast<double>(final)) +
         Format("Low Voltage Cutoff : %4.1lf\n\n", r.portLowVoltage[1] * 0.1);
}

std::string SizeLines(const RunSummaryRecord& r) {
  std::string s = "Recorded File Sizes\n";
  const long analog = r.fileSizes[0];
  s += analog > 1024 ? Format("Analog: %8ld K\n", analog / 1024) : Format("Analog: %8ld\n", analog);
  for (int n = 1; n <= 8; ++n) {
    if (r.portMeterType[n] <= 0) continue;
    const long size = r.fileSizes[n];
    s += size > 1024 ? Format("Port %1d: %8ld K\n", n, size / 1024)
                     : Format("Port %1d: %8ld Bytes\n", n, size);
  }
  s += Format("\nTotal Disk Space: %1ld K\n", static_cast<long>(r.totalSpace / 1024));
  s += Format("Free Disk Space: %1ld K at End of Sample\n", static_cast<long>(r.freeSpace / 1024));
  return s;
}

}  // namespace

std::string OutputSettingText(int outputFormat) {
  static const char* const kNames[12] = {
      "Status",          "Logger + Status Output", "Logger Output",   nullptr,
      "Serial 1 Output", "Serial 2 Output",        "Serial 3 Output", "Serial 4 Output",
      "Serial 5 Output", "Serial 6 Output",        "Serial 7 Output", "Serial 8 Output"};
  if (outputFormat >= 0 && outputFormat < 12 && kNames[outputFormat])
    return Format("Output Format:  %-33s", kNames[outputFormat]);
  return Format("Invalid Output Setting %d       ", outputFormat);
}

std::string MeterTypeName(int meterType) {
  static const char* const kNames[14] = {
      "        OFF", "        px5", "        ksp", "      ASCII", "     Binary",
      "     LUM-K4", "Ashteck GPS", "       PUMP", "Remote Host", "SBE16",
      "      NSQ-S", "QV-Test",     "Wake/Binary", "  QV-Logger"};
  if (meterType >= 0 && meterType <= 13) return kNames[meterType];
  return "Invalid Meter";
}

char ParityLetter(int parity) {
  switch (parity) {
    case 0: return 'N';
    case 1: return 'O';
    case 2: return 'E';
    default: return '*';
  }
}

std::string RunSummaryText(const RunSummaryRecord& r) {
  std::string s = Heading(r) + ModelLine(r) + PowerLine(r.powerSetting);
  if (r.freeSpace / 1024 <= 50)
    s += "***Warning*** This Run may have terminated early.  Out of Memory!!!\n\n";
  s += FileFormatLine(r.fileFormat);
  s += OutputSettingText(r.outputFormat) + "\n\n";
  if (r.fileFormat == 1 || r.outputFormat == 1 || r.outputFormat == 2) s += LoggerLines(r);
  s += PumpLine(r);
  s += PortLines(r);
  s += DurationLines(r);
  s += "\n";
  s += VoltageLines(r);
  s += SizeLines(r);
  return s;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace qv
