// Feeds text into the memo line by line: lines break after 101 characters,
// any run of line ends closes one line, and the memo keeps about 100 lines.
#pragma once

#include <cstdint>
#include <string>

#include "forms/Controls.h"

namespace qv {

class MemoLines {
 public:
  static constexpr int kMaxLineChars = 100;  // a line ends after its 101st character
  static constexpr std::size_t kMaxMemoLines = 100;

  explicit MemoLines(forms::Memo& memo);

  // Appends length bytes of text and sets length to 0; an unfinished line
  // waits for the next call.
  void AppendToMemo(int& length, const std::uint8_t* text);
  void AppendToMemo(const std::string& text);

  const std::string& CurrentLine() const { return line_; }
  int CurrentCount() const { return count_; }

 private:
  void EndLine();

  forms::Memo& memo_;
  std::string line_;
  int count_ = 0;  // characters taken into the line, zero bytes included
  bool previousWasLineEnd_ = true;
};

}  // namespace qv
