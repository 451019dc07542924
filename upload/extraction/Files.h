// The files of an extraction: the input read and the outputs written through
// buffers of their own, because a run file is taken apart in many small
// pieces and a library call per piece would cost more than the piece.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace qv {

// A file read from its start, with the position reached.
class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // False for a file that cannot be opened and for a folder.
  bool Open(const std::string& path);
  // How many bytes were read; fewer than `count` only at the end of the file.
  std::size_t Read(std::uint8_t* into, std::size_t count);
  long long Position() const { return position_; }

 private:
  std::FILE* file_ = nullptr;
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::size_t size_ = 0;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
  long long position_ = 0;
};

class OutputFile {
 public:
  enum class Mode { Create, Append };

  OutputFile() = default;
  ~OutputFile() { Close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Create empties an existing file. False when the file cannot be opened.
  bool Open(const std::string& path, Mode mode);
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Path() const { return path_; }
  // False when not every byte could be written; the file stays open.
  bool Write(const void* bytes, std::size_t count);
  bool Write(const std::string& text) { return Write(text.data(), text.size()); }
  // Puts what is buffered into the file.
  bool Flush();
  // Flushes and closes; false when what was buffered could not be written.
  bool Close();

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace qv
