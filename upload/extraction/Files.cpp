#include "upload/extraction/Files.h"

#include <filesystem>

namespace qv {

namespace {
constexpr std::size_t kBufferSize = 1 << 18;
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

bool InputFile::Open(const std::string& path) {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  position_ = 0;
  // A folder opens for reading on some systems and then reads as empty.
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  file_ = std::fopen(path.c_str(), "rb");
  if (file_) std::setvbuf(file_, nullptr, _IOFBF, kBufferSize * 4);
  return file_ != nullptr;
}

std::size_t InputFile::Read(std::uint8_t* into, std::size_t count) {
  if (!file_) return 0;
  const std::size_t n = std::fread(into, 1, count, file_);
  position_ += static_cast<long long>(n);
  return n;
}

bool OutputFile::Open(const std::string& path, Mode mode) {
  Close();
  std::FILE* f = std::fopen(path.c_str(), mode == Mode::Create ? "wb" : "ab");
  if (!f) return false;
  std::setvbuf(f, nullptr, _IOFBF, kBufferSize);
  file_ = f;
  path_ = path;
  return true;
}

bool OutputFile::Write(const void* bytes, std::size_t count) {
  if (!file_) return false;
  if (count == 0) return true;
  if (std::fwrite(bytes, 1, count, file_) == count) return true;
  std::clearerr(file_);
  return false;
}

bool OutputFile::Flush() { return file_ && std::fflush(file_) == 0; }

bool OutputFile::Close() {
  if (!file_) return true;
  const bool ok = std::fclose(file_) == 0;
  file_ = nullptr;
  return ok;
}

}  // namespace qv
