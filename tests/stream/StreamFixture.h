// A data stream on an in-memory serial backend and a scripted prompter, with
// a scratch directory for recordings and packets handed over as the pump does.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "tests/support/ScriptedPrompter.h"
#include "link/SerialPortService.h"
#include "stream/DataStream.h"
#include "tests/support/DaylightSavingZone.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeSerialBackend.h"
#include "tests/support/PacketBuilder.h"
#include "tests/support/ScratchDir.h"

namespace qv {

inline void PrintTo(const AcceptResult& r, std::ostream* os) {
  static const char* const kNames[] = {"Repeat",   "Empty",       "UnitError", "Malformed",
                                       "Accepted", "NotRecorded", "Recorded",  "WriteFailed"};
  *os << kNames[static_cast<int>(r.outcome)] << (r.sequenceGap ? " after a gap" : "");
}

}  // namespace qv

namespace qv::testing {

// Names a table case's test after its description.
struct CaseName {
  template <class Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
    std::string n;
    for (const char* p = param.param.name; *p; ++p)
      n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return n;
  }
};

inline Bytes FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class StreamFixture : public ::testing::Test {
 public:
  FakeSerialBackend backend;
  ScriptedPrompter prompter;
  SerialPortService ports{backend, prompter};
  PcPortSlots pcSlots;
  forms::TabSheet recordPage{nullptr, "TSRecord", "Recording: OFF"};
  FakeClock clock{0};
  DataStream stream{{ports, prompter, pcSlots, recordPage, clock}};
  ScratchDir dir;

  RealTimeTab& realTime() { return stream.realTimeTab; }
  RecordTab& record() { return stream.recordTab; }
  UnitTracking& units() { return stream.Units(); }
  Recorder& recorder() { return stream.Recording(); }
  RawDisplayState& display() { return stream.DisplayState(); }

  // Hands a whole packet over as the pump does: from byte 2, four bytes short,
  // in a buffer of exactly that size so any reach beyond it is caught.
  AcceptResult Feed(Bytes packet) {
    Bytes record(packet.begin() + 2, packet.end() - 2);
    return stream.AcceptDataPacket(record.data(), static_cast<int>(record.size()));
  }
  AcceptResult Feed(std::uint8_t unit, std::uint8_t sequence, const Bytes& port1 = {'x'}) {
    return Feed(MakeDataPacket(unit, sequence, 0, port1));
  }

  std::string PendingText() {
    const RawDisplayState& d = display();
    return std::string(d.RawDisplayBuffer.begin(), d.RawDisplayBuffer.begin() + d.RawDisplayLength);
  }

  // Starts a recording through its button and the save dialog.
  void Start(forms::Button& button, const std::string& path) {
    prompter.files.push_back(path);
    button.UserClick();
  }
};

}  // namespace qv::testing
