// A receive pump on an in-memory logger port, with a consumer and a raw tap
// that log everything the pump hands them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/ScriptedPrompter.h"
#include "link/ReceivePump.h"
#include "link/SerialPortService.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/PacketBuilder.h"

namespace qv::testing {

// One thing the pump handed on. Setup and status records show up when
// their flag is seen (and lowered), as the display tick would see them.
struct PumpEvent {
  std::string what;  // "setup", "status", "flash", "upload", "directory",
                     // "analog", "hardware", "data", "length error"
  int value = 0;     // flash error value, payload length, or length field
  Bytes bytes;       // the record, or the data record from byte 2

  std::string Summary() const {
    return what == "setup" || what == "status" || what == "upload" || what == "directory" ||
                   what == "analog" || what == "hardware"
               ? what
               : what + " " + std::to_string(value);
  }
  bool operator==(const PumpEvent&) const = default;
};

inline void PrintTo(const PumpEvent& e, std::ostream* os) { *os << e.Summary(); }

class LoggingConsumer : public PacketConsumer {
 public:
  explicit LoggingConsumer(ReceivedRecords& records) : records_(records) {}

  // Logs a flagged setup or status record and lowers the flag.
  void TakeFlags() {
    if (records_.setupReceived) {
      records_.setupReceived = false;
      Log("setup", 0, records_.setup);
    }
    if (records_.statusReceived) {
      records_.statusReceived = false;
      Log("status", 0, records_.status);
    }
  }
  std::vector<std::string> Summaries() const {
    std::vector<std::string> out;
    for (const PumpEvent& e : events) out.push_back(e.Summary());
    return out;
  }

  void AcceptUploadBlock(const std::array<std::uint8_t, kUploadBlockPacketSize>& r) override {
    TakeFlags();
    Log("upload", 0, r);
  }
  void AcceptDirectoryEntry(const std::array<std::uint8_t, kDirectoryEntryPacketSize>& r) override {
    TakeFlags();
    Log("directory", 0, r);
    if (onDirectoryEntry) onDirectoryEntry();
  }
  void ShowAnalogCalRecord(const std::array<std::uint8_t, kAnalogCalPacketSize>& r) override {
    TakeFlags();
    Log("analog", 0, r);
  }
  void AcceptHardwareRecord(const std::array<std::uint8_t, kHardwareConfigPacketSize>& r) override {
    TakeFlags();
    Log("hardware", 0, r);
  }
  void FlashError(std::int16_t value) override {
    TakeFlags();
    events.push_back({"flash", value, {}});
    badFlashSeen = records_.badFlash;
  }
  void AcceptDataPacket(std::uint8_t* record, int recordLength) override {
    TakeFlags();
    events.push_back({"data", recordLength - 32, Bytes(record, record + recordLength)});
    if (onDataPacket) onDataPacket(record, recordLength);
  }
  void PayloadLengthError(int length) override {
    TakeFlags();
    events.push_back({"length error", length, {}});
  }

  std::vector<PumpEvent> events;
  std::int16_t badFlashSeen = 0;
  std::function<void()> onDirectoryEntry;
  std::function<void(std::uint8_t*, int)> onDataPacket;

 private:
  template <std::size_t N>
  void Log(const char* what, int value, const std::array<std::uint8_t, N>& r) {
    events.push_back({what, value, Bytes(r.begin(), r.end())});
  }
  ReceivedRecords& records_;
};

class LoggingTap : public RawInputTap {
 public:
  bool RawDisplayPending() const override { return displayPending; }
  void OfferRawInput(const std::uint8_t* bytes, int count) override {
    offered.emplace_back(bytes, bytes + count);
  }

  bool displayPending = false;
  std::vector<Bytes> offered;
};

class PumpRig {
 public:
  static constexpr int kCom = 1;

  PumpRig() { ports.OpenPortSlot(kLoggerSlot, kCom); }

  void Feed(const Bytes& bytes) { backend.Feed(kCom, bytes); }
  // One cycle, then the display tick's look at the flags.
  // The result by its number, as the link timers know it.
  int Cycle() {
    const PumpResult result = pump.PumpReceive();
    consumer.TakeFlags();
    return static_cast<int>(result);
  }
  // Cycles until the port has nothing left to read; a pump that stops
  // reading fails here instead of hanging the test.
  void DrainPort() {
    for (int cycles = 0; !backend.incoming[kCom].empty(); ++cycles) {
      ASSERT_LT(cycles, 1000000) << "the pump stopped reading";
      pump.PumpReceive();
      consumer.TakeFlags();
    }
  }
  Bytes Held() const { return Bytes(pump.HeldBytes(), pump.HeldBytes() + pump.Held()); }

  FakeSerialBackend backend;
  ScriptedPrompter prompter;
  SerialPortService ports{backend, prompter};
  ReceivedRecords records;
  LoggingConsumer consumer{records};
  LoggingTap tap;
  ReceivePump pump{ports, records, consumer, tap};
};

class PumpTest : public ::testing::Test, public PumpRig {};

}  // namespace qv::testing
