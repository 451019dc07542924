// Continuous archives and raw input files: starting, writing, stopping, and
// how failures are told.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>

#include "protocol/PacketFramer.h"
#include "tests/stream/StreamFixture.h"

namespace qv::testing {
namespace {

class RecordingTest : public StreamFixture {
 public:
  std::vector<forms::Button*> StartButtons() {
    return {&record().BTRecordArchive,   &record().BTRecordRaw,     &record().BTRecord1Hour,
            &record().BTRecord1Day,      &record().ReplayArchiveBT, &record().BTReplayRaw,
            &record().ReplayContinuousBT};
  }
  bool StartButtonsEnabled(bool enabled) {
    for (forms::Button* b : StartButtons())
      if (b->Enabled() != enabled) return false;
    return true;
  }
  static Bytes RecordOf(const Bytes& packet) { return Bytes(packet.begin() + 2, packet.end() - 2); }
  static Bytes Archived(const Bytes& packet) {
    Bytes r = RecordOf(packet);
    ConvertRecordHeaderToArchiveOrder(r.data());
    return r;
  }
};

TEST_F(RecordingTest, ContinuousArchiveHoldsEachKeptPacketLittleEndian) {
  const std::string path = dir / "cruise.arc";
  Start(record().BTRecordArchive, path);
  ASSERT_EQ(prompter.fileDialogs.size(), 1u);
  const FileDialogSpec& spec = prompter.fileDialogs[0];
  EXPECT_EQ(spec.title, "Record Continuous Archive");
  EXPECT_EQ(spec.defaultExtension, "");
  EXPECT_EQ(spec.filter, "");
  EXPECT_TRUE(spec.overwritePrompt);
  EXPECT_EQ(stream.RecordingMode(), RecordingMode::Archive);
  EXPECT_EQ(record().LBArchiveFileName.Caption(), "Archive File:  " + path);
  EXPECT_TRUE(StartButtonsEnabled(false));

  const Bytes a = MakeDataPacket(1, 0, 0x01020304, Bytes{'a', 'b', 'c'});
  const Bytes b = MakeDataPacket(1, 5, 7, Bytes(300, 'q'));  // shows a gap, still recorded
  const Bytes repeat = MakeDataPacket(1, 5, 7, Bytes{'r'});
  const Bytes empty = MakeDataPacket(1, 6, 7, Bytes{});
  const Bytes unit0 = MakeDataPacket(0, 0, 9, Bytes{'t'});
  EXPECT_EQ(Feed(a).outcome, PacketOutcome::Recorded);
  EXPECT_EQ(Feed(b), (AcceptResult{PacketOutcome::Recorded, true}));
  EXPECT_EQ(Feed(repeat).outcome, PacketOutcome::Repeat);
  EXPECT_EQ(Feed(empty).outcome, PacketOutcome::Empty);
  EXPECT_EQ(Feed(unit0).outcome, PacketOutcome::Recorded);
  EXPECT_EQ(FileBytes(path), Concat(Archived(a), Archived(b), Archived(unit0)));
  EXPECT_EQ(recorder().BytesWritten(), (32 + 3) + (32 + 300) + (32 + 1));

  record().BTStopRecord.UserClick();
  EXPECT_EQ(stream.RecordingMode(), RecordingMode::Off);
  EXPECT_TRUE(StartButtonsEnabled(true));
  EXPECT_EQ(record().LBArchiveFileName.Caption(), "Archive File:  " + path);
  EXPECT_EQ(Feed(MakeDataPacket(1, 7, 0, Bytes{'z'})).outcome, PacketOutcome::NotRecorded);
}

TEST_F(RecordingTest, UncheckedLoggerDataIsNotRecordedFromTheNextSecond) {
  const std::string path = dir / "a.arc";
  Start(record().BTRecordArchive, path);
  prompter.answers.push_back(Answer::Yes);
  record().CBRecordLogger.UserClick();
  EXPECT_EQ(Feed(1, 0).outcome, PacketOutcome::Recorded);  // the flag follows once a second
  stream.SecondTick();
  EXPECT_EQ(Feed(1, 1).outcome, PacketOutcome::Accepted);
  EXPECT_EQ(FileBytes(path).size(), 33u);
  // The PC Logger's packets follow their own box, still checked.
  Bytes r = RecordOf(MakeDataPacket(3, 0, 0, Bytes{'p', 'c'}));
  EXPECT_EQ(stream.AcceptPcLoggerPacket(r.data(), static_cast<int>(r.size())).outcome,
            PacketOutcome::Recorded);
  EXPECT_EQ(FileBytes(path).size(), 33u + 34u);
}

TEST_F(RecordingTest, UncheckingAsksAndNoPutsTheCheckBack) {
  struct Box {
    forms::CheckBox& box;
    const char* question;
  };
  for (Box b :
       {Box{record().CBRecordLogger, "Do you really want to turn OFF the Logger Recording?"},
        Box{record().CBRecordAuxIn, "Do you really want to turn OFF the PC-Logger Recording?"}}) {
    SCOPED_TRACE(b.question);
    prompter.Clear();
    bool flagWhileAsking = false;
    prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
      stream.SecondTick();  // the one-second tick runs inside the box
      flagWhileAsking = &b.box == &record().CBRecordLogger ? recorder().RecordLoggerData()
                                                           : recorder().RecordPcLoggerData();
    };
    prompter.answers.push_back(Answer::No);
    b.box.UserClick();
    prompter.whileOpen = nullptr;
    EXPECT_TRUE(b.box.Checked());
    EXPECT_TRUE(flagWhileAsking);  // nothing is lost while the operator decides
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].caption, "Archive File Change");
    EXPECT_EQ(prompter.boxes[0].text, b.question);
    EXPECT_EQ(prompter.boxes[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.beeps, std::vector<Beep>{Beep::Question});

    prompter.answers.push_back(Answer::Yes);
    b.box.UserClick();
    EXPECT_FALSE(b.box.Checked());
    b.box.UserClick();  // checking asks nothing
    EXPECT_TRUE(b.box.Checked());
    EXPECT_EQ(prompter.boxes.size(), 2u);
  }
}

