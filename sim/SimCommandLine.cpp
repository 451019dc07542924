#include "sim/SimCommandLine.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "sim/LoggerLine.h"

namespace qv {

namespace {

bool ParseLong(const std::string& text, long long low, long long high, long long& out) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  out = v;
  return true;
}

bool ParseRate(const std::string& text, double& out) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !(v >= 0.0 && v <= 1.0)) return false;
  out = v;
  return true;
}

// "6.10", "6.1" (the same) or "6": major 0..15, hundredths 0..99.
bool ParseFirmware(const std::string& text, int& major, int& minor) {
  const std::size_t dot = text.find('.');
  const std::string whole = text.substr(0, dot);
  std::string fraction = dot == std::string::npos ? "0" : text.substr(dot + 1);
  if (fraction.empty() || fraction.size() > 2) return false;
  for (char c : fraction)
    if (c < '0' || c > '9') return false;
  if (fraction.size() == 1) fraction += '0';
  long long m = 0;
  if (!ParseLong(whole, 0, 15, m)) return false;
  major = static_cast<int>(m);
  minor = std::atoi(fraction.c_str());
  return true;
}

bool ParseModel(const std::string& text, int& model) {
  if (text == "px5" || text == "1") model = kModelPx5Plus;
  else if (text == "kr7" || text == "2") model = kModelKr7;
  else if (text == "zed" || text == "3") model = kModelZedPlus;
  else return false;
  return true;
}

// What an instrument on its own takes; every other option is the logger's.
bool MeterTakes(const std::string& option) {
  for (const char* name : {"--baud", "--7e1", "--seed", "--link", "--rate", "--quiet", "--meter"})
    if (option == name) return true;
  return false;
}

}  // namespace

SimCommandLine ParseSimCommandLine(const std::vector<std::string>& args) {
  SimCommandLine r;
  SimOptions& o = r.options;
  bool sevenBits = false;
  long long baud = o.line.baud;
  std::string loggerOption;  // the first option given that only a logger takes

  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool inlineValue = false;
    if (const std::size_t eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      inlineValue = true;
    }
    auto flag = [&]() {
      if (inlineValue) r.error = "option " + name + " takes no value";
      return r.error.empty();
    };
    auto take = [&]() {
      if (inlineValue) return true;
      if (i + 1 >= args.size()) {
        r.error = "option " + name + " needs a value";
        return false;
      }
      value = args[++i];
      return true;
    };
    auto bad = [&](const char* rule) {
      r.error = "bad value '" + value + "' for " + name + " (expected " + rule + ")";
    };
    long long n = 0;

    if (name.rfind("--", 0) == 0 && name != "--help" && !MeterTakes(name) && loggerOption.empty())
      loggerOption = name;

    if (name == "--help" || name == "-h") {
      if (flag()) r.help = true;
    } else if (name == "--meter") {
      if (take()) {
        if (ParseMeterKind(value, r.meterOptions.kind)) r.meter = true;
        else bad("ctd, nmea or binary");
      }
    } else if (name == "--quiet") {
      if (flag()) r.quiet = true;
    } else if (name == "--7e1") {
      if (flag()) sevenBits = true;
    } else if (name == "--stream") {
      if (flag()) o.stream = true;
    } else if (name == "--chain") {
      if (take()) {
        if (ParseLong(value, 1, 4, n)) o.chain = static_cast<int>(n);
        else bad("1 to 4 loggers");
      }
    } else if (name == "--rate") {
      if (take()) {
        if (ParseLong(value, 1, 20, n)) o.rateHz = static_cast<int>(n);
        else bad("1 to 20 packets a second");
      }
    } else if (name == "--packet-gap" || name == "--packet-repeat" || name == "--packet-corrupt") {
      double& rate = name == "--packet-gap"      ? o.packetGapRate
                     : name == "--packet-repeat" ? o.packetRepeatRate
                                                 : o.packetCorruptRate;
      if (take() && !ParseRate(value, rate)) bad("a rate from 0 to 1");
    } else if (name == "--model") {
      if (take() && !ParseModel(value, o.model)) bad("px5, kr7, zed, 1, 2 or 3");
    } else if (name == "--id") {
      if (take()) {
        if (ParseLong(value, 0, 255, n)) o.loggerId = static_cast<int>(n);
        else bad("0 to 255");
      }
    } else if (name == "--baud") {
      if (take() && !(ParseLong(value, 1, std::numeric_limits<int>::max(), baud) &&
                      IsHostPortBaud(static_cast<int>(baud))))
        bad("600, 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200");
    } else if (name == "--seed") {
      if (take()) {
        errno = 0;
        char* end = nullptr;
        const unsigned long long s = std::strtoull(value.c_str(), &end, 10);
        if (value.empty() || value[0] == '-' || errno != 0 || *end != '\0') bad("a number 0 or more");
        else o.seed = s;
      }
    } else if (name == "--link") {
      if (take()) {
        if (value.empty()) bad("a path");
        else o.linkPath = value;
      }
    } else if (name == "--drop" || name == "--corrupt" || name == "--repeat") {
      double& rate =
          name == "--drop" ? o.dropRate : name == "--corrupt" ? o.corruptRate : o.repeatRate;
      if (take() && !ParseRate(value, rate)) bad("a rate from 0 to 1");
    } else if (name == "--clock-offset") {
      if (take()) {
        if (ParseLong(value, -86400LL * 366 * 10, 86400LL * 366 * 10, n))
          o.clockOffsetSeconds = static_cast<std::int32_t>(n);
        else bad("seconds, at most ten years either way");
      }
    } else if (name == "--firmware") {
      if (take() && !ParseFirmware(value, o.firmwareMajor, o.firmwareMinor))
        bad("X.YY, for example 6.10");
    } else if (name == "--switch") {
      if (take()) {
        if (ParseLong(value, -32768, 32767, n)) o.runStopSwitch = static_cast<std::int16_t>(n);
        else bad("a number (0 none, 1 STOP, 2 RUN, 4 disabled)");
      }
    } else if (name == "--serial") {
      if (take()) {
        if (ParseLong(value, 1, 32767, n)) o.serialNumber = static_cast<std::int16_t>(n);
        else bad("1 to 32767");
      }
    } else if (name == "--cable") {
      if (take()) {
        if (value == "rs232") o.cable = Cable::Rs232;
        else if (value == "rs422") o.cable = Cable::Rs422;
        else bad("rs232 or rs422");
      }
    } else {
      r.error = "unknown option '" + args[i] + "'";
    }
    if (!r.error.empty()) return r;
  }

  if (sevenBits && baud != 4800 && baud != 9600) {
    r.error = "--7e1 needs --baud 4800 or 9600";
    return r;
  }
  o.line = sevenBits ? LineSetting{static_cast<int>(baud), 7, 'E', 1}
                     : LineSetting{static_cast<int>(baud), 8, 'N', 1};
  if (r.meter) {
    if (!loggerOption.empty()) {
      r.error = "option " + loggerOption + " is for a logger, not with --meter";
      return r;
    }
    r.meterOptions.line = o.line;
    r.meterOptions.rateHz = o.rateHz;
    r.meterOptions.seed = o.seed;
  }
  return r;
}

