// Link supervision with the program's own timers running in virtual time:
// the no-data notice, the auto-baud question and stepping, and a logger port
// whose device goes away and comes back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/HostFixture.h"
#include "tests/support/VirtualTime.h"

namespace qv {
namespace {

// What arrives on COM 1 while it is open.
struct Line {
  enum Kind { Silent, Garbage, Logger } kind = Silent;
  int loggerBaud = 0;  // Logger: a status each second at this baud, noise at any other
};

// The headless program on a fake line, its timers run by virtual time.
class SupervisionRig {
 public:
  testing::DaylightSavingZone zone;
  testing::FakeSerialBackend backend;
  FakeClock clock{testing::HostFixture::kWinterNoon};
  ScriptedPrompter prompter;
  HostProgram host{clock, prompter, backend};
  testing::VirtualTime time{clock};
  Line line;
  std::vector<std::string> events;  // "<second> <what>", in order

  SupervisionRig() {
    MainForm& m = host.Main();
    for (forms::Timer* t : {&m.Timer55ms, &m.Timer475ms, &m.Timer1000ms, &m.RTTimeout}) time.Add(*t);
    time.AddPeer([this](std::int64_t ms) { Talk(ms); });
    prompter.whileOpen = [this](const ScriptedPrompter::Box& box) {
      Log(box.kind == ScriptedPrompter::BoxKind::Question ? "question" : "notice " + box.caption);
      EXPECT_FALSE(host.Main().RTTimeout.Enabled()) << "the check must not run inside its own box";
      if (insideBox) insideBox(box);
    };
  }

  // The first tick opens the host-port dialog; the operator may choose COM 1,
  // and chooses a display mode.
  void Start(bool chooseCom1, bool moored = false) {
    time.RunFor(25);
    ASSERT_TRUE(host.Link().hostPortForm.window.Shown());
    if (chooseCom1) host.Link().hostPortForm.HostPortCB.UserSelect(1);
    (moored ? host.Main().MenuMoored : host.Main().MenuAdvanced).UserClick();
    shownSetting_ = Setting();
  }
  std::string Setting() { return host.Link().hostPortForm.HostSetupCB.Text(); }
  void Log(const std::string& what) { events.push_back(std::to_string(time.NowMs() / 1000) + " " + what); }
  forms::Colour LoggerClockColour() { return host.Status().group.LBDandT.GetColour(); }

  std::function<void(const ScriptedPrompter::Box&)> insideBox;