TEST_F(RecordingTest, RawFileHoldsExactlyTheBytesGiven) {
  const std::string path = dir / "link.raw";
  Start(record().BTRecordRaw, path);
  const FileDialogSpec& spec = prompter.fileDialogs.at(0);
  EXPECT_EQ(spec.title, "Record Raw File");
  EXPECT_EQ(spec.defaultExtension, "raw");
  EXPECT_EQ(spec.filter, "Raw Files|*.raw|All Files|*.*");
  EXPECT_TRUE(spec.overwritePrompt);
  EXPECT_EQ(stream.RecordingMode(), RecordingMode::RawInput);
  EXPECT_EQ(record().LBArchiveFileName.Caption(), "Raw Input File:  " + path);

  Bytes all;
  for (int i = 0; i < 3; ++i) {
    Bytes chunk(1000 + static_cast<std::size_t>(i));
    for (std::size_t k = 0; k < chunk.size(); ++k) chunk[k] = static_cast<std::uint8_t>(k * 7 + i);
    stream.OfferRawInput(chunk.data(), static_cast<int>(chunk.size()));
    all.insert(all.end(), chunk.begin(), chunk.end());
  }
  EXPECT_EQ(Feed(1, 0).outcome, PacketOutcome::NotRecorded);  // packets are not archived in mode 1
  stream.SecondTick();
  EXPECT_EQ(record().LBArchiveFileSize.Caption(), "File Size:         2 K");
  EXPECT_EQ(FileBytes(path), all);
  EXPECT_EQ(recorder().BytesWritten(), 3003);
  record().BTStopRecord.UserClick();
  stream.OfferRawInput(all.data(), 10);
  EXPECT_EQ(FileBytes(path).size(), 3003u);
}

TEST_F(RecordingTest, CancelledDialogsChangeNothing) {
  for (forms::Button* b : {&record().BTRecordArchive, &record().BTRecordRaw,
                           &record().BTRecord1Hour, &record().BTRecord1Day}) {
    b->UserClick();
    EXPECT_EQ(stream.RecordingMode(), RecordingMode::Off);
    EXPECT_TRUE(StartButtonsEnabled(true));
  }
  EXPECT_EQ(record().LBArchiveFileName.Caption(), "Archive File:");
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(RecordingTest, FilesThatCannotBeCreatedAreToldAndNothingStarts) {
  struct Case {
    forms::Button* button;
    std::string path;
    const char* text;
  };
  const Case cases[] = {
      {&record().BTRecordArchive, dir / "missing/dir/a.arc", "Unable to Create Archive File"},
      {&record().BTRecordArchive, dir / std::string(5000, 'n'), "Unable to Create Archive File"},
      {&record().BTRecordRaw, dir / "missing/dir/a.raw", "Unable to Create Raw Data File"},
  };
  for (const Case& c : cases) {
    prompter.Clear();
    Start(*c.button, c.path);
    EXPECT_EQ(stream.RecordingMode(), RecordingMode::Off);
    EXPECT_TRUE(StartButtonsEnabled(true));
    ASSERT_EQ(prompter.Notices().size(), 1u);
    EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
    EXPECT_EQ(prompter.Notices()[0].text, c.text);
  }
  EXPECT_EQ(Feed(1, 0).outcome, PacketOutcome::NotRecorded);
}

// /dev/full takes the open and refuses every write with "no space", as a
// full disk does, even for root.
TEST_F(RecordingTest, WriteFailuresAreToldOncePerRecordingAndRecordingGoesOn) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Start(record().BTRecordArchive, "/dev/full");
  ASSERT_EQ(stream.RecordingMode(), RecordingMode::Archive);
  for (std::uint8_t s = 0; s < 3; ++s) EXPECT_EQ(Feed(1, s).outcome, PacketOutcome::WriteFailed);
  stream.SecondTick();
  EXPECT_EQ(recorder().BytesWritten(), 0);
  EXPECT_EQ(stream.RecordingMode(), RecordingMode::Archive);
  ASSERT_EQ(prompter.Notices().size(), 1u);
  EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
  EXPECT_EQ(prompter.Notices()[0].text, "Unable to Write to /dev/full");
  record().BTStopRecord.UserClick();

  // A new recording tells its own failure.
  Start(record().BTRecordRaw, "/dev/full");
  const Bytes chunk(64, 'x');
  stream.OfferRawInput(chunk.data(), 64);
  stream.OfferRawInput(chunk.data(), 64);
  EXPECT_EQ(recorder().BytesWritten(), 0);
  EXPECT_EQ(prompter.Notices().size(), 2u);
}

