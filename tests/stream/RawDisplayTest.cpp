// The Real Time tab: display sources, the memo's line rules and text sending.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "tests/stream/StreamFixture.h"

namespace qv::testing {
namespace {

using Lines = std::vector<std::string>;

class RawDisplayTest : public StreamFixture {
 public:
  void Append(const std::string& text) {
    int length = static_cast<int>(text.size());
    stream.Display().Lines().AppendToMemo(length,
                                          reinterpret_cast<const std::uint8_t*>(text.data()));
    EXPECT_EQ(length, 0);
  }
  const Lines& MemoLinesNow() { return realTime().Memo1.Lines(); }
  std::string Current() { return stream.Display().Lines().CurrentLine(); }
};

struct MemoCase {
  const char* name;
  std::vector<std::string> calls;
  Lines lines;
  std::string current;
};

const MemoCase kMemoCases[] = {
    {"A CR LF B CR LF adds two lines", {"A\r\nB\r\n"}, {"A", "B"}, ""},
    {"runs of line ends end one line", {"\r\n\r\nA\n\r\r\nB\r"}, {"A", "B"}, ""},
    {"250 characters break after 101",
     {std::string(250, 'x')},
     {std::string(101, 'x'), std::string(101, 'x')},
     std::string(48, 'x')},
    {"a zero byte counts but adds nothing",
     {std::string(100, 'x') + '\0' + "y"},
     {std::string(100, 'x')},
     "y"},
    {"a line goes on in the next call", {"AB", "C\r\n", "D"}, {"ABC"}, "D"},
    {"a line end right after a full line adds an empty one",
     {std::string(101, 'x') + "\r\n"},
     {std::string(101, 'x'), ""},
     ""},
};

inline void PrintTo(const MemoCase& c, std::ostream* os) { *os << c.name; }

class MemoTest : public RawDisplayTest, public ::testing::WithParamInterface<MemoCase> {};

TEST_P(MemoTest, LineRules) {
  for (const std::string& call : GetParam().calls) Append(call);
  EXPECT_EQ(MemoLinesNow(), GetParam().lines);
  EXPECT_EQ(Current(), GetParam().current);
}

INSTANTIATE_TEST_SUITE_P(Table, MemoTest, ::testing::ValuesIn(kMemoCases), CaseName());

TEST_F(RawDisplayTest, TheMemoKeepsTheLastHundredAndOneLines) {
  for (int i = 0; i < 150; ++i) Append("L" + std::to_string(i) + "\r\n");
  ASSERT_EQ(MemoLinesNow().size(), 101u);
  EXPECT_EQ(MemoLinesNow().front(), "L49");
  EXPECT_EQ(MemoLinesNow().back(), "L149");
}

TEST_F(RawDisplayTest, ParsedDataShowsOnePortOfOneUnitsPackets) {
  realTime().RawSourceCB.UserSelect(0);
  realTime().RawPortCB.UserSelect(2);  // "Display Serial 3"
  realTime().BTDisplayRaw.UserClick();
  EXPECT_EQ(realTime().BTDisplayRaw.Caption(), "Stop Display");
  auto packet = [](std::uint8_t unit, std::uint8_t sequence, const std::string& port3) {
    PortBytes p;
    p[0] = {'n', 'o'};
    p[2] = Bytes(port3.begin(), port3.end());
    return MakeDataPacket(unit, sequence, 0, p);
  };

  Feed(packet(2, 0, "abc\r\n"));
  EXPECT_EQ(PendingText(), "abc\r\n");
  stream.FastTickEnd();
  EXPECT_FALSE(stream.RawDisplayPending());
  EXPECT_EQ(MemoLinesNow(), Lines{"abc"});

  Feed(packet(1, 0, "other unit"));
  Feed(packet(2, 1, ""));  // nothing on the port
  EXPECT_FALSE(stream.RawDisplayPending());

  Feed(packet(2, 2, "first"));
  Feed(packet(2, 3, "second"));  // a chunk is still pending: left alone
  EXPECT_EQ(PendingText(), "first");
  stream.FastTickEnd();

  Feed(packet(2, 9, "after gap"));  // the gap packet is shown too
  EXPECT_EQ(PendingText(), "after gap");
  stream.FastTickEnd();

  stream.PageChanged();
  EXPECT_EQ(realTime().BTDisplayRaw.Caption(), "Display Data");
  Feed(packet(2, 10, "display off"));
  EXPECT_FALSE(stream.RawDisplayPending());
}

TEST_F(RawDisplayTest, SettingsFollowTheListsAndTheUpDown) {
  stream.StartUp();
  EXPECT_EQ(realTime().RawMuxIDLB.Caption(), "Logger ID:    2");
  EXPECT_TRUE(realTime().RawPortCB.Visible());  // "Parsed Data" shows its choices at once

  realTime().RawMuxIDUD.UserClick(true);
  EXPECT_EQ(display().rawDisplayLoggerId, 3);
  EXPECT_EQ(realTime().RawMuxIDLB.Caption(), "Logger ID:    3");
  EXPECT_TRUE(realTime().RawPortCB.Visible());
  EXPECT_TRUE(realTime().RawMuxIDUD.Visible());

  realTime().RawSourceCB.UserSelect(1);
  EXPECT_EQ(display().rawDisplaySource, 1);
  EXPECT_FALSE(realTime().RawPortCB.Visible());
  EXPECT_FALSE(realTime().RawMuxIDUD.Visible());
  EXPECT_FALSE(realTime().RawMuxIDLB.Visible());

  realTime().RawSourceCB.UserSelect(0);
  realTime().RawPortCB.UserSelect(8);
  EXPECT_EQ(display().rawDisplayPort, 8);
  EXPECT_TRUE(realTime().RawMuxIDLB.Visible());
}

TEST_F(RawDisplayTest, RawChunksAreShownOnlyWithTheirSourceAndCut) {
  const Bytes chunk(4128, 'r');                 // a PC Logger record at its largest
  stream.OfferRawInput(chunk.data(), 4096);  // display off
  EXPECT_FALSE(stream.RawDisplayPending());

  realTime().BTDisplayRaw.UserClick();
  stream.OfferRawInput(chunk.data(), 4096);  // source "Parsed Data"
  EXPECT_FALSE(stream.RawDisplayPending());

  realTime().RawSourceCB.UserSelect(1);
  stream.CopyPcLoggerToDisplay(chunk.data(), 100);
  EXPECT_FALSE(stream.RawDisplayPending());
  stream.OfferRawInput(chunk.data(), 4096);
  EXPECT_EQ(display().RawDisplayLength, RawDisplayState::kBufferSize);

  stream.FastTickEnd();
  realTime().RawSourceCB.UserSelect(2);
  stream.CopyPcLoggerToDisplay(chunk.data(), 4128);
  EXPECT_EQ(display().RawDisplayLength, RawDisplayState::kBufferSize);
}

TEST_F(RawDisplayTest, SendingTextWithAndWithoutLineEnd) {
  ports.OpenPortSlot(kLoggerSlot, 1);
  realTime().EditSendText.UserType("TS");
  realTime().BTSendText.UserClick();
  EXPECT_EQ(backend.TakeWritten(1), Bytes({'T', 'S'}));
  EXPECT_EQ(realTime().EditSendText.Text(), "");

  realTime().EditSendText.UserType("TS");
  realTime().EditSendText.UserPressEnter();
  EXPECT_EQ(backend.TakeWritten(1), Bytes({'T', 'S', '\r', '\n'}));
  EXPECT_EQ(MemoLinesNow(), (Lines{"TS", "TS"}));

  // An unfinished line of shown data is ended before the echo.
  Append("partial");
  realTime().EditSendText.UserType(std::string(250, 'k'));
  realTime().BTSendText.UserClick();
  EXPECT_EQ(backend.TakeWritten(1), Bytes(199, 'k'));
  EXPECT_EQ(MemoLinesNow().at(2), "partial");
  EXPECT_EQ(MemoLinesNow().at(3), std::string(101, 'k'));
  EXPECT_EQ(MemoLinesNow().at(4), std::string(98, 'k'));
}

}  // namespace
}  // namespace qv::testing
