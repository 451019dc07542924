// Splits a run file into the files an operator works with: the archive, the
// raw files of each meter port, the analog, battery and time-stamp files and
// the run summary, beside the run file or in a chosen folder. Every problem
// is told through the prompter's notice box; nothing here knows of forms.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "upload/extraction/DebugLog.h"
#include "upload/extraction/Files.h"
#include "upload/extraction/PacketBuilders.h"

namespace qv {

// Item indexes of "Extract File Types".
inline constexpr int kExtractArchive = 0;
inline constexpr int kExtractArchiveAndRaw = 1;

// The run number a run file's name carries after its last ".", or nothing
// when the name has none there.
std::optional<int> RunNumberOfPath(const std::string& path);

class RunFileExtractor : private BuiltPacketSink {
 public:
  // The extracted files, one slot each.
  enum Output { kPort1 = 0, kArchive = 8, kAnalog, kBattery, kTimestp, kSummary, kOutputs };

  explicit RunFileExtractor(Prompter& prompter);
  ~RunFileExtractor() override;
  RunFileExtractor(const RunFileExtractor&) = delete;
  RunFileExtractor& operator=(const RunFileExtractor&) = delete;

  // "Write Debug File": switching it off closes the log.
  void SetDebugLog(bool on);
  bool DebugLogOn() const { return debugLog_; }
  // "Add Pad": a complete archive record whose trailer is not "####" gets one.
  void SetAddPad(bool on) { addPad_ = on; }
  bool AddPadOn() const { return addPad_; }
  // Where the files go; empty (the default) is beside each run file.
  void SetOutputFolder(std::string folder) { outputFolder_ = std::move(folder); }

  // Extracts one run file; `extractChoice` is kExtractArchive or
  // kExtractArchiveAndRaw. Runs to its end before it returns. Asked while
  // another extraction waits in one of its notices (the timers run on inside
  // a box), it waits its turn and runs when that one is done.
  void ExtractRunFile(const std::string& path, int extractChoice);
  // The run number of the last file whose name was usable.
  int CurrentRun() const { return currentRun_; }
  // The name an output gets for the current run, e.g. "Port3.007".
  std::string OutputName(Output slot) const;

 private:
  class Session;
  struct Request {
    std::string path;
    int extractChoice;
    std::string outputFolder;
  };
  void Extract(const Request& request);
  // Hands each record to HandleRecord; a damaged one ends the file with a notice.
  void ReadRecords(InputFile& in, const std::string& folder);
  void HandleRecord(int type, std::span<std::uint8_t> data, long long at);
  void ExtractArchiveRecord(std::span<std::uint8_t> data, long long at);
  void WriteRunSummary(std::span<const std::uint8_t> data);
  // The end of the input, or of what could be read of it.
  void FinishFile();
  void WriteBuiltPacket(const BuiltPacketHead& head, const ChannelSet& channels) override;

  Prompter& prompter_;
  bool debugLog_ = false;
  bool addPad_ = false;
  std::string outputFolder_;
  int currentRun_ = 0;
  std::uint8_t senderUnitId_ = 2;
  MuxPacketBuilder mux_;
  HeaderPacketBuilder header_;
  DebugLog log_;
  Session* session_ = nullptr;  // the extraction in progress
  bool busy_ = false;
  std::vector<Request> waiting_;
};

}  // namespace qv