 private:
  void Talk(std::int64_t ms) {
    if (Setting() != shownSetting_) {
      shownSetting_ = Setting();
      Log("setting " + shownSetting_);
    }
    if (!backend.IsOpen(1) || line.kind == Line::Silent) return;
    if (line.kind == Line::Logger && backend.lastSetting[1].baud == line.loggerBaud &&
        backend.lastSetting[1].dataBits == 8) {
      if (ms / 1000 != lastStatusSecond_) {
        lastStatusSecond_ = ms / 1000;
        backend.Feed(1, testing::StandbyStatusPacket());
      }
      return;
    }
    backend.Feed(1, {0x55, 0xAA, 0x3C});
  }
  std::string shownSetting_;
  std::int64_t lastStatusSecond_ = -1;
};

class SupervisionTest : public ::testing::Test, public SupervisionRig {};

constexpr const char* kNoData = "notice No Data Has Been Detected";

TEST_F(SupervisionTest, NoticesQuestionsAndStepping) {
  struct Row {
    const char* name;
    bool chooseCom1;
    bool moored;
    Line line;
    Answer answer;
    Line lineOnceAsked;  // what the line does from the moment the question opens
    int questionOpenMs;  // how long the operator takes to answer
    std::vector<std::string> events;  // over the first 72 seconds
  };
  const Line silent{Line::Silent}, garbage{Line::Garbage}, loggerAt19200{Line::Logger, 19200},
      loggerAt9600{Line::Logger, 9600};
  const std::string n = kNoData;
  const Row rows[] = {
      {"no port chosen: the notice every 25 s, never the question", false, false, silent,
       Answer::Ok, silent, 0, {"10 " + n, "35 " + n, "60 " + n}},
      {"a silent open port: the same", true, false, silent, Answer::Ok, silent, 0,
       {"10 " + n, "35 " + n, "60 " + n}},
      {"a silent port in Moored Mode: the first notice only", true, true, silent, Answer::Ok,
       silent, 0, {"10 " + n}},
      {"garbage: the question, then one step per check, round again after 600", true, false,
       garbage, Answer::Ok, garbage, 0,
       {"15 question", "15 setting 115200", "20 setting 57600", "25 setting 38400",
        "30 setting 19200", "35 setting 9600, 7,E,1", "40 setting 9600", "45 setting 4800,7,E,1",
        "50 setting 4800", "55 setting 2400", "60 setting 1200", "65 setting 600",
        "70 setting 115200"}},
      {"garbage, Cancel: never asked again, nothing moves", true, false, garbage,
       Answer::Cancel, garbage, 0, {"15 question"}},
      {"stepping stops at the logger's baud", true, false, loggerAt19200, Answer::Ok,
       loggerAt19200, 0,
       {"15 question", "15 setting 115200", "20 setting 57600", "25 setting 38400",
        "30 setting 19200"}},
      {"a valid packet while the question is open wins", true, false, garbage, Answer::Ok,
       loggerAt9600, 2000, {"15 question"}},
      {"once OK'd, stepping goes on without input, a notice between steps", true, false,
       garbage, Answer::Ok, silent, 0,
       {"15 question", "15 setting 115200", "20 " + n, "25 setting 57600", "30 " + n,
        "35 setting 38400", "40 " + n, "45 setting 19200", "50 " + n, "55 setting 9600, 7,E,1",
        "60 " + n, "65 setting 9600", "70 " + n}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SupervisionRig t;
    t.line = row.line;
    t.prompter.answers = {row.answer};
    t.insideBox = [&t, &row](const ScriptedPrompter::Box& box) {
      if (box.kind != ScriptedPrompter::BoxKind::Question) return;
      t.line = row.lineOnceAsked;
      t.time.RunFor(row.questionOpenMs);  // the fast tick goes on meanwhile
    };
    t.Start(row.chooseCom1, row.moored);
    t.time.RunFor(72000);
    EXPECT_EQ(t.events, row.events);
  }
}

TEST_F(SupervisionTest, ValidPacketsKeepTheLinkQuietAndUncheckAutoBaud) {
  line = {Line::Logger, 9600};
  Start(true);
  time.RunFor(120000);
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(host.Main().AutoBaudRateDetection.Checked());
  EXPECT_EQ(Setting(), "9600");
}

TEST_F(SupervisionTest, TheLoggerPortComesBackByItselfWhenItsDeviceReturns) {
  line = {Line::Logger, 19200};
  Start(true);
  host.Link().hostPortForm.HostSetupCB.UserSelect(8);  // "19200"
  ASSERT_TRUE(time.RunUntil([&] { return host.Status().group.LBDandT.Visible(); }, 3000));
  time.RunFor(5000);
  ASSERT_EQ(events, std::vector<std::string>{"0 setting 19200"});
  events.clear();
  EXPECT_EQ(LoggerClockColour(), forms::Colour::ButtonFace);

  backend.missing.insert(1);  // the adapter is pulled out
  time.RunFor(100);
  EXPECT_FALSE(backend.IsOpen(1));  // its handle let go at once
  EXPECT_TRUE(host.Ports().IsDeviceAway(kLoggerSlot));
  const int opensBefore = backend.openCalls;
  time.RunFor(30000);
  // Tried again every two seconds, quietly; the operator still hears of the
  // silence, every 25 seconds.
  EXPECT_NEAR(backend.openCalls - opensBefore, 15, 1);
  EXPECT_EQ(events, (std::vector<std::string>{"10 " + std::string(kNoData), "35 " + std::string(kNoData)}));
  EXPECT_EQ(LoggerClockColour(), forms::Colour::Yellow);  // the status shown is stale
  EXPECT_EQ(host.Link().hostPortForm.HostPortCB.Text(), "COM 1");
  EXPECT_TRUE(host.Ports().IsPortSlotOpen(kLoggerSlot));

  backend.missing.erase(1);  // plugged in again
  const std::int64_t back = time.NowMs();
  ASSERT_TRUE(time.RunUntil([&] { return LoggerClockColour() == forms::Colour::ButtonFace; }, 5000));
  EXPECT_LE(time.NowMs() - back, 4000);
  EXPECT_EQ(backend.lastSetting[1].baud, 19200);  // the line setting applied again
  EXPECT_FALSE(host.Ports().IsDeviceAway(kLoggerSlot));
  for (const auto& box : prompter.boxes) EXPECT_NE(box.caption, "Comm Error");

  // A lasting silence after it is back is told as before.
  events.clear();
  line.kind = Line::Silent;
  time.RunFor(30000);
  EXPECT_FALSE(events.empty());
}

}  // namespace
}  // namespace qv
