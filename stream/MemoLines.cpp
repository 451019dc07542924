#include "stream/MemoLines.h"

namespace qv {

MemoLines::MemoLines(forms::Memo& memo) : memo_(memo) { line_.reserve(kMaxLineChars + 1); }

void MemoLines::AppendToMemo(int& length, const std::uint8_t* text) {
  for (int i = 0; i < length; ++i) {
    const std::uint8_t c = text[i];
    if (c == '\n' || c == '\r') {
      if (!previousWasLineEnd_) EndLine();
      previousWasLineEnd_ = true;
      continue;
    }
    previousWasLineEnd_ = false;
    if (c != 0) line_.push_back(static_cast<char>(c));
    if (++count_ > kMaxLineChars) EndLine();
  }
  length = 0;
}

void MemoLines::AppendToMemo(const std::string& text) {
  int length = static_cast<int>(text.size());
  AppendToMemo(length, reinterpret_cast<const std::uint8_t*>(text.data()));
}

void MemoLines::EndLine() {
  if (memo_.Lines().size() > kMaxMemoLines) memo_.DeleteFirstLine();
  memo_.AddLine(line_);
  line_.clear();
  count_ = 0;
}

}  // namespace qv
