#include "upload/extraction/RunFileExtractor.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "common/Format.h"
#include "protocol/DataPacket.h"
#include "upload/extraction/RunSummaryText.h"

namespace qv {

namespace {

constexpr const char* kExtractionError = "File Extraction Error";
constexpr int kArchiveRecordHead = 28;  // marker 1 .. the port counts
const std::uint8_t kTrailer[4] = {'#', '#', '#', '#'};

// The raw output of a record type, or -1.
int RawOutputOf(int type) {
  if (const int channel = RawRecordChannel(type); channel >= 1 && channel <= 8)
    return RunFileExtractor::kPort1 + channel - 1;
  if (type == kRecAnalogRaw) return RunFileExtractor::kAnalog;
  if (type == kRecTimeStamp) return RunFileExtractor::kTimestp;
  return -1;
}

std::string LogPath(const std::string& folder) {
  return (std::filesystem::path(folder) / DebugLog::kFileName).string();
}

}  // namespace

std::optional<int> RunNumberOfPath(const std::string& path) {
  // The name alone: a dot in a folder's name says nothing about the run.
  const std::string name = std::filesystem::path(path).filename().string();
  const std::size_t dot = name.rfind('.');
  std::size_t at = dot == std::string::npos ? 1 : dot + 1;
  if (at >= name.size() || name[at] < '0' || name[at] > '9') return std::nullopt;
  long long number = 0;
  for (; at < name.size() && name[at] >= '0' && name[at] <= '9'; ++at) {
    number = number * 10 + (name[at] - '0');
    if (number > 0x7FFFFFFF) return std::nullopt;
  }
  return static_cast<int>(number);
}

// One extraction: its output files, where they go, and what was told.
class RunFileExtractor::Session {
 public:
  Session(RunFileExtractor& owner, std::string folder, int extractChoice)
      : owner_(owner), folder_(std::move(folder)), raw_(extractChoice == kExtractArchiveAndRaw) {}

  bool RawChosen() const { return raw_; }
  const std::string& Folder() const { return folder_; }
  bool IsOpen(int slot) const { return files_[slot].IsOpen(); }

  // Creates the slot's file unless it is open; a file that cannot be
  // created is told once, and the next record of its kind tries again.
  bool Open(int slot) {
    if (files_[slot].IsOpen()) return true;
    const std::string path = PathOf(slot);
    if (files_[slot].Open(path, OutputFile::Mode::Create)) return true;
    if (!createTold_[slot]) {
      createTold_[slot] = true;
      if (slot == kSummary)
        owner_.prompter_.ShowNotice(kExtractionError, "Unable to create Summary File");
      else
        owner_.prompter_.ShowNotice(kExtractionError, Format("Unable to create %s", path.c_str()));
    }
    return false;
  }
  void Write(int slot, const void* bytes, std::size_t count) {
    if (!files_[slot].Write(bytes, count)) TellWriteFailure(slot);
  }
  void CloseAll() {
    for (int slot = 0; slot < kOutputs; ++slot)
      if (!files_[slot].Close()) TellWriteFailure(slot);
  }

 private:
  std::string PathOf(int slot) const {
    return (std::filesystem::path(folder_) / owner_.OutputName(static_cast<Output>(slot))).string();
  }
  void TellWriteFailure(int slot) {
    if (writeTold_[slot]) return;
    writeTold_[slot] = true;
    owner_.prompter_.ShowNotice(kExtractionError,
                                Format("Unable to write %s", PathOf(slot).c_str()));
  }

