#include "upload/extraction/Files.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace qv {

namespace {
constexpr std::size_t kInputBuffer = 1 << 20;
constexpr std::size_t kOutputBuffer = 1 << 18;
}  // namespace

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

bool InputFile::Open(const std::string& path) {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  position_ = 0;
  at_ = end_ = 0;
  // A folder opens for reading on some systems and then reads as empty.
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return false;
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return false;
  std::setvbuf(file_, nullptr, _IONBF, 0);
  // No larger than the file: a small run file does not pay for a large buffer.
  const auto length = std::filesystem::file_size(path, ec);
  size_ = ec ? kInputBuffer : static_cast<std::size_t>(std::clamp<std::uintmax_t>(length, 1, kInputBuffer));
  buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(size_);
  return true;
}

std::size_t InputFile::Read(std::uint8_t* into, std::size_t count) {
  std::size_t done = 0;
  while (done < count && file_) {
    if (at_ == end_) {
      // A large piece goes straight into place.
      if (count - done >= size_) {
        const std::size_t n = std::fread(into + done, 1, count - done, file_);
        done += n;
        if (n == 0) break;
        continue;
      }
      at_ = 0;
      end_ = std::fread(buffer_.get(), 1, size_, file_);
      if (end_ == 0) break;
    }
    const std::size_t n = std::min(count - done, end_ - at_);
    std::memcpy(into + done, buffer_.get() + at_, n);
    at_ += n;
    done += n;
  }
  position_ += static_cast<long long>(done);
  return done;
}

bool OutputFile::Open(const std::string& path, Mode mode) {
  Close();
  std::FILE* f = std::fopen(path.c_str(), mode == Mode::Create ? "wb" : "ab");
  if (!f) return false;
  std::setvbuf(f, nullptr, _IONBF, 0);
  file_ = f;
  path_ = path;
  buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(kOutputBuffer);
  used_ = 0;
  return true;
}

bool OutputFile::Write(const void* bytes, std::size_t count) {
  if (!file_) return false;
  if (count > kOutputBuffer - used_) {
    if (!Flush()) return false;
    if (count >= kOutputBuffer) return std::fwrite(bytes, 1, count, file_) == count;
  }
  std::memcpy(buffer_.get() + used_, bytes, count);
  used_ += count;
  return true;
}

bool OutputFile::Flush() {
  if (!file_) return false;
  const std::size_t n = used_ ? std::fwrite(buffer_.get(), 1, used_, file_) : 0;
  const bool ok = n == used_;
  // What could not be written is dropped, so that one failure is not told again and again.
  used_ = 0;
  if (!ok) std::clearerr(file_);
  return ok;
}

bool OutputFile::Close() {
  if (!file_) return true;
  const bool flushed = Flush();
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  buffer_.reset();
  return flushed && closed;
}

}  // namespace qv