// Files may grow no further than `bytes` while it lives, as on a nearly full
// disk: a write across the limit is cut short there, one beyond it refused.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a refused write fails instead of killing
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = nullptr;
};

// The sequence numbers of the whole archive records in a file; fails on
// anything that is not one.
std::vector<int> ArchiveSequences(const Bytes& file) {
  std::vector<int> sequences;
  std::size_t at = 0;
  while (at < file.size()) {
    if (file.size() - at < 32) {
      ADD_FAILURE() << "a cut record at " << at;
      break;
    }
    const DataPacketHeader h = DataPacketHeader::DecodeArchive(&file[at]);
    const std::size_t size = 32u + h.payloadLength;
    int ports = 0;
    for (std::uint16_t c : h.portCounts) ports += c;
    if (ports != h.payloadLength || file.size() - at < size ||
        Bytes(file.begin() + static_cast<std::ptrdiff_t>(at + size - 4),
              file.begin() + static_cast<std::ptrdiff_t>(at + size)) != Bytes(4, kTrailerByte)) {
      ADD_FAILURE() << "no archive record at " << at;
      break;
    }
    sequences.push_back(h.sequence);
    at += size;
  }
  return sequences;
}

// The sequence numbers of the whole data packets in a raw input file.
std::vector<int> RawSequences(Bytes file) {
  std::vector<int> sequences;
  PacketFramer framer;
  std::size_t at = 0;
  while (at < file.size()) {
    const int held = static_cast<int>(file.size() - at);
    const Framed framed = framer.FramePacket(&file[at], held);
    if (!framed.IsPacket(PacketType::Data)) {
      ADD_FAILURE() << "no packet at " << at;
      break;
    }
    sequences.push_back(file[at + 5]);
    at += static_cast<std::size_t>(framed.size);
    framer.Reset();
  }
  return sequences;
}

// A disk that fills up in the middle of a record, then has room again: the
// cut record is taken off, it is told once, and every record in the file is
// whole and readable.
TEST_F(RecordingTest, ARecordCutShortIsCutOffAndLaterRecordsAreWhole) {
  struct Case {
    const char* name;
    forms::Button& button;
    std::function<bool(std::uint8_t sequence)> record;  // true when recorded
    std::function<std::vector<int>(const Bytes&)> parse;
  };
  auto packet = [](std::uint8_t s) { return MakeDataPacket(1, s, 0, Bytes(100, 'd')); };
  const std::size_t kSize = packet(0).size();  // 136 on the line, 132 archived
  Case cases[] = {
      {"archive", record().BTRecordArchive,
       [&](std::uint8_t s) { return Feed(packet(s)).outcome == PacketOutcome::Recorded; },
       ArchiveSequences},
      {"raw input", record().BTRecordRaw,
       [&](std::uint8_t s) {
         const auto before = recorder().BytesWritten();
         const Bytes p = packet(s);
         stream.OfferRawInput(p.data(), static_cast<int>(p.size()));
         return recorder().BytesWritten() == before + static_cast<std::int64_t>(p.size());
       },
       RawSequences},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    prompter.Clear();
    const std::string path = dir / (std::string(c.name) + ".rec");
    Start(c.button, path);
    for (std::uint8_t s = 0; s < 3; ++s) EXPECT_TRUE(c.record(s));
    const std::int64_t whole = recorder().BytesWritten();
    {
      FileSizeLimit nearlyFull(static_cast<rlim_t>(whole) + 50);
      EXPECT_FALSE(c.record(3));  // 50 bytes of it fit
      EXPECT_EQ(FileBytes(path).size(), static_cast<std::size_t>(whole));
      EXPECT_FALSE(c.record(4));
    }
    for (std::uint8_t s = 5; s < 7; ++s) EXPECT_TRUE(c.record(s));
    record().BTStopRecord.UserClick();

    const Bytes file = FileBytes(path);
    EXPECT_EQ(c.parse(file), (std::vector<int>{0, 1, 2, 5, 6}));
    EXPECT_EQ(recorder().BytesWritten(), static_cast<std::int64_t>(file.size()));
    EXPECT_LE(file.size(), 5 * kSize);
    ASSERT_EQ(prompter.Notices().size(), 1u);
    EXPECT_EQ(prompter.Notices()[0].caption, "File Error");
    EXPECT_EQ(prompter.Notices()[0].text, "Unable to Write to " + path);
  }
}

