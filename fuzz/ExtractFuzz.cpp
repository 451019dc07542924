// Fuzzes run-file extraction and the archive's CSV form: the input, less its
// first byte (which picks the options), is extracted as a run file, and both
// the archive that came out and the input itself are read as archives. Each
// input's files go into a temporary folder of its own, removed with them
// (the fuzzer may end the process without running exit handlers).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"
#include "upload/extraction/ArchiveCsv.h"
#include "upload/extraction/RunFileExtractor.h"

namespace {

namespace fs = std::filesystem;

// Memory-backed when the system has it: files come and go for every input.
fs::path Base() {
  std::error_code ec;
  return fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static qv::ScriptedPrompter prompter;
  static qv::RunFileExtractor extractor(prompter);
  if (size == 0) return 0;
  const qv::testing::ScratchDir input("qvfuzz-extract", Base());
  const fs::path& folder = input.Path();
  const std::uint8_t options = data[0];
  const std::string run = (folder / "run.001").string();
  std::ofstream(run, std::ios::binary)
      .write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));

  extractor.SetAddPad(options & 1);
  extractor.SetDebugLog(options & 2);
  extractor.ExtractRunFile(run, (options & 4) ? qv::kExtractArchiveAndRaw : qv::kExtractArchive);
  const std::string archive = (folder / "archive.001").string();
  if (fs::exists(archive)) qv::WriteArchiveCsv(archive, archive + ".csv", prompter);
  qv::WriteArchiveCsv(run, run + ".csv", prompter);

  extractor.SetDebugLog(false);  // closes the log before its folder goes
  prompter.Clear();
  return 0;
}
