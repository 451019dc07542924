#include "sim/SimMeter.h"

#include <algorithm>
#include <chrono>

#include "common/ByteOrder.h"
#include "common/Format.h"
#include "protocol/ByteSum.h"

namespace qv {

namespace {

constexpr std::array<std::int16_t, 8> kAnalogRestingMv{0, 1234, 2500, 823, 4096, 157, 3300, 612};

// Record periods, chosen so that each type sends about the byte rate the
// status record reports for it.
std::int64_t PeriodUs(std::int16_t meterType, int scansPerSecond) {
  switch (meterType) {
    case 1: return 1000000;   // PX5: one record a second
    case 2: return 750000;    // KSP
    case 3: return 320000;    // ASCII CTD: about three lines a second
    case 4: return 1000000 / std::max(1, scansPerSecond);  // BINARY: a frame per scan
    case 5: return 750000;    // LUM-K4
    case 6: return 1000000;   // GPS: a fix a second
    case 7: return 0;         // Pump
    case 8: return 0;         // Remote Host
    case 9: return 700000;    // SBE-37 SM
    case 10: return 500000;   // NSQ-S
    case 11: return 500000;   // QV TEST
    case 12: return 1000000;  // Wake / Binary
    default: return 500000;
  }
}

// Starting value, band and step of each reading a type sends.
std::array<Drift, 4> DriftsOf(std::int16_t meterType) {
  switch (meterType) {
    case 1: return {{{10.0, 2.0, 18.0, 0.05}, {12.5, 9.5, 15.5, 0.01}, {42.0, 40.0, 44.0, 0.01}}};
    case 2: return {{{3.2, 0.0, 8.0, 0.05}, {1.1, 0.0, 5.0, 0.02}, {20.0, 0.0, 99.9, 0.5}}};
    case 3: return {{{12.5, 10.0, 15.0, 0.02}, {35.1, 34.5, 35.6, 0.01}}};
    case 4: return {{{2048, 1500, 2600, 4}, {1024, 800, 1300, 3}, {300, 100, 500, 2}, {3000, 2800, 3200, 5}}};
    case 5: return {{{120.0, 0.0, 900.0, 1.5}}};
    // Latitude and longitude minutes, speed in knots, course.
    case 6: return {{{30.1234, 29.0, 31.0, 0.0004}, {40.5678, 39.0, 42.0, 0.0004}, {0.5, 0.0, 3.0, 0.05}, {54.7, 0.0, 359.9, 1.0}}};
    case 9: return {{{12.5012, 9.5, 15.5, 0.002}, {4.12345, 3.9, 4.3, 0.0005}, {10.123, 2.0, 18.0, 0.02}}};
    case 10: return {{{0.512, 0.0, 2.0, 0.004}, {1.733, 0.0, 5.0, 0.004}}};
    case 12: return {{{500, 0, 1000, 3}, {250, 0, 1000, 3}, {750, 0, 1000, 3}, {100, 0, 1000, 3}}};
    default: return {{{1.0, 0.0, 10.0, 0.01}}};
  }
}

std::string Nmea(const std::string& body) {
  return body + Format("*%02X\r\n", NmeaChecksum(body.c_str()));
}

void PutWords(std::vector<std::uint8_t>& out, std::initializer_list<std::uint16_t> words) {
  for (std::uint16_t w : words) {
    std::uint8_t b[2];
    WriteBE16(b, w);
    out.insert(out.end(), b, b + 2);
  }
}

}  // namespace

double Drift::Next(SimRandom& rng) {
  value = std::clamp(value + (rng.Unit() - 0.5) * 2.0 * step, low, high);
  return value;
}

std::uint8_t NmeaChecksum(const char* sentence) {
  const char* p = sentence;
  if (*p == '$') ++p;
  std::uint8_t sum = 0;
  for (; *p != '\0' && *p != '*'; ++p) sum = static_cast<std::uint8_t>(sum ^ static_cast<std::uint8_t>(*p));
  return sum;
}

std::int16_t AnalogRestingMv(int n) { return n >= 1 && n <= 7 ? kAnalogRestingMv[n] : 0; }

CivilTime CivilTimeOf(std::int64_t seconds) {
  using namespace std::chrono;
  const sys_seconds t{std::chrono::seconds{seconds}};
  const sys_days day = floor<days>(t);
  const year_month_day ymd{day};
  const hh_mm_ss<std::chrono::seconds> hms{t - day};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(hms.hours().count()),
          static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count())};
}

void SimMeter::Start(std::int16_t meterType, std::int32_t baud, int scansPerSecond,
                     std::int64_t startMs, std::uint64_t seed, int recordsPerSecond) {
  type_ = meterType;
  baud_ = baud;
  scans_ = scansPerSecond;
  rng_ = SimRandom(seed);
  drift_ = DriftsOf(meterType);
  periodUs_ = meterType > 0 && baud > 0 ? PeriodUs(meterType, scansPerSecond) : 0;
  if (periodUs_ > 0 && recordsPerSecond > 0) periodUs_ = 1000000 / recordsPerSecond;
  // Each meter keeps its own phase, so records do not all land together;
  // the first comes within one period.
  firstMs_ = startMs + 1 +
             (periodUs_ >= 1000 ? static_cast<std::int64_t>(
                                      rng_.Below(static_cast<std::uint32_t>(periodUs_ / 1000)))
                                : 0);
  count_ = 0;
  lineMs_ = startMs;
  lineCredit_ = LineCreditLimit();  // the line was idle
}