TEST_F(RecordingTest, AFailureInsideTheNoticeIsNotToldAgain) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  Start(record().BTRecordArchive, "/dev/full");
  int nested = 0;
  prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
    // The PC Logger's next packet fails too while the box is open.
    if (nested++ == 0) {
      Bytes r = RecordOf(MakeDataPacket(1, 9, 0, Bytes{'p'}));
      stream.AcceptPcLoggerPacket(r.data(), static_cast<int>(r.size()));
    }
  };
  Feed(1, 0);
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(prompter.Notices().size(), 1u);
}

TEST_F(RecordingTest, StatusTextsAndTabCaptionFollowTheMode) {
  struct Case {
    forms::Button* button;
    const char* status;
  };
  const Case cases[] = {{nullptr, "Recording:  OFF"},
                        {&record().BTRecordRaw, "Recording:  Raw Input File"},
                        {&record().BTRecordArchive, "Recording:  Archive File"},
                        {&record().BTRecord1Hour, "Recording:  1 Hour Archive"},
                        {&record().BTRecord1Day, "Recording:  24 Hour Archive"}};
  for (const Case& c : cases) {
    if (c.button) Start(*c.button, dir / "status");
    stream.SecondTick();
    EXPECT_EQ(record().LBRecordStatus.Caption(), c.status);
    EXPECT_EQ(recordPage.Caption(), c.status);
    EXPECT_EQ(record().LBArchiveFileSize.Caption(), "File Size:         0 K");
    record().BTStopRecord.UserClick();
  }
  EXPECT_TRUE(prompter.Notices().empty());
}

TEST_F(RecordingTest, RecordLineTellsWhatIsActuallyRecorded) {
  using forms::Colour;
  struct Case {
    bool loggerChecked, pcChecked, loggerOpen, pcOpen;
    const char* text;
    Colour colour;
  };
  const Case cases[] = {
      {true, true, false, false, "Record:  No Data", Colour::Red},
      {false, false, true, true, "Record:  No Data", Colour::Red},
      {true, true, true, false, "Record:  Logger Data", Colour::Yellow},
      {true, false, true, true, "Record:  Logger Data", Colour::ButtonFace},
      {true, true, false, true, "Record:  PC-Logger Data", Colour::Yellow},
      {false, true, true, true, "Record:  PC-Logger Data", Colour::ButtonFace},
      {true, true, true, true, "Record:  Logger + PC-Logger", Colour::ButtonFace},
  };
  for (const Case& c : cases) {
    record().CBRecordLogger.SetChecked(c.loggerChecked);
    record().CBRecordAuxIn.SetChecked(c.pcChecked);
    recorder().RecordFlagsTick(c.loggerOpen, c.pcOpen);
    EXPECT_EQ(record().LBActiveUnits.Caption(), c.text);
    EXPECT_EQ(record().LBActiveUnits.GetColour(), c.colour) << c.text;
    EXPECT_EQ(recorder().RecordLoggerData(), c.loggerChecked);
    EXPECT_EQ(recorder().RecordPcLoggerData(), c.pcChecked);
  }
  // Through the facade the port slots decide what is open.
  record().CBRecordLogger.SetChecked(true);
  record().CBRecordAuxIn.SetChecked(true);
  ports.OpenPortSlot(kLoggerSlot, 1);
  ports.OpenPortSlot(6, 7);
  stream.SecondTick();
  EXPECT_EQ(record().LBActiveUnits.Caption(), "Record:  Logger + PC-Logger");
}

}  // namespace
}  // namespace qv::testing
