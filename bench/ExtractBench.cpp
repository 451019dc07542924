// Extraction of a 64 MB run file, as a logger's flash holds at most, against
// copying the same file with a plain read/write loop and with cp: the goal is
// extraction within three times the copy.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/RunGenerator.h"
#include "sim/SimOptions.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/ScriptedPrompter.h"
#include "upload/extraction/RunFileExtractor.h"

namespace qv {
namespace {

namespace fs = std::filesystem;
constexpr std::size_t kRunBytes = 64u << 20;

testing::ScratchDir& Folder() {
  static testing::ScratchDir folder("qvbench-extract");
  return folder;
}

// The run file of a KR7 with every serial port busy, written once.
const std::string& RunFile(RunStyle style) {
  static std::string paths[3];
  std::string& path = paths[static_cast<int>(style)];
  if (path.empty()) {
    const std::vector<std::uint8_t> run = GenerateLargeRun(kModelKr7, style, kRunBytes, 11);
    path = (Folder().Path() / ("run." + std::to_string(100 + static_cast<int>(style)))).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(run.data()), static_cast<std::streamsize>(run.size()));
  }
  return path;
}

void Extract(benchmark::State& state, RunStyle style, int choice) {
  const std::string& run = RunFile(style);
  ScriptedPrompter prompter;
  RunFileExtractor extractor(prompter);
  const fs::path out = Folder().Path() / "out";
  fs::create_directories(out);
  extractor.SetOutputFolder(out.string());
  for (auto _ : state) extractor.ExtractRunFile(run, choice);
  if (!prompter.boxes.empty()) state.SkipWithError("the extraction told something");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(run)));
  fs::remove_all(out);
}

void BM_ExtractMultiplexedArchive(benchmark::State& state) {
  Extract(state, RunStyle::Multiplexed, kExtractArchive);
}
void BM_ExtractMultiplexedWithRaw(benchmark::State& state) {
  Extract(state, RunStyle::Multiplexed, kExtractArchiveAndRaw);
}
void BM_ExtractHeadersWithRaw(benchmark::State& state) {
  Extract(state, RunStyle::Headers, kExtractArchiveAndRaw);
}

// The plain copy: read and write in 64 KiB pieces.
void BM_CopyLoop(benchmark::State& state) {
  const std::string& run = RunFile(RunStyle::Multiplexed);
  const std::string copy = (Folder().Path() / "copy").string();
  std::vector<char> buffer(64 * 1024);
  for (auto _ : state) {
    std::FILE* in = std::fopen(run.c_str(), "rb");
    std::FILE* out = std::fopen(copy.c_str(), "wb");
    if (!in || !out) std::abort();
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) std::fwrite(buffer.data(), 1, n, out);
    std::fclose(in);
    std::fclose(out);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(run)));
}

void BM_Cp(benchmark::State& state) {
  const std::string& run = RunFile(RunStyle::Multiplexed);
  const std::string command = "cp '" + run + "' '" + (Folder().Path() / "copy").string() + "'";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(run)));
}

BENCHMARK(BM_CopyLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Cp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractMultiplexedArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractMultiplexedWithRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtractHeadersWithRaw)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
