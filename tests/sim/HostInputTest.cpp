// Splitting the host's byte stream: frames, setup records and stop texts are
// found between anything else, whole or in pieces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/Commands.h"
#include "protocol/SetupRecord.h"
#include "sim/HostInput.h"
#include "tests/sim/SimTestSupport.h"

namespace qv {
namespace {

using testing::Bytes;
using testing::FrameBytes;
using testing::Join;
using testing::TextBytes;
using Kind = HostInputKind;

Bytes GoodSetup() {
  SetupBytes bytes{};
  SetupRecord s(bytes);
  s.SetHeader(0x0101);
  s.SetMode(1);
  s.SealChecksum();
  return Bytes(bytes.begin(), bytes.end());
}

std::vector<Kind> Split(HostInputSplitter& splitter, std::int64_t nowMs = 0) {
  std::vector<Kind> kinds;
  while (auto in = splitter.Next(nowMs)) kinds.push_back(in->kind);
  return kinds;
}

TEST(HostInputTest, FindsEachUsableInputAndSkipsTheRest) {
  Bytes badFrame = FrameBytes(CmdGetSetup);
  badFrame[10] ^= 1;
  Bytes badSetup = GoodSetup();
  badSetup[100] = 7;

  struct Case {
    const char* name;
    Bytes stream;
    std::vector<Kind> expected;
  };
  const std::vector<Case> cases = {
      {"text then frame", Join({TextBytes("abc\r\n"), FrameBytes(CmdStop)}), {Kind::Command}},
      {"7E1 stop text", TextBytes("    STOP7E1STOP7E1"), {Kind::StopText}},
      {"break text after the frame", Join({FrameBytes(CmdStop), TextBytes("    BREAKBREAKBREAK")}),
       {Kind::Command, Kind::StopText}},
      {"bad byte sum", Join({badFrame, FrameBytes(CmdGetSetup)}), {Kind::Command}},
      {"setup", Join({Bytes{0x00}, GoodSetup(), FrameBytes(CmdGetSetup)}),
       {Kind::SetupRecord, Kind::Command}},
      {"setup with a bad sum", Join({badSetup, FrameBytes(CmdBeginSample)}), {Kind::Command}},
      {"unknown code still frames", FrameBytes(0x1234), {Kind::Command}},
      {"broken-off text", Join({TextBytes("STOP7E"), FrameBytes(CmdStop)}), {Kind::Command}},
      {"mixed lead bytes", Join({Bytes{0x02, 0x01, 0x02, 0x03, 0x05}, FrameBytes(CmdStop)}),
       {Kind::Command}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostInputSplitter whole;
    whole.Feed(c.stream.data(), c.stream.size(), 0);
    EXPECT_EQ(Split(whole), c.expected);

    HostInputSplitter bytewise;
    std::vector<Kind> kinds;
    for (std::uint8_t b : c.stream) {
      bytewise.Feed(&b, 1, 0);
      for (Kind k : Split(bytewise)) kinds.push_back(k);
    }
    EXPECT_EQ(kinds, c.expected);
  }
}

TEST(HostInputTest, GivesTheBytesOfAFrameAsReceived) {
  HostInputSplitter s;
  const Bytes frame = FrameBytes(CmdSetTime, 0, 123456);
  const Bytes stream = Join({TextBytes("x"), frame});
  s.Feed(stream.data(), stream.size(), 0);
  auto in = s.Next(0);
  ASSERT_TRUE(in.has_value());
  EXPECT_EQ(in->bytes, frame);
  EXPECT_EQ(s.SkippedBytes(), 1u);
}

TEST(HostInputTest, AStrayLeadByteIsGivenUpWhenTheLineFallsQuiet) {
  HostInputSplitter s;
  const Bytes stray{0x01, 0x01};
  s.Feed(stray.data(), stray.size(), 0);
  const Bytes frame = FrameBytes(CmdGetSetup);
  s.Feed(frame.data(), frame.size(), 100);
  EXPECT_TRUE(Split(s, 100).empty());   // still looks like a setup coming in
  EXPECT_TRUE(Split(s, 1099).empty());
  EXPECT_EQ(Split(s, 1100), std::vector<Kind>{Kind::Command});
}

}  // namespace
}  // namespace qv
