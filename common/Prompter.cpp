#include "common/Prompter.h"

namespace qv {

void Prompter::ShowNotice(const std::string& caption, const std::string& text) {
  if (openNotices_ >= kMaxOpenNotices) return;
  Sound(Beep::Warning);
  ++openNotices_;
  // Keeps the count right even if the box's nested loop unwinds by exception.
  struct Guard {
    int& n;
    ~Guard() { --n; }
  } guard{openNotices_};
  ShowMessage(caption, text);
}

}  // namespace qv