std::string SimUsage() {
  return
      "Usage: qvsim [options]\n"
      "A data logger on a pseudo-terminal: point the host's logger port at the\n"
      "device it prints.\n"
      "\n"
      "  --model px5|kr7|zed|1|2|3  logger model (default kr7)\n"
      "  --id N                     logger ID, 0 to 255 (default 1)\n"
      "  --baud B                   host port baud (default 9600)\n"
      "  --7e1                      host port 7 data bits, even parity (4800 or 9600)\n"
      "  --seed S                   seed of faults, line noise and readings (default 1)\n"
      "  --link PATH                also make a symbolic link PATH to the device\n"
      "  --drop R                   drop each byte sent with probability R (0..1)\n"
      "  --corrupt R                corrupt each byte sent with probability R\n"
      "  --repeat R                 send each byte twice with probability R\n"
      "  --clock-offset SECONDS     logger clock ahead (+) or behind (-) the PC\n"
      "  --firmware X.YY            firmware version (default 6.10)\n"
      "  --switch N                 run/stop switch: 0 none, 1 STOP, 2 RUN, 4 disabled\n"
      "  --serial N                 serial number of the hardware configuration (default 417)\n"
      "  --cable rs232|rs422        the cable to the PC (default rs232)\n"
      "  --stream                   stream data in Real Time Mode from power-up\n"
      "  --chain N                  loggers 1 to N (1..4) and a time unit on one line\n"
      "  --rate HZ                  data packets a second per logger, 1..20 (default:\n"
      "                             the setup's analog rate)\n"
      "  --packet-gap R             sequence gap before a data packet, probability R\n"
      "  --packet-repeat R          send a data packet twice, probability R\n"
      "  --packet-corrupt R         spoil a data packet's checksum, probability R\n"
      "  --quiet                    do not log the commands obeyed\n"
      "  --meter ctd|nmea|binary    an instrument for a PC Logger port instead of a\n"
      "                             logger: a CTD's ASCII lines, GPS NMEA sentences or\n"
      "                             binary frames, at --rate records a second (default:\n"
      "                             the kind's own pace) on the line of --baud and\n"
      "                             --7e1; --seed and --link as for a logger\n"
      "  --help                     this text\n"
      "\n"
      "Output goes out at the line's pace, a tenth of the baud in bytes a second; data\n"
      "packets the line cannot keep up with are lost.\n"
      "SIGHUP power-cycles the logger; SIGINT or SIGTERM ends the simulator.\n";
}

}  // namespace qv