  RunFileExtractor& owner_;
  std::string folder_;
  bool raw_;
  std::array<OutputFile, kOutputs> files_;
  std::array<bool, kOutputs> createTold_{};
  std::array<bool, kOutputs> writeTold_{};
};

RunFileExtractor::RunFileExtractor(Prompter& prompter)
    : prompter_(prompter), mux_(senderUnitId_, *this), header_(senderUnitId_, *this) {}

RunFileExtractor::~RunFileExtractor() = default;

void RunFileExtractor::SetDebugLog(bool on) {
  debugLog_ = on;
  if (!on) log_.Close();
}

std::string RunFileExtractor::OutputName(Output slot) const {
  switch (slot) {
    case kArchive: return Format("archive.%03d", currentRun_);
    case kAnalog: return Format("analog.%03d", currentRun_);
    case kBattery: return Format("Battery.%03d", currentRun_);
    case kTimestp: return Format("timestp.%03d", currentRun_);
    case kSummary: return Format("Summary.%03d", currentRun_);
    default: return Format("Port%d.%03d", slot - kPort1 + 1, currentRun_);
  }
}

void RunFileExtractor::WriteBuiltPacket(const BuiltPacketHead& head, const ChannelSet& channels) {
  if (!session_ || !session_->IsOpen(kArchive)) return;
  const auto bytes = head.Encode();
  session_->Write(kArchive, bytes.data(), bytes.size());
  for (int channel = 1; channel <= ChannelSet::kChannels; ++channel) {
    const auto piece = channels.Bytes(channel);
    if (!piece.empty()) session_->Write(kArchive, piece.data(), piece.size());
  }
  session_->Write(kArchive, kTrailer, sizeof kTrailer);
}

void RunFileExtractor::ExtractRunFile(const std::string& path, int extractChoice) {
  waiting_.push_back({path, extractChoice, outputFolder_});
  if (busy_) return;
  // One at a time: the builders' channels belong to one run file.
  busy_ = true;
  for (std::size_t i = 0; i < waiting_.size(); ++i) {
    const Request next = waiting_[i];
    Extract(next);
  }
  waiting_.clear();
  busy_ = false;
}

void RunFileExtractor::Extract(const Request& request) {
  const std::string& path = request.path;
  const int extractChoice = request.extractChoice;
  senderUnitId_ = 2;
  const std::optional<int> run = RunNumberOfPath(path);
  if (!run) {
    prompter_.ShowNotice("Unusable File Name '" + path,
                         "Extraction Requires name.xxx, where xxx=000-999");
    return;
  }
  currentRun_ = *run;
  InputFile in;
  if (!in.Open(path)) {
    prompter_.ShowNotice(kExtractionError, Format("Unable to open %s", path.c_str()));
    return;
  }
  const std::string folder = request.outputFolder.empty()
                                 ? std::filesystem::path(path).parent_path().string()
                                 : request.outputFolder;
  // The log stays open from one extraction to the next only in the same folder.
  if (log_.IsOpen() && log_.Folder() != folder) log_.Close();

  Session session(*this, folder, extractChoice);
  session_ = &session;
  mux_.StartFile();
  ReadRecords(in, folder);
  FinishFile();
  session_ = nullptr;
}

void RunFileExtractor::ReadRecords(InputFile& in, const std::string& folder) {
  const std::string caption = Format("Run.%03d - Damaged Run File", currentRun_);
  bool logTold = false;
  std::vector<std::uint8_t> data;
  data.reserve(3000);
  for (;;) {
    const long long at = in.Position();
    std::uint8_t headBytes[kRunRecordHeadSize];
    const std::size_t got = in.Read(headBytes, sizeof headBytes);
    if (got == 0) return;
    if (got < sizeof headBytes) {
      prompter_.ShowNotice(
          caption, Format("Record at Byte %lld Runs Past End of File - Extraction Stopped", at));
      return;
    }
    const RunRecordHead head = RunRecordHead::Decode(headBytes);
    if (debugLog_ && !logTold && !(log_.OpenIn(folder) && log_.Record(head))) {
      logTold = true;
      prompter_.ShowNotice(kExtractionError, Format("Unable to write %s", LogPath(folder).c_str()));
    }
    if (head.length == 0) continue;
    if (head.length < 0) {
      prompter_.ShowNotice(caption, Format("Record Length %d at Byte %lld - Extraction Stopped",
                                           head.length, at));
      return;
    }
    // Records of any length the head can give are read whole.
    data.resize(static_cast<std::size_t>(head.length));
    if (in.Read(data.data(), data.size()) < data.size()) {
      prompter_.ShowNotice(
          caption, Format("Record at Byte %lld Runs Past End of File - Extraction Stopped", at));
      return;
    }
    HandleRecord(head.type, data, at);
  }
}


void RunFileExtractor::HandleRecord(int type, std::span<std::uint8_t> data, long long at) {
  Session& s = *session_;
  if (const int slot = RawOutputOf(type); slot >= 0) {
    if (s.RawChosen()) s.Open(slot);
    if (s.IsOpen(slot)) s.Write(slot, data.data(), data.size());
    if (const int channel = RawRecordChannel(type); channel && s.IsOpen(kArchive) && s.IsOpen(slot))
      header_.Raw(channel, data);
    return;
  }
  if (IsMuxRecord(type)) {
    s.Open(kArchive);
    mux_.Add(type, data);
    return;
  }
  switch (type) {
    case kRecBattery:
      if (s.Open(kBattery)) s.Write(kBattery, data.data(), data.size());
      return;
    case kRecSummary: WriteRunSummary(data); return;
    case kRecArchiveKrMux: ExtractArchiveRecord(data, at); return;
    case kRecSenderUnitId: senderUnitId_ = data.size() > 1 ? data[1] : 0; return;
    case kRecArchiveHeader:
      s.Open(kArchive);
      header_.Header(data);
      return;
    default:
      prompter_.ShowNotice(Format("Unknown Type:  %d %02x", type, static_cast<unsigned>(type) & 0xFFFFu),
                           "Record Not Saved");
  }
}

void RunFileExtractor::ExtractArchiveRecord(std::span<std::uint8_t> data, long long at) {
  // Its header cannot be turned, and readers of the archive would lose step.
  if (data.size() < static_cast<std::size_t>(kArchiveRecordHead)) {
    prompter_.ShowNotice(Format("Run.%03d - Damaged Run File", currentRun_),
                         Format("Archive Record of %d Bytes at Byte %lld is Too Short - "
                                "Record Not Saved",
                                static_cast<int>(data.size()), at));
    return;
  }
  Session& s = *session_;
  if (!s.Open(kArchive)) return;
  ConvertRecordHeaderToArchiveOrder(data.data());
  auto trailer = data.last(4);
  if (addPad_ && !std::equal(trailer.begin(), trailer.end(), kTrailer))
    std::fill(trailer.begin(), trailer.end(), kTrailer[0]);
  s.Write(kArchive, data.data(), data.size());
}

void RunFileExtractor::WriteRunSummary(std::span<const std::uint8_t> data) {
  Session& s = *session_;
  // A second summary in the same run file goes on in the same file.
  if (!s.Open(kSummary)) return;
  const std::string text = WithCrLf(RunSummaryText(RunSummaryRecord::Decode(data)));
  s.Write(kSummary, text.data(), text.size());
}

void RunFileExtractor::FinishFile() {
  Session& s = *session_;
  const bool archive = s.IsOpen(kArchive);
  if (archive) {
    header_.Flush();
    header_.StartAfresh();
    mux_.Flush();
    mux_.StartAfresh();
  }
  // What is still pending had nowhere to go.
  header_.Discard();
  mux_.Discard();
  // Closed after a run that made an archive, else kept for the next one;
  // either way what it holds is on disk.
  if (log_.IsOpen() && !(archive ? log_.Close() : log_.Flush()))
    prompter_.ShowNotice(kExtractionError, Format("Unable to write %s", LogPath(s.Folder()).c_str()));
  s.CloseAll();
}

}  // namespace qv