void SimMeter::Produce(std::int64_t toMs, std::int64_t utcAtToMs, std::vector<std::uint8_t>& out) {
  if (periodUs_ <= 0) return;
  const double bytesPerMs = baud_ / 10000.0;
  const double creditLimit = LineCreditLimit();
  for (;;) {
    const std::int64_t at = firstMs_ + count_ * periodUs_ / 1000;
    if (at > toMs) return;
    ++count_;
    lineCredit_ = std::min(creditLimit, lineCredit_ + static_cast<double>(at - lineMs_) * bytesPerMs);
    lineMs_ = at;
    std::vector<std::uint8_t> record;
    Record(utcAtToMs - (toMs - at) / 1000, record);
    // A record the line has no time for is lost, as at a baud too slow for the meter.
    if (static_cast<double>(record.size()) > lineCredit_) continue;
    lineCredit_ -= static_cast<double>(record.size());
    out.insert(out.end(), record.begin(), record.end());
  }
}

void SimMeter::Text(const std::string& line, std::vector<std::uint8_t>& out) {
  out.insert(out.end(), line.begin(), line.end());
}

void SimMeter::Record(std::int64_t utc, std::vector<std::uint8_t>& out) {
  auto next = [this](int i) { return drift_[i].Next(rng_); };
  const unsigned n = static_cast<unsigned>(count_ % 100000);
  switch (type_) {
    case 1: {
      const double d = next(0), t = next(1), c = next(2);
      Text(Format("PX5 %05u D=%7.3f T=%6.3f C=%6.3f\r\n", n, d, t, c), out);
      break;
    }
    case 2: {
      const double a = next(0), b = next(1), c = next(2);
      Text(Format("KSP %6.2f %6.2f %5.1f\r\n", a, b, c), out);
      break;
    }
    case 3: {
      const double t = next(0), s = next(1);
      Text(Format("T=%6.2f, S=%4.1f C\r\n", t, s), out);
      break;
    }
    case 4: {
      // Sync word, frame count, nine raw channels, byte sum: 24 bytes.
      const auto a = static_cast<std::uint16_t>(next(0)), b = static_cast<std::uint16_t>(next(1)),
                 c = static_cast<std::uint16_t>(next(2)), d = static_cast<std::uint16_t>(next(3));
      const std::size_t begin = out.size();
      out.push_back(0xAA);
      out.push_back(0x55);
      PutWords(out, {static_cast<std::uint16_t>(count_), a, b, c, d,
                     static_cast<std::uint16_t>(a / 2), static_cast<std::uint16_t>(b / 2),
                     static_cast<std::uint16_t>(c + d), 0x0100, static_cast<std::uint16_t>(n % 60)});
      PutWords(out, {ByteSum16(out.data() + begin, out.size() - begin)});
      break;
    }
    case 5:
      Text(Format("LUM %8.3f\r\n", next(0)), out);
      break;
    case 6: {
      const CivilTime u = CivilTimeOf(utc);
      const double lat = 4100.0 + next(0), lon = 7000.0 + next(1), knots = next(2), course = next(3);
      Text(Nmea(Format("$GPGGA,%02d%02d%02d.00,%09.4f,N,%010.4f,W,1,08,0.9,2.0,M,-34.0,M,,", u.hour,
                       u.minute, u.second, lat, lon)),
           out);
      Text(Nmea(Format("$GPRMC,%02d%02d%02d.00,A,%09.4f,N,%010.4f,W,%.1f,%05.1f,%02d%02d%02d,,,A",
                       u.hour, u.minute, u.second, lat, lon, knots, course, u.day, u.month,
                       u.year % 100)),
           out);
      break;
    }
    case 9: {
      const double t = next(0), c = next(1), p = next(2);
      Text(Format("# %7.4f, %8.5f, %8.3f\r\n", t, c, p), out);
      break;
    }
    case 10: {
      const double a = next(0), b = next(1);
      Text(Format("NSQ %05u %6.3f %6.3f\r\n", n, a, b), out);
      break;
    }
    case 11:
      Text(Format("QV TEST %06u ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\r\n", n), out);
      break;
    case 12: {
      // Wake byte, address, frame count, five channels, byte sum: 16 bytes.
      const std::size_t begin = out.size();
      out.push_back(0xC0);
      out.push_back(0x01);
      PutWords(out, {static_cast<std::uint16_t>(count_), static_cast<std::uint16_t>(next(0)),
                     static_cast<std::uint16_t>(next(1)), static_cast<std::uint16_t>(next(2)),
                     static_cast<std::uint16_t>(next(3)), 0});
      PutWords(out, {ByteSum16(out.data() + begin, out.size() - begin)});
      break;
    }
    default:
      Text(Format("METER %2d %7.3f\r\n", type_ % 100, next(0)), out);
      break;
  }
}

}  // namespace qv
